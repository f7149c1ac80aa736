// order_file_test.cpp — the order file: bytes, format stamps, round trips, failures, damaged files and
// the last-number file.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <random>

#include "common/codec.h"
#include "documents/order.h"
#include "documents/order_file.h"
#include "order_fixture.h"
#include "shell/paths.h"

#ifdef Q_OS_UNIX
#include <sys/resource.h>

#include <csignal>
#endif

namespace qx {
namespace {

QString S(const char* text) {
    return QString::fromUtf8(text);
}

QByteArray readAll(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& file, const QByteArray& bytes) {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray imageOf(const TqxfOrder& order) {
    TSpecStream stream;
    order.SaveToStream(stream);
    return stream.Data();
}

// An order with every header field set, two rates, notes, a two-sash position with kits on both
// sashes and a one-sash position, all priced.
void fillFullOrder(TqxfOrder& order) {
    order.Spare1 = 11;
    order.Spare2 = -12;
    order.Created = 43831.25;  // 01.01.2020 06:00
    order.Changed = 43832.5;
    order.Spare3 = 13;
    order.No = S("З-117");
    order.AltNo = "S-9";
    order.Customer = S("ООО «Окна»");
    order.ObjectName = S("Школа №3");
    order.Address = S("ул. Ленина, 1");
    order.Phone = "+7 495 000-00-00";
    order.Remark = S("срочно");
    order.RegDate = 43900;
    order.RegDateSet = false;
    order.ProfSys = "S";
    order.InnerProfColor = "IN";
    order.OuterProfColor = "OUT";
    order.FurnSys = "F";
    order.FurnColor = "HW";
    order.Handle = "H1";
    order.FalzType = 100;
    order.DornType = 200;
    order.StulpType = 300;
    order.OpenType = 400;
    order.PriceGroupNo = 3;
    order.NDSTax = 18.5f;
    order.TotalNDS = true;
    order.ShowIncludingNDS = true;
    OrderFixture::PriceInCurrency2(order);
    order.Notes = QStringList{S("первая строка"), "", "third"};
    TqxfConstruction& two = OrderFixture::AddPosition(order, "001", 3, {{"A", 2}, {"R", 2, 1500}}, {{"B", 1}});
    two.Notes = QStringList{"note"};
    two.Flugel2->FurnComp->Items[0]->Note = S("примечание");
    two.Flugel2->FurnComp->Items[0]->Origin = "K1/E1";
    two.Flugel2->FurnComp->Props = QStringList{"0=12", "1=7"};
    two.Flugel2->FurnComp->DopComplects = QStringList{"D1"};
    OrderFixture::AddPosition(order, "002", 1, {{"B", 4}}).Checked = false;
    ASSERT_TRUE(order.Recalculate());
    PricingContextScope context(order);
    order.Positions(1)->CalcPrice();
}

// Values 1 to 7 of an image with the given stamp, then (unless stopAfterSeven) the rest of an
// empty order in the layout that the stamp asks for.
QByteArray handImage(const QString& stamp, bool defaultsLayout, bool stopAfterSeven = false) {
    TSpecStream s;
    WriteText(s, "");
    WriteText(s, stamp);
    WriteInt(s, 1);
    WriteInt(s, 2);
    WriteDate(s, 40000);
    WriteDate(s, 40001);
    WriteInt(s, 3);
    if (stopAfterSeven) return s.Data();
    for (const char* text : {"N-1", "", "", "", "", "", ""})
        WriteText(s, text);
    WriteDate(s, 40002);  // RegDate
    WriteBool(s, true);   // RegDateSet
    for (const char* text : {"S", "IN", "OUT", "F", "FC", "H"})
        WriteText(s, text);
    if (defaultsLayout) {
        for (int v : {100, 200, 300, 400})
            WriteInt(s, v);
    } else {
        WriteText(s, S("старое 1"));
        WriteText(s, S("старое 2"));
    }
    WriteInt(s, 5);       // PriceGroupNo
    WriteReal(s, 18);     // NDSTax
    WriteBool(s, true);   // TotalNDS
    WriteBool(s, false);  // ShowIncludingNDS
    WriteInt(s, 1);       // one rate
    WriteInt(s, 2);
    WriteReal(s, 1.25);
    WriteInt(s, 2);  // Currency
    WriteText(s, "a\r\nb\r\n");
    WriteInt(s, 0);  // no positions
    return s.Data();
}

class OrderFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QString path(const QString& name) const { return dir_.filePath(name); }

    QTemporaryDir dir_;
    RecordingMessageHandler messages_;
    ScopedMessageHandler scope_{messages_};
};

TEST_F(OrderFile, AWrittenFileStartsWithTheHeaderAndTheCurrentStamp) {
    TqxfOrder order;
    order.Version = "01.01.2015";
    ASSERT_TRUE(order.SaveToFile(path("a.qfo370")));
    const QByteArray bytes = readAll(path("a.qfo370"));
    const QByteArray start = QByteArray::fromHex("1C000000") + "Quarnix Furniture Order File" +
                             QByteArray::fromHex("0A000000") + "26.12.2019";
    EXPECT_EQ(bytes.left(start.size()), start);
    EXPECT_EQ(order.Version, "26.12.2019");
    EXPECT_TRUE(messages_.Records.empty());
}

TEST_F(OrderFile, AFullOrderRoundTrips) {
    OrderFixture cat;
    ScopedMessageHandler recorded{messages_};  // the catalog fixture installs its own
    TqxfOrder order;
    fillFullOrder(order);
    order.Material = 9;
    ASSERT_TRUE(order.SaveToFile(path("full.qfo370")));

    TqxfOrder loaded;
    loaded.Material = 4;
    bool converted = true;
    ASSERT_TRUE(loaded.LoadFromFile(path("full.qfo370"), &converted));
    EXPECT_FALSE(converted);
    EXPECT_TRUE(messages_.Records.empty());
    EXPECT_EQ(imageOf(loaded), imageOf(order));  // everything written is read back
    EXPECT_EQ(loaded.Material, 4);               // not part of the image

    EXPECT_EQ(loaded.No, S("З-117"));
    EXPECT_EQ(loaded.Customer, S("ООО «Окна»"));
    EXPECT_EQ(loaded.Created, 43831.25);
    EXPECT_FALSE(loaded.RegDateSet);
    EXPECT_EQ(loaded.NDSTax, 18.5f);
    EXPECT_EQ(loaded.Notes, (QStringList{S("первая строка"), "", "third"}));
    ASSERT_EQ(loaded.CurrencyCount(), 2);
    EXPECT_EQ(loaded.CurrencyItems(1).Rate, 1.25f);
    ASSERT_EQ(loaded.Count(), 2);
    const TqxfConstruction& two = *loaded.Positions(0);
    EXPECT_EQ(two.Order, &loaded);
    EXPECT_EQ(two.OuterProfColor(), "OUT");
    EXPECT_EQ(two.FlugelMode, kTwoSashesLeftActive);
    ASSERT_TRUE(two.Flugel2->FurnComp);
    const TqxfFurnItem& item = *two.Flugel2->FurnComp->Items.at(0);
    EXPECT_EQ(item.Note, S("примечание"));
    EXPECT_EQ(item.ComplectID, "K1");
    EXPECT_EQ(item.SideNo, 1);
    EXPECT_EQ(two.Flugel2->FurnComp->Props, (QStringList{"0=12", "1=7"}));
    ASSERT_EQ(two.Flugel1->MatList.size(), 2u);
    EXPECT_EQ(MoneyToText(two.Flugel1->MatList[1]->Cost), "9.0000");
    EXPECT_EQ(MoneyToText(two.Price), "49.0000");
    EXPECT_FALSE(loaded.Positions(1)->Checked);
    EXPECT_EQ(loaded.OrderTotal(), order.OrderTotal());
}

TEST_F(OrderFile, AnEmptyOrderWritesNoRatesNoPositionsAndAnyHeaderTextLoads) {
    TqxfOrder order;
    order.FileHeader = "";
    ASSERT_TRUE(order.SaveToFile(path("empty.qfo")));
    const QByteArray bytes = readAll(path("empty.qfo"));
    EXPECT_TRUE(bytes.startsWith(QByteArray(4, '\0') + QByteArray::fromHex("0A000000") + "26.12.2019"));
    // ... N = 0, Currency, Notes (an empty text), M = 0.
    const QByteArray zeroInt = QByteArray::fromHex("0300000000000000") + QByteArray(8, '\0');
    EXPECT_TRUE(bytes.endsWith(zeroInt + zeroInt + QByteArray(4, '\0') + zeroInt));

    TqxfOrder loaded;
    ASSERT_TRUE(loaded.LoadFromFile(path("empty.qfo")));
    EXPECT_EQ(loaded.FileHeader, "Quarnix Furniture Order File");  // the header text is not kept
    order.FileHeader = loaded.FileHeader;
    EXPECT_EQ(imageOf(loaded), imageOf(order));
}

struct GateCase {
    const char* Stamp;
    bool DefaultsLayout;
};

class OrderDefaultsGate : public OrderFile, public ::testing::WithParamInterface<GateCase> {};

TEST_P(OrderDefaultsGate, TheFourDefaultCodesReplaceTheTwoObsoleteTextsFrom10_12_2009) {
    const GateCase& c = GetParam();
    writeAll(path("old.qfo"), handImage(c.Stamp, c.DefaultsLayout));
    TqxfOrder order;
    order.FalzType = -1;
    bool converted = false;
    ASSERT_TRUE(order.LoadFromFile(path("old.qfo"), &converted)) << messages_.lastText().toStdString();
    EXPECT_TRUE(converted);
    EXPECT_EQ(messages_.texts(MessageKind::Confirm).size(), 1);
    EXPECT_EQ(messages_.texts(MessageKind::Error), QStringList());
    EXPECT_EQ(order.Version, c.Stamp);
    EXPECT_EQ(order.No, "N-1");
    EXPECT_EQ(order.Handle, "H");
    EXPECT_EQ(order.FalzType, c.DefaultsLayout ? 100 : -1);
    EXPECT_EQ(order.OpenType, c.DefaultsLayout ? 400 : 0);
    EXPECT_EQ(order.Obsolete1, c.DefaultsLayout ? "" : S("старое 1"));
    EXPECT_EQ(order.Obsolete2, c.DefaultsLayout ? "" : S("старое 2"));
    EXPECT_EQ(order.PriceGroupNo, 5);
    EXPECT_EQ(order.CurrencyCount(), 1);
    EXPECT_EQ(order.Currency, 2);
    EXPECT_EQ(order.Notes, (QStringList{"a", "b"}));

    // Saving converts: the current stamp and the current layout.
    ASSERT_TRUE(order.SaveToFile(path("old.qfo")));
    TqxfOrder again;
    ASSERT_TRUE(again.LoadFromFile(path("old.qfo")));
    EXPECT_EQ(again.Version, "26.12.2019");
    EXPECT_EQ(again.PriceGroupNo, 5);
}

INSTANTIATE_TEST_SUITE_P(Stamps, OrderDefaultsGate,
                         ::testing::Values(GateCase{"10.12.2009", true}, GateCase{"01.01.2015", true},
                                           GateCase{"09.12.2009", false}, GateCase{"31.12.2005", false}));

TEST_F(OrderFile, AnOlderStampAsksForConversionAndCancelStopsTheLoad) {
    writeAll(path("old.qfo"), handImage("01.01.2015", true));
    messages_.ConfirmAnswers = {false};
    TqxfOrder order;
    bool converted = true;
    EXPECT_FALSE(order.LoadFromFile(path("old.qfo"), &converted));
    EXPECT_FALSE(converted);
    EXPECT_EQ(messages_.texts(MessageKind::Confirm),
              QStringList{S("Необходимо конвертировать файл заказа!\r\nЗагружаемая версия: 01.01.2015\r\n"
                            "Текущая версия: 26.12.2019")});
    EXPECT_EQ(messages_.Records.size(), 1u);
    EXPECT_EQ(order.Spare3, 3);
    EXPECT_EQ(order.No, "");
}

class OrderNewerStamp : public OrderFile, public ::testing::WithParamInterface<const char*> {};

TEST_P(OrderNewerStamp, IsRefusedAfterTheSeventhValue) {
    const QString stamp = QString::fromLatin1(GetParam());
    writeAll(path("new.qfo370"), handImage(stamp, true));
    TqxfOrder order;
    order.No = "kept";
    bool converted = true;
    EXPECT_FALSE(order.LoadFromFile(path("new.qfo370"), &converted));
    EXPECT_FALSE(converted);
    EXPECT_EQ(messages_.texts(MessageKind::Warning),
              QStringList{S("Вы пытаетесь открыть заказ, созданный более новой версией программы, чем текущая.\r\n"
                            "Данный модуль технолога поддерживает файлы заказа\r\nверсии не старше: 26.12.2019!\r\n"
                            "Загружаемая версия: ") +
                          stamp});
    EXPECT_EQ(messages_.Records.size(), 1u);
    EXPECT_EQ(order.Version, stamp);
    EXPECT_EQ(order.Spare3, 3);
    EXPECT_EQ(order.No, "kept");
}

// "01.01.2020" has a smaller stamp key than "26.12.2019", yet it is a newer stamp.
INSTANTIATE_TEST_SUITE_P(Stamps, OrderNewerStamp, ::testing::Values("01.01.2020", "27.12.2019", "15.03.2021"));

TEST_F(OrderFile, FailuresShowTheirErrorBoxAndGiveFalse) {
    TqxfOrder order;
    EXPECT_FALSE(order.LoadFromFile(""));
    EXPECT_FALSE(order.SaveToFile(""));
    EXPECT_TRUE(messages_.Records.empty());

    EXPECT_FALSE(order.LoadFromFile(path("missing.qfo370")));
    EXPECT_TRUE(messages_.lastText().startsWith(S("Ошибка загрузки заказа!\r\n(Не удается открыть файл \"")))
        << messages_.lastText().toStdString();

    writeAll(path("stamp.qfo370"), handImage("2019-12-26", true));
    EXPECT_FALSE(order.LoadFromFile(path("stamp.qfo370")));
    EXPECT_TRUE(messages_.lastText().startsWith(S("Ошибка загрузки заказа!\r\n(Неверная версия формата [2019-12-26]")))
        << messages_.lastText().toStdString();

    EXPECT_FALSE(order.SaveToFile(path("no/such/folder/a.qfo370")));
    EXPECT_TRUE(messages_.lastText().startsWith(S("Ошибка сохранения заказа!\r\n(Не удается создать файл \"")))
        << messages_.lastText().toStdString();
    EXPECT_EQ(messages_.texts(MessageKind::Error).size(), 3);
}

#ifdef Q_OS_UNIX
TEST_F(OrderFile, AFailedSaveLeavesThePreviousFileAsItWas) {
    OrderFixture cat;
    ScopedMessageHandler recorded{messages_};  // the catalog fixture installs its own
    TqxfOrder order;
    ASSERT_TRUE(order.SaveToFile(path("a.qfo370")));
    const QByteArray previous = readAll(path("a.qfo370"));
    fillFullOrder(order);

    // The file system refuses to let the new image grow beyond 200 bytes.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 200;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = order.SaveToFile(path("a.qfo370"));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_TRUE(messages_.lastText().startsWith(S("Ошибка сохранения заказа!\r\n(Ошибка записи в файл \"")))
        << messages_.lastText().toStdString();
    EXPECT_EQ(readAll(path("a.qfo370")), previous);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"a.qfo370"});
}
#endif

