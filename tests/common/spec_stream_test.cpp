// spec_stream_test.cpp — byte images of stream values, reading bad data, format stamps.
#include <gtest/gtest.h>

#include <cstring>

#include "common/error.h"
#include "common/messages.h"
#include "common/spec_stream.h"

using namespace qx;

namespace {

QByteArray hex(const char* spaced) {
    return QByteArray::fromHex(QByteArray(spaced).replace(' ', ""));
}

QByteArray imageOf(const TVarValue& v) {
    TSpecStream s;
    WriteVarToStream(s, v);
    return s.Data();
}

QByteArray record(uint16_t code, const char* payload) {
    QByteArray r(16, '\0');
    r[0] = static_cast<char>(code & 0xFF);
    r[1] = static_cast<char>(code >> 8);
    const QByteArray p = hex(payload);
    std::memcpy(r.data() + 8, p.constData(), static_cast<size_t>(p.size()));
    return r;
}

}  // namespace

struct ImageCase {
    const char* name;
    TVarValue value;
    const char* bytes;
};

class StreamImages : public ::testing::TestWithParam<ImageCase> {};

TEST_P(StreamImages, ValuesHaveTheirExactBytesAndReadBack) {
    const ImageCase& c = GetParam();
    EXPECT_EQ(imageOf(c.value).toHex(' '), hex(c.bytes).toHex(' '));
    TSpecStream s(hex(c.bytes));
    TVarValue back;
    ReadVarFromStream(s, c.value, back);
    EXPECT_EQ(back.Kind, c.value.Kind);
    EXPECT_EQ(back.Text, c.value.Text);
    EXPECT_EQ(back.Integer, c.value.Integer);
    EXPECT_EQ(back.Real, c.value.Real);
    EXPECT_EQ(back.Currency, c.value.Currency);
    EXPECT_EQ(s.Remaining(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StreamImages,
    ::testing::Values(ImageCase{"EmptyText", TVarValue::FromText(""), "00000000"},
                      ImageCase{"Abc", TVarValue::FromText("abc"), "03000000 616263"},
                      ImageCase{"Cyrillic", TVarValue::FromText("Окно №1"), "07000000 CEEAEDEE 20B931"},
                      ImageCase{"IntegerOne", TVarValue::FromInteger(1), "0300 000000000000 01000000 00000000"},
                      ImageCase{"IntegerMinusTwo", TVarValue::FromInteger(-2), "0300 000000000000 FEFFFFFF 00000000"},
                      ImageCase{"ByteValue", TVarValue::FromByte(200), "1100 000000000000 C8 00000000000000"},
                      ImageCase{"True", TVarValue::FromBoolean(true), "0B00 000000000000 FFFF 000000000000"},
                      ImageCase{"False", TVarValue::FromBoolean(false), "0B00 000000000000 0000 000000000000"},
                      ImageCase{"RealOneAndHalf", TVarValue::FromReal(1.5), "0500 000000000000 000000000000F83F"},
                      ImageCase{"Currency12_5", TVarValue::FromCurrency(Money::FromRaw(125000)),
                                "0600 000000000000 48E8010000000000"},
                      ImageCase{"CurrencyNegative", TVarValue::FromCurrency(Money::FromRaw(-1)),
                                "0600 000000000000 FFFFFFFFFFFFFFFF"},
                      ImageCase{"Date", TVarValue::FromDate(43825.5), "0700 000000000000 00000000 3066E540"}),
    [](const ::testing::TestParamInfo<ImageCase>& info) { return std::string(info.param.name); });

TEST(SpecStream, ASequenceOfFieldsReadsBackInOrder) {
    TSpecStream s;
    WriteText(s, QStringLiteral("Заказ"));
    WriteInt(s, -123456);
    WriteByte(s, 7);
    WriteReal(s, 0.6f);  // a single passes its exact value
    WriteCurrency(s, Money::FromRaw(-987654321));
    WriteDate(s, 43825.75);
    WriteBool(s, true);
    WriteLines(s, {QStringLiteral("первая"), QString(), QStringLiteral("третья")});
    WriteText(s, QString());

    TSpecStream r(s.Data());
    EXPECT_EQ(ReadText(r), QStringLiteral("Заказ"));
    EXPECT_EQ(ReadInt(r), -123456);
    EXPECT_EQ(ReadByte(r), 7);
    const int64_t realAt = r.Position();
    EXPECT_EQ(ReadSingle(r), 0.6f);
    r.SetPosition(realAt);
    EXPECT_EQ(ReadReal(r), static_cast<double>(0.6f));  // 0.6000000238…, not 0.6
    EXPECT_EQ(ReadCurrency(r), Money::FromRaw(-987654321));
    EXPECT_EQ(ReadDate(r), 43825.75);
    EXPECT_TRUE(ReadBool(r));
    EXPECT_EQ(ReadLines(r), (QStringList{QStringLiteral("первая"), QString(), QStringLiteral("третья")}));
    EXPECT_EQ(ReadText(r), QString());
    EXPECT_EQ(r.Remaining(), 0);
}

TEST(SpecStream, LinesAreOneTextWithLineBreaks) {
    TSpecStream s;
    WriteLines(s, {"a", "b"});
    EXPECT_EQ(s.Data().toHex(' '), hex("06000000 610D0A 620D0A").toHex(' '));
    TSpecStream empty;
    WriteLines(empty, {});
    EXPECT_EQ(empty.Size(), 4);
    // Stored texts may break lines with a lone LF or CR as well.
    TSpecStream mixed(hex("07000000 780A790D7A0D0A"));
    EXPECT_EQ(ReadLines(mixed), (QStringList{"x", "y", "z"}));
}

TEST(SpecStream, TextIsCutAtAZeroByte) {
    TSpecStream s;
    WriteText(s, QString::fromLatin1("ab\0cd", 5));
    WriteInt(s, 42);
    EXPECT_EQ(s.Data().left(9), hex("05000000 6162006364"));
    TSpecStream r(s.Data());
    EXPECT_EQ(ReadText(r), QStringLiteral("ab"));
    EXPECT_EQ(ReadInt(r), 42);  // the whole stated length was consumed
}

TEST(SpecStream, ShortTextShowsTheReadErrorAndKeepsWhatArrived) {
    RecordingMessageHandler messages;
    ScopedMessageHandler scope(messages);
    TSpecStream s(hex("0A000000 616263"));
    EXPECT_EQ(ReadText(s), QStringLiteral("abc"));
    ASSERT_EQ(messages.Records.size(), 1u);
    EXPECT_EQ(messages.Records[0].Kind, MessageKind::Error);
    EXPECT_EQ(messages.Records[0].Text,
              QStringLiteral("Ошибка чтения строки из потока!\r\nЗаказано: [10 символов], Считано: [3 символов]!"));
    // The fields after it read short as well, without messages of their own.
    EXPECT_EQ(ReadInt(s), 0);
    EXPECT_FALSE(ReadBool(s));
    EXPECT_EQ(ReadText(s), QString());
    EXPECT_EQ(messages.Records.size(), 1u);
}

TEST(SpecStream, HugeLengthReadsOnlyWhatIsThere) {
    RecordingMessageHandler messages;
    ScopedMessageHandler scope(messages);
    TSpecStream s(hex("FFFFFF7F 4142"));
    EXPECT_EQ(ReadText(s), QStringLiteral("AB"));
    EXPECT_EQ(messages.lastText(), QStringLiteral("Ошибка чтения строки из потока!\r\nЗаказано: [2147483647 символов], "
                                                  "Считано: [2 символов]!"));
}

TEST(SpecStream, NegativeTextLengthRaises) {
    TSpecStream s(hex("FEFFFFFF 616263"));
    try {
        ReadText(s);
        FAIL() << "no error";
    } catch (const TqxfError& e) {
        EXPECT_EQ(e.Message, QStringLiteral("Ошибка чтения строки из потока!\r\nНедопустимая длина строки: [-2]!"));
    }
}

TEST(SpecStream, RecordsReadAsTheFieldsKind) {
    // 8-bit fields stored with code 3; any non-zero boolean payload; an unknown code reads as zero.
    TSpecStream s(record(kVarInteger, "05000000") + record(kVarBoolean, "0100") + record(kVarInteger, "00000000") +
                  record(8, "01000000") + record(kVarByte, "2A") + record(kVarInteger, "07000000") +
                  record(kVarReal, "000000000000F83F") + record(0x0100, "FFFFFFFF"));
    EXPECT_EQ(ReadByte(s), 5);
    EXPECT_TRUE(ReadBool(s));
    EXPECT_FALSE(ReadBool(s));
    EXPECT_EQ(ReadInt(s), 0);   // unknown code 8
    EXPECT_EQ(ReadInt(s), 42);  // code 17 into an integer field
    EXPECT_EQ(ReadReal(s), 7.0);
    EXPECT_EQ(ReadCurrency(s), Money::FromRaw(15000));
    EXPECT_EQ(ReadCurrency(s), Money());  // unknown code
    EXPECT_EQ(s.Remaining(), 0);
}

TEST(SpecStream, RecordsCutByTheEndOfDataReadAsZero) {
    TSpecStream s(record(kVarInteger, "2A000000").left(12));
    EXPECT_EQ(ReadInt(s), 0);
    EXPECT_EQ(s.Remaining(), 0);
    TSpecStream empty;
    EXPECT_EQ(ReadReal(empty), 0.0);
    EXPECT_EQ(ReadCurrency(empty), Money());
    EXPECT_EQ(ReadText(empty), QString());
    TSpecStream partLength(hex("0300"));
    EXPECT_EQ(ReadText(partLength), QString());
}

TEST(SpecStream, StreamWritesAtItsPositionAndCopiesWholeStreams) {
    TSpecStream s;
    s.Write("abcdef", 6);
    s.SetPosition(2);
    s.Write("XY", 2);
    EXPECT_EQ(s.Data(), QByteArray("abXYef"));
    EXPECT_EQ(s.Position(), 4);
    s.SetPosition(6);
    TSpecStream other(QByteArray("123"));
    s.CopyFrom(other);
    EXPECT_EQ(s.Data(), QByteArray("abXYef123"));
    s.CopyFrom(s);
    EXPECT_EQ(s.Data(), QByteArray("abXYef123abXYef123"));
    char buffer[8] = {};
    s.SetPosition(15);
    EXPECT_EQ(s.Read(buffer, 8), 3);
    EXPECT_EQ(QByteArray(buffer, 3), QByteArray("123"));
    EXPECT_EQ(s.Read(buffer, 8), 0);
    s.SetPosition(-5);
    EXPECT_EQ(s.Position(), 0);
}

struct StampCase {
    const char* stamp;
    const char* reference;
    bool atLeast;
};

class FormatStamps : public ::testing::TestWithParam<StampCase> {};

TEST_P(FormatStamps, CompareByTheirKey) {
    const StampCase& c = GetParam();
    EXPECT_EQ(VersionAtLeast(c.stamp, c.reference), c.atLeast);
    EXPECT_EQ(VersionBefore(c.stamp, c.reference), !c.atLeast);
}

INSTANTIATE_TEST_SUITE_P(Cases, FormatStamps,
                         ::testing::Values(StampCase{"26.12.2019", "23.07.2019", true},
                                           StampCase{"23.07.2019", "23.07.2019", true},
                                           StampCase{"10.12.2009", "06.10.2015", false},
                                           // the key, not the calendar: 736 973 against 736 967
                                           StampCase{"31.12.2018", "01.01.2019", true},
                                           StampCase{"01.01.2019", "31.12.2018", false},
                                           StampCase{"06 .10.2015", " 06.10.2015 ", true}));

TEST(FormatStamps, NonIntegerPartRaises) {
    EXPECT_THROW(VersionAtLeast("26.12.19a", "23.07.2019"), TqxfError);
    EXPECT_THROW(VersionBefore("23.07.2019", "26.12"), TqxfError);
    EXPECT_THROW(VersionAtLeast("", kCurrentStamp), TqxfError);
}
