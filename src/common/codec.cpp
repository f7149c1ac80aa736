// codec.cpp — Windows-1251 encoding and byte-wise comparison.
#include "common/codec.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <array>
#include <cstring>
#include <memory>

namespace qx {

namespace {

QByteArray encodeWithConverter(const QString& text) {
    QStringEncoder encoder("windows-1251", QStringConverter::Flag::Default);
    return encoder.encode(text);
}

QString decodeWithConverter(const QByteArray& bytes) {
    QStringDecoder decoder("windows-1251");
    return decoder.decode(bytes);
}

// The code page as tables, taken once from the converter itself: a converter is costly to make
// and the document streams convert every text of a file. A byte or a character for which the
// converter answers anything but a plain one-to-one mapping is left to the converter.
struct Cp1251Tables {
    std::array<char16_t, 256> ToUnicode{};
    std::array<bool, 256> Decodes{};       // the byte decodes to ToUnicode[byte] alone
    std::array<uint16_t, 65536> ToByte{};  // byte + 1 of a character that encodes to one byte; 0: none

    Cp1251Tables() {
        for (int b = 0; b < 256; ++b) {
            const QString decoded = decodeWithConverter(QByteArray(1, char(b)));
            if (decoded.size() != 1 || decoded[0].isSurrogate()) continue;
            ToUnicode[size_t(b)] = decoded[0].unicode();
            Decodes[size_t(b)] = true;
            if (encodeWithConverter(decoded) == QByteArray(1, char(b))) ToByte[decoded[0].unicode()] = uint16_t(b + 1);
        }
    }
};

const Cp1251Tables& tables() {
    static const auto instance = std::make_unique<Cp1251Tables>();
    return *instance;
}

}  // namespace

QByteArray ToCp1251(const QString& text) {
    const Cp1251Tables& t = tables();
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    for (const QChar c : text) {
        const uint16_t b = t.ToByte[c.unicode()];
        if (b == 0) return encodeWithConverter(text);
        *out++ = char(b - 1);
    }
    return bytes;
}

QString FromCp1251(const QByteArray& bytes) {
    const Cp1251Tables& t = tables();
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (!t.Decodes[b]) return decodeWithConverter(bytes);
        *out++ = QChar(t.ToUnicode[b]);
    }
    return text;
}

int CompareCp1251(const QString& a, const QString& b) {
    const QByteArray x = ToCp1251(a), y = ToCp1251(b);
    const int n = std::min(x.size(), y.size());
    int c = n > 0 ? std::memcmp(x.constData(), y.constData(), static_cast<size_t>(n)) : 0;
    if (c != 0) return c < 0 ? -1 : 1;
    return x.size() < y.size() ? -1 : (x.size() > y.size() ? 1 : 0);
}

}  // namespace qx
