// export_params.h — the head data of supplier requests: kept per format in the user's store, proposed
// with their defaults and the next request number, the file-name rule, and the steps every export
// file shares (its folder, the overwrite question).
#pragma once
#include <QString>
#include <cstdint>
#include <functional>

#include "common/datetime.h"
#include "documents/mat_list.h"

namespace qx {

class TqxfOrder;
class TqxfOrderSelection;

enum class TExportFormat { TBM, Vorne, VBH };

// The user's keys of the formats; the XML export keeps its values in the configuration key.
inline constexpr const char* kTbmParamsKey = "\\SoftWare\\Tarkon\\Quarnix\\Vovazeder380\\TBM";
inline constexpr const char* kVorneParamsKey = "\\SoftWare\\Tarkon\\Quarnix\\Vovazeder380\\VORNE";

inline constexpr const char* kExportParamsLoadErrorText = "Ошибка загрузки параметров из системного реестра!\r\n(%s)";
inline constexpr const char* kExportParamsStoreErrorText = "Ошибка записи параметров в системный реестр!\r\n(%s)";
inline constexpr const char* kExportOverwriteText = "Файл [%s] уже существует!\r\nПереписать?";

// What an export dialog shows and confirms.
struct TqxfExportParams {
    QString FirmID;       // "Шифр фирмы": the customer's code at the supplier
    QString FirmName;     // "Наименование фирмы"
    int32_t OrderNo = 1;  // "Номер заявки": running number of the request
    QString OrderName;    // "Наименование заявки" (text formats)
    QString OrderList;    // "Список заказов" (XML)
    QString Comment;      // "Комментарии" (XML)
    TDateTime Date = 0;   // "Дата"
    QString FileName;     // "Файл экспорта": full path
    bool Upload = false;  // "Загружать файл экспорта на FTP" (XML)
};

// Fills a list with the material lines of the exported document (the list is empty before).
using TMatListBuilder = std::function<void(TqxfMatList&)>;

// The order's material list as exports take it: the included positions, merged, in the order collected.
TMatListBuilder OrderMaterials(const TqxfOrder& order);
// The selection's material list as exports take it: the included lines' positions, merged, sorted
// by article and priced afresh in the selection's currency and rates.
TMatListBuilder SelectionMaterials(const TqxfOrderSelection& selection);

// The user's key of the format's values.
QString ExportParamsKey(TExportFormat format);

// ExportDir, the platform's separator and "Z" + customer code + request number (at least four
// digits) + ".txt" (".xml" for VBH). Without an export directory the name alone.
QString ExportFileName(TExportFormat format, const QString& firmId, int32_t orderNo);

// Reads the stored values with the format's defaults: TBM and Vorne take "0000" and the firm's
// Name when "FirmID" / "FirmName" are missing; VBH takes the firm's INN and Name when they are
// missing or empty. The request number is the stored one + 1 (1 when none is stored), the date the
// stored one (now when none). The file name follows the rule. A store that cannot be read shows
// "Ошибка загрузки параметров из системного реестра!\r\n(%s)"; the values read so far are kept.
void LoadExportParams(TExportFormat format, TqxfExportParams& params);

// The dialog's proposals for a document whose number is documentNo: the stored values, the
// document's number as request name (TBM, Vorne) or order list (VBH), and the upload switch from
// the setting ftpUpload.
TqxfExportParams ProposeExportParams(TExportFormat format, const QString& documentNo);

// Writes "FirmID", "FirmName", "OrderNo", "OrderDate" and "FileName" after a confirmed export.
// A store that cannot be written shows "Ошибка записи параметров в системный реестр!\r\n(%s)" and
// gives false; the export goes on.
bool StoreExportParams(TExportFormat format, const TqxfExportParams& params);

// Creates the file's folder with its missing parents and, when the file exists, asks
// "Файл [%s] уже существует!\r\nПереписать?". False when the user declined.
bool PrepareExportFile(const QString& fileName);

}  // namespace qx
