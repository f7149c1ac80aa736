// bench_data.cpp — synthetic catalogs, orders and registries of the benchmarks, and their main.
#include "bench_data.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>
#include <cstdlib>
#include <map>
#include <tuple>

#include "catalog/catalog_admin.h"
#include "catalog/demo_catalog.h"
#include "common/error.h"
#include "common/format.h"
#include "documents/order_json.h"

namespace qx::bench {

// --- Smoke mode ---

bool SmokeMode() {
    static const bool smoke = [] {
        const char* value = std::getenv("QX_BENCH_SMOKE");
        return value != nullptr && *value != '\0' && QByteArray(value) != "0";
    }();
    return smoke;
}

int Scaled(int full, int smallest) {
    return SmokeMode() ? std::min(full, std::max(smallest, full / 50)) : full;
}

// --- Catalogs ---

namespace {

constexpr int kPadRulesPerKit = 20;
constexpr int kPadRowsPerArticle = 4;

// A private connection to a database file, removed when it goes out of scope.
class Connection {
public:
    explicit Connection(const QString& path) : name_(QStringLiteral("qx_bench#%1").arg(++counter())) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db.setDatabaseName(path);
        if (!db.open())
            throw TqxfError(Format("Ошибка открытия базы данных [%s]\r\n(%s)", path, db.lastError().text()));
    }
    ~Connection() {
        {
            QSqlDatabase db = QSqlDatabase::database(name_, false);
            if (db.isValid()) db.close();
        }
        QSqlDatabase::removeDatabase(name_);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    QSqlDatabase db() const { return QSqlDatabase::database(name_, false); }

private:
    static int& counter() {
        static int n = 0;
        return n;
    }
    QString name_;
};

int64_t scalar(const QSqlDatabase& db, const QString& sql) {
    QSqlQuery q(db);
    if (!q.exec(sql) || !q.next()) throw TqxfError(Format("%s\r\n(%s)", sql, q.lastError().text()));
    return q.value(0).toLongLong();
}

// "WITH RECURSIVE n(i) AS (…)": the numbers 0 … count-1.
QString numbers(int count) {
    return QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < %1) ")
        .arg(count - 1);
}

// The padding of a catalog that already holds `artRows` article and `setRows` set-rule rows.
QString paddingSql(const TCatalogSize& size, int artRows, int setRows, int64_t artKey, int64_t setKey) {
    const int padArt = std::max(0, size.ArtRows - artRows);
    const int padSet = std::max(0, size.SetRows - setRows);
    const int elements = std::max(1, (padArt + kPadArticlesPerElement - 1) / kPadArticlesPerElement);
    const int articles = std::max(1, padArt / kPadRowsPerArticle);
    const int kits = (padSet + kPadRulesPerKit - 1) / kPadRulesPerKit;
    QStringList sql;
    if (padArt > 0 || padSet > 0) {
        sql << QStringLiteral(
                   "INSERT INTO FrnItem (ID, Name, HasDornMass, HasProfSys, CheckWeight, HasColor, HasFalzLuft, "
                   "HasFalzSize, HasFalzPos, CheckThickness, CheckProfWidth, CheckStulpType, CheckDirect, "
                   "\"Virtual\", CommonGrp) %1 SELECT printf('PADE%06d', i), 'Элемент ' || i, 1, i % 3 = 0, 1, "
                   "1, 1, 0, 0, 1, 0, 0, 1, 0, 0 FROM n;")
                   .arg(numbers(elements));
    }
    if (padArt > 0) {
        sql << QStringLiteral(
                   "INSERT INTO FrnArt (ID, CatalogID, \"Key\", FalzLuft, FalzSize, DornMassMin, DornMassMax, "
                   "WeightMin, WeightMax, ThicknessMin, ThicknessMax, ProfSys, FFBMin, FFBMax, FFHMin, FFHMax, "
                   "Color, StulpType, Direct) %1 SELECT printf('PADE%06d', i / %2), printf('PADA%06d', i % %3), "
                   "%4 + i + 1, CASE WHEN i % 2 = 1 THEN 12 ELSE 9 END, 20, 7.5 * (i % 4), 7.5 * (i % 4) + 30, 0, "
                   "40 + 10 * (i % 8), 50, 90, 'S1', 30 + i % %2, 160, 40, 240, "
                   "CASE i % 5 WHEN 0 THEN 'RAL9016' WHEN 1 THEN 'RAL8017' WHEN 2 THEN 'RAL7016' WHEN 3 THEN 'F9' "
                   "ELSE 'SILVER' END, 0, i % 3 + 1 FROM n;")
                   .arg(numbers(padArt))
                   .arg(kPadArticlesPerElement)
                   .arg(articles)
                   .arg(artKey);
        sql << QStringLiteral(
                   "INSERT INTO Catalog (ID, \"Group\", System, Article, ProdArticle, UseArticle, Name, ShortName, "
                   "Unit, Price, PriceGrp, Currency, \"Use\") %1 SELECT printf('PADA%06d', i), 200 + i % 20, '190', "
                   "printf('П-%06d', i), printf('PD %06d', i), 1, 'Артикул заполнения ' || i, 'Артикул ' || i, "
                   "'шт', 1 + (i % 500) / 10.0, 1 + i % 3, 1 + i % 3, 1 FROM n;")
                   .arg(numbers(articles));
    }
    if (kits > 0) {
        sql << QStringLiteral(
                   "INSERT INTO FrnComp (ID, \"Group\", SubGroup, Name, SymmetricID, Image, TFlugelAvailable, "
                   "\"Use\", CommonGrp, Direct, Printable, PrintName, PropKey, Material) %1 SELECT "
                   "printf('PADK%05d', i), 10, 0, 'Комплект заполнения ' || i, '', 1 + i % 2, 0, 1, 190, 1 + i % 2, "
                   "1, 'Комплект ' || i, 0, 1 FROM n;")
                   .arg(numbers(kits));
        sql << QStringLiteral(
                   "INSERT INTO FrnSide (ID, Side, MinSize, MaxSize, MinAngle, MaxAngle, OpenMode, RotSide, Handled, "
                   "Banded, Drived, HandleDirect) %1 SELECT printf('PADK%05d', i / 4), 1 + i % 4, 300, 2400, 89, "
                   "91, 0, 0, i % 4 = 2, i % 4 = 0, 1, 0 FROM n;")
                   .arg(numbers(kits * 4));
        sql << QStringLiteral(
                   "INSERT INTO FrnSet (ID, Item, \"Key\", PropKey, Number, Side1No, Condition, FFBMin, FFBMax, "
                   "FFHMin, FFHMax, ScaleCondition, ScaleStart, ScaleStep, ScaleNum, Required, ItemSideNo) %1 SELECT "
                   "printf('PADK%05d', i / %2), printf('PADE%06d', (i * 7) % %3), %4 + i + 1, 0, 1 + i % 2, "
                   "1 + i % 4, i % 3, 30, 160, 40, 240, CASE WHEN i % 5 = 0 THEN 2 ELSE 0 END, 80, 40, 1, 0, "
                   "1 + i % 4 FROM n;")
                   .arg(numbers(padSet))
                   .arg(kPadRulesPerKit)
                   .arg(elements)
                   .arg(setKey);
    }
    return sql.join(QLatin1Char('\n'));
}

}  // namespace

