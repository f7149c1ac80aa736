// report_data.cpp — the report data module's record sources, variables, user functions and sketch binding.
#include "reports/report_data.h"

#include <QFileInfo>
#include <QSet>
#include <charconv>
#include <cstdlib>
#include <functional>
#include <optional>

#include "catalog/data_module.h"
#include "catalog/lookups.h"
#include "common/amount_in_words.h"
#include "common/datetime.h"
#include "common/error.h"
#include "common/file_utils.h"
#include "common/format.h"
#include "common/messages.h"
#include "common/text_utils.h"
#include "construction/construction.h"
#include "construction/flugel.h"
#include "construction/furn_comp.h"
#include "documents/order.h"
#include "documents/order_selection.h"
#include "reports/sketch_object.h"
#include "reports/template_engine.h"
#include "shell/paths.h"
#include "shell/setup.h"

namespace qx {

namespace {

// A single-precision value as the shortest decimal that reads back as the same single (0.6, not
// 0.6000000238): quantities and rates are stored as singles.
ExprValue singleValue(float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer - 1, value);
    *result.ptr = '\0';
    return ExprValue::Number(std::strtold(buffer, nullptr));
}

ExprValue moneyValue(Money value) {
    return ExprValue::Number(value.Units());
}

ExprValue integerValue(int64_t value) {
    return ExprValue::Number(static_cast<long double>(value));
}

ExprValue textValue(const QString& value) {
    return ExprValue::Text(value);
}

ExprValue dateValue(TDateTime value, bool set = true) {
    return ExprValue::Text(set && value != 0 ? FormatShortDate(value) : QString());
}

// A table value with its own type.
ExprValue variantValue(const QVariant& value) {
    if (!value.isValid() || value.isNull()) return ExprValue::Null();
    switch (value.typeId()) {
        case QMetaType::Bool:
            return ExprValue::Boolean(value.toBool());
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::ULong:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
            return ExprValue::Number(static_cast<long double>(value.toLongLong()));
        case QMetaType::Float:
            return singleValue(value.toFloat());
        case QMetaType::Double:
            return ExprValue::Number(static_cast<long double>(value.toDouble()));
        default:
            return ExprValue::Text(value.toString());
    }
}

// A catalog field of an article, silent: empty when the article or the field is missing.
ExprValue catalogField(const QString& code, const QString& field) {
    return variantValue(GetCatalogValue(code, field, true));
}

// The value of a row's field as text, or nullopt when the table has no such field.
std::optional<QString> fieldText(const CatalogTable& table, int row, const QString& field) {
    if (!table.HasColumn(field)) return std::nullopt;
    return variantValue(table.Value(row, field)).toText();
}

// The words of a ";"-list: an empty text has none; adjacent separators enclose an empty word.
QStringList listWords(const QString& text) {
    if (text.isEmpty()) return {};
    return text.split(QLatin1Char(';'), Qt::KeepEmptyParts);
}

// The evaluated argument as text; a fault while evaluating gives an empty text.
QString argumentText(const ExprArgs& args, int i) {
    try {
        return args.value(i).toText();
    } catch (const TqxfError&) {
        return QString();
    }
}

int locateRow(const CatalogTable& table, const QString& column, const QString& key) {
    if (key.isEmpty()) return -1;
    const int row = table.Locate(column, {QVariant(key)});
    if (row >= 0) table.SetCurrent(row);
    return row;
}

const QSet<QString>& moduleVariables() {
    static const QSet<QString> names = {
        // firm
        "_QXF_CONFIGNAME", "_QXF_FIRMNAME", "_QXF_ADDRESS", "_QXF_JUSTADDRESS", "_QXF_ZIPCODE", "_QXF_PHONE_1",
        "_QXF_PHONE_2", "_QXF_PHONE_3", "_QXF_FAX", "_QXF_PHONES", "_QXF_EMAIL", "_QXF_INTERNET", "_QXF_INN",
        "_QXF_ACCOUNT", "_QXF_DIRECTOR", "_QXF_BOOKKEEPER",
        // order
        "_ORDER_NO", "_ORDER_ALTNO", "_ORDER_CUSTOMER", "_ORDER_OBJ", "_ORDER_ADDRESS", "_ORDER_PHONE", "_ORDER_REMARK",
        "_ORDER_DATE", "_ORDER_FURNSYS", "_ORDER_FURNCOLOR", "_ORDER_PROFSYS", "_ORDER_PRICEGROUPNO",
        "_ORDER_GETTOTALNDS", "_ORDER_SHOWINCLUDENDS", "_ORDER_NDSTAX", "_ORDER_CURRENCY", "_ORDER_SUM", "_ORDER_NDS",
        "_ORDER_TOTAL",
        // selection
        "_SEL_NO", "_SEL_DATE", "_SEL_NAME", "_SEL_NOTE", "_SEL_ORDERLIST", "_SEL_PRICEGROUPNO", "_SEL_NDSTAX",
        "_SEL_CURRENCY",
        // position
        "_POS_ORDERNO", "_POS_NO", "_POS_NAME", "_POS_NUMBER", "_POS_OBJECTTYPE", "_POS_NOTE", "_POS_PROFSYS",
        "_POS_FURNSYS", "_POS_COLOR", "_POS_WIDTH", "_POS_HEIGHT", "_POS_PRICE", "_POS_COST",
        // material row
        "_OMS_ID", "_OMS_ARTICLE", "_OMS_PRODARTICLE", "_OMS_PRODARTICLE1", "_OMS_PRODARTICLE2", "_OMS_PRODARTICLE3",
        "_OMS_NAME", "_OMS_UNIT", "_OMS_NUMBER", "_OMS_PRICE", "_OMS_COST",
        // kit
        "_CFCS_FALZSIZE_WIDTH", "_CFCS_FALZSIZE_HEIGHT", "_CFCS_HANDLEHEIGHT", "_CFCS_FURNSYS", "_CFCS_PROFSYS",
        "_CFCS_FURNCOLOR", "_CFCS_COMPLECTNAME", "_CFCS_PRINTABLE", "_CFCS_PROPERTY", "_CFCS_ALLPROPERTY",
        "_CFCS_COMPLECTID", "_CFCS_SASH",
        // kit item
        "_FCIS_INDEX", "_FCIS_ID", "_FCIS_ARTICLE", "_FCIS_PRODARTICLE", "_FCIS_PRODARTICLE1", "_FCIS_PRODARTICLE2",
        "_FCIS_PRODARTICLE3", "_FCIS_NAME", "_FCIS_SHORTNAME", "_FCIS_GOST", "_FCIS_UNIT", "_FCIS_PRINTABLE",
        "_FCIS_SIDENO", "_FCIS_PARENTCOMPLECT", "_FCIS_PARENTCOMPLECT_NAME", "_FCIS_LENGTH", "_FCIS_COUNT",
        "_FCIS_HISTORY", "_FCIS_COMMENT"};
    return names;
}

// A record source whose events call the module.
class ModuleSource final : public TReportDataSource {
public:
    ModuleSource(std::function<void()> first, std::function<void()> next, std::function<void()> prior,
                 std::function<bool()> eof)
        : first_(std::move(first)), next_(std::move(next)), prior_(std::move(prior)), eof_(std::move(eof)) {}
    void First() override { first_(); }
    void Next() override { next_(); }
    void Prior() override { prior_(); }
    bool Eof() const override { return eof_(); }

private:
    std::function<void()> first_, next_, prior_;
    std::function<bool()> eof_;
};

}  // namespace

