// selection_bench.cpp — the hardware selection of a sash: every sash of the demo orders selected
// again, in the demo catalog and in the same catalog padded to 100 000 article rows and 20 000 set
// rules (the time per sash should not grow with the catalog).
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "bench_data.h"
#include "construction/construction.h"
#include "construction/furn_comp.h"
#include "documents/order.h"

using namespace qx;

namespace {

// Range 0: 0 the demo catalog, 1 the padded one. One iteration selects every kit of the demo
// orders once; items are sashes.
void BM_SelectSash(benchmark::State& state) {
    bench::BenchCatalog& catalog =
        bench::BenchCatalog::Shared(state.range(0) ? bench::PaddedCatalogSize() : bench::TCatalogSize{true, 0, 0});
    catalog.Install();
    const std::vector<std::unique_ptr<TqxfOrder>> orders = bench::BuildDemoOrders();
    std::vector<TqxfFurnComp*> kits;
    size_t items = 0;
    for (const auto& order : orders)
        for (int i = 0; i < order->Count(); ++i)
            for (TqxfFurnComp* kit = order->Positions(i)->FirstKit(); kit; kit = order->Positions(i)->NextKit()) {
                kits.push_back(kit);
                items += kit->Items.size();
            }
    if (kits.empty()) state.SkipWithError("the demo orders hold no kit");
    for (auto _ : state)
        for (TqxfFurnComp* kit : kits) {
            kit->Calculate();
            benchmark::DoNotOptimize(kit->Items.size());
        }
    // The selection must give what the orders were built with.
    size_t again = 0;
    for (TqxfFurnComp* kit : kits)
        again += kit->Items.size();
    if (again != items) state.SkipWithError("a repeated selection gave other items");
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(kits.size()));
    state.counters["sashes"] = double(kits.size());
    state.counters["items/sash"] = double(items) / double(std::max<size_t>(kits.size(), 1));
    state.counters["FrnArt"] = catalog.dm().T_FrnArt.RowCount();
    bench::Messages().FailOnMessage(state);
}

}  // namespace

BENCHMARK(BM_SelectSash)->ArgName("padded")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    return qx::bench::RunBenchmarks(argc, argv);
}
