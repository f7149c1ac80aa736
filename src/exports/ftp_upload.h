// ftp_upload.h — sends an export file to the supplier's FTP server: active mode, ASCII type, stored
// under a "~" name and renamed when complete.
#pragma once
#include <QString>
#include <cstdint>

namespace qx {

class TqxfSetup;

inline constexpr const char* kFtpUploadDoneText = "Заявка сохранена на сервер FTP.";
inline constexpr const char* kFtpUploadFailedText = "Неудачная попытка отправки файла на сервер. ";

// Where the file goes and the login.
struct TFtpTarget {
    QString Host;
    int32_t Port = 21;
    QString UserName;  // empty: the anonymous login
    QString Password;
    QString Dir;  // sent unchanged with CWD; empty: the login directory
};
TFtpTarget FtpTargetFromSetup(const TqxfSetup& setup);

// Connects (IPv4, no proxy), logs in, selects type A, changes to the directory, stores the local
// file under its name + "~", renames it to its name and disconnects, also after a failure. A port
// outside 1 … 65535, a file that cannot be read and every failure of the client raise TqxfError
// with the error's text (the client's own for the client's failures).
void FtpPutFile(const TFtpTarget& target, const QString& localFile);

// The upload step of the XML export, with the hourglass cursor: FtpPutFile to the server of the
// settings, then "Заявка сохранена на сервер FTP."; a failure shows
// "Неудачная попытка отправки файла на сервер. " followed by the error's text. True on success.
bool UploadExportFile(const QString& localFile);

}  // namespace qx
