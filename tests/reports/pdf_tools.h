// pdf_tools.h — reading back the PDF files that reports write: their text, page count and images.
#pragma once
#include <QString>
#include <QStringList>

namespace qx {

// The text of a PDF file as pdftotext gives it (layout kept); empty when the tool fails.
QString PdfText(const QString& pdfFile);
// The text in drawing order as one line: line breaks and runs of blanks become one blank, a word
// broken at a hyphen at the end of a line is joined again ("поворотно-\nоткидное").
QString PdfFlowText(const QString& pdfFile);
// The page count from pdfinfo; -1 when the tool fails.
int PdfPageCount(const QString& pdfFile);
// The page size in points from pdfinfo ("595.276 x 841.89"); empty when the tool fails.
QString PdfPageSize(const QString& pdfFile);
// The images of the PDF as pdfimages -list gives them: one "page width height" per image.
QStringList PdfImages(const QString& pdfFile);

}  // namespace qx

#include <ostream>
// Texts in test failures as UTF-8.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