QString KitPropertyList(const TqxfFurnComp& kit, bool printableOnly) {
    const CatalogTable& sysProp = DM().T_SysProp;
    QString result;
    for (const QString& word : listWords(kit.Props.join(QLatin1Char(';')))) {
        const QString id = word.mid(2);
        const int row = locateRow(sysProp, QStringLiteral("ID"), id);
        if (row < 0) continue;
        if (printableOnly && sysProp.Int(row, "Printable") != 1) continue;
        AppendToken(result, id, QStringLiteral(";"), true);
    }
    return result;
}

// ---------------------------------------------------------------------------------------------

struct TDM_Report::Impl {
    TqxfOrder* order = nullptr;
    TqxfOrderSelection* selection = nullptr;
    int positionIndex = -1;
    int selectionItemIndex = -1;
    TqxfConstruction* currentPosition = nullptr;
    std::unique_ptr<TqxfOrder> positionOrder;
    TqxfOrderSelectionItem* currentSelectionItem = nullptr;
    TqxfFurnComp* currentKit = nullptr;
    int kitItemIndex = 0;
    std::unique_ptr<TqxfMatList> materialList;
    int materialRowIndex = 0;
    TqxfReport* report = nullptr;

    ModuleSource orderPosSpec{[this] { orderPositionFrom(0); }, [this] { orderPositionFrom(positionIndex + 1); }, [] {},
                              [this] { return !order || !currentPosition; }};
    ModuleSource selPosSpec{[this] { selectionItemFrom(0); }, [this] { selectionItemFrom(selectionItemIndex + 1); },
                            [] {}, [this] { return !selection || !currentSelectionItem; }};
    ModuleSource frameFurnCompSpec{[this] { currentKit = currentPosition ? currentPosition->FirstKit() : nullptr; },
                                   [this] {
                                       if (currentKit)
                                           currentKit = currentPosition ? currentPosition->NextKit() : nullptr;
                                   },
                                   [] {}, [this] { return !currentKit; }};
    ModuleSource furnCompItemSpec{[this] { kitItemIndex = 0; }, [this] { ++kitItemIndex; }, [this] { --kitItemIndex; },
                                  [this] { return !currentKit || kitItemIndex > currentKit->ItemCount() - 1; }};
    ModuleSource orderMatList{
        [this] { materialRowIndex = 0; }, [this] { ++materialRowIndex; }, [this] { --materialRowIndex; },
        [this] { return !materialList || materialRowIndex > static_cast<int>(materialList->size()) - 1; }};

