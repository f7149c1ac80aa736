// codec.cpp — Windows-1251 encoding and byte-wise comparison through a table built once.
#include "common/codec.h"

#include <QStringDecoder>
#include <array>
#include <cstring>

namespace qx {

namespace {

// Windows-1251 is a single-byte code page: one table for each direction, taken from Qt's own
// converter once, makes every later conversion a plain lookup.
struct Cp1251Tables {
    std::array<char16_t, 256> toUnicode{};
    std::array<uint8_t, 65536> fromUnicode{};  // 0: no byte for this character (except U+0000)

    Cp1251Tables() {
        QStringDecoder decoder("windows-1251");
        for (int b = 0; b < 256; ++b) {
            const char byte = static_cast<char>(b);
            const QString s = decoder.decode(QByteArrayView(&byte, 1));
            decoder.resetState();
            const char16_t u = s.size() == 1 ? s.at(0).unicode() : u'\uFFFD';
            toUnicode[b] = u;
            if (u != u'\uFFFD' && fromUnicode[u] == 0) fromUnicode[u] = static_cast<uint8_t>(b);
        }
    }
};

const Cp1251Tables& tables() {
    static const Cp1251Tables t;
    return t;
}

}  // namespace

QByteArray ToCp1251(const QString& text) {
    const Cp1251Tables& t = tables();
    QByteArray out(text.size(), Qt::Uninitialized);
    char* dst = out.data();
    const char16_t* src = reinterpret_cast<const char16_t*>(text.utf16());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = src[i];
        if (u < 0x80) {
            dst[i] = static_cast<char>(u);
        } else {
            const uint8_t b = t.fromUnicode[u];
            dst[i] = b != 0 ? static_cast<char>(b) : '?';  // a character the code page lacks
        }
    }
    return out;
}

QString FromCp1251(const QByteArray& bytes) {
    const Cp1251Tables& t = tables();
    QString out(bytes.size(), Qt::Uninitialized);
    char16_t* dst = reinterpret_cast<char16_t*>(out.data());
    const unsigned char* src = reinterpret_cast<const unsigned char*>(bytes.constData());
    for (qsizetype i = 0; i < bytes.size(); ++i) dst[i] = src[i] < 0x80 ? src[i] : t.toUnicode[src[i]];
    return out;
}

int CompareCp1251(const QString& a, const QString& b) {
    const QByteArray x = ToCp1251(a), y = ToCp1251(b);
    const int n = static_cast<int>(std::min(x.size(), y.size()));
    int c = n > 0 ? std::memcmp(x.constData(), y.constData(), static_cast<size_t>(n)) : 0;
    if (c != 0) return c < 0 ? -1 : 1;
    return x.size() < y.size() ? -1 : (x.size() > y.size() ? 1 : 0);
}

}  // namespace qx
