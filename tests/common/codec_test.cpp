// codec_test.cpp — Windows-1251 texts: every byte and character converts as the code page's
// converter converts it, also characters the code page lacks; the byte-wise sort order.
#include <gtest/gtest.h>

#include <QStringDecoder>
#include <QStringEncoder>

#include "common/codec.h"

using namespace qx;

namespace {

QByteArray converterEncode(const QString& text) {
    QStringEncoder encoder("windows-1251", QStringConverter::Flag::Default);
    return encoder.encode(text);
}

QString converterDecode(const QByteArray& bytes) {
    QStringDecoder decoder("windows-1251");
    return decoder.decode(bytes);
}

TEST(Cp1251, EveryByteDecodesAndEncodesBackAsTheConverterDoes) {
    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        const QByteArray one(1, char(b));
        EXPECT_EQ(FromCp1251(one), converterDecode(one)) << b;
        EXPECT_EQ(ToCp1251(FromCp1251(one)), converterEncode(converterDecode(one))) << b;
        all += one;
    }
    EXPECT_EQ(FromCp1251(all), converterDecode(all));
    EXPECT_EQ(FromCp1251(all).size(), 256);

    EXPECT_EQ(FromCp1251(QByteArray("\xC7\xE0\xEA\xE0\xE7 \xB9 1")), QString::fromUtf8("Заказ № 1"));
    EXPECT_EQ(ToCp1251(QString::fromUtf8("Ёлка — «€»")), QByteArray("\xA8\xEB\xEA\xE0 \x97 \xAB\x88\xBB"));
    EXPECT_TRUE(FromCp1251(QByteArray()).isEmpty());
    EXPECT_TRUE(ToCp1251(QString()).isEmpty());
}

TEST(Cp1251, CharactersTheCodePageLacksAreReplacedAsTheConverterReplacesThem) {
    for (const char* utf8 : {"中", "Заказ 中 № 1", "\xF0\x9F\x98\x80 smile", "ǅ", "ﬀ"}) {
        const QString text = QString::fromUtf8(utf8);
        EXPECT_EQ(ToCp1251(text), converterEncode(text)) << utf8;
    }
    // Every character of the Basic Multilingual Plane, one at a time.
    for (char32_t u = 0; u <= 0xFFFF; ++u) {
        if (QChar::isSurrogate(u)) continue;
        const QString one{QChar(char16_t(u))};
        ASSERT_EQ(ToCp1251(one), converterEncode(one)) << std::hex << uint32_t(u);
    }
}

TEST(Cp1251, TextsCompareByTheirBytes) {
    EXPECT_LT(CompareCp1251("10", "2"), 0);
    EXPECT_LT(CompareCp1251("Z", QString::fromUtf8("А")), 0);  // Latin before Cyrillic
    EXPECT_LT(CompareCp1251(QString::fromUtf8("Я"), QString::fromUtf8("а")), 0);
    EXPECT_GT(CompareCp1251("ab", "a"), 0);
    EXPECT_EQ(CompareCp1251(QString::fromUtf8("ё"), QString::fromUtf8("ё")), 0);
}

}  // namespace