TCatalogSize PaddedCatalogSize() {
    return TCatalogSize{true, Scaled(100000, 2000), Scaled(20000, 400)};
}

QString PadElementCode(int e) {
    return QStringLiteral("PADE%1").arg(e, 6, 10, QLatin1Char('0'));
}

void WriteCatalog(const QString& directory, const TCatalogSize& size) {
    const QString file = CreateDatabase(DatabaseKind::Catalog, directory);
    Connection connection(file);
    const QSqlDatabase db = connection.db();
    if (size.Demo) ExecSqlScript(db, DemoCatalogSql());
    const int artRows = int(scalar(db, QStringLiteral("SELECT COUNT(*) FROM FrnArt")));
    const int setRows = int(scalar(db, QStringLiteral("SELECT COUNT(*) FROM FrnSet")));
    // Keys given outright: the numbering trigger would look for the largest key row by row.
    const int64_t artKey = scalar(db, QStringLiteral("SELECT COALESCE(MAX(\"Key\"), 0) FROM FrnArt"));
    const int64_t setKey = scalar(db, QStringLiteral("SELECT COALESCE(MAX(\"Key\"), 0) FROM FrnSet"));
    const QString padding = paddingSql(size, artRows, setRows, artKey, setKey);
    if (!padding.isEmpty()) ExecSqlScript(db, padding);
}

