// vorne_export.h — the Vorne request file: the TBM file's structure, wider, sorted by article, with prices.
#pragma once
#include <QString>

#include "documents/mat_list.h"
#include "exports/export_params.h"
#include "exports/tbm_export.h"

namespace qx {

inline constexpr const char* kVorneWriteErrorText = "Ошибка записи данных в файл экспорта Ворне Бела %s!\r\n%s";

// One Vorne line of 145 characters: first maker article (16, left; empty for an article the
// catalog lacks), name (45, left), quantity "%.0f" (7, right), unit (9, right), then Price,
// Reserved2 (the discount), ListPrice and Cost, each "%.4f" with the decimal comma (17, right).
// Each field trimmed and cut. An article without name or unit raises TqxfError.
QString VorneLine(const TqxfMatListItem& line);

// The layout of the Vorne file: 148 wide, lines sorted by article code.
TTextExportLayout VorneLayout();

// Writes the Vorne file of the list (see WriteTextExportFile).
bool WriteVorneFile(const TqxfExportParams& params, const TMatListBuilder& buildList);

// The steps after the dialog's OK: the parameters are stored under the Vorne key, then the file
// is written. The result is that of WriteVorneFile.
bool RunVorneExport(const TqxfExportParams& params, const TMatListBuilder& buildList);

}  // namespace qx
