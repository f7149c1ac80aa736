// order_registry_test.cpp — the order registry: registration with renumbering and the number
// check, import, refresh, clearing, the display orders and the moves of deleted and archived files.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <memory>

#include "common/datetime.h"
#include "common/error.h"
#include "common/messages.h"
#include "construction/construction.h"
#include "documents/order.h"
#include "documents/order_file.h"
#include "registry/order_registry.h"
#include "shell/paths.h"
#include "shell/setup.h"

namespace qx {
namespace {

QString S(const char* text) {
    return QString::fromUtf8(text);
}

struct OrderSpec {
    QString No;
    QString Customer = S("Иванов");
    QString Object = S("Дача");
    QDate Date{2024, 2, 1};
    int64_t UnitPrice = 125000;  // raw money of the one position, quantity 2
    int Currency = 3;
};

// A data directory made the run's, with an empty registry and default settings.
class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tmp_.isValid());
        saved_ = Paths();
        const QString server = tmp_.filePath("Server");
        Paths().ServerDir = server;
        Paths().OrdersDir = server + "/Orders";
        Paths().RecycledDir = server + "/Recycled";
        Paths().ArchiveDir = server + "/Archive";
        Paths().RegistryDir = server + "/Registry";
        ASSERT_TRUE(QDir().mkpath(Paths().OrdersDir));
        TqxfOrderRegistry::CreateIfMissing(Paths().RegistryDir);
        registry_ = std::make_unique<TqxfOrderRegistry>(Paths().RegistryDir);
        SetSetup(&setup_);
    }
    void TearDown() override {
        registry_.reset();
        SetSetup(nullptr);
        Paths() = saved_;
    }

    QString orders(const QString& name) const { return QDir(Paths().OrdersDir).filePath(name); }

    void fillOrder(TqxfOrder& order, const OrderSpec& spec) const {
        order.No = spec.No;
        order.Customer = spec.Customer;
        order.ObjectName = spec.Object;
        order.Address = S("ул. Садовая, 1");
        order.Phone = "555-01";
        order.RegDate = DateFromQt(spec.Date);
        order.Currency = spec.Currency;
        std::unique_ptr<TqxfConstruction> position = order.NewPosition();
        position->PosNo = "1";
        position->Quantity = 2;
        position->Price = Money::FromRaw(spec.UnitPrice);
        order.AddPosition(std::move(position));
    }

    QString writeOrder(const QString& file, const OrderSpec& spec) const {
        TqxfOrder order;
        fillOrder(order, spec);
        QDir().mkpath(QFileInfo(file).absolutePath());
        EXPECT_TRUE(SaveOrderToFile(order, file));
        return file;
    }

    // Registers the order of a file as a saved order window does.
    void registerFile(const QString& file, const OrderSpec& spec) {
        TqxfOrder order;
        fillOrder(order, spec);
        writeOrder(file, spec);
        ASSERT_TRUE(RegisterOrder(*registry_, order, file, spec.No, false, true));
    }

    QStringList numbers() const {
        QStringList result;
        for (const TRegRow& row : registry_->List())
            result << row.No;
        return result;
    }

    QTemporaryDir tmp_;
    RecordingMessageHandler messages_;
    ScopedMessageHandler scoped_{messages_};
    TqxfSetup setup_;
    TqxfPaths saved_;
    std::unique_ptr<TqxfOrderRegistry> registry_;
};

