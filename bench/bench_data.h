// bench_data.h — the synthetic data of the benchmarks: catalogs made of the demo catalog padded to a
// supplier's size, orders of any number of positions made of the demo orders, a filled order
// registry, and the common main of the benchmark programs (with the smoke mode of CI).
#pragma once
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <vector>

#include "catalog/data_module.h"
#include "common/messages.h"
#include "documents/order.h"
#include "registry/order_registry.h"

namespace benchmark {
class State;
}

namespace qx::bench {

// --- Smoke mode ---

// True when QX_BENCH_SMOKE is set: CI runs every benchmark once on small data, to keep them
// working; nothing is timed then.
bool SmokeMode();
// A size of the full run, or its smoke-mode stand-in (a fiftieth, at least `smallest`).
int Scaled(int full, int smallest = 10);

// --- Catalogs ---

// What a synthetic catalog holds: the demo catalog (or nothing) and padding up to the given row
// counts of the article and set-rule tables. Padding adds, per 20 article rows, one element of
// "PADE%06d" with its 20 articles (varied rebate, backset, weight, width and colour ranges), one
// price-list article per four article rows, and kits of "PADK%05d" with 20 set rules each and
// their four side limits. Padding never changes what the demo kits select.
struct TCatalogSize {
    bool Demo = true;
    int ArtRows = 0;  // FrnArt rows in all (the demo's own count when smaller)
    int SetRows = 0;  // FrnSet rows in all
};

// The size of the padded catalog of the performance table: 100 000 article rows, 20 000 set rules.
TCatalogSize PaddedCatalogSize();

// Padding rows per element and the element code of padding element `e`.
constexpr int kPadArticlesPerElement = 20;
QString PadElementCode(int e);

// Writes catalog.sqlite of the size into `directory` (made when missing); raises TqxfError.
void WriteCatalog(const QString& directory, const TCatalogSize& size);

// A catalog written into a temporary directory, with its data module connected and opened. The
// shared ones live until ReleaseShared() (called by RunBenchmarks before the application ends).
class BenchCatalog {
public:
    explicit BenchCatalog(const TCatalogSize& size);
    ~BenchCatalog();
    BenchCatalog(const BenchCatalog&) = delete;
    BenchCatalog& operator=(const BenchCatalog&) = delete;

    TDM& dm() { return *dm_; }
    QString Dir() const { return dir_.path(); }
    const TCatalogSize& Size() const { return size_; }
    // Makes this catalog DM() of the run.
    void Install() { SetDM(dm_.get()); }

    // One catalog per size for the whole program.
    static BenchCatalog& Shared(const TCatalogSize& size);
    // Frees the shared orders, then the shared catalogs.
    static void ReleaseShared();

private:
    TCatalogSize size_;
    QTemporaryDir dir_;
    std::unique_ptr<TDM> dm_;
};

// --- Orders ---

// The demo orders built from their descriptions in the installed catalog (geometry, selection and
// pricing of every position), in file order.
std::vector<std::unique_ptr<TqxfOrder>> BuildDemoOrders();
// The number of positions of all demo orders.
int DemoPositionCount();

// An order with the first demo order's header and `positions` positions copied in turn from the
// demo orders (numbered 00001, 00002, …), repriced in its own currency and rates.
std::unique_ptr<TqxfOrder> MakeOrder(int positions);
// One MakeOrder per size for the whole program (released with the shared catalogs); made in the
// catalog installed at its first call.
TqxfOrder& SharedOrder(int positions);

// --- Registry ---

// Inserts `rows` registry rows numbered "З-%06d" from `first` on, with customers, objects and
// dates spread as in years of work; one transaction.
void FillRegistry(TqxfOrderRegistry& registry, int rows, int first = 1);
// The number FillRegistry gives to row `i`.
QString RegistryNo(int i);

// --- Running ---

// A message handler that keeps what was shown; a benchmark that meets a message fails with it.
class BenchMessages : public RecordingMessageHandler {
public:
    // Skips the benchmark with the first message shown since the last check; true when one was.
    bool FailOnMessage(benchmark::State& state);
};
BenchMessages& Messages();

// Work to run when the benchmarks are done, before the shared data goes and while the
// application object still exists (a program's own connections and files), last added first.
void AtRelease(std::function<void()> release);

// The main of every benchmark program: the application object, the message handler, the
// benchmarks, then the shared data released. A program may handle its own first argument before
// (see order_bench's peak-memory child).
int RunBenchmarks(int argc, char** argv);

}  // namespace qx::bench