TEST_F(OrderFile, AFileShorterThanItsImageFailsWithTheReason) {
    OrderFixture cat;
    ScopedMessageHandler recorded{messages_};  // the catalog fixture installs its own
    TqxfOrder order;
    fillFullOrder(order);
    ASSERT_TRUE(order.SaveToFile(path("full.qfo370")));
    const QByteArray image = readAll(path("full.qfo370"));
    // Cut inside a text, inside a record, between positions, and one byte short of the end.
    for (int keep : {2, 40, 300, static_cast<int>(image.size()) - 17, static_cast<int>(image.size()) - 1}) {
        SCOPED_TRACE(keep);
        messages_.clear();
        writeAll(path("cut.qfo370"), image.left(keep));
        TqxfOrder loaded;
        EXPECT_FALSE(loaded.LoadFromFile(path("cut.qfo370")));
        const QStringList errors = messages_.texts(MessageKind::Error);
        ASSERT_FALSE(errors.isEmpty());
        EXPECT_TRUE(errors.last().startsWith(S("Ошибка загрузки заказа!\r\n(Файл заказа \"")) &&
                    errors.last().endsWith(QStringLiteral(" поврежден: данные обрываются после %1 байт!)").arg(keep)))
            << errors.last().toStdString();
    }

    // Bytes after a complete image are not part of it.
    writeAll(path("padded.qfo370"), image + QByteArray(100, '\x5A'));
    messages_.clear();
    TqxfOrder padded;
    EXPECT_TRUE(padded.LoadFromFile(path("padded.qfo370")));
    EXPECT_TRUE(messages_.Records.empty());
    EXPECT_EQ(imageOf(padded), image);
}

