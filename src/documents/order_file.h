// order_file.h — the order file: the order's image in the typed stream, its file with the format-stamp
// checks, and the last-number file of the orders folder.
#pragma once
#include <QString>

#include "common/spec_stream.h"

namespace qx {

class TqxfOrder;

inline const QString kOrderFileExtension = QStringLiteral(".qfo370");  // ".qfo": earlier versions, same reader
inline const QString kOrderFileFilter = QStringLiteral("Заказ (*.qfo370)|*.qfo370|Все файлы (*.*)|*.*");
inline const QString kLastOrderNoFileName = QStringLiteral("Quarnix.lon");
// The stamp from which the four default codes replace the two obsolete texts of the header.
inline const QString kOrderDefaultsStamp = QStringLiteral("10.12.2009");

// Appends the order's image as it stands (its Version is written as it is).
void SaveOrderToStream(const TqxfOrder& order, TSpecStream& stream);
// Reads an image from the stream's position. An older stamp asks whether to convert (Cancel: false,
// OK: converted), a newer one is refused with a warning (false); both stop after the seventh value.
// A malformed image raises TqxfError.
bool LoadOrderFromStream(TqxfOrder& order, TSpecStream& stream, bool& converted);

// Writes the current stamp into the order and saves its image; the file is replaced only by a
// complete image. Failures show "Ошибка сохранения заказа!\r\n(%s)" and give false; an empty
// name does nothing and gives false.
bool SaveOrderToFile(TqxfOrder& order, const QString& fileName);
// Reads the whole file and loads the order from it. Failures (also a file shorter than its image)
// show "Ошибка загрузки заказа!\r\n(%s)" and give false; the fields read so far keep their values.
// An empty name does nothing and gives false.
bool LoadOrderFromFile(TqxfOrder& order, const QString& fileName, bool& converted);

// "Quarnix.lon" in OrdersDir, or next to the program when OrdersDir is empty.
QString LastOrderNoFilePath();
// 31 bytes: the length of the number (at most 30), its Windows-1251 characters, zeros. A file that
// cannot be written is skipped silently.
void WriteLastOrderNo(const QString& orderNo);
// The number kept there; "???" when the file is missing or cannot be read.
QString ReadLastOrderNo();

}  // namespace qx