    // The current position changes: the kit of the previous one and the order read for it go.
    void setPosition(TqxfConstruction* position) {
        currentKit = nullptr;
        kitItemIndex = 0;
        currentPosition = position;
    }

    void clearCurrent() {
        setPosition(nullptr);
        positionOrder.reset();
        positionIndex = -1;
        selectionItemIndex = -1;
        currentSelectionItem = nullptr;
    }

    void orderPositionFrom(int start) {
        setPosition(nullptr);
        positionIndex = -1;
        if (!order) return;
        for (int i = qMax(0, start); i < order->Count(); ++i) {
            if (order->Positions(i)->Checked) {
                positionIndex = i;
                setPosition(order->Positions(i));
                return;
            }
        }
        positionIndex = order->Count();
    }

    void selectionItemFrom(int start) {
        setPosition(nullptr);
        positionOrder.reset();
        currentSelectionItem = nullptr;
        selectionItemIndex = -1;
        if (!selection) return;
        for (int i = qMax(0, start); i < selection->Count(); ++i) {
            TqxfOrderSelectionItem* item = selection->Items(i);
            if (!item->Checked) continue;
            selectionItemIndex = i;
            currentSelectionItem = item;
            TqxfConstruction* position = selection->ItemPosition(*item, positionOrder);
            setPosition(position);
            return;
        }
        selectionItemIndex = selection->Count();
    }

    bool materialRowValid() const {
        return materialList && materialRowIndex >= 0 && materialRowIndex < static_cast<int>(materialList->size());
    }
    bool kitItemValid() const { return currentKit && kitItemIndex >= 0 && kitItemIndex < currentKit->ItemCount(); }

    bool firmVariable(const QString& name, ExprValue& value) const;
    bool orderVariable(const QString& name, ExprValue& value) const;
    bool positionVariable(const QString& name, ExprValue& value) const;
    bool selectionVariable(const QString& name, ExprValue& value) const;
    bool materialVariable(const QString& name, ExprValue& value) const;
    bool kitVariable(const QString& name, ExprValue& value) const;
    bool kitItemVariable(const QString& name, ExprValue& value) const;

    void initMaterialList(bool fromSelection, const QString& mode);
    void loadLogo() const;
};

bool TDM_Report::Impl::firmVariable(const QString& name, ExprValue& value) const {
    const TqxfSetup& s = Setup();
    if (name == QLatin1String("_QXF_CONFIGNAME"))
        value = textValue(Paths().ConfigName);
    else if (name == QLatin1String("_QXF_FIRMNAME"))
        value = textValue(s.Name);
    else if (name == QLatin1String("_QXF_ADDRESS"))
        value = textValue(s.Address);
    else if (name == QLatin1String("_QXF_JUSTADDRESS"))
        value = textValue(s.JustAddress);
    else if (name == QLatin1String("_QXF_ZIPCODE"))
        value = textValue(s.ZipCode);
    else if (name == QLatin1String("_QXF_PHONE_1"))
        value = textValue(s.Phone1);
    else if (name == QLatin1String("_QXF_PHONE_2"))
        value = textValue(s.Phone2);
    else if (name == QLatin1String("_QXF_PHONE_3"))
        value = textValue(s.Phone3);
    else if (name == QLatin1String("_QXF_FAX"))
        value = textValue(s.Fax);
    else if (name == QLatin1String("_QXF_PHONES"))
        value = textValue(s.GetPhones());
    else if (name == QLatin1String("_QXF_EMAIL"))
        value = textValue(s.EMail);
    else if (name == QLatin1String("_QXF_INTERNET"))
        value = textValue(s.Internet);
    else if (name == QLatin1String("_QXF_INN"))
        value = textValue(s.INN);
    else if (name == QLatin1String("_QXF_ACCOUNT"))
        value = textValue(s.Account);
    else if (name == QLatin1String("_QXF_DIRECTOR"))
        value = textValue(s.Director);
    else if (name == QLatin1String("_QXF_BOOKKEEPER"))
        value = textValue(s.BookKeeper);
    else
        return false;
    return true;
}