TEST_F(OrderFile, DamagedFilesNeverCrashTheReaderAndFailuresAreReported) {
    OrderFixture cat;
    ScopedMessageHandler recorded{messages_};  // the catalog fixture installs its own
    TqxfOrder order;
    fillFullOrder(order);
    ASSERT_TRUE(order.SaveToFile(path("full.qfo370")));
    const QByteArray image = readAll(path("full.qfo370"));
    messages_.DefaultConfirm = false;  // a stamp damaged into an older one is not converted

    std::mt19937 random(20191226);
    int failures = 0;
    for (int round = 0; round < 400; ++round) {
        QByteArray bytes = image;
        if (round % 3 != 1) bytes.truncate(static_cast<qsizetype>(random() % (bytes.size() + 1)));
        if (round % 3 != 0 && !bytes.isEmpty()) {
            for (int flips = 1 + random() % 4; flips > 0; --flips)
                bytes[random() % bytes.size()] ^= static_cast<char>(1u << (random() % 8));
        }
        writeAll(path("damaged.qfo370"), bytes);
        messages_.clear();
        TqxfOrder loaded;
        if (!loaded.LoadFromFile(path("damaged.qfo370"))) {
            ++failures;
            EXPECT_FALSE(messages_.Records.empty()) << "round " << round;
        }
    }
    EXPECT_GT(failures, 200);
}

