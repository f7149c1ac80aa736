// registry_cli_test.cpp — the order registry through the tool, and two tools registering into one
// registry at the same time.
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSet>

#include "cli_runner.h"
#include "common/datetime.h"
#include "construction/construction.h"
#include "documents/order.h"
#include "documents/order_file.h"
#include "registry/order_registry.h"

namespace qx {
namespace {

QString S(const char* text) {
    return QString::fromUtf8(text);
}

// A message as the tool prints it: line breaks as LF.
QString Console(const char* text) {
    return QString::fromUtf8(text).replace("\r\n", "\n");
}

class RegistryCliTest : public CliTest {
protected:
    QString server() const { return dir("Server"); }
    QString orders(const QString& name) const { return dir("Server/Orders/" + name); }
    // The tool on this test's data directory; global options (--yes) go before the command.
    CliResult cli(const QStringList& args) const { return run(QStringList{"--server-dir", server()} + args); }

    QString writeOrder(const QString& name, const QString& no, const QString& customer = S("Иванов"),
                       int64_t unitPrice = 125000) const {
        TqxfOrder order;
        order.No = no;
        order.Customer = customer;
        order.ObjectName = S("Дача");
        order.RegDate = DateFromQt(QDate(2024, 2, 1));
        order.Currency = 1;
        std::unique_ptr<TqxfConstruction> position = order.NewPosition();
        position->PosNo = "1";
        position->Quantity = 2;
        position->Price = Money::FromRaw(unitPrice);
        order.AddPosition(std::move(position));
        const QString file = orders(name);
        QDir().mkpath(QFileInfo(file).absolutePath());
        EXPECT_TRUE(SaveOrderToFile(order, file));
        return file;
    }

    QJsonArray listed(const QString& order = "no") const {
        const CliResult r = cli({"registry", "list", "--order", order, "--json"});
        EXPECT_EQ(r.ExitCode, 0) << r.Err.toStdString();
        return r.Json().value("Orders").toArray();
    }

