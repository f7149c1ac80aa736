// paradox_import_test.cpp — Paradox catalog tables, written here through pxlib with Windows-1251
// texts, come into a new catalog database table by table; missing, unreadable and odd tables are
// reported and do not stop the others.
#include <gtest/gtest.h>
// pxlib declares its functions without C linkage markers.
extern "C" {
#include <paradox.h>
}

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <optional>
#include <variant>

#include "catalog/catalog_table.h"
#include "catalog/data_module.h"
#include "catalog/lookups.h"
#include "catalog/paradox_import.h"
#include "common/error.h"
#include "common/money.h"

using namespace qx;

namespace {

struct PxField {
    const char* Name;
    char Type;
    int Length;
    int Decimals = 0;
};

// A field value: empty, a number or a text (UTF-8, stored as Windows-1251).
using PxValue = std::variant<std::monostate, long long, double, const char*>;

// Writes a Paradox table the way the supplier's tools keep it: texts in Windows-1251.
void writeParadox(const QString& path, const std::vector<PxField>& fields,
                  const std::vector<std::vector<PxValue>>& rows) {
    static const bool booted = (PX_boot(), true);
    (void)booted;
    pxdoc_t* doc = PX_new();
    ASSERT_NE(doc, nullptr);
    auto* defs = static_cast<pxfield_t*>(doc->malloc(doc, sizeof(pxfield_t) * fields.size(), "test fields"));
    for (size_t i = 0; i < fields.size(); ++i) {
        defs[i].px_fname = PX_strdup(doc, fields[i].Name);
        defs[i].px_ftype = fields[i].Type;
        defs[i].px_flen = fields[i].Length;
        defs[i].px_fdc = fields[i].Decimals;
    }
    ASSERT_GE(PX_create_file(doc, defs, int(fields.size()), QFile::encodeName(path).constData(), pxfFileTypNonIndexDB),
              0);
    PX_set_parameter(doc, "targetencoding", "CP1251");
    PX_set_inputencoding(doc, "UTF-8");
    std::vector<char> record(PX_get_recordsize(doc));
    for (const auto& row : rows) {
        std::fill(record.begin(), record.end(), '\0');
        int offset = 0;
        for (size_t i = 0; i < fields.size(); ++i) {
            char* at = record.data() + offset;
            const PxField& f = fields[i];
            const PxValue& v = row[i];
            if (!std::holds_alternative<std::monostate>(v)) {
                switch (f.Type) {
                    case pxfAlpha:
                        PX_put_data_alpha(doc, at, f.Length, const_cast<char*>(std::get<const char*>(v)));
                        break;
                    case pxfShort:
                        PX_put_data_short(doc, at, f.Length, short(std::get<long long>(v)));
                        break;
                    case pxfLong:
                    case pxfAutoInc:
                        PX_put_data_long(doc, at, f.Length, int(std::get<long long>(v)));
                        break;
                    case pxfNumber:
                    case pxfCurrency:
                        PX_put_data_double(doc, at, f.Length, std::get<double>(v));
                        break;
                    case pxfBCD:
                        PX_put_data_bcd(doc, at, f.Decimals, const_cast<char*>(std::get<const char*>(v)));
                        break;
                    case pxfLogical:
                        PX_put_data_byte(doc, at, f.Length, char(std::get<long long>(v)));
                        break;
                }
            }
            offset += f.Length;
        }
        PX_put_record(doc, record.data());
    }
    PX_close(doc);
    PX_delete(doc);
}

const TParadoxTableImport& tableOf(const TParadoxImport& import, const char* name) {
    for (const TParadoxTableImport& t : import.Tables)
        if (t.Table == QLatin1String(name)) return t;
    throw std::runtime_error(std::string("no report for ") + name);
}

class ParadoxImport : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString source() const { return QDir(tmp.path()).filePath(QStringLiteral("px")); }
    QString target() const { return QDir(tmp.path()).filePath(QStringLiteral("catalog")); }
    void SetUp() override { ASSERT_TRUE(QDir().mkpath(source())); }
    QString sourceFile(const char* name) const { return QDir(source()).filePath(QLatin1String(name)); }
};

}  // namespace

