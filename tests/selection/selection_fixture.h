// selection_fixture.h — a small catalog and one position to run the hardware selection on.
#pragma once
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "common/error.h"
#include "construction/construction.h"
#include "construction/flugel.h"
#include "construction/furn_comp.h"
#include "selection/hardware_selection.h"
#include "shell/setup.h"
#include "support/catalog_fixture.h"

namespace qx {

// Parameter codes of the base catalog: rebate 100 is 12/20-9, backset 200 is 15 mm, mullion 300 is
// type 1 and 302 type 2, opening 400 is type 0, 401 type 1, 402 a T-shaped sash. Kit K1
// "Основной комплект" has hand 1; element E1 "Элемент 1" has the article A-1.
inline const char* const kBaseCatalog = R"(
INSERT INTO ParamList (ID, Name, FalzLuft, FalzSize, FalzPos) VALUES (100, '12/20-9', 12, 20, 9);
INSERT INTO ParamList (ID, Name, FalzLuft, FalzSize, FalzPos) VALUES (101, '0/20-9', 0, 20, 9);
INSERT INTO ParamList (ID, Name, DornMass) VALUES (200, '15', 15);
INSERT INTO ParamList (ID, Name, DornMass) VALUES (201, '0', 0);
INSERT INTO ParamList (ID, Name, StulpType) VALUES (300, 'Штульп 1', 1);
INSERT INTO ParamList (ID, Name, StulpType) VALUES (302, 'Штульп 2', 2);
INSERT INTO ParamList (ID, Name, OpenType) VALUES (400, 'Обычная', 0);
INSERT INTO ParamList (ID, Name, OpenType) VALUES (401, 'Наружу', 1);
INSERT INTO ParamList (ID, Name, OpenType) VALUES (402, 'Т-образная', 2);
INSERT INTO FrnComp (ID, Name, Direct, TFlugelAvailable) VALUES ('K1', 'Основной комплект', 1, 1);
)";

inline const char* const kOneElement = R"(
INSERT INTO FrnSet (ID, Item, Number) VALUES ('K1', 'E1', 1);
INSERT INTO FrnItem (ID, Name) VALUES ('E1', 'Элемент 1');
INSERT INTO FrnArt (ID, CatalogID) VALUES ('E1', 'A-1');
)";

class SelectionFixture : public CatalogFixture {
  public:
    explicit SelectionFixture(const QString& sql = QString()) : CatalogFixture(QString::fromUtf8(kBaseCatalog) + sql) {
        Setup().DebugMode = false;
    }
    ~SelectionFixture() { Setup().DebugMode = false; }

    // The order's profile colours as the position reads them.
    struct OrderColors : TqxfOrderLink {
        QString Outer = QStringLiteral("OUT");
        QString Inner = QStringLiteral("IN");
        QString LinkOuterProfColor() const override { return Outer; }
        QString LinkInnerProfColor() const override { return Inner; }
    } Colors;

    std::unique_ptr<TqxfConstruction> Position;

    // A one-sash position of w × h mm; figure 7 is an arch springing at x from the top, a rectangle
    // with radii has an arched top side.
    TqxfFlugel& Window(int w, int h, uint8_t figure = 0, int x = 0, float r1 = 0, float r2 = 0) {
        newPosition(kOneSash);
        Position->BuildGeometry(TSizeRec{w, h, figure, x, 0, r1, r2}, 200);
        return *Position->Flugel1;
    }

    // Two sashes side by side, left active (mode 0) or right active (mode 1).
    TqxfConstruction& TwoSashes(int left, int right, int h, uint8_t mode = kTwoSashesLeftActive,
                                int32_t stulpType = 300) {
        newPosition(mode);
        Position->StulpType = stulpType;
        Position->BuildGeometry(TSizeRec{left + right, h, 0, left, right, 0, 0}, 200);
        return *Position;
    }

    // Gives the sash a kit record with a main kit and colour, items empty.
    static TqxfFurnComp& Kit(TqxfFlugel& sash, const QString& complectID = QStringLiteral("K1")) {
        sash.FurnComp = std::make_unique<TqxfFurnComp>(&sash);
        TqxfFurnComp& kit = *sash.FurnComp;
        kit.FurnSys = QStringLiteral("110");
        kit.ProfSys = QStringLiteral("KS");
        kit.Color = QStringLiteral("HW");
        kit.ComplectID = complectID;
        return kit;
    }

    // Recalculates the items of the sash's kit record (a record of K1 when it has none): the items
    // are emptied, the selection runs, and a failed selection leaves none.
    TqxfFurnComp& Select(TqxfFlugel& sash) {
        if (!sash.FurnComp) Kit(sash);
        sash.FurnComp->Calculate();
        return *sash.FurnComp;
    }

    // The items as "article xcount", in list order.
    static QStringList Items(const TqxfFurnComp& kit) {
        QStringList out;
        for (const auto& item : kit.Items)
            out << item->Article + QStringLiteral(" x") + QString::number(item->Count);
        return out;
    }
    // The items with every field the selection sets.
    static QStringList ItemDetails(const TqxfFurnComp& kit) {
        QStringList out;
        for (const auto& i : kit.Items)
            out << QStringLiteral("%1 x%2 kit=%3 side=%4 len=%5 note=%6 origin=%7")
                       .arg(i->Article)
                       .arg(i->Count)
                       .arg(i->ComplectID)
                       .arg(i->SideNo)
                       .arg(static_cast<double>(i->Length))
                       .arg(i->Note, i->Origin);
        return out;
    }

    // The message of the error the call raises; empty when it raises none.
    static QString ErrorOf(const std::function<void()>& call) {
        try {
            call();
        } catch (const TqxfError& e) {
            return e.Message;
        }
        return QString();
    }

  private:
    void newPosition(uint8_t mode) {
        Position = std::make_unique<TqxfConstruction>(nullptr, &Colors);
        Position->FlugelMode = mode;
        Position->Falz = 100;
        Position->StulpType = 300;
        Position->OpenType = 400;
        Position->ProfWidth = 60;
        Position->ProfThickness = 70;
    }
};

}  // namespace qx
