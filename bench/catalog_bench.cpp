// catalog_bench.cpp — table objects on synthetic catalogs of 1 000 to 100 000 article rows:
// opening, locating by key, and the article filter with its element clause (flat in catalog size)
// against a filter without one (linear).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <map>
#include <memory>

#include "catalog/catalog_admin.h"
#include "catalog/data_module.h"
#include "common/error.h"
#include "common/format.h"

using namespace qx;

namespace {

constexpr int kRowsPerElement = 20;
const char* const kColors[] = {"RAL9016", "RAL8017", "RAL7016", "F9", "SILVER"};

QString elementCode(int e) {
    return QStringLiteral("E%1").arg(e, 6, 10, QLatin1Char('0'));
}
QString articleCode(int r) {
    return QStringLiteral("A%1").arg(r, 7, 10, QLatin1Char('0'));
}

// A catalog directory with `rows` FrnArt rows: twenty articles per element with varied ranges.
class SyntheticCatalog {
  public:
    explicit SyntheticCatalog(int rows) : rows_(rows) {
        const QString dir = QDir(root().path()).filePath(QString::number(rows));
        CreateDatabase(DatabaseKind::Catalog, dir);
        dm_.Connect(dir, QString(), QString());
        QSqlDatabase db = dm_.CatalogDb();
        db.transaction();
        {
            QSqlQuery q(db);
            q.prepare(
                "INSERT INTO FrnArt (ID, CatalogID, \"Key\", FalzLuft, FalzSize, DornMassMin, DornMassMax, WeightMin, "
                "WeightMax, ThicknessMin, ThicknessMax, ProfSys, FFBMin, FFBMax, FFHMin, FFHMax, Color, StulpType, "
                "Direct) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
            for (int r = 0; r < rows; ++r) {
                const int k = r % kRowsPerElement;
                const QVariantList values = {elementCode(r / kRowsPerElement),
                                             articleCode(r),
                                             r + 1,
                                             k % 2 ? 12 : 9,
                                             20,
                                             7.5 * (k % 4),
                                             7.5 * (k % 4) + 30,
                                             0.0,
                                             40.0 + 10 * (k % 8),
                                             50,
                                             90,
                                             "S1",
                                             30 + k,
                                             160,
                                             40,
                                             240,
                                             kColors[k % 5],
                                             0,
                                             k % 3 + 1};
                for (const QVariant& v : values)
                    q.addBindValue(v);
                if (!q.exec()) throw TqxfError("insert failed");
            }
        }
        db.commit();
        dm_.T_FrnArt.Open();
    }
    TDM& dm() { return dm_; }
    int rows() const { return rows_; }

    static SyntheticCatalog& of(int rows) {
        auto& slot = catalogs()[rows];
        if (!slot) slot = std::make_unique<SyntheticCatalog>(rows);
        return *slot;
    }
    // Connections close while the application object still exists; then the files go.
    static void releaseAll() {
        catalogs().clear();
        root().remove();
    }

  private:
    static std::map<int, std::unique_ptr<SyntheticCatalog>>& catalogs() {
        static std::map<int, std::unique_ptr<SyntheticCatalog>> instances;
        return instances;
    }
    static QTemporaryDir& root() {
        static QTemporaryDir dir;
        return dir;
    }
    int rows_;
    TDM dm_;
};

// The text article resolution builds for an element (weight, backset, thickness, element, colour).
QString articleFilter(int element, double weight) {
    return FormatDot(
        "FalzLuft = %d and WeightMin <= %.2f and  WeightMax >= %.2f and DornMassMin <= %.2f and DornMassMax >= %.2f "
        " and ThicknessMin <= %.0f and ThicknessMax >= %.0f and ID='%s' and Color = '%s' ",
        12, weight, weight, 15.0, 15.0, 68.0, 68.0, elementCode(element), "RAL9016");
}

void BM_OpenFrnArt(benchmark::State& state) {
    SyntheticCatalog& cat = SyntheticCatalog::of(int(state.range(0)));
    CatalogTable& t = cat.dm().T_FrnArt;
    for (auto _ : state) {
        t.Close();
        t.Open();
        benchmark::DoNotOptimize(t.RowCount());
    }
    state.counters["rows"] = t.RowCount();
}

void BM_LocateArticle(benchmark::State& state) {
    SyntheticCatalog& cat = SyntheticCatalog::of(int(state.range(0)));
    const CatalogTable& t = cat.dm().T_FrnArt;
    QVariantList codes;
    for (int i = 0; i < 1024; ++i)
        codes << articleCode(int((i * 7919LL) % cat.rows()));
    t.Locate("CatalogID", {codes[0]});  // the index is built once, on first use
    int i = 0;
    for (auto _ : state) {
        const int row = t.Locate("CatalogID", {codes[i++ & 1023]});
        if (row < 0) state.SkipWithError("article not found");
        benchmark::DoNotOptimize(row);
    }
}

void BM_LocateKitSide(benchmark::State& state) {
    SyntheticCatalog& cat = SyntheticCatalog::of(int(state.range(0)));
    const CatalogTable& t = cat.dm().T_FrnArt;
    const int elements = cat.rows() / kRowsPerElement;
    t.Locate("ID;Key", {elementCode(0), 1});
    int i = 0;
    for (auto _ : state) {
        const int e = int((i++ * 7919LL) % elements);
        benchmark::DoNotOptimize(t.Locate("ID;Key", {elementCode(e), e * kRowsPerElement + 1}));
    }
}

// The same 64 filter texts over and over: parses and bindings come from the caches.
void BM_FilterByElement(benchmark::State& state) {
    SyntheticCatalog& cat = SyntheticCatalog::of(int(state.range(0)));
    const CatalogTable& t = cat.dm().T_FrnArt;
    const int elements = cat.rows() / kRowsPerElement;
    std::vector<QString> filters;
    for (int i = 0; i < 64; ++i)
        filters.push_back(articleFilter(int((i * 7919LL) % elements), 55.0));
    size_t passed = 0;
    int i = 0;
    for (auto _ : state)
        passed += t.Filter(filters[size_t(i++ & 63)]).size();
    state.counters["rows/filter"] = double(passed) / double(state.iterations());
}

// A text not seen before every time (the sash weight differs), more texts than the caches hold:
// parse, bind and filter. The texts are built before timing.
void BM_FilterByElementNewText(benchmark::State& state) {
    SyntheticCatalog& cat = SyntheticCatalog::of(int(state.range(0)));
    const CatalogTable& t = cat.dm().T_FrnArt;
    const int elements = cat.rows() / kRowsPerElement;
    constexpr int kTexts = 16384;
    std::vector<QString> filters;
    filters.reserve(kTexts);
    for (int i = 0; i < kTexts; ++i)
        filters.push_back(articleFilter(int((i * 7919LL) % elements), 20.0 + i / 1000.0));
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(t.Filter(filters[size_t(i++ % kTexts)]).size());
}

// No equality in the conjunction: every row is evaluated.
void BM_FilterWithoutElement(benchmark::State& state) {
    SyntheticCatalog& cat = SyntheticCatalog::of(int(state.range(0)));
    const CatalogTable& t = cat.dm().T_FrnArt;
    const QString filter = QStringLiteral("WeightMin <= 55.00 and  WeightMax >= 55.00 and FalzLuft <> 12");
    for (auto _ : state)
        benchmark::DoNotOptimize(t.Filter(filter).size());
}

}  // namespace

BENCHMARK(BM_OpenFrnArt)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LocateArticle)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_LocateKitSide)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_FilterByElement)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_FilterByElementNewText)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_FilterWithoutElement)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    SyntheticCatalog::releaseAll();
    return 0;
}