TEST_F(ParadoxImport, TablesComeOverWithTheirTextsNumbersAndEmptyFields) {
    // Kits: a field of another name is reported, the rest map whatever their letter case.
    writeParadox(sourceFile("FrnComp.DB"),
                 {{"ID", pxfAlpha, 30},
                  {"GROUP", pxfShort, 2},
                  {"Name", pxfAlpha, 100},
                  {"ScrColor", pxfLong, 4},
                  {"Use", pxfLogical, 1},
                  {"OldCode", pxfAlpha, 10}},
                 {{"W-1", 10LL, "Поворотно-откидной, петли слева", 16744448LL, 1LL, "x"},
                  {"W-2", std::monostate{}, "Ёлочка «кавычки»", std::monostate{}, 0LL, std::monostate{}}});
    // Currencies with a lower-case extension, rates as numbers.
    writeParadox(sourceFile("currency.db"),
                 {{"ID", pxfShort, 2}, {"Name", pxfAlpha, 5}, {"Nominative", pxfAlpha, 35}, {"Value", pxfNumber, 8}},
                 {{1LL, "RUB", "рубль", 1.0}, {2LL, "EUR", "евро", 98.5}});
    // Articles: a money price, a BCD coefficient.
    writeParadox(sourceFile("Catalog.DB"),
                 {{"ID", pxfAlpha, 30},
                  {"Name", pxfAlpha, 100},
                  {"Unit", pxfAlpha, 10},
                  {"Price", pxfCurrency, 8},
                  {"Coef", pxfBCD, 17, 2}},
                 {{"A-1", "Петля верхняя", "шт", 4.2, "1.25"}});
    // Rules with the engine-numbered key.
    writeParadox(sourceFile("FrnSet.DB"),
                 {{"ID", pxfAlpha, 30}, {"Item", pxfAlpha, 30}, {"Key", pxfAutoInc, 4}, {"Number", pxfShort, 2}},
                 {{"W-1", "E1", 1LL, 2LL}, {"W-1", "E2", 2LL, 1LL}});
    // A damaged table.
    QFile broken(sourceFile("FrnItem.DB"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a paradox table at all");
    broken.close();

    const TParadoxImport import = ImportParadoxCatalog(source(), target());
    EXPECT_EQ(import.CatalogFile, QDir(target()).absoluteFilePath(QStringLiteral("catalog.sqlite")));

    const TParadoxTableImport& kits = tableOf(import, "FrnComp");
    EXPECT_TRUE(kits.Error.isEmpty()) << kits.Error.toStdString();
    EXPECT_EQ(kits.RowsRead, 2);
    EXPECT_EQ(kits.UnmappedFields, QStringList{QStringLiteral("OldCode")});
    EXPECT_TRUE(kits.MissingColumns.contains(QStringLiteral("SubGroup")));
    EXPECT_FALSE(kits.MissingColumns.contains(QStringLiteral("Group")));
    EXPECT_EQ(tableOf(import, "Currency").RowsRead, 2);
    EXPECT_TRUE(tableOf(import, "Currency").SourceFile.endsWith(QStringLiteral("currency.db")));
    EXPECT_EQ(tableOf(import, "FrnSet").RowsRead, 2);

    const TParadoxTableImport& items = tableOf(import, "FrnItem");
    EXPECT_FALSE(items.Error.isEmpty());
    EXPECT_EQ(items.RowsRead, 0);
    EXPECT_EQ(tableOf(import, "FrnArt").Error, QStringLiteral("файл FrnArt.DB не найден"));
    EXPECT_EQ(import.FailedCount(), int(import.Tables.size()) - 4);

    TDM dm;
    dm.Connect(target(), QString(), QString());
    dm.T_FrnComp.Open(dm.CatalogDb());
    dm.T_Currency.Open(dm.CatalogDb());
    dm.T_Catalog.Open(dm.CatalogDb());
    dm.T_FrnSet.Open(dm.CatalogDb());
    const CatalogTable& k = dm.T_FrnComp;
    ASSERT_EQ(k.RowCount(), 2);
    EXPECT_EQ(k.Text(0, QStringLiteral("Name")), QStringLiteral("Поворотно-откидной, петли слева"));
    EXPECT_EQ(k.Int(0, QStringLiteral("Group")), 10);
    EXPECT_EQ(k.Int(0, QStringLiteral("ScrColor")), 16744448);
    EXPECT_EQ(k.Int(0, QStringLiteral("Use")), 1);
    EXPECT_EQ(k.Text(1, QStringLiteral("Name")), QStringLiteral("Ёлочка «кавычки»"));
    EXPECT_TRUE(k.IsNull(1, k.ColumnIndex(QStringLiteral("Group"))));
    EXPECT_TRUE(k.IsNull(1, k.ColumnIndex(QStringLiteral("ScrColor"))));
    EXPECT_EQ(k.Int(1, QStringLiteral("Use")), 0);
    EXPECT_DOUBLE_EQ(dm.T_Currency.Real(1, QStringLiteral("Value")), 98.5);
    EXPECT_EQ(dm.T_Currency.Text(1, QStringLiteral("Nominative")), QStringLiteral("евро"));
    EXPECT_EQ(dm.T_Catalog.MoneyValue(0, QStringLiteral("Price")), Money::FromRaw(42000));
    EXPECT_DOUBLE_EQ(dm.T_Catalog.Real(0, QStringLiteral("Coef")), 1.25);
    EXPECT_EQ(dm.T_Catalog.Text(0, QStringLiteral("Unit")), QStringLiteral("шт"));
    EXPECT_EQ(dm.T_FrnSet.Int(1, QStringLiteral("Key")), 2);
}

TEST_F(ParadoxImport, NeverOverwritesACatalogAndNeedsAnExistingSource) {
    ASSERT_TRUE(QDir().mkpath(target()));
    QFile existing(QDir(target()).filePath(QStringLiteral("catalog.sqlite")));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("keep me");
    existing.close();
    EXPECT_THROW(ImportParadoxCatalog(source(), target()), TqxfError);
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), QByteArray("keep me"));

    try {
        ImportParadoxCatalog(QDir(tmp.path()).filePath(QStringLiteral("none")), tmp.path());
        FAIL() << "a missing source directory must stop the import";
    } catch (const TqxfError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Папка ["))) << e.message().toStdString();
    }
    EXPECT_FALSE(QFile::exists(QDir(tmp.path()).filePath(QStringLiteral("catalog.sqlite"))));
}