bool TDM_Report::Impl::orderVariable(const QString& name, ExprValue& value) const {
    const TqxfOrder& o = *order;
    if (name == QLatin1String("_ORDER_NO"))
        value = textValue(o.No);
    else if (name == QLatin1String("_ORDER_ALTNO"))
        value = textValue(o.AltNo);
    else if (name == QLatin1String("_ORDER_CUSTOMER"))
        value = textValue(o.Customer);
    else if (name == QLatin1String("_ORDER_OBJ"))
        value = textValue(o.ObjectName);
    else if (name == QLatin1String("_ORDER_ADDRESS"))
        value = textValue(o.Address);
    else if (name == QLatin1String("_ORDER_PHONE"))
        value = textValue(o.Phone);
    else if (name == QLatin1String("_ORDER_REMARK"))
        value = textValue(o.Remark);
    else if (name == QLatin1String("_ORDER_DATE"))
        value = dateValue(o.RegDate, o.RegDateSet);
    else if (name == QLatin1String("_ORDER_FURNSYS"))
        value = textValue(GetSystemName(o.FurnSys));
    else if (name == QLatin1String("_ORDER_FURNCOLOR"))
        value = textValue(GetColorName(o.FurnColor));
    else if (name == QLatin1String("_ORDER_PROFSYS"))
        value = textValue(GetKeeperSystemName(o.ProfSys));
    else if (name == QLatin1String("_ORDER_PRICEGROUPNO"))
        value = integerValue(o.PriceGroupNo);
    else if (name == QLatin1String("_ORDER_GETTOTALNDS"))
        value = ExprValue::Boolean(o.TotalNDS);
    else if (name == QLatin1String("_ORDER_SHOWINCLUDENDS"))
        value = ExprValue::Boolean(o.ShowIncludingNDS);
    else if (name == QLatin1String("_ORDER_NDSTAX"))
        value = singleValue(o.NDSTax);
    else if (name == QLatin1String("_ORDER_CURRENCY"))
        value = textValue(GetCurrencyName(o.Currency));
    else if (name == QLatin1String("_ORDER_SUM"))
        value = moneyValue(o.OrderSum());
    else if (name == QLatin1String("_ORDER_NDS"))
        value = moneyValue(o.OrderNDS());
    else if (name == QLatin1String("_ORDER_TOTAL"))
        value = moneyValue(o.OrderTotal());
    else
        return false;
    return true;
}

// The position variables other than _POS_ORDERNO, of the current position.
bool TDM_Report::Impl::positionVariable(const QString& name, ExprValue& value) const {
    const TqxfConstruction& p = *currentPosition;
    if (name == QLatin1String("_POS_NO"))
        value = textValue(p.PosNo);
    else if (name == QLatin1String("_POS_NAME"))
        value = textValue(p.PosName);
    else if (name == QLatin1String("_POS_NUMBER"))
        value = integerValue(p.Quantity);
    else if (name == QLatin1String("_POS_OBJECTTYPE"))
        value = integerValue(p.ObjType);
    else if (name == QLatin1String("_POS_NOTE"))
        value = textValue(p.Notes.join(QStringLiteral("\r\n")));
    else if (name == QLatin1String("_POS_PROFSYS"))
        value = textValue(GetKeeperSystemName(p.ProfSys));
    else if (name == QLatin1String("_POS_FURNSYS"))
        value = textValue(GetSystemName(p.FurnSys));
    else if (name == QLatin1String("_POS_COLOR"))
        value = textValue(GetColorName(p.FurnColor));
    else if (name == QLatin1String("_POS_WIDTH") || name == QLatin1String("_POS_HEIGHT")) {
        int32_t width = 0, height = 0;
        p.GetSize(width, height);
        value = integerValue(name == QLatin1String("_POS_WIDTH") ? width : height);
    } else if (name == QLatin1String("_POS_PRICE"))
        value = moneyValue(p.Price);
    else if (name == QLatin1String("_POS_COST"))
        value = moneyValue(p.TotalPrice());
    else
        return false;
    return true;
}