TEST_F(RegistryTest, RegisteringWritesTheOrdersHeaderTotalAndFileInRegistryForm) {
    OrderSpec spec{"A1"};
    TqxfOrder order;
    fillOrder(order, spec);
    const QString file = writeOrder(orders("A1.qfo370"), spec);

    messages_.ConfirmAnswers = {false};
    EXPECT_FALSE(RegisterOrder(*registry_, order, file, QString(), false, false));
    EXPECT_EQ(messages_.texts(MessageKind::Confirm),
              QStringList{S("Зарегистрировать заказ / обновить данные в реестре?")});
    EXPECT_TRUE(registry_->IsEmpty());

    EXPECT_TRUE(RegisterOrder(*registry_, order, file, QString(), false, false));
    const std::optional<TRegRow> row = registry_->Find("a1");
    ASSERT_TRUE(row);
    EXPECT_EQ(row->No, "A1");
    EXPECT_EQ(row->RegDate, QDate(2024, 2, 1));
    EXPECT_EQ(row->Customer, S("Иванов"));
    EXPECT_EQ(row->Object, S("Дача"));
    EXPECT_EQ(row->Address, S("ул. Садовая, 1"));
    EXPECT_EQ(row->Phone, "555-01");
    EXPECT_EQ(row->Cost, Money::FromInt(25));
    EXPECT_EQ(row->Currency, 3);
    EXPECT_EQ(row->OrderFile, "%A1.qfo370");
    EXPECT_TRUE(row->Note.isEmpty());

    // Registering again updates the row and keeps its note.
    TRegRow note;
    note.Note = S("звонить после 18");
    registry_->UpdateRow(row->RowId, note, {"Note"});
    order.Customer = S("Петров");
    EXPECT_TRUE(RegisterOrder(*registry_, order, file, "A1", false, true));
    EXPECT_EQ(registry_->Count(), 1);
    EXPECT_EQ(registry_->Find("A1")->Customer, S("Петров"));
    EXPECT_EQ(registry_->Find("A1")->Note, S("звонить после 18"));

    messages_.clear();
    order.No.clear();
    EXPECT_FALSE(RegisterOrder(*registry_, order, file, "A1", false, true));
    EXPECT_EQ(messages_.texts(MessageKind::Error),
              QStringList{S("Заказ не имеет номера!\r\nДля учета заказа необходимо наличие номера.")});
}

