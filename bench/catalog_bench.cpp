// catalog_bench.cpp — the catalog: opening the whole catalog at start-up (demo and padded), and the
// table objects on article tables of 1 000 to 100 000 rows: opening, locating by key, and the
// article filter with its element clause (flat in catalog size) against a filter without one
// (linear).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "bench_data.h"
#include "catalog/data_module.h"
#include "common/format.h"

using namespace qx;

namespace {

using bench::BenchCatalog;
using bench::PadElementCode;
using bench::TCatalogSize;

// The padding-only catalog of `rows` article rows (twenty per element).
BenchCatalog& catalogOf(benchmark::State& state) {
    return BenchCatalog::Shared(TCatalogSize{false, bench::Scaled(int(state.range(0))), 0});
}

int elementsOf(BenchCatalog& cat) {
    return std::max(1, cat.dm().T_FrnArt.RowCount() / bench::kPadArticlesPerElement);
}

// The start-up open: the catalog connection bound and every catalog table read (range 0: demo
// catalog alone, 1: padded to 100 000 article rows and 20 000 set rules).
void BM_OpenCatalog(benchmark::State& state) {
    const TCatalogSize size = state.range(0) ? bench::PaddedCatalogSize() : TCatalogSize{true, 0, 0};
    BenchCatalog& cat = BenchCatalog::Shared(size);
    for (auto _ : state) {
        auto dm = std::make_unique<TDM>();
        dm->ConnectCatalog(cat.Dir());
        if (dm->OpenCatalogTables() > 0) state.SkipWithError("a catalog table did not open");
        benchmark::DoNotOptimize(dm->T_FrnArt.RowCount());
        state.PauseTiming();
        dm.reset();
        state.ResumeTiming();
    }
    state.counters["FrnArt"] = cat.dm().T_FrnArt.RowCount();
    state.counters["FrnSet"] = cat.dm().T_FrnSet.RowCount();
    state.counters["Catalog"] = cat.dm().T_Catalog.RowCount();
    bench::Messages().FailOnMessage(state);
}

void BM_OpenFrnArt(benchmark::State& state) {
    CatalogTable& t = catalogOf(state).dm().T_FrnArt;
    for (auto _ : state) {
        t.Close();
        t.Open();
        benchmark::DoNotOptimize(t.RowCount());
    }
    state.counters["rows"] = t.RowCount();
}

void BM_LocateArticle(benchmark::State& state) {
    const CatalogTable& t = catalogOf(state).dm().T_FrnArt;
    QVariantList codes;
    for (int i = 0; i < 1024; ++i)
        codes << t.Text(int((i * 7919LL) % t.RowCount()), QStringLiteral("CatalogID"));
    t.Locate("CatalogID", {codes[0]});  // the index is built once, on first use
    int i = 0;
    for (auto _ : state) {
        const int row = t.Locate("CatalogID", {codes[i++ & 1023]});
        if (row < 0) state.SkipWithError("article not found");
        benchmark::DoNotOptimize(row);
    }
}

void BM_LocateKitSide(benchmark::State& state) {
    const CatalogTable& t = catalogOf(state).dm().T_FrnArt;
    std::vector<QVariantList> keys;
    for (int i = 0; i < 1024; ++i) {
        const int row = int((i * 7919LL) % t.RowCount());
        keys.push_back({t.Value(row, QStringLiteral("ID")), t.Value(row, QStringLiteral("Key"))});
    }
    t.Locate("ID;Key", keys[0]);
    int i = 0;
    for (auto _ : state) {
        const int row = t.Locate("ID;Key", keys[size_t(i++ & 1023)]);
        if (row < 0) state.SkipWithError("row not found");
        benchmark::DoNotOptimize(row);
    }
}

// The text article resolution builds for an element (weight, backset, thickness, element, colour).
QString articleFilter(int element, double weight) {
    return FormatDot(
        "FalzLuft = %d and WeightMin <= %.2f and  WeightMax >= %.2f and DornMassMin <= %.2f and DornMassMax >= %.2f "
        " and ThicknessMin <= %.0f and ThicknessMax >= %.0f and ID='%s' and Color = '%s' ",
        12, weight, weight, 15.0, 15.0, 68.0, 68.0, PadElementCode(element), "RAL9016");
}

// The same 64 filter texts over and over: parses and bindings come from the caches.
void BM_FilterByElement(benchmark::State& state) {
    BenchCatalog& cat = catalogOf(state);
    const CatalogTable& t = cat.dm().T_FrnArt;
    const int elements = elementsOf(cat);
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
    BenchCatalog& cat = catalogOf(state);
    const CatalogTable& t = cat.dm().T_FrnArt;
    const int elements = elementsOf(cat);
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
    const CatalogTable& t = catalogOf(state).dm().T_FrnArt;
    const QString filter = QStringLiteral("WeightMin <= 55.00 and  WeightMax >= 55.00 and FalzLuft <> 12");
    for (auto _ : state)
        benchmark::DoNotOptimize(t.Filter(filter).size());
}

}  // namespace

BENCHMARK(BM_OpenCatalog)->ArgName("padded")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenFrnArt)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LocateArticle)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_LocateKitSide)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_FilterByElement)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_FilterByElementNewText)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_FilterWithoutElement)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    return qx::bench::RunBenchmarks(argc, argv);
}
