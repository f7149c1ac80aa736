// image_file.h — writing and reading the files that hold a document image (orders, selections):
// written unbuffered through a save file so that a failed or short write keeps the previous file,
// read whole with guard bytes after the data so that a reader that runs past the end is noticed.
#pragma once
#include <QByteArray>
#include <QString>
#include <cstdint>

namespace qx {

// Bytes placed after a file's content while it is read: a reader that gets into them has met the
// end of the file inside the image (a text length read there is negative, a record has no kind).
constexpr int kImageGuardBytes = 16;

// "what "file": reason".
QString ImageFileErrorText(const QString& what, const QString& fileName, const QString& reason);

// Replaces the file with the image in one operation; raises TqxfError naming the file.
void WriteImageFile(const QString& fileName, const QByteArray& image);

// The whole file followed by kImageGuardBytes guard bytes; fileSize gets the file's own size.
// Raises TqxfError naming the file.
QByteArray ReadImageFile(const QString& fileName, int64_t& fileSize);

}  // namespace qx
