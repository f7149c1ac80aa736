// codec.h — the one conversion point between QString and the Windows-1251 bytes of files.
#pragma once
#include <QByteArray>
#include <QString>

namespace qx {

QByteArray ToCp1251(const QString& text);
QString FromCp1251(const QByteArray& bytes);
// Byte-wise comparison of two texts in Windows-1251 (the system's sort order).
int CompareCp1251(const QString& a, const QString& b);

}  // namespace qx
