// codec.cpp — Windows-1251 encoding and byte-wise comparison.
#include "common/codec.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <cstring>

namespace qx {

QByteArray ToCp1251(const QString& text) {
    QStringEncoder encoder("windows-1251", QStringConverter::Flag::Default);
    return encoder.encode(text);
}

QString FromCp1251(const QByteArray& bytes) {
    QStringDecoder decoder("windows-1251");
    return decoder.decode(bytes);
}

int CompareCp1251(const QString& a, const QString& b) {
    const QByteArray x = ToCp1251(a), y = ToCp1251(b);
    const int n = std::min(x.size(), y.size());
    int c = n > 0 ? std::memcmp(x.constData(), y.constData(), static_cast<size_t>(n)) : 0;
    if (c != 0) return c < 0 ? -1 : 1;
    return x.size() < y.size() ? -1 : (x.size() > y.size() ? 1 : 0);
}

}  // namespace qx
