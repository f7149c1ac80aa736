// order_bench.cpp — a large order: 1000 two-sash positions with 30 kit items per sash, saved, loaded and
// repriced.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "catalog/catalog_admin.h"
#include "catalog/data_module.h"
#include "common/messages.h"
#include "construction/construction.h"
#include "construction/flugel.h"
#include "construction/furn_comp.h"
#include "documents/order.h"

namespace {

using namespace qx;

constexpr int kPositions = 1000;
constexpr int kItemsPerSash = 30;

// 60 articles in two currencies, every third in a price group.
QString pricedCatalog() {
    QStringList sql{QStringLiteral("INSERT INTO Currency (ID, Name, Value) VALUES (1, 'EUR', 95.5), (2, 'RUB', 1);"),
                    QStringLiteral("INSERT INTO PriceGrp (GroupID, Name, Reduce_1) VALUES (1, 'G', -7.5);")};
    for (int a = 0; a < 2 * kItemsPerSash; ++a)
        sql << QStringLiteral(
                   "INSERT INTO Catalog (ID, Name, Price, Currency, PriceGrp) VALUES ('ART-%1', 'Артикул %1', %2, %3, "
                   "%4);")
                   .arg(a)
                   .arg(1.25 + a)
                   .arg(1 + a % 2)
                   .arg(a % 3 == 0 ? 1 : 0);
    return sql.join(QLatin1Char('\n'));
}

class Fixture {
public:
    Fixture() {
        CreateDatabase(DatabaseKind::Catalog, dir_.path());
        dm_.ConnectCatalog(dir_.path());
        ExecSqlScript(dm_.CatalogDb(), pricedCatalog());
        dm_.OpenCatalogTables();
        SetDM(&dm_);
        order_.Currencies = {{1, 95.5f}, {2, 1.0f}};
        order_.Currency = 2;
        for (int p = 0; p < kPositions; ++p) {
            auto position = order_.NewPosition();
            position->PosNo = QString::number(p + 1);
            position->Quantity = 1 + p % 4;
            position->FlugelMode = kTwoSashesLeftActive;
            position->BuildGeometry(TSizeRec{1400, 1400, 0, 600, 800, 0, 0}, 200);
            for (TqxfFlugel* sash : {position->Flugel1.get(), position->Flugel2.get()}) {
                sash->FurnComp = std::make_unique<TqxfFurnComp>(sash);
                for (int i = 0; i < kItemsPerSash; ++i)
                    sash->FurnComp->AddItem(QStringLiteral("ART-%1").arg((p + i) % (2 * kItemsPerSash)),
                                            QStringLiteral("K1"), QString(), true, i % 5 == 0 ? 1250.0f : 0.0f,
                                            QString(), 1 + i % 3, 1 + i % 4);
            }
            order_.AddPosition(std::move(position));
        }
        if (!order_.Recalculate()) throw std::runtime_error("the order does not price");
        file_ = QDir(dir_.path()).filePath(QStringLiteral("large.qfo370"));
    }
    ~Fixture() { SetDM(nullptr); }

    TqxfOrder& order() { return order_; }
    const QString& file() const { return file_; }

private:
    QTemporaryDir dir_;
    TDM dm_;
    TqxfOrder order_;
    QString file_;
};

void BM_SaveLargeOrder(benchmark::State& state) {
    Fixture f;
    for (auto _ : state)
        if (!f.order().SaveToFile(f.file())) state.SkipWithError("save failed");
    state.counters["bytes"] = static_cast<double>(QFileInfo(f.file()).size());
}

void BM_LoadLargeOrder(benchmark::State& state) {
    Fixture f;
    f.order().SaveToFile(f.file());
    for (auto _ : state) {
        TqxfOrder loaded;
        if (!loaded.LoadFromFile(f.file())) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(loaded.Count());
    }
}

void BM_RepriceLargeOrder(benchmark::State& state) {
    Fixture f;
    for (auto _ : state)
        if (!f.order().Recalculate()) state.SkipWithError("reprice failed");
}

BENCHMARK(BM_SaveLargeOrder)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadLargeOrder)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepriceLargeOrder)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ConsoleMessageHandler console;
    ScopedMessageHandler handler(console);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
