// vbh_export.h — the VBH request file: the material list as an XML order document, and the steps
// after the dialog's OK (store, write, upload).
#pragma once
#include <QByteArray>
#include <QString>

#include "documents/mat_list.h"
#include "exports/export_params.h"

namespace qx {

inline constexpr const char* kVbhWriteErrorText = "Ошибка записи данных в файл экспорта XML %s!\r\n%s";

// One Item's attribute values in their order.
struct TVbhItem {
    QString Article;     // first maker article, or the code when it is empty
    QString Article2;    // second maker article, or the code when it is empty
    QString Article3;    // the article code
    QString Name;        // the catalog name; a missing article raises TqxfError
    int32_t Number = 0;  // the quantity rounded with RoundHalfUp
};
TVbhItem VbhItem(const TqxfMatListItem& line);

// Builds the document of the list: the declaration <?xml version="1.0"?>, then Order (Type,
// FileName) holding Property (CustomerID, Customer, No, OrderList, Comment, Date) and ItemList with
// one Item per line (Article, Article2, Article3, Name, Number); UTF-8, no indentation. When a line
// fails, *error gets its text and the document holds the items before it; otherwise *error is
// left as it was.
QByteArray BuildVbhDocument(const TqxfExportParams& params, const TqxfMatList& list, QString* error);

// Writes the file params.FileName after PrepareExportFile; the document is saved also when
// building it stopped at an error, holding what was built. An error shows
// "Ошибка записи данных в файл экспорта XML %s!\r\n%s". True when the whole file was written;
// false when the overwrite was declined or after the error message.
bool WriteVbhFile(const TqxfExportParams& params, const TMatListBuilder& buildList);

// The steps after the dialog's OK: the parameters are stored, the file is written and, when
// params.Upload is set, the file on disk is uploaded (also when it was not written now). True when
// the file was written and, if asked, uploaded.
bool RunVbhExport(const TqxfExportParams& params, const TMatListBuilder& buildList);

}  // namespace qx
