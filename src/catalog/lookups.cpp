// lookups.cpp — single questions to the catalog tables; each leaves its table on the row it found.
#include "catalog/lookups.h"

#include "catalog/data_module.h"
#include "common/error.h"
#include "common/format.h"

namespace qx {

namespace {

// Locates a row and makes it the table's current row; -1 (cursor unchanged) when there is none.
int locate(const CatalogTable& table, const QString& columns, const QVariantList& values) {
    const int row = table.Locate(columns, values);
    if (row >= 0) table.SetCurrent(row);
    return row;
}

int findArticleRow(const QString& code) {
    return locate(DM().T_Catalog, QStringLiteral("ID"), {code});
}
int findKitRow(const QString& kit) {
    return locate(DM().T_FrnComp, QStringLiteral("ID"), {kit});
}
int findSystemRow(const QString& system) {
    return locate(DM().T_SysList, QStringLiteral("ID"), {system});
}

[[noreturn]] void articleMissing(const QString& code, const char* field) {
    throw TqxfError(Format("В каталоге отсутствуют данные для [%s]!\r\n(Поиск [%s] через [Код])", code, field));
}

const char* const kMakerArticle = "Артикул производителя";

}  // namespace

// --- Articles ---

bool FindArticle(const QString& code) {
    return findArticleRow(code) >= 0;
}

QString GetMakerArticle(const QString& code, int mode, bool silent) {
    const int row = findArticleRow(code);
    if (row < 0) {
        if (silent) return {};
        articleMissing(code, kMakerArticle);
    }
    const CatalogTable& t = DM().T_Catalog;
    switch (mode) {
        case 0:
            return t.Int(row, "UseArticle") == 2 ? t.Text(row, "ProdArticle2") : t.Text(row, "ProdArticle");
        case 1:
            return t.Text(row, "ProdArticle");
        case 2:
            return t.Text(row, "ProdArticle2");
        default:
            return {};
    }
}

TArticleInfo GetArticleInfo(const QString& code, bool silent) {
    TArticleInfo info;
    const int row = findArticleRow(code);
    if (row < 0) {
        if (silent) return info;
        articleMissing(code, kMakerArticle);
    }
    const CatalogTable& t = DM().T_Catalog;
    info.ProdArticle = t.Text(row, "ProdArticle");
    info.ProdArticle2 = t.Text(row, "ProdArticle2");
    info.Name = t.Text(row, "Name");
    info.Unit = t.Text(row, "Unit");
    return info;
}

QString GetArticleUnit(const QString& code) {
    const int row = findArticleRow(code);
    if (row < 0) articleMissing(code, "Ед.изм");
    return DM().T_Catalog.Text(row, "Unit");
}

QString GetArticleName(const QString& code, bool silent) {
    const int row = findArticleRow(code);
    if (row < 0) {
        if (silent) return {};
        articleMissing(code, "Наименование");
    }
    return DM().T_Catalog.Text(row, "Name");
}

QVariant GetCatalogValue(const QString& code, const QString& column, bool silent) {
    if (code.isEmpty() || column.isEmpty()) return QVariant(QString());
    const int row = findArticleRow(code);
    if (row < 0) {
        if (silent) return QVariant(QString());
        throw TqxfError(Format("В каталоге не найден материал с кодом [%s]!", code));
    }
    const CatalogTable& t = DM().T_Catalog;
    if (!t.HasColumn(column)) return QVariant(QString());
    return t.Value(row, column);
}

bool IsVirtualArticle(const QString& code) {
    if (code.isEmpty()) return false;
    const int row = findArticleRow(code);
    return row >= 0 && DM().T_Catalog.Int(row, "Virtual") == 1;
}

// --- Kits ---

bool KitExists(const QString& kit) {
    return findKitRow(kit) >= 0;
}

QString GetKitName(const QString& kit) {
    const int row = findKitRow(kit);
    if (row < 0) throw TqxfError(Format("В БД комплектов фурнитур отсутствуют\r\nданные для комплекта [%s]", kit));
    return DM().T_FrnComp.Text(row, "Name");
}

bool TryGetKitName(const QString& kit, QString& name) {
    const int row = findKitRow(kit);
    name = row >= 0 ? DM().T_FrnComp.Text(row, "Name") : QString();
    return row >= 0;
}

QString GetKitPrintName(const QString& kit, bool& printable) {
    const int row = findKitRow(kit);
    if (row < 0) {
        printable = false;
        return {};
    }
    printable = DM().T_FrnComp.Int(row, "Printable") == 1;
    return DM().T_FrnComp.Text(row, "PrintName");
}

int GetKitGroup(const QString& kit) {
    const int row = findKitRow(kit);
    return row >= 0 ? int(DM().T_FrnComp.Int(row, "Group")) : 0;
}

int32_t GetKitColor(const QString& kit) {
    const int row = findKitRow(kit);
    return row >= 0 ? int32_t(DM().T_FrnComp.Int(row, "ScrColor")) : 16777215;
}

int GetKitImage(const QString& kit) {
    const int row = findKitRow(kit);
    return row >= 0 ? int(DM().T_FrnComp.Int(row, "Image")) : 0;
}

int GetSideHandleDirect(const QString& kit, int side) {
    const int row = locate(DM().T_FrnSide, QStringLiteral("ID;Side"), {kit, side});
    return row >= 0 ? int(DM().T_FrnSide.Int(row, "HandleDirect")) : 0;
}

// --- Systems, colours, keeper systems ---

int32_t GetSystemGroup(const QString& system, bool silent) {
    const int row = findSystemRow(system);
    if (row < 0) {
        if (silent) return 0;
        throw TqxfError(Format("В БД отсутствуют данные для системы [%s]!", system));
    }
    return int32_t(DM().T_SysList.Int(row, "CommonGrp"));
}

QString GetSystemName(const QString& system) {
    const int row = findSystemRow(system);
    return row >= 0 ? DM().T_SysList.Text(row, "Name") : QString();
}

QString GetSystemBaseColor(const QString& system) {
    const int row = findSystemRow(system);
    return row >= 0 ? DM().T_SysList.Text(row, "BaseColor") : QString();
}

QString GetKeeperSystemName(const QString& keeperSystem) {
    const int row = locate(DM().T_SysProf, QStringLiteral("SchlSysID"), {keeperSystem});
    return row >= 0 ? DM().T_SysProf.Text(row, "Name") : QString();
}

QString GetColorName(const QString& colour) {
    if (colour.isEmpty()) return {};
    const int row = locate(DM().T_Color, QStringLiteral("Color"), {colour});
    return row >= 0 ? DM().T_Color.Text(row, "Name") : QString();
}

// --- Parameter lists ---

namespace {

int findParam(const CatalogTable& list, int code, bool silent, const char* message) {
    const int row = locate(list, QStringLiteral("ID"), {code});
    if (row < 0 && !silent) throw TqxfError(Format(QString::fromUtf8(message), code));
    return row;
}

QString paramName(const CatalogTable& list, int code) {
    const int row = locate(list, QStringLiteral("ID"), {code});
    return row >= 0 ? list.Text(row, "Name") : QString();
}

}  // namespace

TFalzParams GetFalzParams(int code, bool silent) {
    TFalzParams p;
    const CatalogTable& t = DM().T_FalzList;
    const int row = findParam(t, code, silent, "В БД параметров фальца отсутствуют данные для кода [%d]!");
    if (row >= 0) {
        p.FalzLuft = int32_t(t.Int(row, "FalzLuft"));
        p.FalzSize = int32_t(t.Int(row, "FalzSize"));
        p.FalzPos = int32_t(t.Int(row, "FalzPos"));
    }
    return p;
}

float GetDornMass(int code, bool silent) {
    const CatalogTable& t = DM().T_DornList;
    const int row = findParam(t, code, silent, "В БД параметров дорнмасса отсутствуют данные для кода [%d]!");
    return row >= 0 ? float(t.Real(row, "DornMass")) : 0.0f;
}

uint8_t GetStulpType(int code, bool silent) {
    const CatalogTable& t = DM().T_StulpList;
    const int row = findParam(t, code, silent, "В БД типов штульпа отсутствуют данные для кода [%d]!");
    return row >= 0 ? uint8_t(t.Int(row, "StulpType")) : 0;
}

uint8_t GetOpenType(int code, bool silent) {
    const CatalogTable& t = DM().T_OpenList;
    const int row = findParam(t, code, silent, "В БД типов открываний створок отсутствуют данные для кода [%d]!");
    return row >= 0 ? uint8_t(t.Int(row, "OpenType")) : 0;
}

QString GetFalzName(int code) {
    return paramName(DM().T_FalzList, code);
}
QString GetDornName(int code) {
    return paramName(DM().T_DornList, code);
}
QString GetStulpName(int code) {
    return paramName(DM().T_StulpList, code);
}
QString GetOpenName(int code) {
    return paramName(DM().T_OpenList, code);
}

// --- Currencies and price groups ---

QString GetCurrencyName(int id) {
    const int row = locate(DM().T_Currency, QStringLiteral("ID"), {id});
    return row >= 0 ? DM().T_Currency.Text(row, "Name") : QString();
}

int GetCurrencyDecimals(int id) {
    const int row = locate(DM().T_Currency, QStringLiteral("ID"), {id});
    return row >= 0 ? int(DM().T_Currency.Int(row, "Dec")) : 2;
}

bool GetCurrencyWords(int id, TCurrencyWords& words) {
    const CatalogTable& t = DM().T_Currency;
    const int row = locate(t, QStringLiteral("ID"), {id});
    if (row < 0) return false;
    words.Nominative = t.Text(row, "Nominative");
    words.Genitive = t.Text(row, "Genitive");
    words.GenitivePlural = t.Text(row, "GenitivePlural");
    words.Gender = uint8_t(t.Int(row, "Gender"));
    words.Dec = int(t.Int(row, "Dec"));
    return true;
}

int FindRateIndex(const TqxfCurrencyList* list, int id) {
    if (!list) return -1;
    for (size_t i = 0; i < list->size(); ++i)
        if ((*list)[i].ID == id) return int(i);
    return -1;
}

double GetPriceGroupReduce(int group, int column) {
    const CatalogTable& t = DM().T_PriceGrp;
    const int row = locate(t, QStringLiteral("GroupID"), {group});
    if (row < 0) throw TqxfError(Format("В каталоге ценовых групп отсутствуют данные для группы [%d]!", group));
    return t.Real(row, QStringLiteral("Reduce_") + QString::number(column + 1));
}

// --- Properties ---

bool MatchProperties(int32_t propKey, const QStringList& propertyList, int slot) {
    const CatalogTable& t = DM().T_FrnProp;
    if (locate(t, QStringLiteral("PropKey"), {propKey}) < 0) return true;
    const QString digit = QString::number(slot);
    for (const QString& entry : propertyList) {
        if (entry.left(1) != digit || digit.size() != 1) continue;
        bool ok = false;
        const int value = entry.mid(2).toInt(&ok);
        if (!ok)
            throw TqxfError(
                Format("Неверное значение свойства [%s] в списке свойств комплекта: ожидается число!", entry));
        if (locate(t, QStringLiteral("PropKey;ID"), {propKey, value}) >= 0) continue;
        const int base = (value >= 0 ? value / 10 : -((-value + 9) / 10)) * 10;  // rounded down to tens
        if (t.FilterCount(FormatDot("PropKey = %d and ID >= %d and ID < %d", propKey, base, base + 10)) > 0)
            return false;
    }
    return true;
}

}  // namespace qx
