// order_bench.cpp — orders: building positions from their description (geometry, selection and
// pricing), saving and loading order files of 10 to 10 000 positions, repricing, and the memory a
// fresh process needs to load the largest of them.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "bench_data.h"
#include "catalog/demo_catalog.h"
#include "documents/order.h"
#include "documents/order_file.h"
#include "documents/order_json.h"

using namespace qx;

namespace {

const char* const kPeakLoadOption = "--qx_peak_load=";

// The padded catalog, installed: orders are built and priced in a supplier-sized catalog.
void installPaddedCatalog() {
    bench::BenchCatalog::Shared(bench::PaddedCatalogSize()).Install();
}

QTemporaryDir& scratch() {
    static std::unique_ptr<QTemporaryDir> dir;
    if (!dir) {
        dir = std::make_unique<QTemporaryDir>();
        bench::AtRelease([] { dir.reset(); });
    }
    return *dir;
}

QString orderFile(int positions) {
    return QDir(scratch().path()).filePath(QStringLiteral("bench-%1.qfo370").arg(positions));
}

// The synthetic order of `range(0)` positions (smaller in smoke mode) saved to its file.
TqxfOrder& savedOrder(benchmark::State& state, QString& file) {
    installPaddedCatalog();
    TqxfOrder& order = bench::SharedOrder(bench::Scaled(int(state.range(0))));
    file = orderFile(order.Count());
    if (!QFileInfo::exists(file) && !SaveOrderToFile(order, file)) state.SkipWithError("the order was not saved");
    return order;
}

// Range 0: 0 the demo catalog, 1 the padded one. One iteration builds all demo orders from their
// descriptions (already parsed); items are positions.
void BM_BuildOrder(benchmark::State& state) {
    bench::BenchCatalog::Shared(state.range(0) ? bench::PaddedCatalogSize() : bench::TCatalogSize{true, 0, 0})
        .Install();
    std::vector<QJsonObject> specs;
    for (const auto& [name, json] : DemoOrderFiles())
        specs.push_back(ParseOrderSpec(json));
    int positions = 0;
    for (auto _ : state) {
        std::vector<std::unique_ptr<TqxfOrder>> orders;
        for (const QJsonObject& spec : specs) {
            orders.push_back(std::make_unique<TqxfOrder>());
            BuildOrderFromSpec(*orders.back(), spec);
        }
        state.PauseTiming();
        positions = 0;
        for (const auto& order : orders)
            positions += order->Count();
        orders.clear();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * positions);
    state.counters["positions"] = positions;
    bench::Messages().FailOnMessage(state);
}

void BM_SaveOrder(benchmark::State& state) {
    QString file;
    TqxfOrder& order = savedOrder(state, file);
    const QString target = QDir(scratch().path()).filePath(QStringLiteral("save-%1.qfo370").arg(order.Count()));
    for (auto _ : state)
        if (!SaveOrderToFile(order, target)) state.SkipWithError("the order was not saved");
    const qint64 bytes = QFileInfo(target).size();
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes);
    state.counters["positions"] = order.Count();
    state.counters["file_MB"] = double(bytes) / 1e6;
    bench::Messages().FailOnMessage(state);
}

void BM_LoadOrder(benchmark::State& state) {
    QString file;
    const TqxfOrder& saved = savedOrder(state, file);
    int loaded = 0;
    for (auto _ : state) {
        auto order = std::make_unique<TqxfOrder>();
        bool converted = false;
        if (!LoadOrderFromFile(*order, file, converted)) state.SkipWithError("the order was not loaded");
        state.PauseTiming();
        loaded = order->Count();
        order.reset();
        state.ResumeTiming();
    }
    if (loaded != saved.Count()) state.SkipWithError("the loaded order has other positions");
    const qint64 bytes = QFileInfo(file).size();
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes);
    state.counters["positions"] = loaded;
    state.counters["file_MB"] = double(bytes) / 1e6;
    bench::Messages().FailOnMessage(state);
}