BenchCatalog::BenchCatalog(const TCatalogSize& size) : size_(size), dm_(std::make_unique<TDM>()) {
    if (!dir_.isValid()) throw TqxfError(QStringLiteral("no temporary directory"));
    WriteCatalog(dir_.path(), size);
    dm_->ConnectCatalog(dir_.path());
    if (dm_->OpenCatalogTables() > 0) throw TqxfError(Format("Каталог [%s] открыт не полностью!", dir_.path()));
}

BenchCatalog::~BenchCatalog() {
    if (HasDM() && &DM() == dm_.get()) SetDM(nullptr);
    dm_.reset();
}

namespace {

using CatalogKey = std::tuple<bool, int, int>;

std::map<CatalogKey, std::unique_ptr<BenchCatalog>>& sharedCatalogs() {
    static std::map<CatalogKey, std::unique_ptr<BenchCatalog>> catalogs;
    return catalogs;
}

std::map<int, std::unique_ptr<TqxfOrder>>& sharedOrders() {
    static std::map<int, std::unique_ptr<TqxfOrder>> orders;
    return orders;
}

}  // namespace

BenchCatalog& BenchCatalog::Shared(const TCatalogSize& size) {
    auto& slot = sharedCatalogs()[CatalogKey{size.Demo, size.ArtRows, size.SetRows}];
    if (!slot) slot = std::make_unique<BenchCatalog>(size);
    return *slot;
}

void BenchCatalog::ReleaseShared() {
    sharedOrders().clear();
    sharedCatalogs().clear();
}

// --- Orders ---

std::vector<std::unique_ptr<TqxfOrder>> BuildDemoOrders() {
    std::vector<std::unique_ptr<TqxfOrder>> orders;
    for (const auto& [name, json] : DemoOrderFiles()) {
        auto order = std::make_unique<TqxfOrder>();
        BuildOrderFromSpec(*order, ParseOrderSpec(json));
        orders.push_back(std::move(order));
    }
    return orders;
}

int DemoPositionCount() {
    static const int count = [] {
        int n = 0;
        for (const auto& [name, json] : DemoOrderFiles())
            n += int(ParseOrderSpec(json).value(QStringLiteral("positions")).toArray().size());
        return n;
    }();
    return count;
}

std::unique_ptr<TqxfOrder> MakeOrder(int positions) {
    std::vector<std::unique_ptr<TqxfOrder>> demo = BuildDemoOrders();
    std::vector<std::unique_ptr<TqxfConstruction>> pool;
    for (auto& order : demo)
        while (order->Count() > 0)
            pool.push_back(order->TakePosition(0));
    std::unique_ptr<TqxfOrder> order = std::move(demo.front());
    order->No = QStringLiteral("BENCH-%1").arg(positions);
    for (int i = 0; i < positions; ++i) {
        std::unique_ptr<TqxfConstruction> position = order->NewPosition();
        position->Assign(*pool[size_t(i) % pool.size()]);
        position->PosNo = QStringLiteral("%1").arg(i + 1, 5, 10, QLatin1Char('0'));
        order->AddPosition(std::move(position));
    }
    PricingContextScope context(*order);
    if (!order->Recalculate()) throw TqxfError(QStringLiteral("the synthetic order does not reprice"));
    return order;
}