bool TDM_Report::Impl::selectionVariable(const QString& name, ExprValue& value) const {
    const TqxfOrderSelection& s = *selection;
    if (name == QLatin1String("_SEL_NO"))
        value = textValue(s.No);
    else if (name == QLatin1String("_SEL_DATE"))
        value = dateValue(s.SelDate);
    else if (name == QLatin1String("_SEL_NAME"))
        value = textValue(s.SelName);
    else if (name == QLatin1String("_SEL_NOTE"))
        value = textValue(s.Notes.join(QStringLiteral("\r\n")));
    else if (name == QLatin1String("_SEL_ORDERLIST"))
        value = textValue(s.OrderNoList());
    else if (name == QLatin1String("_SEL_PRICEGROUPNO"))
        value = integerValue(s.PriceGroupNo);
    else if (name == QLatin1String("_SEL_NDSTAX"))
        value = singleValue(s.NDSTax);
    else if (name == QLatin1String("_SEL_CURRENCY"))
        value = textValue(GetCurrencyName(s.Currency));
    else
        return false;
    return true;
}

bool TDM_Report::Impl::materialVariable(const QString& name, ExprValue& value) const {
    const TqxfMatListItem& row = *materialList->at(materialRowIndex);
    if (name == QLatin1String("_OMS_ID"))
        value = textValue(row.ID);
    else if (name == QLatin1String("_OMS_ARTICLE"))
        value = catalogField(row.ID, QStringLiteral("Article"));
    else if (name == QLatin1String("_OMS_PRODARTICLE"))
        value = catalogField(row.ID, QStringLiteral("ProdArticle"));
    else if (name == QLatin1String("_OMS_PRODARTICLE1"))
        value = catalogField(row.ID, QStringLiteral("ProdArticle1"));
    else if (name == QLatin1String("_OMS_PRODARTICLE2"))
        value = catalogField(row.ID, QStringLiteral("ProdArticle2"));
    else if (name == QLatin1String("_OMS_PRODARTICLE3"))
        value = catalogField(row.ID, QStringLiteral("ProdArticle3"));
    else if (name == QLatin1String("_OMS_NAME"))
        value = textValue(GetArticleName(row.ID, false));
    else if (name == QLatin1String("_OMS_UNIT"))
        value = textValue(GetArticleUnit(row.ID));
    else if (name == QLatin1String("_OMS_NUMBER"))
        value = singleValue(row.Number);
    else if (name == QLatin1String("_OMS_PRICE"))
        value = moneyValue(row.ListPrice);
    else if (name == QLatin1String("_OMS_COST"))
        value = moneyValue(row.Cost);
    else
        return false;
    return true;
}

bool TDM_Report::Impl::kitVariable(const QString& name, ExprValue& value) const {
    const TqxfFurnComp& kit = *currentKit;
    if (name == QLatin1String("_CFCS_FALZSIZE_WIDTH") || name == QLatin1String("_CFCS_FALZSIZE_HEIGHT")) {
        int32_t width = 0, height = 0;
        if (kit.Flugel) kit.Flugel->GetSize(width, height);
        value = integerValue(name == QLatin1String("_CFCS_FALZSIZE_WIDTH") ? width : height);
    } else if (name == QLatin1String("_CFCS_HANDLEHEIGHT"))
        value = integerValue(kit.Flugel ? kit.Flugel->HandleHeightOf() : 0);
    else if (name == QLatin1String("_CFCS_FURNSYS"))
        value = textValue(GetSystemName(kit.FurnSys));
    else if (name == QLatin1String("_CFCS_PROFSYS"))
        value = textValue(GetKeeperSystemName(kit.ProfSys));
    else if (name == QLatin1String("_CFCS_FURNCOLOR"))
        value = textValue(GetColorName(kit.Color));
    else if (name == QLatin1String("_CFCS_COMPLECTNAME") || name == QLatin1String("_CFCS_PRINTABLE")) {
        bool printable = false;
        const QString printName = GetKitPrintName(kit.ComplectID, printable);
        value = name == QLatin1String("_CFCS_PRINTABLE") ? ExprValue::Boolean(printable) : textValue(printName);
    } else if (name == QLatin1String("_CFCS_PROPERTY"))
        value = textValue(KitPropertyList(kit, true));
    else if (name == QLatin1String("_CFCS_ALLPROPERTY"))
        value = textValue(KitPropertyList(kit, false));
    else if (name == QLatin1String("_CFCS_COMPLECTID"))
        value = textValue(kit.ComplectID);
    else if (name == QLatin1String("_CFCS_SASH")) {
        const TqxfConstruction* position = kit.Flugel ? kit.Flugel->Construction : nullptr;
        value = integerValue(position && position->Flugel2 && kit.Flugel == position->Flugel2.get() ? 2 : 1);
    } else
        return false;
    return true;
}

