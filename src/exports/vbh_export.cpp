// vbh_export.cpp — the XML order document of a material list, its file and its upload.
#include "exports/vbh_export.h"

#include <QBuffer>
#include <QSaveFile>
#include <QXmlStreamWriter>

#include "catalog/lookups.h"
#include "common/error.h"
#include "common/file_utils.h"
#include "common/format.h"
#include "common/geometry.h"
#include "common/messages.h"
#include "documents/order.h"
#include "exports/ftp_upload.h"

namespace qx {

namespace {

const char* const kDeclaration = "<?xml version=\"1.0\"?>\r\n";

void saveFile(const QString& fileName, const QByteArray& bytes) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) throw TqxfError(file.errorString());
    if (file.write(bytes) != bytes.size() || !file.commit()) throw TqxfError(file.errorString());
}

}  // namespace

TVbhItem VbhItem(const TqxfMatListItem& line) {
    TVbhItem item;
    item.Article = GetMakerArticle(line.ID, 1, true);
    if (item.Article.isEmpty()) item.Article = line.ID;
    item.Article2 = GetMakerArticle(line.ID, 2, true);
    if (item.Article2.isEmpty()) item.Article2 = line.ID;
    item.Article3 = line.ID;
    item.Name = GetArticleName(line.ID, false);
    item.Number = RoundHalfUp(line.Number);
    return item;
}

QByteArray BuildVbhDocument(const TqxfExportParams& params, const TqxfMatList& list, QString* error) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    buffer.write(kDeclaration);
    QXmlStreamWriter xml(&buffer);
    xml.setAutoFormatting(false);
    xml.writeStartElement(QStringLiteral("Order"));
    xml.writeAttribute(QStringLiteral("Type"), QStringLiteral("XML Order File"));
    xml.writeAttribute(QStringLiteral("FileName"), SplitFileName(params.FileName, false, true, true));
    xml.writeStartElement(QStringLiteral("Property"));
    xml.writeAttribute(QStringLiteral("CustomerID"), params.FirmID);
    xml.writeAttribute(QStringLiteral("Customer"), params.FirmName);
    xml.writeAttribute(QStringLiteral("No"), QString::number(params.OrderNo));
    xml.writeAttribute(QStringLiteral("OrderList"), params.OrderList);
    xml.writeAttribute(QStringLiteral("Comment"), params.Comment);
    xml.writeAttribute(QStringLiteral("Date"), FormatShortDate(params.Date));
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("ItemList"));
    try {
        for (const auto& line : list) {
            const TVbhItem item = VbhItem(*line);
            xml.writeStartElement(QStringLiteral("Item"));
            xml.writeAttribute(QStringLiteral("Article"), item.Article);
            xml.writeAttribute(QStringLiteral("Article2"), item.Article2);
            xml.writeAttribute(QStringLiteral("Article3"), item.Article3);
            xml.writeAttribute(QStringLiteral("Name"), item.Name);
            xml.writeAttribute(QStringLiteral("Number"), QString::number(item.Number));
            xml.writeEndElement();
        }
    } catch (const std::exception& e) {
        if (error) *error = ExceptionText(e);
    }
    xml.writeEndElement();  // ItemList
    xml.writeEndElement();  // Order
    buffer.write("\r\n");
    return bytes;
}

bool WriteVbhFile(const TqxfExportParams& params, const TMatListBuilder& buildList) {
    if (!PrepareExportFile(params.FileName)) return false;
    QString error;
    try {
        TqxfMatList list;
        QByteArray document;
        try {
            if (buildList) buildList(list);
            document = BuildVbhDocument(params, list, &error);
        } catch (const std::exception& e) {
            error = ExceptionText(e);  // nothing was built: the file is left empty
        }
        saveFile(params.FileName, document);
    } catch (const std::exception& e) {
        error = ExceptionText(e);
    }
    if (error.isEmpty()) return true;
    ShowError(Format(kVbhWriteErrorText, params.FileName, error));
    return false;
}

bool RunVbhExport(const TqxfExportParams& params, const TMatListBuilder& buildList) {
    StoreExportParams(TExportFormat::VBH, params);
    const bool written = WriteVbhFile(params, buildList);
    if (!params.Upload) return written;
    return UploadExportFile(params.FileName) && written;
}

}  // namespace qx
