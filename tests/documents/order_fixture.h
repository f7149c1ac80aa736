// order_fixture.h — a small priced catalog and orders whose positions carry ready kit items.
#pragma once
#include <QString>
#include <initializer_list>
#include <memory>

#include "construction/construction.h"
#include "construction/flugel.h"
#include "construction/furn_comp.h"
#include "documents/order.h"
#include "support/catalog_fixture.h"

namespace qx {

// Currency 1 has the rate 2.5, currency 2 the rate 1.25. Article A costs 10 in currency 1 with the
// price group 7 (-10 %): 18 in currency 2. B costs 4 in currency 2, no group. R is a rod priced
// per metre (3 in currency 2). System S has the base colour BC, system F the base colour FC.
inline const char* const kOrderCatalog = R"(
INSERT INTO Currency (ID, Name, Value) VALUES (1, 'Евро', 2.5);
INSERT INTO Currency (ID, Name, Value) VALUES (2, 'Рубль', 1.25);
INSERT INTO PriceGrp (GroupID, Name, Reduce_1) VALUES (7, 'Скидка', -10);
INSERT INTO Catalog (ID, Name, Price, Currency, PriceGrp) VALUES ('A', 'Петля', 10, 1, 7);
INSERT INTO Catalog (ID, Name, Price, Currency, PriceGrp) VALUES ('B', 'Ручка', 4, 2, 0);
INSERT INTO Catalog (ID, Name, Price, Currency, PriceGrp) VALUES ('R', 'Тяга', 3, 2, 0);
INSERT INTO SysList (ID, Name, BaseColor) VALUES ('S', 'Профиль', 'BC');
INSERT INTO SysList (ID, Name, BaseColor) VALUES ('F', 'Фурнитура', 'FC');
)";

// One kit item: article, count, length (mm, 0 for pieces).
struct ItemSpec {
    const char* Article;
    int Count;
    float Length = 0;
};

class OrderFixture : public CatalogFixture {
public:
    explicit OrderFixture(const QString& extraSql = QString())
        : CatalogFixture(QString::fromUtf8(kOrderCatalog) + extraSql) {}

    // An order in currency 2 with the catalog's rates.
    static void PriceInCurrency2(TqxfOrder& order) {
        order.Currencies = {{1, 2.5f}, {2, 1.25f}};
        order.Currency = 2;
    }

    // Appends a position of 700 × 1400 mm (two sashes of 700 each when `right` is given) whose
    // sashes carry kit K1 with the items, unpriced.
    static TqxfConstruction& AddPosition(TqxfOrder& order, const QString& posNo, int quantity,
                                         std::initializer_list<ItemSpec> left,
                                         std::initializer_list<ItemSpec> right = {}) {
        auto position = order.NewPosition();
        position->PosNo = posNo;
        position->PosName = QStringLiteral("Окно ") + posNo;
        position->Quantity = quantity;
        const bool two = right.size() > 0;
        position->FlugelMode = two ? kTwoSashesLeftActive : kOneSash;
        position->BuildGeometry(TSizeRec{two ? 1400 : 700, 1400, 0, 700, 700, 0, 0}, 200);
        giveItems(*position->Flugel1, left);
        if (two) giveItems(*position->Flugel2, right);
        return *order.AddPosition(std::move(position));
    }

private:
    static void giveItems(TqxfFlugel& sash, std::initializer_list<ItemSpec> items) {
        sash.FurnComp = std::make_unique<TqxfFurnComp>(&sash);
        sash.FurnComp->FurnSys = QStringLiteral("F");
        sash.FurnComp->ComplectID = QStringLiteral("K1");
        int side = 0;
        for (const ItemSpec& item : items)
            sash.FurnComp->AddItem(QString::fromLatin1(item.Article), QStringLiteral("K1"), QString(), false,
                                   item.Length, QString(), item.Count, ++side);
    }
};

}  // namespace qx
