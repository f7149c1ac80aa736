// registry_bench.cpp — the order registry of years of work (100 000 rows): registering an order,
// finding one by its number, and listing the table in each of its display orders.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>
#include <memory>
#include <optional>

#include "bench_data.h"
#include "documents/order.h"
#include "registry/order_registry.h"
#include "shell/paths.h"

using namespace qx;

namespace {

// The registry of the run: a data directory made the run's, its table filled once.
class Registry {
public:
    Registry() {
        const QString server = dir_.filePath(QStringLiteral("Server"));
        Paths().ServerDir = server;
        Paths().OrdersDir = server + QStringLiteral("/Orders");
        Paths().RegistryDir = server + QStringLiteral("/Registry");
        QDir().mkpath(Paths().OrdersDir);
        TqxfOrderRegistry::CreateIfMissing(Paths().RegistryDir);
        registry_ = std::make_unique<TqxfOrderRegistry>(Paths().RegistryDir);
        rows_ = bench::Scaled(100000, 1000);
        bench::FillRegistry(*registry_, rows_);
    }
    TqxfOrderRegistry& registry() { return *registry_; }
    int rows() const { return rows_; }

    static Registry& Shared() {
        static std::unique_ptr<Registry> registry;
        if (!registry) {
            registry = std::make_unique<Registry>();
            bench::AtRelease([] { registry.reset(); });
        }
        return *registry;
    }

private:
    QTemporaryDir dir_;
    std::unique_ptr<TqxfOrderRegistry> registry_;
    int rows_ = 0;
};

// An order header as the order window registers it.
void fillHeader(TqxfOrder& order, const QString& no) {
    order.No = no;
    order.Customer = QString::fromUtf8("Петров Сергей Иванович");
    order.ObjectName = QString::fromUtf8("Квартира, 3 окна и лоджия");
    order.Address = QString::fromUtf8("г. Заречный, ул. Садовая, д. 14, кв. 27");
    order.Phone = QStringLiteral("+7 900 123-45-67");
    order.Currency = 1;
}

// A never-saved order with a new number: the number is checked, then the row inserted. The row
// is taken out again outside the timing, so the table keeps its size.
void BM_RegisterNewOrder(benchmark::State& state) {
    Registry& reg = Registry::Shared();
    TqxfOrder order;
    int next = reg.rows() + 1;
    for (auto _ : state) {
        fillHeader(order, bench::RegistryNo(next));
        const QString file = QDir(Paths().OrdersDir).filePath(order.No + QStringLiteral(".qfo370"));
        if (!RegisterOrder(reg.registry(), order, file, QString(), true, true)) state.SkipWithError("not registered");
        state.PauseTiming();
        reg.registry().DeleteRow(reg.registry().RowIdOf(order.No));
        ++next;
        state.ResumeTiming();
    }
    state.counters["rows"] = reg.registry().Count();
    bench::Messages().FailOnMessage(state);
}

// A saved order saved again: its row is updated.
void BM_RegisterSavedOrder(benchmark::State& state) {
    Registry& reg = Registry::Shared();
    TqxfOrder order;
    int i = 0;
    for (auto _ : state) {
        fillHeader(order, bench::RegistryNo(1 + int((i++ * 7919LL) % reg.rows())));
        const QString file = QDir(Paths().OrdersDir).filePath(order.No + QStringLiteral(".qfo370"));
        if (!RegisterOrder(reg.registry(), order, file, order.No, false, true)) state.SkipWithError("not registered");
    }
    state.counters["rows"] = reg.registry().Count();
    bench::Messages().FailOnMessage(state);
}

// Range 0: 0 the number as registered, 1 in other letter case.
void BM_FindOrder(benchmark::State& state) {
    Registry& reg = Registry::Shared();
    int i = 0;
    for (auto _ : state) {
        QString no = bench::RegistryNo(1 + int((i++ * 7919LL) % reg.rows()));
        if (state.range(0)) no = no.toLower();
        const std::optional<TRegRow> row = reg.registry().Find(no);
        if (!row) state.SkipWithError("registered order not found");
        benchmark::DoNotOptimize(row);
    }
    state.counters["rows"] = reg.registry().Count();
}

// Range 0: the display order (number, date, customer, object).
void BM_ListSorted(benchmark::State& state) {
    Registry& reg = Registry::Shared();
    const auto order = static_cast<TRegSortOrder>(state.range(0));
    size_t rows = 0;
    for (auto _ : state)
        rows = reg.registry().List(order).size();
    state.counters["rows"] = double(rows);
}

}  // namespace

BENCHMARK(BM_RegisterNewOrder)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RegisterSavedOrder)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindOrder)->ArgName("othercase")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListSorted)->ArgName("order")->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return qx::bench::RunBenchmarks(argc, argv);
}
