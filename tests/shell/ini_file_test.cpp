// ini_file_test.cpp — the INI file keeps what it does not know, reads both encodings and writes them back.
#include "shell/ini_file.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "common/codec.h"
#include "common/error.h"

namespace qx {
namespace {

QString writeFile(const QTemporaryDir& dir, const QByteArray& bytes, const char* name = "QXFurniture.ini") {
    const QString file = dir.path() + "/" + name;
    QFile f(file);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return file;
}

QByteArray readFile(const QString& file) {
    QFile f(file);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

TEST(IniFile, KeepsUnknownKeysCommentsAndOrderAndChangesOnlyTheWrittenValue) {
    QTemporaryDir tmp;
    const QByteArray original =
        "; written by hand\r\n"
        "[Firm]\r\n"
        "Name=Alpha, Beta; Gamma\r\n"
        "Custom = kept \r\n"
        "\r\n"
        "[Tax]\r\n"
        "NDSTax=18\r\n"
        "; tail comment\r\n";
    const QString file = writeFile(tmp, original);
    IniFile ini(file);
    EXPECT_TRUE(ini.FileExisted());
    EXPECT_EQ(ini.ReadString("firm", "NAME", "?"), "Alpha, Beta; Gamma");  // letter case ignored, no comma split
    EXPECT_EQ(ini.ReadString("Firm", "Custom", "?"), "kept");
    EXPECT_EQ(ini.ReadString("Firm", "Missing", "def"), "def");
    EXPECT_EQ(ini.Sections(), (QStringList{"Firm", "Tax"}));

    ini.WriteString("FIRM", "name", "Delta");
    ini.WriteString("Firm", "Phone1", "123");
    ini.WriteString("FTP", "ftpHost", "host");
    ini.Save();
    EXPECT_EQ(readFile(file),
              "; written by hand\r\n"
              "[Firm]\r\n"
              "Name=Delta\r\n"
              "Custom = kept \r\n"
              "Phone1=123\r\n"
              "\r\n"
              "[Tax]\r\n"
              "NDSTax=18\r\n"
              "; tail comment\r\n"
              "\r\n"
              "[FTP]\r\n"
              "ftpHost=host\r\n");
}

TEST(IniFile, ReadsAndWritesWindows1251Files) {
    QTemporaryDir tmp;
    const QByteArray original = ToCp1251(QString::fromUtf8("[Firm]\nName=ООО «Ромашка»\nDirector=Иванов И.И.\n"));
    const QString file = writeFile(tmp, original);
    IniFile ini(file);
    EXPECT_EQ(ini.encoding(), IniFile::Encoding::Cp1251);
    EXPECT_EQ(ini.ReadString("Firm", "Name", ""), QString::fromUtf8("ООО «Ромашка»"));

    ini.WriteString("Firm", "BookKeeper", QString::fromUtf8("Петрова"));
    ini.Save();
    EXPECT_EQ(readFile(file), original + ToCp1251(QString::fromUtf8("BookKeeper=Петрова\n")));
}

TEST(IniFile, AWindows1251FileTakesUtf8RatherThanLoseATextThatDoesNotFit) {
    QTemporaryDir tmp;
    const QString file = writeFile(tmp, ToCp1251(QString::fromUtf8("[Firm]\nName=Ромашка\n")));
    IniFile ini(file);
    ini.WriteString("Firm", "Address", QString::fromUtf8("Київ, вул. Ґонти ✓"));
    ini.Save();
    IniFile back(file);
    EXPECT_EQ(back.encoding(), IniFile::Encoding::Utf8);
    EXPECT_EQ(back.ReadString("Firm", "Name", ""), QString::fromUtf8("Ромашка"));
    EXPECT_EQ(back.ReadString("Firm", "Address", ""), QString::fromUtf8("Київ, вул. Ґонти ✓"));
}

TEST(IniFile, KeepsUtf8WithOrWithoutBomAndCreatesUtf8WithoutBom) {
    QTemporaryDir tmp;
    const QByteArray withBom = QByteArray("\xEF\xBB\xBF") + QString::fromUtf8("[Firm]\nName=Ёлка\n").toUtf8();
    const QString bomFile = writeFile(tmp, withBom, "bom.ini");
    IniFile bom(bomFile);
    EXPECT_EQ(bom.encoding(), IniFile::Encoding::Utf8Bom);
    EXPECT_EQ(bom.ReadString("Firm", "Name", ""), QString::fromUtf8("Ёлка"));
    bom.Save();
    EXPECT_EQ(readFile(bomFile), withBom);

    const QString newFile = tmp.path() + "/new.ini";
    IniFile fresh(newFile);
    EXPECT_FALSE(fresh.FileExisted());
    fresh.WriteString("Firm", "Name", QString::fromUtf8("Ёлка"));
    fresh.Save();
    EXPECT_EQ(readFile(newFile), QString::fromUtf8("[Firm]\nName=Ёлка\n").toUtf8());
}

struct NumberCase {
    const char* text;  // nullptr: key absent
    int32_t integer;   // ReadInteger with default -7
    bool boolean;      // ReadBool with default true
    double real;       // ReadFloat with default -1.5
};

class IniNumbers : public ::testing::TestWithParam<NumberCase> {};

TEST_P(IniNumbers, ReadAsTheSystemReadsThem) {
    const NumberCase& c = GetParam();
    QTemporaryDir tmp;
    QByteArray content = "[S]\n";
    if (c.text) content += QByteArray("K=") + c.text + "\n";
    IniFile ini(writeFile(tmp, content));
    EXPECT_EQ(ini.ReadInteger("S", "K", -7), c.integer);
    EXPECT_EQ(ini.ReadBool("S", "K", true), c.boolean);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "K", -1.5), c.real);
}

INSTANTIATE_TEST_SUITE_P(Values, IniNumbers,
                         ::testing::Values(NumberCase{nullptr, -7, true, -1.5}, NumberCase{"", -7, true, -1.5},
                                           NumberCase{"0", 0, false, 0}, NumberCase{"1", 1, true, 1},
                                           NumberCase{" -42 ", -42, true, -42}, NumberCase{"$1F", 31, true, -1.5},
                                           NumberCase{"0x10", 16, true, -1.5}, NumberCase{"18,5", -7, true, 18.5},
                                           NumberCase{"18.5", -7, true, 18.5}, NumberCase{"1 000", -7, true, -1.5},
                                           NumberCase{"true", -7, true, -1.5}, NumberCase{"abc", -7, true, -1.5},
                                           NumberCase{"nan", -7, true, -1.5}, NumberCase{"1e3", -7, true, 1000},
                                           NumberCase{"99999999999", -7, true, 99999999999.0}));

TEST(IniFile, WritesNumbersWithTheDecimalCommaAndReadsThemBack) {
    QTemporaryDir tmp;
    const QString file = tmp.path() + "/n.ini";
    IniFile ini(file);
    ini.WriteFloat("D", "Single", 0.6f);
    ini.WriteFloat("D", "Double", 18.25);
    ini.WriteFloat("D", "Whole", 18.0f);
    ini.WriteInteger("D", "Int", -5);
    ini.WriteBool("D", "On", true);
    ini.Save();
    EXPECT_EQ(readFile(file), "[D]\nSingle=0,6\nDouble=18,25\nWhole=18\nInt=-5\nOn=1\n");
    IniFile back(file);
    EXPECT_EQ(static_cast<float>(back.ReadFloat("D", "Single", 0)), 0.6f);
}

TEST(IniFile, ValuesWithEdgeBlanksQuotesOrLineBreaksReadBackSafely) {
    QTemporaryDir tmp;
    const QString file = tmp.path() + "/q.ini";
    IniFile ini(file);
    ini.WriteString("Firm", "Name", QString::fromUtf8("\"Ромашка\""));
    ini.WriteString("Firm", "Padded", "  a b  ");
    ini.WriteString("Firm", "Address", "line1\r\n[FTP]\r\nftpHost=evil");
    ini.Save();
    IniFile back(file);
    EXPECT_EQ(back.ReadString("Firm", "Name", ""), QString::fromUtf8("\"Ромашка\""));
    EXPECT_EQ(back.ReadString("Firm", "Padded", ""), "  a b  ");
    EXPECT_EQ(back.ReadString("Firm", "Address", ""), "line1  [FTP]  ftpHost=evil");
    EXPECT_FALSE(back.SectionExists("FTP"));

    // Values quoted by hand lose one pair of quotes, as the platform's INI reader does.
    IniFile hand(writeFile(tmp, "[S]\nA=\"x\"\nB='y'\nC=\"z\n", "hand.ini"));
    EXPECT_EQ(hand.ReadString("S", "A", ""), "x");
    EXPECT_EQ(hand.ReadString("S", "B", ""), "y");
    EXPECT_EQ(hand.ReadString("S", "C", ""), "\"z");
}

TEST(IniFile, DeletesKeysAndSectionsAndFirstOfEqualNamesWins) {
    QTemporaryDir tmp;
    IniFile ini(writeFile(tmp, "[A]\nk=1\nK=2\n[a]\nk=3\n[B]\nx=1\n"));
    EXPECT_EQ(ini.ReadString("A", "k", ""), "1");
    ini.DeleteKey("A", "K");
    EXPECT_EQ(ini.ReadString("A", "k", ""), "2");
    ini.EraseSection("B");
    EXPECT_FALSE(ini.SectionExists("B"));
    EXPECT_EQ(ini.Keys("A"), QStringList{"K"});
}

TEST(IniFile, ReportsAFileThatCannotBeWritten) {
    QTemporaryDir tmp;
    IniFile ini(tmp.path() + "/missing-dir/QXFurniture.ini");
    ini.WriteString("Firm", "Name", "x");
    try {
        ini.Save();
        FAIL() << "no error";
    } catch (const TqxfError& e) {
        EXPECT_TRUE(e.message().startsWith(QString::fromUtf8("Ошибка записи файла настроек "))) << e.what();
        EXPECT_TRUE(e.message().contains("missing-dir")) << e.what();
    }
}

}  // namespace
}  // namespace qx
