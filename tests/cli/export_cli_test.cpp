// export_cli_test.cpp — supplier requests written by the tool from an order file.
#include <QDir>
#include <QFile>
#include <QJsonObject>

#include "cli_runner.h"
#include "common/codec.h"
#include "documents/order.h"
#include "documents/order_file.h"
#include "documents/order_selection.h"
#include "exports/export_data.h"
#include "support/catalog_fixture.h"

namespace qx {
namespace {

QString U(const char* text) {
    return QString::fromUtf8(text);
}

QByteArray golden(const char* name) {
    QFile file(QStringLiteral(QX_TEST_DATA_DIR "/exports/") + QString::fromUtf8(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

// The export catalog with the firm's settings, and order "З-15" saved as a file.
class ExportCliTest : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        catalog_ = std::make_unique<CatalogFixture>(QString::fromUtf8(kExportCatalog));
        writeFile(catalog_->CatalogDir() + "/QXFurniture.ini",
                  ToCp1251(U("[Firm]\nName=ООО «Окна»\nINN=7701234567\n")));
        TqxfOrder order;
        BuildSmallExportOrder(order);
        ASSERT_TRUE(SaveOrderToFile(order, orderFile()));
    }

    CliResult exportWith(const QStringList& args) const {
        return run(QStringList{"--catalog-dir", catalog_->CatalogDir(), "--server-dir", dir("Server"), "export"} +
                   args);
    }
    QString orderFile() const { return dir("order.qfo370"); }
    QString exported(const QString& name) const { return dir("Server/Export/") + name; }

    std::unique_ptr<CatalogFixture> catalog_;
};

TEST_F(ExportCliTest, WritesTheRequestPrintsItsPathAndRemembersTheParameters) {
    CliResult r =
        exportWith({"tbm", "--order", orderFile(), "--firm-id", "0042", "--request-no", "7", "--date", "09.12.2026"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_EQ(r.Out, exported("Z00420007.txt") + "\n");
    EXPECT_EQ(readFile(exported("Z00420007.txt")), golden("tbm_order.txt"));

    // The next request of the customer, the date of the last one.
    r = exportWith({"tbm", "--order", orderFile()});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_EQ(r.Out, exported("Z00420008.txt") + "\n");
    QByteArray expected = golden("tbm_order.txt");
    expected.replace(ToCp1251(U("Заявка № 7")), ToCp1251(U("Заявка № 8")));
    EXPECT_EQ(readFile(exported("Z00420008.txt")), expected);

    // Vorne counts on its own: its first request.
    r = exportWith({"vorne", "--order", orderFile(), "--json"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_EQ(r.Json().value("FileName").toString(), exported("Z00000001.txt"));
    EXPECT_EQ(r.Json().value("OrderNo").toInt(), 1);
}

TEST_F(ExportCliTest, AnExistingFileIsOverwrittenOnlyWithYes) {
    const QStringList args{"tbm", "--order", orderFile(), "--request-no", "3"};
    writeFile(exported("Z00000003.txt"), "old request");

    CliResult r = exportWith(args);
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(r.Out.isEmpty());
    EXPECT_TRUE(r.Err.contains(U("Файл [") + exported("Z00000003.txt") + U("] уже существует!")))
        << r.Err.toStdString();
    EXPECT_EQ(readFile(exported("Z00000003.txt")), "old request");

    r = exportWith(args + QStringList{"--yes"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_TRUE(readFile(exported("Z00000003.txt")).startsWith(ToCp1251(U("                    Шифр фирмы 0000\r\n"))));
}

TEST_F(ExportCliTest, WritesTheXmlDocumentWithTheGivenFields) {
    const QString out = dir("out/request.xml");
    const CliResult r = exportWith({"xml", "--order", orderFile(), "--order-list", U("З-15,З-16"), "--comment",
                                    U("Срочно & \"важно\" <до 10:00>"), "--firm-id", "0042", "--request-no", "7",
                                    "--date", "09.12.2026", "--out", out});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_EQ(r.Out, out + "\n");
    QByteArray expected = golden("vbh_order.xml");
    expected.replace("FileName=\"Z00420007.xml\"", "FileName=\"request.xml\"");
    EXPECT_EQ(readFile(out), expected);
}

TEST_F(ExportCliTest, ASelectionIsExportedUnderItsNumber) {
    TqxfOrderSelection selection;
    selection.No = U("В-3");
    selection.Currencies = {{1, 1.0f}};
    selection.Currency = 1;
    ASSERT_TRUE(selection.AddOrderFile(orderFile()));
    ASSERT_TRUE(selection.SaveToFile(dir("sel.qfs370")));

    CliResult r = exportWith({"tbm", "--selection", dir("sel.qfs370")});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    const QByteArray tbm = readFile(exported("Z00000001.txt"));
    EXPECT_TRUE(tbm.contains(ToCp1251(U("\r\n                    Название В-3\r\n")))) << tbm.toStdString();
    // Sorted by article: DISC first.
    EXPECT_TRUE(tbm.contains(ToCp1251(U("-\r\nD-2             Скидка на комплект")))) << tbm.toStdString();

    r = exportWith({"xml", "--selection", dir("sel.qfs370")});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    EXPECT_EQ(r.Out, exported("Z77012345670001.xml") + "\n");
    EXPECT_TRUE(readFile(exported("Z77012345670001.xml")).contains(U("OrderList=\"В-3\"").toUtf8()));
}

TEST_F(ExportCliTest, AMissingArticleFailsWithTheSystemsMessage) {
    TqxfOrder order;
    BuildSmallExportOrder(order, {{"GHOST", 1, 5}});
    ASSERT_TRUE(SaveOrderToFile(order, orderFile()));
    const CliResult r = exportWith({"vorne", "--order", orderFile()});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(r.Err.contains(U("Ошибка записи данных в файл экспорта Ворне Бела ") + exported("Z00000001.txt") +
                               U("!\nВ каталоге отсутствуют данные для [GHOST]!")))
        << r.Err.toStdString();
}

TEST_F(ExportCliTest, WrongUsageEndsWithStatusTwo) {
    const QList<QStringList> calls{
        {"pdf", "--order", orderFile()},
        {"tbm"},
        {"tbm", "--order", orderFile(), "--selection", orderFile()},
        {"tbm", "--order", orderFile(), "--comment", "x"},
        {"vorne", "--order", orderFile(), "--upload"},
        {"xml", "--order", orderFile(), "--request-name", "x"},
        {"xml", "--order", orderFile(), "--date", "31.02.2026"},
        {"tbm", "--order", orderFile(), "--request-no", "sieben"},
    };
    for (const QStringList& call : calls) {
        const CliResult r = exportWith(call);
        EXPECT_EQ(r.ExitCode, 2) << call.join(' ').toStdString();
    }
    EXPECT_FALSE(QDir(dir("Server/Export")).exists() && !QDir(dir("Server/Export")).isEmpty());
}

}  // namespace
}  // namespace qx
