// export_params.cpp — loading, proposing and storing the head data of supplier requests.
#include "exports/export_params.h"

#include <QFileInfo>
#include <limits>

#include "common/error.h"
#include "common/file_utils.h"
#include "common/format.h"
#include "common/messages.h"
#include "documents/order.h"
#include "documents/order_selection.h"
#include "shell/paths.h"
#include "shell/setup.h"
#include "shell/user_settings.h"

namespace qx {

namespace {

const QString kFirmID = QStringLiteral("FirmID");
const QString kFirmName = QStringLiteral("FirmName");
const QString kOrderNo = QStringLiteral("OrderNo");
const QString kOrderDate = QStringLiteral("OrderDate");
const QString kFileName = QStringLiteral("FileName");

// The number after the stored one; the largest number stays as it is.
int32_t nextOrderNo(int32_t stored) {
    return stored < std::numeric_limits<int32_t>::max() ? stored + 1 : stored;
}

}  // namespace

TMatListBuilder OrderMaterials(const TqxfOrder& order) {
    return [&order](TqxfMatList& list) { order.CollectOrderMaterials(&list); };
}

TMatListBuilder SelectionMaterials(const TqxfOrderSelection& selection) {
    return [&selection](TqxfMatList& list) { selection.CollectSelMaterials(&list); };
}

QString ExportParamsKey(TExportFormat format) {
    switch (format) {
        case TExportFormat::TBM:
            return QString::fromUtf8(kTbmParamsKey);
        case TExportFormat::Vorne:
            return QString::fromUtf8(kVorneParamsKey);
        case TExportFormat::VBH:
            break;
    }
    return QString::fromUtf8(kDBConfigKey);
}

QString ExportFileName(TExportFormat format, const QString& firmId, int32_t orderNo) {
    const QString name = Format(format == TExportFormat::VBH ? "Z%s%.4d.xml" : "Z%s%.4d.txt", firmId, orderNo);
    const QString& dir = Paths().ExportDir;
    return dir.isEmpty() ? name : dir + PathSeparator() + name;
}

void LoadExportParams(TExportFormat format, TqxfExportParams& params) {
    const bool vbh = format == TExportFormat::VBH;
    try {
        UserSettings store;
        store.OpenKey(ExportParamsKey(format), true);
        if (store.ValueExists(kFirmID))
            params.FirmID = store.ReadString(kFirmID);
        else if (!vbh)
            params.FirmID = QStringLiteral("0000");
        if (vbh && params.FirmID.isEmpty()) params.FirmID = Setup().INN;
        if (store.ValueExists(kFirmName))
            params.FirmName = store.ReadString(kFirmName);
        else if (!vbh)
            params.FirmName = Setup().Name;
        if (vbh && params.FirmName.isEmpty()) params.FirmName = Setup().Name;
        params.OrderNo = store.ValueExists(kOrderNo) ? nextOrderNo(store.ReadInteger(kOrderNo)) : 1;
        params.Date = store.ValueExists(kOrderDate) ? store.ReadDateTime(kOrderDate) : Now();
    } catch (const std::exception& e) {
        ShowError(Format(kExportParamsLoadErrorText, ExceptionText(e)));
    }
    params.FileName = ExportFileName(format, params.FirmID, params.OrderNo);
}

TqxfExportParams ProposeExportParams(TExportFormat format, const QString& documentNo) {
    TqxfExportParams params;
    params.Date = Now();
    if (format == TExportFormat::VBH) {
        params.Upload = Setup().ftpUpload;
        params.OrderList = documentNo;
    } else {
        params.OrderName = documentNo;
    }
    LoadExportParams(format, params);
    return params;
}

bool StoreExportParams(TExportFormat format, const TqxfExportParams& params) {
    try {
        UserSettings store;
        store.OpenKey(ExportParamsKey(format), true);
        store.WriteString(kFirmID, params.FirmID);
        store.WriteString(kFirmName, params.FirmName);
        store.WriteInteger(kOrderNo, params.OrderNo);
        store.WriteDateTime(kOrderDate, params.Date);
        store.WriteString(kFileName, params.FileName);
        return true;
    } catch (const std::exception& e) {
        ShowError(Format(kExportParamsStoreErrorText, ExceptionText(e)));
        return false;
    }
}

bool PrepareExportFile(const QString& fileName) {
    // A folder that cannot be made shows up as the file's own write error.
    ForceDirectories(SplitFileName(fileName, true, false, false));
    if (QFileInfo::exists(fileName) && !AskConfirm(Format(kExportOverwriteText, fileName))) return false;
    return true;
}

}  // namespace qx