bool TDM_Report::Impl::kitItemVariable(const QString& name, ExprValue& value) const {
    const TqxfFurnItem& item = currentKit->Item(kitItemIndex);
    static const QHash<QString, QString> catalogFields = {{"_FCIS_ARTICLE", "Article"},
                                                          {"_FCIS_PRODARTICLE", "ProdArticle"},
                                                          {"_FCIS_PRODARTICLE1", "ProdArticle1"},
                                                          {"_FCIS_PRODARTICLE2", "ProdArticle2"},
                                                          {"_FCIS_PRODARTICLE3", "ProdArticle3"},
                                                          {"_FCIS_NAME", "Name"},
                                                          {"_FCIS_SHORTNAME", "ShortName"},
                                                          {"_FCIS_GOST", "GOST"},
                                                          {"_FCIS_UNIT", "Unit"},
                                                          {"_FCIS_PRINTABLE", "Printable"}};
    const auto field = catalogFields.constFind(name);
    if (field != catalogFields.constEnd())
        value = catalogField(item.Article, field.value());
    else if (name == QLatin1String("_FCIS_INDEX"))
        value = integerValue(kitItemIndex);
    else if (name == QLatin1String("_FCIS_ID"))
        value = textValue(item.Article);
    else if (name == QLatin1String("_FCIS_SIDENO"))
        value = integerValue(item.SideNo);
    else if (name == QLatin1String("_FCIS_PARENTCOMPLECT"))
        value = textValue(item.ComplectID);
    else if (name == QLatin1String("_FCIS_PARENTCOMPLECT_NAME"))
        value = textValue(GetKitName(item.ComplectID));
    else if (name == QLatin1String("_FCIS_LENGTH"))
        value = singleValue(item.Length);
    else if (name == QLatin1String("_FCIS_COUNT"))
        value = integerValue(item.Count);
    else if (name == QLatin1String("_FCIS_HISTORY"))
        value = textValue(item.Origin);
    else if (name == QLatin1String("_FCIS_COMMENT"))
        value = textValue(item.Note);
    else
        return false;
    return true;
}

void TDM_Report::Impl::initMaterialList(bool fromSelection, const QString& mode) {
    if (!materialList)
        materialList = std::make_unique<TqxfMatList>();
    else
        materialList->clear();
    try {
        if (fromSelection && selection)
            selection->CollectSelMaterials(materialList.get());
        else if (!fromSelection && order)
            order->CollectOrderMaterials(materialList.get());
        else
            return;
        if (mode == QLatin1String("SORT_BY_NAME"))
            SortMatListByName(*materialList);
        else
            SortMatListByID(*materialList);
    } catch (const std::exception& e) {
        ShowError(ExceptionText(e));
    }
}

void TDM_Report::Impl::loadLogo() const {
    if (!report) return;
    auto* picture = dynamic_cast<TReportPicture*>(report->FindObject(QStringLiteral("LogoPicture")));
    if (!picture) return;
    const QString logo = Setup().ReportLogo;
    if (logo.isEmpty()) return;
    const QString file = ResolveExistingPath(Paths().CatalogDir + PathSeparator() + logo);
    if (QFileInfo(file).isFile()) picture->LoadFromFile(file);
}

// ---------------------------------------------------------------------------------------------

TDM_Report::TDM_Report() : d(std::make_unique<Impl>()) {}
TDM_Report::~TDM_Report() = default;

void TDM_Report::SetDocument(TqxfOrder* order) {
    SetDocument(nullptr);
    d->order = order;
}

void TDM_Report::SetDocument(TqxfOrderSelection* selection) {
    SetDocument(nullptr);
    d->selection = selection;
}