class LastOrderNo : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        saved_ = Paths().OrdersDir;
        Paths().OrdersDir = dir_.path();
    }
    void TearDown() override { Paths().OrdersDir = saved_; }
    QTemporaryDir dir_;
    QString saved_;
};

TEST_F(LastOrderNo, IsKeptAsALengthByteAndTheNumberIn31Bytes) {
    EXPECT_EQ(ReadLastOrderNo(), "???");
    EXPECT_EQ(LastOrderNoFilePath(), dir_.filePath("Quarnix.lon"));

    WriteLastOrderNo("ABC");
    EXPECT_EQ(readAll(dir_.filePath("Quarnix.lon")), QByteArray::fromHex("03414243") + QByteArray(27, '\0'));
    EXPECT_EQ(ReadLastOrderNo(), "ABC");

    WriteLastOrderNo(S("Заказ-") + QString(40, QLatin1Char('9')));
    const QByteArray bytes = readAll(dir_.filePath("Quarnix.lon"));
    ASSERT_EQ(bytes.size(), 31);
    EXPECT_EQ(bytes[0], 30);
    EXPECT_EQ(bytes.mid(1, 6), ToCp1251(S("Заказ-")));
    EXPECT_EQ(ReadLastOrderNo(), S("Заказ-") + QString(24, QLatin1Char('9')));

    // Bytes after the number are not significant; a damaged length reads at most 30 characters.
    writeAll(dir_.filePath("Quarnix.lon"), QByteArray::fromHex("02585958") + QByteArray(27, 'Q'));
    EXPECT_EQ(ReadLastOrderNo(), "XY");
    writeAll(dir_.filePath("Quarnix.lon"), QByteArray(1, '\xFF') + QByteArray(30, 'Q'));
    EXPECT_EQ(ReadLastOrderNo(), QString(30, QLatin1Char('Q')));
    writeAll(dir_.filePath("Quarnix.lon"), QByteArray::fromHex("0241"));
    EXPECT_EQ(ReadLastOrderNo(), "???");
}

}  // namespace
}  // namespace qx
