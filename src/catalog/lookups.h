// lookups.h — the small questions every part asks the catalog: names, units, maker articles,
// kits, systems, colours, parameter codes, currencies, price groups and property sets.
// Each leaves the table's shared cursor on the row it found. Non-silent lookups of a missing
// key raise TqxfError with the system's message naming the key.
#pragma once
#include <QString>
#include <QStringList>
#include <QVariant>
#include <cstdint>

#include "catalog/currency_item.h"
#include "common/amount_in_words.h"

namespace qx {

// --- Articles (Catalog, located by ID) ---
bool FindArticle(const QString& code);
QString GetMakerArticle(const QString& code, int mode, bool silent);
struct TArticleInfo {
    QString ProdArticle, ProdArticle2, Name, Unit;
};
TArticleInfo GetArticleInfo(const QString& code, bool silent);
QString GetArticleUnit(const QString& code);  // always raises for a missing article
QString GetArticleName(const QString& code, bool silent);
// The untyped value of a column; empty when the code or column name is empty or the table lacks the column.
QVariant GetCatalogValue(const QString& code, const QString& column, bool silent);
bool IsVirtualArticle(const QString& code);

// --- Kits (FrnComp, by ID) ---
bool KitExists(const QString& kit);
QString GetKitName(const QString& kit);  // raises for a missing kit
bool TryGetKitName(const QString& kit, QString& name);
QString GetKitPrintName(const QString& kit, bool& printable);
int GetKitGroup(const QString& kit);
int32_t GetKitColor(const QString& kit);                // ScrColor; 16777215 when missing
int GetKitImage(const QString& kit);                    // Image; 0 when missing
int GetSideHandleDirect(const QString& kit, int side);  // FrnSide "ID;Side" HandleDirect; 0 when missing

// --- Systems, colours, keeper systems ---
int32_t GetSystemGroup(const QString& system, bool silent);
QString GetSystemName(const QString& system);
QString GetSystemBaseColor(const QString& system);
QString GetKeeperSystemName(const QString& keeperSystem);
QString GetColorName(const QString& colour);

// --- Parameter lists (ParamList through the four filtered objects); outputs set to 0 first ---
struct TFalzParams {
    int32_t FalzLuft = 0, FalzSize = 0, FalzPos = 0;
};
TFalzParams GetFalzParams(int code, bool silent);
float GetDornMass(int code, bool silent);
uint8_t GetStulpType(int code, bool silent);
uint8_t GetOpenType(int code, bool silent);
QString GetFalzName(int code);
QString GetDornName(int code);
QString GetStulpName(int code);
QString GetOpenName(int code);

// --- Currencies and price groups ---
QString GetCurrencyName(int id);
int GetCurrencyDecimals(int id);  // 2 when missing
// Fills Nominative, Genitive, GenitivePlural, Gender and Dec; false (record unchanged) when missing.
bool GetCurrencyWords(int id, TCurrencyWords& words);
int FindRateIndex(const TqxfCurrencyList* list, int id);  // -1 when no list or no item
// Column "Reduce_" + (column + 1) of the PriceGrp row with GroupID = group; raises for a missing group.
double GetPriceGroupReduce(int group, int column);

// --- Properties ---
// Whether property set propKey admits the property lines chosen for kit slot `slot`.
bool MatchProperties(int32_t propKey, const QStringList& propertyList, int slot);

}  // namespace qx