void TDM_Report::SetDocument(std::nullptr_t) {
    d->clearCurrent();
    d->order = nullptr;
    d->selection = nullptr;
}

void TDM_Report::AttachReport(TqxfReport& report) {
    report.OnGetValue = [this](const QString& name, ExprValue& value) { return GetValue(name, value); };
    report.OnUserFunction = [this](const QString& name, const ExprArgs& args, ExprValue& result) {
        return UserFunction(name, args, result);
    };
    report.OnBeforePrint = [this](TReportObject& object) { BeforePrint(object); };
    report.SetDataSource(QString::fromLatin1(kOrderPosSpec), &d->orderPosSpec);
    report.SetDataSource(QString::fromLatin1(kSelPosSpec), &d->selPosSpec);
    report.SetDataSource(QString::fromLatin1(kFrameFurnCompSpec), &d->frameFurnCompSpec);
    report.SetDataSource(QString::fromLatin1(kFurnCompItemSpec), &d->furnCompItemSpec);
    report.SetDataSource(QString::fromLatin1(kOrderMatList), &d->orderMatList);
    d->report = &report;
}

void TDM_Report::ReleaseDocument() {
    SetDocument(nullptr);
    d->materialList.reset();
    d->materialRowIndex = 0;
    if (TqxfReport* report = d->report) {
        // The report may outlive the module: it keeps no handler, source or position of it.
        report->OnGetValue = nullptr;
        report->OnUserFunction = nullptr;
        report->OnBeforePrint = nullptr;
        for (const char* name : {kOrderPosSpec, kSelPosSpec, kFrameFurnCompSpec, kFurnCompItemSpec, kOrderMatList})
            report->SetDataSource(QString::fromLatin1(name), nullptr);
        for (TReportObject* object : report->Objects())
            if (auto* sketch = dynamic_cast<TqxfFRDrawView*>(object)) {
                sketch->Bound = false;
                sketch->Object = nullptr;
            }
    }
    d->report = nullptr;
}

bool TDM_Report::GetValue(const QString& variableName, ExprValue& value) {
    const QString name = variableName.toUpper();
    if (!moduleVariables().contains(name)) return false;
    if (d->firmVariable(name, value)) return true;
    if (d->order && d->orderVariable(name, value)) return true;
    if (d->currentSelectionItem) {
        if (name == QLatin1String("_POS_ORDERNO")) {
            value = textValue(d->currentSelectionItem->OrderNo);
            return true;
        }
        if (d->currentPosition && d->positionVariable(name, value)) return true;
    }
    if (d->currentPosition && d->order && d->positionVariable(name, value)) return true;
    if (d->selection && d->selectionVariable(name, value)) return true;
    if (d->materialRowValid() && d->materialVariable(name, value)) return true;
    if (d->currentKit && d->kitVariable(name, value)) return true;
    if (d->kitItemValid() && d->kitItemVariable(name, value)) return true;
    value = ExprValue::Null();  // a name of the module that no group answers now
    return true;
}

