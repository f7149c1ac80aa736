// tbm_export.h — the TBM request file: fixed-width Windows-1251 text of a material list, and the
// structure of head, column head, lines and signature that the Vorne file shares.
#pragma once
#include <QString>
#include <functional>

#include "documents/mat_list.h"
#include "exports/export_params.h"

namespace qx {

inline constexpr const char* kTbmWriteErrorText = "Ошибка записи данных в файл экспорта ТБМ Навигатор %s!\r\n%s";

// A fixed-width request file: the five head lines, a rule, the column head, a rule, one line per
// material line, a rule, a blank line and the signature line, each ended by CR LF.
struct TTextExportLayout {
    int Width = 80;  // of the rules, the blank line, the column head and the signature line
    QString ColumnHead;
    int SignatureIndent = 20;  // blanks before "Заявку составил" and its underscores
    QString WriteErrorText;    // "%s" the path, "%s" the error's text
    bool SortByID = false;     // the lines sorted by article code after the list is built
    std::function<QString(const TqxfMatListItem&)> Line;
};

// The five head lines (without line ends): customer code, name, request number, request name, date.
QStringList TextExportHead(const TqxfExportParams& params);

// Writes the file params.FileName line by line after PrepareExportFile: the file is created anew,
// then the list is built and the lines written. An error (a missing article, a write error) shows
// the layout's error text; the file keeps the lines written before it (nothing when building the
// list failed). True when the whole file was written; false when the overwrite was declined or
// after the error message.
bool WriteTextExportFile(const TTextExportLayout& layout, const TqxfExportParams& params,
                         const TMatListBuilder& buildList);

// One TBM line of 77 characters: second maker article (16, left; empty for an article the catalog
// lacks), name (45, left), quantity "%.0f" (7, right), unit (9, right); each trimmed and cut. An
// article without name or unit raises TqxfError.
QString TbmLine(const TqxfMatListItem& line);

// The layout of the TBM file.
TTextExportLayout TbmLayout();

// Writes the TBM file of the list (see WriteTextExportFile).
bool WriteTbmFile(const TqxfExportParams& params, const TMatListBuilder& buildList);

// The steps after the dialog's OK: the parameters are stored, then the file is written. The
// result is that of WriteTbmFile.
bool RunTbmExport(const TqxfExportParams& params, const TMatListBuilder& buildList);

}  // namespace qx