TqxfOrder& SharedOrder(int positions) {
    auto& slot = sharedOrders()[positions];
    if (!slot) slot = MakeOrder(positions);
    return *slot;
}

// --- Registry ---

QString RegistryNo(int i) {
    return QStringLiteral("З-%1").arg(i, 6, 10, QLatin1Char('0'));
}

void FillRegistry(TqxfOrderRegistry& registry, int rows, int first) {
    static const char* const kSurnames[] = {"Иванов",  "Петров",   "Сидоров", "Кузнецов", "Смирнов",
                                            "Попов",   "Васильев", "Соколов", "Михайлов", "Новиков",
                                            "Фёдоров", "Морозов",  "Волков",  "Алексеев", "Лебедев"};
    static const char* const kObjects[] = {"Квартира", "Коттедж", "Офис", "Склад", "Магазин", "Школа", "Дача"};
    const QDate start(2014, 1, 9);
    registry.WriteTransaction([&] {
        QSqlQuery q(registry.Database());
        if (!q.prepare(QStringLiteral("INSERT INTO \"OrderLst\" (\"No\", \"RegDate\", \"Customer\", \"Object\", "
                                      "\"Address\", \"Phone\", \"Cost\", \"Currency\", \"OrderFile\") VALUES (?, ?, "
                                      "?, ?, ?, ?, ?, ?, ?)")))
            throw TqxfError(q.lastError().text());
        for (int i = first; i < first + rows; ++i) {
            const QString no = RegistryNo(i);
            const int customer = int((i * 7919LL) % 20011);
            q.addBindValue(no);
            q.addBindValue(start.addDays(i * 3650LL / std::max(rows, 1)).toString(Qt::ISODate));
            q.addBindValue(QString::fromUtf8("%1 %2")
                               .arg(QString::fromUtf8(kSurnames[customer % 15]))
                               .arg(customer, 5, 10, QLatin1Char('0')));
            q.addBindValue(QString::fromUtf8("%1 № %2").arg(QString::fromUtf8(kObjects[i % 7])).arg(i % 977));
            q.addBindValue(QString::fromUtf8("г. Заречный, ул. Садовая, д. %1").arg(i % 211));
            q.addBindValue(QStringLiteral("+7 900 %1").arg(i % 9999999, 7, 10, QLatin1Char('0')));
            q.addBindValue(double(1000 + (i * 37) % 250000) + 0.25);
            q.addBindValue(1 + i % 3);
            q.addBindValue(QStringLiteral("%/") + no + QStringLiteral(".qfo370"));
            if (!q.exec()) throw TqxfError(q.lastError().text());
        }
        return true;
    });
}

// --- Running ---

bool BenchMessages::FailOnMessage(benchmark::State& state) {
    if (Records.empty()) return false;
    const std::string text = Records.front().Text.toStdString();
    Records.clear();
    state.SkipWithError(text.c_str());
    return true;
}

BenchMessages& Messages() {
    static BenchMessages messages;
    return messages;
}

namespace {

std::vector<std::function<void()>>& releases() {
    static std::vector<std::function<void()>> work;
    return work;
}

}  // namespace

void AtRelease(std::function<void()> release) {
    releases().push_back(std::move(release));
}

int RunBenchmarks(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ScopedMessageHandler handler(Messages());
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // Connections close while the application object still exists.
    while (!releases().empty()) {
        const std::function<void()> release = std::move(releases().back());
        releases().pop_back();
        release();
    }
    SetDM(nullptr);
    BenchCatalog::ReleaseShared();
    return 0;
}

}  // namespace qx::bench