bool TDM_Report::UserFunction(const QString& functionName, const ExprArgs& args, ExprValue& result) {
    const QString name = functionName.toUpper();
    result = ExprValue::Null();
    if (name.contains(QLatin1String("_INIT_"))) {
        if (name == QLatin1String("_INIT_ORDERMATLIST"))
            d->initMaterialList(false, argumentText(args, 0));
        else if (name == QLatin1String("_INIT_SELMATLIST"))
            d->initMaterialList(true, argumentText(args, 0));
        return true;
    }
    if (name == QLatin1String("_LOADLOGO")) {
        d->loadLogo();
        return true;
    }
    if (name == QLatin1String("_MONEYBYWORD_RUS")) {
        Money amount;
        try {
            amount = RoundMoney(args.value(0).toNumber());
        } catch (const TqxfError&) {
            amount = Money();
        }
        if (!d->order) {
            result = textValue(QString());
            return true;
        }
        TCurrencyWords words;
        GetCurrencyWords(d->order->Currency, words);
        result = textValue(AmountInWords(words, amount, Formats().CurrencyDecimals));
        return true;
    }
    if (name == QLatin1String("_GETCATALOG_FIELDBYID") || name == QLatin1String("_GETFURNITEM_FIELDBYID")) {
        const QString key = argumentText(args, 0);
        const QString field = argumentText(args, 1);
        result = textValue(QStringLiteral("???"));
        if (key.isEmpty() || field.isEmpty()) return true;
        const CatalogTable& table = name == QLatin1String("_GETCATALOG_FIELDBYID") ? DM().T_Catalog : DM().T_FrnItem;
        const int row = locateRow(table, QStringLiteral("ID"), key);
        if (row >= 0 && table.HasColumn(field)) result = variantValue(table.Value(row, field));
        return true;
    }
    if (name == QLatin1String("_GETCATALOG_FIELDLISTBYID")) {
        const QString codes = argumentText(args, 0);
        const QString fields = argumentText(args, 1);
        QString separator = argumentText(args, 2);
        if (separator.isEmpty()) separator = QStringLiteral("\r\n");
        result = textValue(QStringLiteral("???"));
        if (codes.isEmpty() || fields.isEmpty()) return true;
        const CatalogTable& catalog = DM().T_Catalog;
        QStringList pieces;
        for (const QString& code : listWords(codes)) {
            QString piece;
            const int row = locateRow(catalog, QStringLiteral("ID"), code);
            if (row >= 0)
                for (const QString& field : listWords(fields))
                    piece += fieldText(catalog, row, field).value_or(field);
            pieces << piece;
        }
        result = textValue(pieces.join(separator));
        return true;
    }
    if (name == QLatin1String("_GETSYSPROP_FIELDLISTBYID")) {
        const QString ids = argumentText(args, 0);
        const QString fields = argumentText(args, 1);
        QString separator = argumentText(args, 2);
        if (separator.isEmpty()) separator = QStringLiteral("\r\n");
        result = textValue(QStringLiteral("???"));
        if (ids.isEmpty() || fields.isEmpty()) return true;
        const CatalogTable& sysProp = DM().T_SysProp;
        QString text;
        for (const QString& id : listWords(ids)) {
            const int row = locateRow(sysProp, QStringLiteral("ID"), id);
            if (row < 0) continue;
            for (const QString& field : listWords(fields))
                AppendToken(text, fieldText(sysProp, row, field).value_or(field), separator, true);
        }
        result = textValue(text);
        return true;
    }
    if (name == QLatin1String("_REPLACESTR")) {
        const QString text = argumentText(args, 0);
        const QString oldPart = argumentText(args, 1);
        const QString newPart = argumentText(args, 2);
        QString replaced;
        if (!text.isEmpty() && !oldPart.isEmpty()) {
            if (oldPart == newPart)
                replaced = text;
            else if (text == oldPart)
                replaced = newPart;
            else
                replaced = ReplaceText(text, oldPart, newPart);
        }
        result = textValue(replaced);
        return true;
    }
    return false;
}

void TDM_Report::BeforePrint(TReportObject& object) {
    auto* sketch = dynamic_cast<TqxfFRDrawView*>(&object);
    if (!sketch) return;
    try {
        sketch->DrawRoutine = DrawConstructionSketch;
        sketch->Object = d->currentPosition;
        sketch->Bound = d->currentPosition != nullptr;
    } catch (...) {
        // the hook never stops a print
    }
}

TReportDataSource& TDM_Report::OrderPosSpec() {
    return d->orderPosSpec;
}
TReportDataSource& TDM_Report::SelPosSpec() {
    return d->selPosSpec;
}
TReportDataSource& TDM_Report::FrameFurnCompSpec() {
    return d->frameFurnCompSpec;
}
TReportDataSource& TDM_Report::FurnCompItemSpec() {
    return d->furnCompItemSpec;
}
TReportDataSource& TDM_Report::OrderMatList() {
    return d->orderMatList;
}

TqxfOrder* TDM_Report::Order() const {
    return d->order;
}
TqxfOrderSelection* TDM_Report::Selection() const {
    return d->selection;
}
TqxfReport* TDM_Report::Report() const {
    return d->report;
}
int TDM_Report::PositionIndex() const {
    return d->positionIndex;
}
int TDM_Report::SelectionItemIndex() const {
    return d->selectionItemIndex;
}
TqxfConstruction* TDM_Report::CurrentPosition() const {
    return d->currentPosition;
}
TqxfOrderSelectionItem* TDM_Report::CurrentSelectionItem() const {
    return d->currentSelectionItem;
}
TqxfFurnComp* TDM_Report::CurrentKit() const {
    return d->currentKit;
}
int TDM_Report::KitItemIndex() const {
    return d->kitItemIndex;
}
const TqxfMatList* TDM_Report::MaterialList() const {
    return d->materialList.get();
}
int TDM_Report::MaterialRowIndex() const {
    return d->materialRowIndex;
}

}  // namespace qx
