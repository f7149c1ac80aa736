// ftp_upload.cpp — the FTP upload over libcurl.
#include "exports/ftp_upload.h"

#include <curl/curl.h>

#include <QFile>
#include <QUrl>
#include <memory>
#include <mutex>

#include "common/error.h"
#include "common/file_utils.h"
#include "common/format.h"
#include "common/messages.h"
#include "documents/order.h"
#include "shell/setup.h"

namespace qx {

namespace {

void initCurl() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct CurlDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
struct SlistDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

size_t readFile(char* buffer, size_t size, size_t count, void* userdata) {
    QFile* file = static_cast<QFile*>(userdata);
    const qint64 read = file->read(buffer, static_cast<qint64>(size * count));
    return read < 0 ? CURL_READFUNC_ABORT : static_cast<size_t>(read);
}

bool hasLineBreak(const QString& text) {
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

// ftp://host:port/DIR/NAME: the directory is one segment with its "/" escaped, so that the client
// sends it in one CWD exactly as configured.
QByteArray targetUrl(const TFtpTarget& target, const QString& remoteName) {
    QByteArray host = target.Host.trimmed().toUtf8();
    if (host.contains(':') && !host.startsWith('[')) host = '[' + host + ']';
    QByteArray url = "ftp://" + host + ':' + QByteArray::number(target.Port) + '/';
    if (!target.Dir.isEmpty()) url += QUrl::toPercentEncoding(target.Dir) + '/';
    return url + QUrl::toPercentEncoding(remoteName);
}

void check(CURLcode code, const char* errorBuffer) {
    if (code == CURLE_OK) return;
    const QString text = QString::fromUtf8(errorBuffer);
    throw TqxfError(text.isEmpty() ? QString::fromUtf8(curl_easy_strerror(code)) : text);
}

}  // namespace

TFtpTarget FtpTargetFromSetup(const TqxfSetup& setup) {
    return TFtpTarget{setup.ftpHost, setup.ftpPort, setup.ftpUserName, setup.ftpPassword, setup.ftpDir};
}

void FtpPutFile(const TFtpTarget& target, const QString& localFile) {
    if (target.Port < 1 || target.Port > 65535)
        throw TqxfError(Format("Недопустимый номер порта FTP: %d", target.Port));
    const QString name = SplitFileName(localFile, false, true, true);
    const QString tempName = name + QLatin1Char('~');
    if (name.isEmpty() || hasLineBreak(name) || hasLineBreak(target.Dir))
        throw TqxfError(Format("Недопустимое имя файла [%s]", localFile));
    QFile file(localFile);
    if (!file.open(QIODevice::ReadOnly)) throw TqxfError(Format("%s: %s", localFile, file.errorString()));

    initCurl();
    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl) throw TqxfError(QString::fromUtf8(curl_easy_strerror(CURLE_FAILED_INIT)));
    std::unique_ptr<curl_slist, SlistDeleter> rename;
    for (const QString& command : {QStringLiteral("RNFR ") + tempName, QStringLiteral("RNTO ") + name}) {
        curl_slist* list = curl_slist_append(rename.get(), command.toUtf8().constData());
        if (!list) throw TqxfError(QString::fromUtf8(curl_easy_strerror(CURLE_OUT_OF_MEMORY)));
        rename.release();
        rename.reset(list);
    }
    char errorBuffer[CURL_ERROR_SIZE] = {};
    const QByteArray url = targetUrl(target, tempName);
    const QByteArray user = target.UserName.toUtf8();
    const QByteArray password = target.Password.toUtf8();
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_URL, url.constData());
    curl_easy_setopt(c, CURLOPT_PROXY, "");
    curl_easy_setopt(c, CURLOPT_IPRESOLVE, static_cast<long>(CURL_IPRESOLVE_V4));
    curl_easy_setopt(c, CURLOPT_FORBID_REUSE, 1L);
    if (!user.isEmpty()) {
        curl_easy_setopt(c, CURLOPT_USERNAME, user.constData());
        curl_easy_setopt(c, CURLOPT_PASSWORD, password.constData());
    }
    curl_easy_setopt(c, CURLOPT_FTPPORT, "-");  // active mode on the control connection's address
    curl_easy_setopt(c, CURLOPT_FTP_USE_EPRT, 0L);
    curl_easy_setopt(c, CURLOPT_TRANSFERTEXT, 1L);
    curl_easy_setopt(c, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_SINGLECWD));
    curl_easy_setopt(c, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(c, CURLOPT_READFUNCTION, readFile);
    curl_easy_setopt(c, CURLOPT_READDATA, &file);
    curl_easy_setopt(c, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(file.size()));
    curl_easy_setopt(c, CURLOPT_POSTQUOTE, rename.get());
    check(curl_easy_perform(c), errorBuffer);
}

bool UploadExportFile(const QString& localFile) {
    WaitCursorGuard wait;
    try {
        FtpPutFile(FtpTargetFromSetup(Setup()), localFile);
        ShowInfo(QString::fromUtf8(kFtpUploadDoneText));
        return true;
    } catch (const std::exception& e) {
        ShowError(QString::fromUtf8(kFtpUploadFailedText) + ExceptionText(e));
        return false;
    }
}

}  // namespace qx
