// selection_bench.cpp — the hardware selection of one sash on a realistic kit, in a small catalog
// and in the same catalog padded with unrelated article rows.
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

namespace {

using namespace qx;

// A tilt-and-turn kit of 50 set rules over 25 elements: gears by height ranges, stays by width,
// corner drives by rebate, middle locks scaled by height, cut rods with length formulas, hinges in
// the hardware colour; articles with keepers, covers and accessories.
QString kitCatalog() {
    QStringList sql;
    sql << QStringLiteral(
        "INSERT INTO ParamList (ID, Name, FalzLuft, FalzSize, FalzPos) VALUES (100, '12/20-9', 12, 20, 9);"
        "INSERT INTO ParamList (ID, Name, DornMass) VALUES (200, '15', 15);"
        "INSERT INTO ParamList (ID, Name, StulpType) VALUES (300, 'Штульп', 1);"
        "INSERT INTO ParamList (ID, Name, OpenType) VALUES (400, 'Обычная', 0);"
        "INSERT INTO FrnComp (ID, Name, Direct, TFlugelAvailable) VALUES ('K1', 'Поворотно-откидной', 1, 1);"
        "INSERT INTO FrnProp (PropKey, ID) VALUES (5, 101), (5, 102);");
    for (int e = 1; e <= 25; ++e) {
        const QString element = QStringLiteral("E%1").arg(e, 2, 10, QLatin1Char('0'));
        const int kind = e % 5;
        // Element flags: rebate, backset, colour or keeper system by kind.
        sql << QStringLiteral(
                   "INSERT INTO FrnItem (ID, Name, HasFalzLuft, HasDornMass, HasColor, CheckDirect) "
                   "VALUES ('%1', 'Элемент %1', %2, %3, %4, 1);")
                   .arg(element)
                   .arg(kind == 0 || kind == 1 ? 1 : 0)
                   .arg(kind == 2 ? 1 : 0)
                   .arg(kind == 3 ? 1 : 0);
        // Six articles per element by height range, each for both hands and (for colour) two colours.
        for (int a = 0; a < 6; ++a) {
            const int low = 30 + a * 40, high = low + 39;
            for (const char* colour : {"HW", "BR"}) {
                sql << QStringLiteral(
                           "INSERT INTO FrnArt (ID, CatalogID, FFHMin, FFHMax, FFBMin, FFBMax, FFL1Min, FFL1Max, "
                           "FalzLuft, DornMassMin, DornMassMax, Color, Direct) VALUES ('%1', '%1-%2%3', %4, %5, %4, "
                           "%5, %6, %7, 12, 15, 15, '%8', 3);")
                           .arg(element)
                           .arg(a)
                           .arg(QLatin1String(colour))
                           .arg(low)
                           .arg(high)
                           .arg(low * 10)
                           .arg(high * 10 + 9)
                           .arg(QLatin1String(kind == 3 ? colour : ""));
                if (kind != 3) break;
            }
        }
        // Two rules per element: one fits the sash, the other one is outside its size.
        const int condition = kind == 4 ? 4 : (kind == 1 ? 1 : 2);
        sql << QStringLiteral(
                   "INSERT INTO FrnSet (ID, Item, Number, Condition, Side1No, FFHMin, FFHMax, ScaleCondition, "
                   "ScaleStart, ScaleStep, ScaleNum, UseLen, LenFormula, MinLen, PropKey, Required, Note) VALUES "
                   "('K1', '%1', 1, %2, 1, 40, 180, %3, 80, 50, 1, %4, 'FFH - 130', 100, %5, 1, 'основной');")
                   .arg(element)
                   .arg(condition)
                   .arg(e % 7 == 0 ? 2 : 0)
                   .arg(e % 6 == 0 ? 1 : 0)
                   .arg(e % 4 == 0 ? 5 : 0);
        sql << QStringLiteral(
                   "INSERT INTO FrnSet (ID, Item, Number, Condition, FFHMin, FFHMax, Required) VALUES "
                   "('K1', '%1', 1, 2, 181, 240, 1);")
                   .arg(element);
    }
    // Keepers for the gears and corner drives, resolved by rebate and keeper system.
    for (int k = 1; k <= 4; ++k) {
        sql << QStringLiteral(
                   "INSERT INTO FrnItem (ID, Name, HasFalzLuft, HasProfSys, CommonGrp) VALUES ('S%1', 'Планка %1', "
                   "1, 1, 110);")
                   .arg(k);
        for (int v = 0; v < 4; ++v)
            sql << QStringLiteral(
                       "INSERT INTO FrnArt (ID, CatalogID, FalzLuft, ProfSys) VALUES ('S%1', 'S%1-%2', %3, 'KS');")
                       .arg(k)
                       .arg(v)
                       .arg(9 + v);
    }
    for (int e = 1; e <= 25; e += 3)
        for (int a = 0; a < 6; ++a)
            sql << QStringLiteral(
                       "INSERT INTO FrnSchl (CatalogID, Item, Number, StulpType, PropKey, ItemSideNo, "
                       "ItemComplectID) VALUES ('E%1-%2', 'S%3', 1, 0, 0, 0, '');")
                       .arg(e, 2, 10, QLatin1Char('0'))
                       .arg(a)
                       .arg(1 + e % 4);
    // Covers in two colours and accessories for the hinges.
    for (int e = 2; e <= 25; e += 5)
        for (int a = 0; a < 6; ++a) {
            const QString art = QStringLiteral("E%1-%2").arg(e, 2, 10, QLatin1Char('0')).arg(a);
            sql << QStringLiteral(
                       "INSERT INTO FrnAbd (CatalogID, Color, AccessoryID, Number, ItemSideNo) VALUES ('%1', 'HW', "
                       "'COV-HW', 1, 0), ('%1', '', 'COV', 1, 0);")
                       .arg(art);
            sql << QStringLiteral(
                       "INSERT INTO FrnDop (CatalogID, AccessoryID, Number, PropKey, StulpType, ItemSideNo, "
                       "ItemComplectID) VALUES ('%1', 'SCREW', 4, 0, 0, 0, '');")
                       .arg(art);
        }
    return sql.join(QLatin1Char('\n'));
}

// 100 000 article rows of 5 000 other elements.
const char* const kPadding =
    "INSERT INTO FrnArt (ID, CatalogID, FFHMin, FFHMax, FalzLuft, Color) "
    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 100000) "
    "SELECT 'PAD' || (i % 5000), 'PADART' || i, 0, 9999, 12, '' FROM n;";