// TqxfOrder::Recalculate of every position (all included) in the order's own pricing context.
void BM_RepriceOrder(benchmark::State& state) {
    installPaddedCatalog();
    TqxfOrder& order = bench::SharedOrder(bench::Scaled(int(state.range(0))));
    PricingContextScope context(order);
    const Money total = order.OrderTotal();
    for (auto _ : state)
        if (!order.Recalculate()) state.SkipWithError("the order was not repriced");
    if (order.OrderTotal() != total) state.SkipWithError("repricing changed the order's total");
    state.SetItemsProcessed(int64_t(state.iterations()) * order.Count());
    state.counters["positions"] = order.Count();
    bench::Messages().FailOnMessage(state);
}

// "VmHWM" or "VmRSS" of this process, kB; -1 when the system does not tell.
long statusKb(const char* field) {
    FILE* f = std::fopen("/proc/self/status", "r");
    if (!f) return -1;
    char line[256];
    long kb = -1;
    const size_t n = std::strlen(field);
    while (std::fgets(line, sizeof line, f))
        if (std::strncmp(line, field, n) == 0 && line[n] == ':') {
            kb = std::strtol(line + n + 1, nullptr, 10);
            break;
        }
    std::fclose(f);
    return kb;
}

// The child: a fresh process that loads one order file and prints
// "<high-water mark before, kB> <high-water mark after, kB> <positions> <load ns>".
int peakLoadChild(int argc, char** argv, const QString& file) {
    QCoreApplication app(argc, argv);
    bench::BenchMessages messages;
    ScopedMessageHandler handler(messages);
    const long before = statusKb("VmHWM");
    long after = 0;
    int positions = 0;
    qint64 ns = 0;
    {
        TqxfOrder order;
        bool converted = false;
        QElapsedTimer timer;
        timer.start();
        const bool ok = LoadOrderFromFile(order, file, converted);
        ns = timer.nsecsElapsed();
        after = statusKb("VmHWM");
        if (!ok || !messages.Records.empty()) return 1;
        positions = order.Count();
    }
    std::printf("%ld %ld %d %lld\n", before, after, positions, static_cast<long long>(ns));
    return 0;
}

// The high-water mark of resident memory of a fresh process that loads the order file of
// `range(0)` positions; its time is the load's in that process.
void BM_LoadPeakMemory(benchmark::State& state) {
    QString file;
    const TqxfOrder& saved = savedOrder(state, file);
    for (auto _ : state) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QLatin1String(kPeakLoadOption) + file});
        if (!child.waitForFinished(300000) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
            state.SkipWithError("the loading process failed");
            break;
        }
        const QList<QByteArray> fields = child.readAllStandardOutput().simplified().split(' ');
        if (fields.size() != 4 || fields[2].toInt() != saved.Count()) {
            state.SkipWithError("the loading process gave no measurement");
            break;
        }
        const double before = fields[0].toDouble() / 1024, after = fields[1].toDouble() / 1024;
        state.SetIterationTime(fields[3].toDouble() / 1e9);
        state.counters["peak_MB"] = after;
        state.counters["before_MB"] = before;
        state.counters["load_MB"] = after - before;
    }
    state.counters["positions"] = saved.Count();
    state.counters["file_MB"] = double(QFileInfo(file).size()) / 1e6;
    bench::Messages().FailOnMessage(state);
}

}  // namespace

BENCHMARK(BM_BuildOrder)->ArgName("padded")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveOrder)->ArgName("positions")->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadOrder)->ArgName("positions")->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepriceOrder)->ArgName("positions")->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadPeakMemory)
    ->ArgName("positions")
    ->Arg(10000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (argc > 1 && std::strncmp(argv[1], kPeakLoadOption, std::strlen(kPeakLoadOption)) == 0)
        return peakLoadChild(argc, argv, QString::fromLocal8Bit(argv[1] + std::strlen(kPeakLoadOption)));
    return qx::bench::RunBenchmarks(argc, argv);
}