    QStringList listedNumbers(const QString& order = "no") const {
        QStringList numbers;
        for (const QJsonValue& row : listed(order))
            numbers << row.toObject().value("No").toString();
        return numbers;
    }
};

TEST_F(RegistryCliTest, RegistersImportsListsAndRenumbersOrders) {
    writeOrder("A1.qfo370", "A1", S("Борисов"));
    CliResult r = cli({"registry", "register", orders("A1.qfo370")});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_TRUE(r.Out.contains(S("Заказ № A1 зарегистрирован: %A1.qfo370")));

    writeOrder("B1.qfo370", "B1", S("алексеев"));
    writeOrder("a1-copy.qfo370", "a1");
    r = cli({"registry", "import", orders("B1.qfo370"), orders("a1-copy.qfo370")});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(r.Out.contains(S("Зарегистрировано заказов: 1 из 2")));
    EXPECT_TRUE(r.Err.contains(
        Console("Загружаемый заказ № a1 уже существует\r\nв реестре заказов, Вы можете только\r\nобновить данные!")));

    const QJsonArray rows = listed("customer");
    ASSERT_EQ(rows.size(), 2);
    const QJsonObject b1 = rows[0].toObject();
    EXPECT_EQ(b1.value("No").toString(), "B1");
    EXPECT_EQ(b1.value("RegDate").toString(), "01.02.2024");
    EXPECT_EQ(b1.value("Customer").toString(), S("алексеев"));
    EXPECT_EQ(b1.value("Object").toString(), S("Дача"));
    EXPECT_EQ(b1.value("Cost").toString(), "25.0000");
    EXPECT_EQ(b1.value("Currency").toInt(), 1);
    EXPECT_EQ(b1.value("OrderFile").toString(), "%B1.qfo370");
    EXPECT_EQ(rows[1].toObject().value("No").toString(), "A1");

    r = cli({"registry", "list"});
    ASSERT_EQ(r.ExitCode, 0);
    EXPECT_TRUE(r.Out.contains(S("A1 | 01.02.2024 | Борисов | Дача | 25,0000 | %A1.qfo370\n")));
    EXPECT_TRUE(r.Out.endsWith(S("Заказов: 2\n")));
    r = cli({"registry", "list", "--order", "size"});
    EXPECT_EQ(r.ExitCode, 2);

    r = cli({"registry", "open", "a1"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_EQ(r.Out.trimmed(), QDir::toNativeSeparators(orders("A1.qfo370")));

    // The order was renumbered A1 → A2 and saved under a new name: its row follows.
    writeOrder("A2.qfo370", "A2", S("Борисов"), 10000);
    r = cli({"registry", "register", orders("A2.qfo370"), "--prev-no", "A1"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_EQ(listedNumbers(), (QStringList{"A2", "B1"}));
    EXPECT_EQ(listed()[0].toObject().value("Cost").toString(), "2.0000");
    // Renumbering onto another order's number is refused.
    writeOrder("B1-new.qfo370", "b1");
    r = cli({"registry", "register", orders("B1-new.qfo370"), "--prev-no", "A2"});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(
        r.Err.contains(Console("Заказ с номером b1 был зарегистрирован 01.02.2024!\r\nУкажите другой номер заказа.")));
    EXPECT_EQ(listedNumbers(), (QStringList{"A2", "B1"}));
}

TEST_F(RegistryCliTest, DeletesArchivesRefreshesAndClearsOnlyWhenTheQuestionsAreAnswered) {
    for (const char* no : {"A1", "A2", "A3"})
        writeOrder(QString(no) + ".qfo370", no);
    CliResult r = cli({"registry", "import", orders("A1.qfo370"), orders("A2.qfo370"), orders("A3.qfo370")});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();

    r = cli({"registry", "delete", "A1"});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(r.Err.contains(S("Удалить заказ?")));
    EXPECT_EQ(listedNumbers(), (QStringList{"A1", "A2", "A3"}));

    r = cli({"--yes", "registry", "delete", "a1"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(orders("A1.qfo370")));
    EXPECT_TRUE(QFileInfo::exists(dir("Server/Recycled/A1.qfo")));

    r = cli({"--yes", "registry", "archive", "A2", "NOPE"});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(r.Err.contains(S("Заказ № NOPE не зарегистрирован в реестре!")));
    EXPECT_EQ(listedNumbers(), (QStringList{"A2", "A3"}));  // nothing done
    r = cli({"--yes", "registry", "archive", "A2"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(dir("Server/Archive/A2.qfo")));

    writeOrder("A3.qfo370", "A3", S("Петров"));
    r = cli({"--yes", "registry", "refresh", "A3"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_EQ(listed()[0].toObject().value("Customer").toString(), S("Петров"));
    writeOrder("A3.qfo370", "A4", S("Чужой"));
    r = cli({"--yes", "registry", "refresh", "A3"});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(
        r.Err.contains(Console("Изменился номер заказ, обновить данные невозможно!\r\nПеререгистрируйте заказ.")));
    EXPECT_EQ(listed()[0].toObject().value("Customer").toString(), S("Петров"));

    r = cli({"registry", "clear"});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_EQ(listedNumbers(), QStringList{"A3"});
    r = cli({"--yes", "registry", "clear"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_TRUE(listedNumbers().isEmpty());
    EXPECT_TRUE(QFileInfo::exists(orders("A3.qfo370")));
}

TEST_F(RegistryCliTest, AListWithoutARegistryDatabaseFails) {
    const CliResult r = cli({"registry", "list"});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(r.Err.contains(S("(файл не найден)")));
}

// Two tools import many orders into one registry at the same time; some numbers are offered by
// both. Every order must end up registered exactly once, and no writer may fail on a lock.
TEST_F(RegistryCliTest, TwoProcessesRegisteringAtOnceLoseNothing) {
    constexpr int kOwn = 80;
    constexpr int kShared = 20;
    QStringList files[2];
    QSet<QString> expected;
    for (int p = 0; p < 2; ++p) {
        for (int i = 0; i < kOwn; ++i) {
            const QString no = QString("P%1-%2").arg(p + 1).arg(i, 3, 10, QChar('0'));
            files[p] << writeOrder(no + ".qfo370", no);
            expected << no;
        }
        for (int i = 0; i < kShared; ++i) {
            const QString no = QString("S-%1").arg(i, 2, 10, QChar('0'));
            files[p] << writeOrder(QString("shared%1/%2.qfo370").arg(p).arg(no), p == 0 ? no : no.toLower());
            expected << no;
        }
        // Each process offers the shared numbers in its own place of the list.
        std::rotate(files[p].begin(), files[p].begin() + (p == 0 ? kOwn / 2 : kOwn), files[p].end());
    }
    TqxfOrderRegistry::CreateIfMissing(dir("Server/Registry"));

    QProcess processes[2];
    for (int p = 0; p < 2; ++p) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QUARNIX_USER_SETTINGS", storeFile());
        processes[p].setProcessEnvironment(env);
        processes[p].setWorkingDirectory(tmp_.path());
        processes[p].start(QString::fromUtf8(QX_CLI_PATH),
                           QStringList{"--server-dir", server(), "registry", "import"} + files[p]);
    }
    int imported = 0;
    QString errors;
    for (QProcess& process : processes) {
        ASSERT_TRUE(process.waitForFinished(300000));
        ASSERT_EQ(process.exitStatus(), QProcess::NormalExit);
        const QString out = QString::fromUtf8(process.readAllStandardOutput());
        errors += QString::fromUtf8(process.readAllStandardError());
        const qsizetype at = out.indexOf(S("Зарегистрировано заказов: "));
        ASSERT_GE(at, 0) << out.toStdString();
        imported += out.mid(at).section(' ', 2, 2).toInt();
    }
    EXPECT_FALSE(errors.contains("locked", Qt::CaseInsensitive)) << errors.toStdString();
    EXPECT_FALSE(errors.contains(S("Ошибка добавления заказа в реестр"))) << errors.toStdString();
    // Each shared number is refused exactly once, by whichever process came second.
    EXPECT_EQ(errors.count(S("уже существует")), kShared) << errors.toStdString();
    EXPECT_EQ(imported, 2 * kOwn + kShared);

    QSet<QString> registered;
    int rows = 0;
    for (const QJsonValue& row : listed()) {
        registered << row.toObject().value("No").toString().toUpper();
        ++rows;
    }
    EXPECT_EQ(rows, 2 * kOwn + kShared);
    EXPECT_EQ(registered, expected);
}

}  // namespace
}  // namespace qx