class Catalog {
  public:
    explicit Catalog(bool padded) {
        CreateDatabase(DatabaseKind::Catalog, dir_.path());
        dm_.Connect(dir_.path(), QString(), QString());
        ExecSqlScript(dm_.CatalogDb(), kitCatalog());
        if (padded) ExecSqlScript(dm_.CatalogDb(), QString::fromLatin1(kPadding));
        dm_.OpenCatalogTables();
        SetDM(&dm_);
    }
    ~Catalog() { SetDM(nullptr); }

  private:
    QTemporaryDir dir_;
    TDM dm_;
};

void selectOneSash(benchmark::State& state, bool padded) {
    ConsoleMessageHandler quiet;
    ScopedMessageHandler handler(quiet);
    Catalog catalog(padded);
    TqxfConstruction position;
    position.Falz = 100;
    position.StulpType = 300;
    position.OpenType = 400;
    position.ProfThickness = 70;
    position.BuildGeometry(TSizeRec{800, 1400, 0, 0, 0, 0, 0}, 200);
    TqxfFlugel& sash = *position.Flugel1;
    sash.FurnComp = std::make_unique<TqxfFurnComp>(&sash);
    TqxfFurnComp& kit = *sash.FurnComp;
    kit.FurnSys = QStringLiteral("110");
    kit.ProfSys = QStringLiteral("KS");
    kit.Color = QStringLiteral("HW");
    kit.ComplectID = QStringLiteral("K1");
    kit.Props = QStringList{QStringLiteral("0=101")};
    kit.Calculate();  // warms the indexes and parsed filters
    for (auto _ : state) {
        kit.Calculate();
        benchmark::DoNotOptimize(kit.Items.size());
    }
    state.counters["items"] = static_cast<double>(kit.Items.size());
}

void BM_SelectSash(benchmark::State& state) {
    selectOneSash(state, false);
}
void BM_SelectSashPaddedCatalog(benchmark::State& state) {
    selectOneSash(state, true);
}

BENCHMARK(BM_SelectSash)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SelectSashPaddedCatalog)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