TEST_F(RegistryTest, TheRegistryFormOfAPathReplacesTheOrdersFolderWhateverItsLetterCase) {
    const QString base = Paths().OrdersDir;
    const QString outside = tmp_.filePath("Elsewhere/X.QFO370");
    const struct {
        QString Path;
        QString Stored;
    } cases[] = {
        {base + "/A1.qfo370", "%A1.qfo370"},
        {base.toUpper() + "/Sub/b2.qfo370", "%Sub/b2.qfo370"},
        {outside, QDir::toNativeSeparators(outside)},
        {"%KEPT.QFO370", "%KEPT.QFO370"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RegFileName(c.Path), c.Stored) << c.Path.toStdString();

    // A path stored upper-cased (a registry written on Windows) still finds the file.
    const QString file = writeOrder(orders("a1.qfo370"), OrderSpec{"A1"});
    EXPECT_EQ(RegFileToPath("%A1.QFO370"), file);
    TRegRow row;
    row.No = "A1";
    row.OrderFile = "%A1.QFO370";
    EXPECT_EQ(OpenRegOrder(row), file);
    EXPECT_TRUE(messages_.Records.empty());

    row.OrderFile = "%GONE.QFO370";
    EXPECT_TRUE(OpenRegOrder(row).isEmpty());
    EXPECT_EQ(messages_.texts(MessageKind::Error), QStringList{S("Невозможно найти файл заказа № A1!\r\nФайл: ") +
                                                               QDir::toNativeSeparators(base + "/GONE.QFO370") + "."});
}

TEST_F(RegistryTest, ARenumberedOrderRenamesItsRowUnlessTheNewNumberBelongsToAnotherOrder) {
    registerFile(orders("A1.qfo370"), OrderSpec{"A1"});
    registerFile(orders("A3.qfo370"), OrderSpec{"A3", S("Сидоров"), S("Склад"), QDate(2023, 12, 24)});

    TqxfOrder order;
    fillOrder(order, OrderSpec{"A2", S("Петров")});
    ASSERT_TRUE(RegisterOrder(*registry_, order, orders("A2.qfo370"), "a1", false, true));
    EXPECT_EQ(numbers(), (QStringList{"A2", "A3"}));
    EXPECT_EQ(registry_->Find("A2")->Customer, S("Петров"));
    EXPECT_EQ(registry_->Find("A2")->OrderFile, "%A2.qfo370");

    // A3 is another order's number: its row is not overwritten.
    order.No = "a3";
    EXPECT_FALSE(RegisterOrder(*registry_, order, orders("A2.qfo370"), "A2", false, true));
    EXPECT_EQ(messages_.texts(MessageKind::Error),
              QStringList{S("Заказ с номером a3 был зарегистрирован 24.12.2023!\r\nУкажите другой номер заказа.")});
    EXPECT_EQ(numbers(), (QStringList{"A2", "A3"}));
    EXPECT_EQ(registry_->Find("A3")->Customer, S("Сидоров"));
}

TEST_F(RegistryTest, ANewOrderMayNotTakeARegisteredNumber) {
    registerFile(orders("K1.qfo370"), OrderSpec{S("ЗК-1"), S("Сидоров"), S("Склад"), QDate(2024, 3, 5)});
    TqxfOrder order;
    fillOrder(order, OrderSpec{S("зк-1")});

    EXPECT_FALSE(CheckOrderNo(*registry_, order, true));
    const QString taken = S("Заказ с номером зк-1 был зарегистрирован 05.03.2024!\r\nУкажите другой номер заказа.");
    EXPECT_EQ(messages_.texts(MessageKind::Error), QStringList{taken});
    // The same number for an order opened from a file is allowed.
    EXPECT_TRUE(CheckOrderNo(*registry_, order, false));

    // Registering the unsaved order would overwrite the other order's row: refused.
    messages_.clear();
    EXPECT_FALSE(RegisterOrder(*registry_, order, "NewOrder.qfo370", QString(), true, true));
    EXPECT_EQ(messages_.texts(MessageKind::Error), QStringList{taken});
    EXPECT_EQ(registry_->Find(S("ЗК-1"))->Customer, S("Сидоров"));

    messages_.clear();
    order.No = "B7";
    EXPECT_TRUE(CheckOrderNo(*registry_, order, true));
    order.No.clear();
    EXPECT_FALSE(CheckOrderNo(*registry_, order, false));
    EXPECT_EQ(messages_.texts(MessageKind::Error), QStringList{S("Не указан номер заказа!")});
}

TEST_F(RegistryTest, ImportRegistersNewNumbersOnlyAndReportsTheOthers) {
    registerFile(orders("B1.qfo370"), OrderSpec{"B1"});
    const QString fresh =
        writeOrder(orders("A1.qfo370"), OrderSpec{"A1", S("Орлов"), S("Баня"), QDate(2024, 1, 9), 5000});
    const QString duplicate = writeOrder(orders("b1-copy.qfo370"), OrderSpec{"b1"});
    const QString unnumbered = writeOrder(orders("none.qfo370"), OrderSpec{""});
    const QString broken = orders("broken.qfo370");
    {
        QFile f(broken);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not an order");
    }
    messages_.clear();
    EXPECT_EQ(ImportOrders(*registry_, {duplicate, unnumbered, broken, fresh}), 1);
    const QStringList errors = messages_.texts(MessageKind::Error);
    ASSERT_GE(errors.size(), 3) << errors.join("\n").toStdString();
    EXPECT_EQ(errors[0],
              S("Загружаемый заказ № b1 уже существует\r\nв реестре заказов, Вы можете только\r\nобновить данные!"));
    EXPECT_EQ(errors[1], S("Загружаемый заказ не имеет номера!\r\nДля учета заказа необходимо наличие номера."));
    // The loader reports the broken file (after any read error of its own).
    EXPECT_TRUE(errors.back().startsWith(S("Ошибка загрузки заказа!\r\n("))) << errors.back().toStdString();
    EXPECT_EQ(numbers(), (QStringList{"A1", "B1"}));
    const TRegRow row = *registry_->Find("A1");
    EXPECT_EQ(row.Customer, S("Орлов"));
    EXPECT_EQ(row.Cost, Money::FromInt(1));
    EXPECT_EQ(row.OrderFile, "%A1.qfo370");
    EXPECT_EQ(registry_->Find("B1")->OrderFile, "%B1.qfo370");
}

TEST_F(RegistryTest, DeletingMovesTheFileToTheRecycleFolderWhenTheSettingAsks) {
    const QString a1 = orders("A1.qfo370");
    registerFile(a1, OrderSpec{"A1"});
    registerFile(orders("A2.qfo370"), OrderSpec{"A2"});

    messages_.ConfirmAnswers = {false};
    EXPECT_EQ(DeleteRegOrders(*registry_, {"A1"}, true), 0);
    EXPECT_EQ(messages_.texts(MessageKind::Confirm), QStringList{S("Удалить заказ?")});
    EXPECT_EQ(registry_->Count(), 2);

    EXPECT_EQ(DeleteRegOrders(*registry_, {"a1"}, true), 1);
    EXPECT_EQ(numbers(), QStringList{"A2"});
    EXPECT_FALSE(QFileInfo::exists(a1));
    EXPECT_TRUE(QFileInfo::exists(Paths().RecycledDir + "/A1.qfo"));

    // Without the setting the row goes and the file stays where it was.
    setup_.MoveToRecycled = false;
    messages_.clear();
    EXPECT_EQ(DeleteRegOrders(*registry_, {"A2"}, false), 1);
    EXPECT_TRUE(registry_->IsEmpty());
    EXPECT_TRUE(QFileInfo::exists(orders("A2.qfo370")));
    EXPECT_FALSE(QFileInfo::exists(Paths().RecycledDir + "/A2.qfo"));
    EXPECT_TRUE(messages_.Records.empty());  // no question without confirm

    // An empty registry asks nothing.
    EXPECT_EQ(DeleteRegOrders(*registry_, {"A2"}, true), 0);
    EXPECT_TRUE(messages_.Records.empty());
}

TEST_F(RegistryTest, AFileMovedOntoATakenNameGetsTheNextTildeNumber) {
    const QString file = orders("A.1.qfo370");
    registerFile(file, OrderSpec{"A.1"});
    ASSERT_TRUE(QDir().mkpath(Paths().RecycledDir));
    for (const char* taken : {"A_1.qfo", "A_1~2.qfo"}) {
        QFile f(Paths().RecycledDir + "/" + taken);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("older");
    }
    const QByteArray image = [&] {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();

    EXPECT_EQ(DeleteRegOrders(*registry_, {"A.1"}, false), 1);
    QFile moved(Paths().RecycledDir + "/A_1~1.qfo");
    ASSERT_TRUE(moved.open(QIODevice::ReadOnly));
    EXPECT_EQ(moved.readAll(), image);
    QFile older(Paths().RecycledDir + "/A_1.qfo");
    ASSERT_TRUE(older.open(QIODevice::ReadOnly));
    EXPECT_EQ(older.readAll(), "older");
    EXPECT_EQ(RegMoveTarget(Paths().RecycledDir, "/x/A.1.qfo370"), Paths().RecycledDir + "/A_1~3.qfo");
    EXPECT_EQ(RegMoveTarget(Paths().RecycledDir, S("/x/Заказ (1)%'5,6.qfo")),
              Paths().RecycledDir + S("/Заказ _1___5_6.qfo"));
    EXPECT_TRUE(messages_.Records.empty());
}

TEST_F(RegistryTest, ArchivingMovesTheFilesOfTheChosenRowsAlwaysAndWarnsOfAMissingFile) {
    setup_.MoveToRecycled = false;  // does not concern archiving
    registerFile(orders("A1.qfo370"), OrderSpec{"A1"});
    registerFile(orders("A2.qfo370"), OrderSpec{"A2"});
    registerFile(orders("A3.qfo370"), OrderSpec{"A3"});
    QFile::remove(orders("A3.qfo370"));

    EXPECT_EQ(ArchiveRegOrders(*registry_, {"A3", "A1"}, true), 2);
    EXPECT_EQ(messages_.texts(MessageKind::Confirm),
              QStringList{S("Поместить заказ в архив и удалить его из реестра?")});
    EXPECT_EQ(messages_.texts(MessageKind::Warning),
              QStringList{S("Заказ не был помещен в архив,\r\nт.к. не найден соответствующий ему файл:\r\n") +
                          QDir::toNativeSeparators(orders("A3.qfo370")) + "."});
    EXPECT_EQ(numbers(), QStringList{"A2"});
    EXPECT_TRUE(QFileInfo::exists(Paths().ArchiveDir + "/A1.qfo"));
    EXPECT_FALSE(QFileInfo::exists(orders("A1.qfo370")));
    EXPECT_TRUE(QFileInfo::exists(orders("A2.qfo370")));

    // Deleting a row whose file is gone warns with the recycle text.
    setup_.MoveToRecycled = true;
    QFile::remove(orders("A2.qfo370"));
    messages_.clear();
    EXPECT_EQ(DeleteRegOrders(*registry_, {"A2"}, false), 1);
    EXPECT_EQ(messages_.texts(MessageKind::Warning),
              QStringList{S("Заказ не был помещен в мусорку,\r\nт.к. не найден соответствующий ему файл:\r\n") +
                          QDir::toNativeSeparators(orders("A2.qfo370")) + "."});
}

TEST_F(RegistryTest, RefreshingReadsTheFileAgainButIsRefusedAfterANumberChange) {
    const QString file = orders("A1.qfo370");
    registerFile(file, OrderSpec{"A1"});
    writeOrder(file, OrderSpec{"A1", S("Новиков"), S("Гараж"), QDate(2024, 5, 6), 30000});

    messages_.ConfirmAnswers = {false};
    EXPECT_FALSE(RefreshRegOrder(*registry_, "A1"));
    EXPECT_EQ(registry_->Find("A1")->Customer, S("Иванов"));

    messages_.clear();
    EXPECT_TRUE(RefreshRegOrder(*registry_, "a1"));
    EXPECT_EQ(messages_.texts(MessageKind::Confirm), QStringList{S("Обновить данные по заказу?")});
    TRegRow row = *registry_->Find("A1");
    EXPECT_EQ(row.Customer, S("Новиков"));
    EXPECT_EQ(row.Object, S("Гараж"));
    EXPECT_EQ(row.RegDate, QDate(2024, 5, 6));
    EXPECT_EQ(row.Cost, Money::FromInt(6));
    EXPECT_EQ(row.OrderFile, "%A1.qfo370");

    // The file now holds another number (also one that differs only in letter case): the row stays.
    for (const char* other : {"A9", "a1"}) {
        writeOrder(file, OrderSpec{S(other), S("Чужой")});
        messages_.clear();
        EXPECT_FALSE(RefreshRegOrder(*registry_, "A1"));
        EXPECT_EQ(messages_.texts(MessageKind::Error),
                  QStringList{S("Изменился номер заказ, обновить данные невозможно!\r\nПеререгистрируйте заказ.")});
        EXPECT_EQ(registry_->Find("A1")->Customer, S("Новиков"));
    }

    QFile::remove(file);
    messages_.clear();
    EXPECT_FALSE(RefreshRegOrder(*registry_, "A1"));
    EXPECT_EQ(messages_.texts(MessageKind::Error),
              QStringList{S("Невозможно найти файл заказа № A1!\r\nФайл: ") + QDir::toNativeSeparators(file) + "."});
}

TEST_F(RegistryTest, ClearingEmptiesTheRegistryAndLeavesTheFiles) {
    EXPECT_FALSE(ClearRegistry(*registry_));
    EXPECT_TRUE(messages_.Records.empty());
    registerFile(orders("A1.qfo370"), OrderSpec{"A1"});
    messages_.ConfirmAnswers = {false};
    EXPECT_FALSE(ClearRegistry(*registry_));
    EXPECT_EQ(registry_->Count(), 1);
    EXPECT_TRUE(ClearRegistry(*registry_));
    EXPECT_EQ(messages_.texts(MessageKind::Confirm),
              QStringList(2, S("Очистить реестр заказов не удаляя файлы заказов?")));
    EXPECT_TRUE(registry_->IsEmpty());
    EXPECT_TRUE(QFileInfo::exists(orders("A1.qfo370")));
}

TEST_F(RegistryTest, TheFourDisplayOrdersAndTheSearchIgnoreLetterCase) {
    registerFile(orders("1.qfo370"), OrderSpec{S("б-2"), S("вавилов"), S("Склад"), QDate(2024, 3, 1)});
    registerFile(orders("2.qfo370"), OrderSpec{S("Б-1"), S("Борисов"), S("баня"), QDate(2024, 1, 1)});
    registerFile(orders("3.qfo370"), OrderSpec{"a-3", S("алексеев"), S("Дача"), QDate(2024, 3, 1)});
    const auto names = [&](TRegSortOrder order) {
        QStringList result;
        for (const TRegRow& row : registry_->List(order))
            result << row.No;
        return result;
    };
    EXPECT_EQ(names(TRegSortOrder::ByNo), (QStringList{"a-3", S("Б-1"), S("б-2")}));
    EXPECT_EQ(names(TRegSortOrder::ByDate), (QStringList{S("Б-1"), "a-3", S("б-2")}));
    EXPECT_EQ(names(TRegSortOrder::ByCustName), (QStringList{"a-3", S("Б-1"), S("б-2")}));
    EXPECT_EQ(names(TRegSortOrder::ByObjName), (QStringList{S("Б-1"), "a-3", S("б-2")}));

    const std::vector<TRegRow> rows = registry_->List(TRegSortOrder::ByNo);
    EXPECT_EQ(FindRegOrder(rows, TRegFindField::Customer, S("БОР")), 1);
    EXPECT_EQ(FindRegOrder(rows, TRegFindField::Object, S("склад")), 2);
    EXPECT_EQ(FindRegOrder(rows, TRegFindField::No, S("б-")), 1);
    EXPECT_EQ(FindRegOrder(rows, TRegFindField::Customer, S("Я")), -1);
    EXPECT_EQ(FindRegOrderPrompt(TRegFindField::Customer), S("Заказчик"));
    EXPECT_EQ(FindRegOrderPrompt(TRegFindField::Object), S("Объект"));
    EXPECT_EQ(FindRegOrderPrompt(TRegFindField::No), S("Номер заказа"));
    EXPECT_EQ(RegStatusText(3), S("Заказов: 3"));
}

TEST_F(RegistryTest, AMissingRegistryDatabaseIsReportedWithItsFile) {
    const QString dir = tmp_.filePath("NoRegistry");
    try {
        TqxfOrderRegistry registry(dir);
        FAIL() << "opened a registry that does not exist";
    } catch (const TqxfError& e) {
        EXPECT_EQ(e.Message, S("Ошибка открытия базы данных [") + QDir::toNativeSeparators(dir + "/registry.sqlite") +
                                 S("]\r\n(файл не найден)"));
    }
    EXPECT_FALSE(QFileInfo::exists(dir + "/registry.sqlite"));
}

}  // namespace
}  // namespace qx
