// catalog_check.cpp — the catalog check: reads the rule tables once and tests every row against
// what the hardware selection will do with it.
#include "catalog/catalog_check.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

#include "catalog/data_module.h"
#include "common/error.h"
#include "common/expression.h"
#include "common/format.h"
#include "common/geometry.h"

namespace qx {

namespace {

// Kit groups of main kits, the ones the sash hardware dialog lists by their side limits.
bool isMainKitGroup(int group) {
    return group == 10 || group == 11 || group == 12;
}

// A sash of any figure has at most this many sides; a partner sash is always a rectangle.
constexpr int kMaxSides = 4;
constexpr int kPartnerSides = 4;
// The selection resolves kit rules with these constants.
constexpr double kSelectionProfileWidth = 100;
constexpr double kSelectionWeight = 0;
constexpr int kSingleSashMullionType = 6;

struct Kit {
    QString Name;
    int Group = 0, SubGroup = 0, PropKey = 0, Direct = 0, CommonGrp = 0;
    QString SymmetricID;
};

struct SideLimit {
    int Side = 0, MinSize = 0, MaxSize = 0, MinRadius = 0, MaxRadius = 0, OpenMode = 0, RotSide = 0;
    double MinAngle = 0, MaxAngle = 0;
};

struct Element {
    QString Name;
    bool HasDornMass = false, HasProfSys = false, CheckWeight = false, HasColor = false, HasFalzLuft = false,
         HasFalzSize = false, HasFalzPos = false, CheckThickness = false, CheckProfWidth = false,
         CheckStulpType = false, CheckDirect = false, Virtual = false;
    int CommonGrp = 0;
};

struct ArticleRow {
    QString CatalogID;
    int FalzLuft = 0, FalzSize = 0, FalzPos = 0;
    double DornMassMin = 0, DornMassMax = 0, WeightMin = 0, WeightMax = 0;
    int ThicknessMin = 0, ThicknessMax = 0, ProfWidthMin = 0, ProfWidthMax = 0;
    QString ProfSys;
    int FFBMin = 0, FFBMax = 0, FFHMin = 0, FFHMax = 0, FFL1Min = 0, FFL1Max = 0, FFL2Min = 0, FFL2Max = 0;
    double FFAMin = 0, FFAMax = 0;
    int FFR1Min = 0, FFR1Max = 0, FFR2Min = 0, FFR2Max = 0;
    QString Color;
    int StulpType = 0, Direct = 0;
    QString Fault;  // why the row can never be chosen, whatever the sash; empty when it can
};

struct Article {
    bool Virtual = false;
    int Currency = 0, PriceGrp = 0;
    double Price = 0;
    int MinLength = 0, MaxLength = 0;
};

struct Rebate {
    int FalzLuft = 0, FalzSize = 0, FalzPos = 0;
};

// A closed range of integers.
struct Span {
    long long Lo = 0, Hi = 0;
};

// The parts of [lo, hi] that no span covers.
std::vector<Span> uncovered(std::vector<Span> spans, long long lo, long long hi) {
    std::vector<Span> gaps;
    if (lo > hi) return gaps;
    std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) { return a.Lo < b.Lo; });
    long long next = lo;
    for (const Span& s : spans) {
        if (s.Hi < next) continue;
        if (s.Lo > hi) break;
        if (s.Lo > next) gaps.push_back({next, std::min(s.Lo - 1, hi)});
        next = std::max(next, s.Hi + 1);
        if (next > hi) break;
    }
    if (next <= hi) gaps.push_back({next, hi});
    return gaps;
}

QString spanText(const Span& s, bool unbounded) {
    if (unbounded) return Format("%d и более", int(s.Lo));
    return s.Lo == s.Hi ? Format("%d", int(s.Lo)) : Format("%d-%d", int(s.Lo), int(s.Hi));
}

QString number(double v) {
    return FormatNumber(v, v == std::floor(v) ? 0 : 2);
}

// Reads catalog formulas the way a sash evaluates them, noting what would silently give 0.
class FormulaProbe : public ExpressionContext {
public:
    explicit FormulaProbe(int sides) : sides_(sides) {}

    bool Variable(const QString& name, ExprValue& value) override {
        static const QStringList known{QStringLiteral("FB"),      QStringLiteral("FFB"),      QStringLiteral("FRB"),
                                       QStringLiteral("F\u041D"), QStringLiteral("FF\u041D"), QStringLiteral("FRH")};
        if (known.contains(name)) {
            value = ExprValue::Number(1000);
        } else {
            if (!UnknownNames.contains(name)) UnknownNames << name;
            value = ExprValue::Number(0);
        }
        return true;
    }

    bool Function(const QString& name, const ExprArgs& args, ExprValue& result) override {
        const QString upper = name.toUpper();
        const bool own = upper == QLatin1String("FL") || upper == QLatin1String("FFL") ||
                         upper == QLatin1String("FG") || upper == QLatin1String("FFG");
        const bool partner = upper == QLatin1String("FGA") || upper == QLatin1String("FFGA");
        if (!own && !partner) return false;
        const long double n = args.value(0).toNumber();
        const int limit = partner ? kPartnerSides : sides_;
        if (n < 1 || n > limit) {
            const QString call = Format("%s(%s)", name, args.source(0));
            if (!SideFaults.contains(call)) SideFaults << call;
        }
        result = ExprValue::Number(upper.endsWith(QLatin1Char('L')) ? 1000 : 500);
        return true;
    }

    QStringList UnknownNames;
    QStringList SideFaults;

private:
    int sides_;
};

class Checker {
public:
    explicit Checker(const TDM& dm) : dm_(dm) {}

    std::vector<TCatalogFinding> Run() {
        readReference();
        readKits();
        readElements();
        readArticles();
        checkReference();
        checkKits();
        checkSideLimits();
        checkArticleRows();
        checkSetRules();
        checkComposites();
        checkKeepers();
        checkCoversAndAccessories();
        checkCatalog();
        checkProperties();
        return std::move(findings_);
    }

private:
    const TDM& dm_;
    std::vector<TCatalogFinding> findings_;

    QHash<QString, Kit> kits_;
    QHash<QString, std::vector<SideLimit>> sides_;
    QHash<QString, Element> elements_;
    QHash<QString, std::vector<ArticleRow>> articleRows_;
    QHash<QString, Article> articles_;
    QSet<QString> composites_;
    std::map<int, double> currencies_;  // ID -> rate
    QHash<int, QString> currencyNames_;
    QSet<int> priceGroups_;
    QHash<int, QSet<int>> propertySets_;
    QSet<int> propertyValues_;
    std::vector<Rebate> rebates_;
    std::vector<double> backsets_;
    QSet<int> mullionTypes_;
    QSet<QString> keeperSystems_;
    QSet<QString> colours_;
    QSet<int> hands_;
    QHash<QString, int> systemGroups_;             // SysList ID -> CommonGrp
    QHash<QString, QSet<QString>> systemColours_;  // SysColor: system -> colours

    static int integer(const CatalogTable& t, int row, const char* column) {
        return int(t.Int(row, QLatin1String(column)));
    }
    static double real(const CatalogTable& t, int row, const char* column) {
        return t.Real(row, QLatin1String(column));
    }
    static QString text(const CatalogTable& t, int row, const char* column) {
        return t.Text(row, QLatin1String(column));
    }

    void add(TCheckSeverity severity, const QString& table, const QString& kit, const QString& element,
             const QString& article, const QString& message) {
        TCatalogFinding f;
        f.Severity = severity;
        f.Table = table;
        f.Kit = kit;
        if (!kit.isEmpty() && kits_.contains(kit)) f.KitName = kits_.value(kit).Name;
        f.Element = element;
        if (!element.isEmpty() && elements_.contains(element)) f.ElementName = elements_.value(element).Name;
        f.Article = article;
        f.Message = message;
        findings_.push_back(std::move(f));
    }
    void error(const QString& table, const QString& kit, const QString& element, const QString& article,
               const QString& message) {
        add(TCheckSeverity::Error, table, kit, element, article, message);
    }
    void warning(const QString& table, const QString& kit, const QString& element, const QString& article,
                 const QString& message) {
        add(TCheckSeverity::Warning, table, kit, element, article, message);
    }

    // --- reading ---

    void readReference() {
        const CatalogTable& cur = dm_.T_Currency;
        for (int r = 0; r < cur.RowCount(); ++r) {
            currencies_[integer(cur, r, "ID")] = real(cur, r, "Value");
            currencyNames_.insert(integer(cur, r, "ID"), text(cur, r, "Name"));
        }
        for (int r = 0; r < dm_.T_PriceGrp.RowCount(); ++r)
            priceGroups_.insert(integer(dm_.T_PriceGrp, r, "GroupID"));
        for (int r = 0; r < dm_.T_FrnProp.RowCount(); ++r)
            propertySets_[integer(dm_.T_FrnProp, r, "PropKey")].insert(integer(dm_.T_FrnProp, r, "ID"));
        for (int r = 0; r < dm_.T_SysProp.RowCount(); ++r)
            propertyValues_.insert(integer(dm_.T_SysProp, r, "ID"));
        for (int r = 0; r < dm_.T_FalzList.RowCount(); ++r)
            rebates_.push_back({integer(dm_.T_FalzList, r, "FalzLuft"), integer(dm_.T_FalzList, r, "FalzSize"),
                                integer(dm_.T_FalzList, r, "FalzPos")});
        for (int r = 0; r < dm_.T_DornList.RowCount(); ++r)
            backsets_.push_back(real(dm_.T_DornList, r, "DornMass"));
        mullionTypes_.insert(kSingleSashMullionType);
        for (int r = 0; r < dm_.T_StulpList.RowCount(); ++r)
            mullionTypes_.insert(integer(dm_.T_StulpList, r, "StulpType"));
        for (int r = 0; r < dm_.T_SysProf.RowCount(); ++r)
            keeperSystems_.insert(text(dm_.T_SysProf, r, "SchlSysID"));
        for (int r = 0; r < dm_.T_Color.RowCount(); ++r)
            colours_.insert(text(dm_.T_Color, r, "Color"));
        for (int r = 0; r < dm_.T_SysList.RowCount(); ++r)
            systemGroups_.insert(text(dm_.T_SysList, r, "ID"), integer(dm_.T_SysList, r, "CommonGrp"));
        for (int r = 0; r < dm_.T_SysColor.RowCount(); ++r)
            systemColours_[text(dm_.T_SysColor, r, "System")].insert(text(dm_.T_SysColor, r, "ID"));
    }

    void readKits() {
        const CatalogTable& t = dm_.T_FrnComp;
        for (int r = 0; r < t.RowCount(); ++r) {
            Kit k;
            k.Name = text(t, r, "Name");
            k.Group = integer(t, r, "Group");
            k.SubGroup = integer(t, r, "SubGroup");
            k.PropKey = integer(t, r, "PropKey");
            k.Direct = integer(t, r, "Direct");
            k.CommonGrp = integer(t, r, "CommonGrp");
            k.SymmetricID = text(t, r, "SymmetricID");
            kits_.insert(text(t, r, "ID"), k);
            hands_.insert(k.Direct);
        }
        const CatalogTable& s = dm_.T_FrnSide;
        for (int r = 0; r < s.RowCount(); ++r) {
            SideLimit l;
            l.Side = integer(s, r, "Side");
            l.MinSize = integer(s, r, "MinSize");
            l.MaxSize = integer(s, r, "MaxSize");
            l.MinAngle = real(s, r, "MinAngle");
            l.MaxAngle = real(s, r, "MaxAngle");
            l.MinRadius = integer(s, r, "MinRadius");
            l.MaxRadius = integer(s, r, "MaxRadius");
            l.OpenMode = integer(s, r, "OpenMode");
            l.RotSide = integer(s, r, "RotSide");
            sides_[text(s, r, "ID")].push_back(l);
        }
    }

    void readElements() {
        const CatalogTable& t = dm_.T_FrnItem;
        for (int r = 0; r < t.RowCount(); ++r) {
            Element e;
            auto flag = [&](const char* column) { return integer(t, r, column) == 1; };
            e.Name = text(t, r, "Name");
            e.HasDornMass = flag("HasDornMass");
            e.HasProfSys = flag("HasProfSys");
            e.CheckWeight = flag("CheckWeight");
            e.HasColor = flag("HasColor");
            e.HasFalzLuft = flag("HasFalzLuft");
            e.HasFalzSize = flag("HasFalzSize");
            e.HasFalzPos = flag("HasFalzPos");
            e.CheckThickness = flag("CheckThickness");
            e.CheckProfWidth = flag("CheckProfWidth");
            e.CheckStulpType = flag("CheckStulpType");
            e.CheckDirect = flag("CheckDirect");
            e.Virtual = flag("Virtual");
            e.CommonGrp = integer(t, r, "CommonGrp");
            const QString id = text(t, r, "ID");
            if (!elements_.contains(id)) elements_.insert(id, e);
        }
        for (int r = 0; r < dm_.T_FrnItoI.RowCount(); ++r)
            composites_.insert(text(dm_.T_FrnItoI, r, "ID"));
    }

    void readArticles() {
        const CatalogTable& c = dm_.T_Catalog;
        for (int r = 0; r < c.RowCount(); ++r) {
            Article a;
            a.Virtual = integer(c, r, "Virtual") == 1;
            a.Currency = integer(c, r, "Currency");
            a.PriceGrp = integer(c, r, "PriceGrp");
            a.Price = real(c, r, "Price");
            a.MinLength = integer(c, r, "MinLength");
            a.MaxLength = integer(c, r, "MaxLength");
            articles_.insert(text(c, r, "ID"), a);
        }
        const CatalogTable& t = dm_.T_FrnArt;
        for (int r = 0; r < t.RowCount(); ++r) {
            ArticleRow a;
            a.CatalogID = text(t, r, "CatalogID");
            a.FalzLuft = integer(t, r, "FalzLuft");
            a.FalzSize = integer(t, r, "FalzSize");
            a.FalzPos = integer(t, r, "FalzPos");
            a.DornMassMin = real(t, r, "DornMassMin");
            a.DornMassMax = real(t, r, "DornMassMax");
            a.WeightMin = real(t, r, "WeightMin");
            a.WeightMax = real(t, r, "WeightMax");
            a.ThicknessMin = integer(t, r, "ThicknessMin");
            a.ThicknessMax = integer(t, r, "ThicknessMax");
            a.ProfWidthMin = integer(t, r, "ProfWidthMin");
            a.ProfWidthMax = integer(t, r, "ProfWidthMax");
            a.ProfSys = text(t, r, "ProfSys");
            a.FFBMin = integer(t, r, "FFBMin");
            a.FFBMax = integer(t, r, "FFBMax");
            a.FFHMin = integer(t, r, "FFHMin");
            a.FFHMax = integer(t, r, "FFHMax");
            a.FFL1Min = integer(t, r, "FFL1Min");
            a.FFL1Max = integer(t, r, "FFL1Max");
            a.FFL2Min = integer(t, r, "FFL2Min");
            a.FFL2Max = integer(t, r, "FFL2Max");
            a.FFAMin = real(t, r, "FFAMin");
            a.FFAMax = real(t, r, "FFAMax");
            a.FFR1Min = integer(t, r, "FFR1Min");
            a.FFR1Max = integer(t, r, "FFR1Max");
            a.FFR2Min = integer(t, r, "FFR2Min");
            a.FFR2Max = integer(t, r, "FFR2Max");
            a.Color = text(t, r, "Color");
            a.StulpType = integer(t, r, "StulpType");
            a.Direct = integer(t, r, "Direct");
            const QString element = text(t, r, "ID");
            a.Fault = attributeFault(element, a);
            articleRows_[element].push_back(a);
        }
    }

    // --- what a selection can ask ---

    // Why an article row can never pass the attribute clauses of its element's filter, whatever the
    // sash: the values it asks for are not in the parameter lists. Empty when it can pass.
    QString attributeFault(const QString& element, const ArticleRow& a) const {
        const auto it = elements_.constFind(element);
        if (it == elements_.constEnd()) return QString();
        const Element& e = *it;
        if (e.HasFalzLuft || e.HasFalzSize || e.HasFalzPos) {
            const bool any = std::any_of(rebates_.begin(), rebates_.end(), [&](const Rebate& f) {
                return (!e.HasFalzLuft || f.FalzLuft == a.FalzLuft) && (!e.HasFalzSize || f.FalzSize == a.FalzSize) &&
                       (!e.HasFalzPos || f.FalzPos == a.FalzPos);
            });
            if (!any)
                return Format("фальц %d/%d-%d не совпадает ни с одним типом фальца (ParamList 100-199)", a.FalzLuft,
                              a.FalzSize, a.FalzPos);
        }
        if (e.HasDornMass) {
            const bool any = std::any_of(backsets_.begin(), backsets_.end(),
                                         [&](double d) { return a.DornMassMin <= d && d <= a.DornMassMax; });
            if (!any)
                return Format("дорнмасс %s-%s не включает ни одного дорнмасса (ParamList 200-299)",
                              number(a.DornMassMin), number(a.DornMassMax));
        }
        if (e.CheckWeight && !(a.WeightMin <= kSelectionWeight && kSelectionWeight <= a.WeightMax))
            return Format("вес створки при подборе равен 0, а диапазон веса артикула %s-%s", number(a.WeightMin),
                          number(a.WeightMax));
        if (e.CheckThickness && (a.ThicknessMax < a.ThicknessMin || a.ThicknessMax <= 0))
            return Format("диапазон толщины профиля %d-%d пуст", a.ThicknessMin, a.ThicknessMax);
        if (e.CheckProfWidth && !(a.ProfWidthMin <= kSelectionProfileWidth && kSelectionProfileWidth <= a.ProfWidthMax))
            return Format("ширина профиля при подборе равна 100, а диапазон артикула %d-%d", a.ProfWidthMin,
                          a.ProfWidthMax);
        if (e.HasProfSys && !keeperSystems_.contains(a.ProfSys))
            return Format("система ответных планок [%s] отсутствует в SysProf", a.ProfSys);
        if (e.CheckStulpType && !mullionTypes_.contains(a.StulpType))
            return Format("тип штульпа %d отсутствует в списке типов штульпа (ParamList 300-399)", a.StulpType);
        if (e.CheckDirect && a.Direct != 3 && !hands_.contains(a.Direct))
            return Format("сторона (Direct) %d не совпадает ни с одним комплектом", a.Direct);
        if (e.HasColor && !a.Color.isEmpty() && !colours_.contains(a.Color))
            return Format("цвет [%s] отсутствует в COLORSET", a.Color);
        return QString();
    }

    // Why an article row can never pass the range clause of a computation principle.
    static QString conditionFault(int condition, const ArticleRow& a) {
        auto range = [](const char* name, double lo, double hi) -> QString {
            if (hi < lo || hi <= 0)
                return Format("диапазон %s-%s %s пуст", number(lo), number(hi), QLatin1String(name));
            return QString();
        };
        QString f;
        switch (condition) {
            case 1:
                return range("FFB", a.FFBMin, a.FFBMax);
            case 2:
                return range("FFH", a.FFHMin, a.FFHMax);
            case 3:
                f = range("FFB", a.FFBMin, a.FFBMax);
                return f.isEmpty() ? range("FFH", a.FFHMin, a.FFHMax) : f;
            case 4:
                return range("FFL1", a.FFL1Min, a.FFL1Max);
            case 5:
                return range("FFL2", a.FFL2Min, a.FFL2Max);
            case 6:
                f = range("FFL1", a.FFL1Min, a.FFL1Max);
                return f.isEmpty() ? range("FFL2", a.FFL2Min, a.FFL2Max) : f;
            case 7:
                return range("FFA", a.FFAMin, a.FFAMax);
            case 8:
                return range("FFR1", a.FFR1Min, a.FFR1Max);
            case 9:
                return range("FFR2", a.FFR2Min, a.FFR2Max);
            case 10:
                f = range("FFR1", a.FFR1Min, a.FFR1Max);
                return f.isEmpty() ? range("FFR2", a.FFR2Min, a.FFR2Max) : f;
            default:
                return QString();
        }
    }

    int sideCount(const QString& kit) const {
        const auto it = sides_.constFind(kit);
        return it == sides_.constEnd() ? kMaxSides : int(it->size());
    }

    // A kit for one rectangular sash: four sides with right corners only.
    bool isRectangular(const QString& kit) const {
        const auto it = sides_.constFind(kit);
        if (it == sides_.constEnd() || it->size() != 4) return false;
        return std::all_of(it->begin(), it->end(), [](const SideLimit& l) {
            return l.MinAngle >= 89 && l.MinAngle <= 90 && l.MaxAngle >= 90 && l.MaxAngle <= 91;
        });
    }

    const SideLimit* sideLimit(const QString& kit, int side) const {
        const auto it = sides_.constFind(kit);
        if (it == sides_.constEnd()) return nullptr;
        for (const SideLimit& l : *it)
            if (l.Side == side) return &l;
        return nullptr;
    }

    bool systemInGroup(int systemGroup, int kitGroup) const {
        if (kitGroup == 0) return true;
        if (kitGroup % 100 == 0) return systemGroup / 100 * 100 == kitGroup;
        return systemGroup == kitGroup;
    }

    // The hardware colours a kit of a system group can be ordered in (SysColor of its systems).
    QSet<QString> coloursOfGroup(int commonGrp) const {
        QSet<QString> result;
        for (auto it = systemColours_.constBegin(); it != systemColours_.constEnd(); ++it)
            if (systemInGroup(systemGroups_.value(it.key()), commonGrp)) result.unite(it.value());
        return result;
    }

    void checkPropKey(const QString& table, const QString& kit, const QString& element, const QString& article,
                      int propKey) {
        if (propKey != 0 && !propertySets_.contains(propKey))
            error(table, kit, element, article,
                  Format("набор свойств PropKey %d не содержит ни одного свойства (FrnProp): ограничение не действует",
                         propKey));
    }

    // An element that a rule, a composite or a keeper row asks for. Reports a missing element, an
    // element without articles and a required element none of whose articles can be chosen;
    // `colours` are the colours it may be asked in (empty: colour not checked).
    void checkElementUse(const QString& table, const QString& kit, const QString& element, bool required, int condition,
                         const QSet<QString>& colours, bool isKeeper) {
        const auto it = elements_.constFind(element);
        const bool hasArticles = articleRows_.contains(element);
        if (it == elements_.constEnd()) {
            error(table, kit, element, QString(),
                  hasArticles ? QStringLiteral("элемент отсутствует в FrnItem: подбор завершится ошибкой")
                              : QStringLiteral("элемент отсутствует в FrnItem и не имеет артикулов (FrnArt): "
                                               "фурнитура не будет подобрана"));
            return;
        }
        if (it->Virtual && !isKeeper) {
            if (!composites_.contains(element))
                warning(table, kit, element, QString(),
                        QStringLiteral("виртуальный элемент без состава (FrnItoI): ничего не устанавливается"));
            return;
        }
        if (!hasArticles) {
            if (composites_.contains(element) && !isKeeper) {
                warning(table, kit, element, QString(),
                        QStringLiteral("составной элемент без собственных артикулов не отмечен как виртуальный"));
                return;
            }
            add(required ? TCheckSeverity::Error : TCheckSeverity::Warning, table, kit, element, QString(),
                QStringLiteral("у элемента нет ни одного артикула (FrnArt): фурнитура молча не подбирается"));
            return;
        }
        const std::vector<ArticleRow>& rows = articleRows_[element];
        QString firstFault;
        std::vector<const ArticleRow*> usable;
        for (const ArticleRow& a : rows) {
            QString fault = a.Fault;
            if (fault.isEmpty()) fault = conditionFault(condition, a);
            if (fault.isEmpty())
                usable.push_back(&a);
            else if (firstFault.isEmpty())
                firstFault = Format("[%s] %s", a.CatalogID, fault);
        }
        if (usable.empty()) {
            add(required ? TCheckSeverity::Error : TCheckSeverity::Warning, table, kit, element, QString(),
                Format("ни один артикул элемента не может быть подобран (%s)", firstFault));
            return;
        }
        if (!it->HasColor || !required) return;
        QSet<QString> offered;
        for (const ArticleRow* a : usable)
            offered.insert(a->Color);
        if (offered.contains(QString())) return;
        if (isKeeper) {
            error(table, kit, element, QString(),
                  QStringLiteral("ответные планки подбираются без цвета, а у элемента нет артикула для любого цвета"));
            return;
        }
        QStringList missing;
        for (const QString& c : colours)
            if (!offered.contains(c)) missing << c;
        std::sort(missing.begin(), missing.end());
        if (!missing.isEmpty())
            error(table, kit, element, QString(),
                  Format("нет артикула цвета %s и нет артикула для любого цвета", missing.join(QStringLiteral(", "))));
    }

    // Sizes a required rule of principle 1 or 2 may meet that no article covers.
    void checkSizeCoverage(const QString& kit, const QString& element, int condition, int ruleMin, int ruleMax) {
        const auto rowsIt = articleRows_.constFind(element);
        if (rowsIt == articleRows_.constEnd()) return;
        const bool width = condition == 1;
        std::vector<Span> spans;
        long long hullLo = std::numeric_limits<long long>::max(), hullHi = std::numeric_limits<long long>::min();
        for (const ArticleRow& a : *rowsIt) {
            if (!a.Fault.isEmpty() || !conditionFault(condition, a).isEmpty()) continue;
            const Span s{width ? a.FFBMin : a.FFHMin, width ? a.FFBMax : a.FFHMax};
            spans.push_back(s);
            hullLo = std::min(hullLo, s.Lo);
            hullHi = std::max(hullHi, s.Hi);
        }
        if (spans.empty()) return;
        long long lo = std::max<long long>(ruleMin, hullLo);
        long long hi = ruleMax > 0 ? std::min<long long>(ruleMax, hullHi) : hullHi;
        bool openTop = false;
        if (isRectangular(kit)) {
            // The kit's side limits say which sizes reach the rule: side 1 is the height, side 2 the width.
            const SideLimit* side = sideLimit(kit, width ? 2 : 1);
            if (side) {
                lo = std::max<long long>(ruleMin, RoundHalfUp(side->MinSize / 10.0L));
                const long long top = RoundHalfUp(side->MaxSize / 10.0L);
                hi = ruleMax > 0 ? std::min<long long>(ruleMax, top) : top;
            }
        } else if (ruleMax == 0 && ruleMin > hullHi) {
            hi = ruleMin;  // the rule admits only sizes above every article
            openTop = true;
        }
        for (const Span& gap : uncovered(spans, lo, hi))
            error(QStringLiteral("FrnSet"), kit, element, QString(),
                  Format("нет артикула для %s %s (в десятых долях размера, мм)", QLatin1String(width ? "FFB" : "FFH"),
                         spanText(gap, openTop && gap.Hi == hi)));
    }

    // --- checks ---

    void checkReference() {
        for (const auto& [id, rate] : currencies_)
            if (!(rate > 0))
                error(QStringLiteral("Currency"), QString(), QString(), QString(),
                      Format("курс валюты [%s] (код %d) не задан: цены в этой валюте не пересчитываются",
                             currencyNames_.value(id), id));
        const CatalogTable& f = dm_.T_FalzList;
        for (int r = 0; r < f.RowCount(); ++r)
            if (integer(f, r, "FalzLuft") < 1 || integer(f, r, "FalzSize") < 1 || integer(f, r, "FalzPos") < 1)
                error(QStringLiteral("ParamList"), QString(), QString(), QString(),
                      Format("тип фальца %d [%s]: параметры фальца %d/%d-%d не заданы, подбор завершится ошибкой",
                             integer(f, r, "ID"), text(f, r, "Name"), integer(f, r, "FalzLuft"),
                             integer(f, r, "FalzSize"), integer(f, r, "FalzPos")));
        const CatalogTable& d = dm_.T_DornList;
        for (int r = 0; r < d.RowCount(); ++r)
            if (!(real(d, r, "DornMass") > 0))
                error(QStringLiteral("ParamList"), QString(), QString(), QString(),
                      Format("дорнмасс %d [%s] не задан: подбор завершится ошибкой", integer(d, r, "ID"),
                             text(d, r, "Name")));
    }

    void checkKits() {
        const CatalogTable& t = dm_.T_FrnComp;
        for (int r = 0; r < t.RowCount(); ++r) {
            const QString id = text(t, r, "ID");
            const Kit& k = kits_[id];
            checkPropKey(QStringLiteral("FrnComp"), id, QString(), QString(), k.PropKey);
            if (!k.SymmetricID.isEmpty() && !kits_.contains(k.SymmetricID))
                warning(QStringLiteral("FrnComp"), id, QString(), QString(),
                        Format("симметричный комплект [%s] отсутствует в FrnComp", k.SymmetricID));
            if (!isMainKitGroup(k.Group)) continue;
            if (!sides_.contains(id))
                error(QStringLiteral("FrnComp"), id, QString(), QString(),
                      QStringLiteral("у основного комплекта нет ограничений сторон (FrnSide): он не подходит "
                                     "ни к одной створке и не предлагается в списке комплектов"));
            if (k.CommonGrp != 0) {
                bool offered = false;
                for (auto it = systemGroups_.constBegin(); it != systemGroups_.constEnd() && !offered; ++it)
                    offered = it.value() != 0 && (it.value() == k.CommonGrp || it.value() / 100 * 100 == k.CommonGrp);
                if (!offered)
                    warning(
                        QStringLiteral("FrnComp"), id, QString(), QString(),
                        Format("группа систем CommonGrp %d не совпадает ни с одной системой (SysList)", k.CommonGrp));
            }
        }
    }

    void checkSideLimits() {
        for (auto it = sides_.constBegin(); it != sides_.constEnd(); ++it) {
            const QString& kit = it.key();
            const std::vector<SideLimit>& rows = *it;
            const int n = int(rows.size());
            if (!kits_.contains(kit)) {
                warning(QStringLiteral("FrnSide"), kit, QString(), QString(),
                        QStringLiteral("ограничения сторон комплекта, которого нет в FrnComp"));
                continue;
            }
            if (isMainKitGroup(kits_[kit].Group) && (n < 3 || n > 4))
                error(QStringLiteral("FrnSide"), kit, QString(), QString(),
                      Format("ограничения заданы для %d сторон, а створки бывают только с 3 или 4 сторонами: "
                             "комплект не подходит ни к одной створке",
                             n));
            QSet<int> seen;
            for (const SideLimit& l : rows) {
                QString fault;
                if (l.Side < 1 || l.Side > n || seen.contains(l.Side))
                    fault = Format("номер стороны %d вне сторон 1-%d или повторяется", l.Side, n);
                else if (l.MaxSize < l.MinSize || l.MaxSize <= 0)
                    fault = Format("длина стороны %d-%d: ни одна длина не подходит", l.MinSize, l.MaxSize);
                else if (l.MaxAngle < l.MinAngle || l.MaxAngle <= 0)
                    fault = Format("угол %s-%s: ни один угол не подходит", number(l.MinAngle), number(l.MaxAngle));
                else if (l.MaxRadius < l.MinRadius)
                    fault = Format("радиус %d-%d: ни один радиус не подходит", l.MinRadius, l.MaxRadius);
                seen.insert(l.Side);
                if (!fault.isEmpty())
                    error(QStringLiteral("FrnSide"), kit, QString(), QString(),
                          Format("сторона %d: %s, комплект не подходит ни к одной створке", l.Side, fault));
                if (l.OpenMode == 1 && (l.RotSide < 1 || l.RotSide > n))
                    warning(QStringLiteral("FrnSide"), kit, QString(), QString(),
                            Format("сторона %d: маркер открывания указывает на сторону %d вне сторон 1-%d и не "
                                   "рисуется",
                                   l.Side, l.RotSide, n));
            }
        }
    }

    void checkArticleRows() {
        const CatalogTable& t = dm_.T_FrnArt;
        QHash<QString, int> rowOfElement;
        for (int r = 0; r < t.RowCount(); ++r) {
            const QString element = text(t, r, "ID");
            const ArticleRow& a = articleRows_[element][rowOfElement[element]++];
            if (a.CatalogID.isEmpty()) {
                error(QStringLiteral("FrnArt"), QString(), element, QString(),
                      QStringLiteral("пустой артикул: подбор завершится ошибкой"));
                continue;
            }
            if (!articles_.contains(a.CatalogID))
                error(QStringLiteral("FrnArt"), QString(), element, a.CatalogID,
                      QStringLiteral("артикул отсутствует в каталоге (Catalog): расчет цены завершится ошибкой"));
            if (!a.Fault.isEmpty())
                warning(QStringLiteral("FrnArt"), QString(), element, a.CatalogID,
                        Format("артикул никогда не будет подобран: %s", a.Fault));
        }
    }

    void checkSetRules() {
        const CatalogTable& t = dm_.T_FrnSet;
        QSet<QString> orphanKits;
        for (int r = 0; r < t.RowCount(); ++r) {
            const QString kit = text(t, r, "ID");
            const QString element = text(t, r, "Item");
            const QString table = QStringLiteral("FrnSet");
            if (!kits_.contains(kit)) {
                if (!orphanKits.contains(kit))
                    warning(table, kit, QString(), QString(),
                            QStringLiteral("правила комплекта, которого нет в FrnComp, не применяются"));
                orphanKits.insert(kit);
                continue;
            }
            if (element.isEmpty()) {
                error(table, kit, QString(), QString(), QStringLiteral("пустой элемент: подбор завершится ошибкой"));
                continue;
            }
            const Kit& k = kits_[kit];
            const int n = sideCount(kit);
            auto sideFault = [&](const char* column, int value, int limit, const QString& what) {
                if (value < 1 || value > limit)
                    error(table, kit, element, QString(),
                          Format("%s %s = %d вне 1-%d: подбор завершится ошибкой", what, QLatin1String(column), value,
                                 limit));
            };
            const QString side = QStringLiteral("номер стороны");
            const QString corner = QStringLiteral("номер угла");
            const QString partnerSide = QStringLiteral("номер стороны смежной створки");
            if (integer(t, r, "FFL1Min") != 0 || integer(t, r, "FFL1Max") != 0)
                sideFault("FFL1No", integer(t, r, "FFL1No"), n, side);
            if (integer(t, r, "FFL2Min") != 0 || integer(t, r, "FFL2Max") != 0)
                sideFault("FFL2No", integer(t, r, "FFL2No"), n, side);
            if (integer(t, r, "FFR1Min") != 0 || integer(t, r, "FFR1Max") != 0 || integer(t, r, "FFR1Type") >= 2)
                sideFault("FFR1No", integer(t, r, "FFR1No"), n, side);
            if (integer(t, r, "FFR2Min") != 0 || integer(t, r, "FFR2Max") != 0 || integer(t, r, "FFR2Type") >= 2)
                sideFault("FFR2No", integer(t, r, "FFR2No"), n, side);
            if (real(t, r, "FFAMin") != 0 || real(t, r, "FFAMax") != 0)
                sideFault("FFANo", integer(t, r, "FFANo"), n, corner);
            const int condition = integer(t, r, "Condition");
            const int scale = integer(t, r, "ScaleCondition");
            if (condition == 4 || condition == 6 || condition == 8 || condition == 10 || scale == 3)
                sideFault("Side1No", integer(t, r, "Side1No"), n, side);
            if (condition == 5 || condition == 6 || condition == 9 || condition == 10 || scale == 4)
                sideFault("Side2No", integer(t, r, "Side2No"), n, side);
            if (condition == 7) sideFault("AngleNo", integer(t, r, "AngleNo"), n, corner);

            const bool partnerL1 = integer(t, r, "FFL21Min") != 0 || integer(t, r, "FFL21Max") != 0;
            const bool partnerL2 = integer(t, r, "FFL22Min") != 0 || integer(t, r, "FFL22Max") != 0;
            if (partnerL1) sideFault("FFL21No", integer(t, r, "FFL21No"), kPartnerSides, partnerSide);
            if (partnerL2) sideFault("FFL22No", integer(t, r, "FFL22No"), kPartnerSides, partnerSide);
            const QString useIfArt = text(t, r, "UseIfArt");
            const bool singleSashKit = isMainKitGroup(k.Group) && k.SubGroup == 0;
            if (singleSashKit && (partnerL1 || partnerL2 || !useIfArt.isEmpty()))
                error(table, kit, element, QString(),
                      QStringLiteral("условие по смежной створке в комплекте для одной створки: подбор завершится "
                                     "ошибкой"));
            if (!useIfArt.isEmpty() && !articles_.contains(useIfArt))
                error(table, kit, element, useIfArt,
                      QStringLiteral("артикул смежной створки (UseIfArt) отсутствует в каталоге: элемент никогда не "
                                     "устанавливается"));

            if (scale >= 1 && scale <= 4) {
                const QString scheme = text(t, r, "ScaleScheme");
                if (scheme.isEmpty() && integer(t, r, "ScaleStep") < 1)
                    error(table, kit, element, QString(),
                          QStringLiteral("масштабирование с шагом ScaleStep = 0: подбор завершится ошибкой"));
                if (scheme.isEmpty() && integer(t, r, "ScaleNum") == 0)
                    warning(table, kit, element, QString(),
                            QStringLiteral("масштабирование с ScaleNum = 0: количество всегда равно 0"));
                for (const QString& part : scheme.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
                    bool ok = false;
                    part.trimmed().toInt(&ok);
                    if (!ok)
                        warning(table, kit, element, QString(),
                                Format("порог [%s] схемы масштабирования не число и не учитывается", part));
                }
            } else if (integer(t, r, "Number") == 0) {
                warning(table, kit, element, QString(), QStringLiteral("количество Number = 0: элемент не ставится"));
            }

            checkPropKey(table, kit, element, QString(), integer(t, r, "PropKey"));
            if (integer(t, r, "UseLen") == 1) checkFormula(kit, element, text(t, r, "LenFormula"), n);

            const bool required = integer(t, r, "Required") == 1;
            const int colourCondition = integer(t, r, "ColorCondition");
            checkElementUse(table, kit, element, required, condition,
                            colourCondition == 0 ? coloursOfGroup(k.CommonGrp) : colours_, false);
            if (required && (condition == 1 || condition == 2) && elements_.contains(element) &&
                !elements_[element].Virtual)
                checkSizeCoverage(kit, element, condition, integer(t, r, condition == 1 ? "FFBMin" : "FFHMin"),
                                  integer(t, r, condition == 1 ? "FFBMax" : "FFHMax"));
        }
    }

    void checkFormula(const QString& kit, const QString& element, const QString& formula, int sides) {
        const QString table = QStringLiteral("FrnSet");
        if (formula.trimmed().isEmpty()) {
            warning(table, kit, element, QString(),
                    QStringLiteral("расчет длины (UseLen) без формулы: длина всегда 0"));
            return;
        }
        Expression expression;
        try {
            expression = Expression::Parse(formula);
        } catch (const TqxfError& e) {
            error(table, kit, element, QString(), Format("формула длины не разбирается: %s", e.message()));
            return;
        }
        FormulaProbe probe(sides);
        try {
            expression.Evaluate(probe);
        } catch (const TqxfError& e) {
            if (e.message().startsWith(QStringLiteral("Неизвестная функция")) ||
                e.message().startsWith(QStringLiteral("Неверное число аргументов")))
                error(table, kit, element, QString(),
                      Format("формула длины [%s]: %s, подбор завершится ошибкой", formula, e.message()));
            // Other faults depend on the sizes the probe made up.
        }
        for (const QString& name : probe.UnknownNames)
            warning(table, kit, element, QString(),
                    Format("формула длины [%s]: переменная [%s] неизвестна и всегда равна 0", formula, name));
        for (const QString& call : probe.SideFaults)
            warning(table, kit, element, QString(),
                    Format("формула длины [%s]: %s указывает сторону вне 1-%d и всегда равна 0", formula, call, sides));
    }

    void checkComposites() {
        const CatalogTable& t = dm_.T_FrnItoI;
        const QString table = QStringLiteral("FrnItoI");
        for (int r = 0; r < t.RowCount(); ++r) {
            const QString composite = text(t, r, "ID");
            const QString part = text(t, r, "Item");
            if (!elements_.contains(composite)) {
                error(table, QString(), composite, QString(),
                      QStringLiteral("составной элемент отсутствует в FrnItem: подбор завершится ошибкой"));
                continue;
            }
            if (part.isEmpty()) {
                error(table, QString(), composite, QString(),
                      QStringLiteral("в составе пустой элемент: подбор завершится ошибкой"));
                continue;
            }
            checkPropKey(table, QString(), part, QString(), integer(t, r, "PropKey"));
            if (integer(t, r, "Number") == 0)
                warning(table, QString(), part, QString(),
                        Format("количество в составе [%s] равно 0: часть не ставится", composite));
            const int colourCondition = integer(t, r, "ColorCondition");
            checkElementUse(table, QString(), part, integer(t, r, "Required") == 1, 0,
                            colourCondition == 0 ? coloursOfGroup(0) : colours_, false);
        }
    }

    void checkKeepers() {
        const CatalogTable& t = dm_.T_FrnSchl;
        const QString table = QStringLiteral("FrnSchl");
        for (int r = 0; r < t.RowCount(); ++r) {
            const QString source = text(t, r, "CatalogID");
            const QString keeper = text(t, r, "Item");
            const QString kit = text(t, r, "ItemComplectID");
            if (!articles_.contains(source))
                warning(table, kit, keeper, source,
                        QStringLiteral("артикул, которому назначены ответные планки, отсутствует в каталоге"));
            if (!kit.isEmpty() && !kits_.contains(kit))
                warning(table, kit, keeper, source,
                        QStringLiteral("комплект ItemComplectID отсутствует в FrnComp: строка не применяется"));
            checkPropKey(table, kit, keeper, source, integer(t, r, "PropKey"));
            if (keeper.isEmpty()) {
                warning(table, kit, QString(), source, QStringLiteral("пустой элемент ответной планки"));
                continue;
            }
            const int group = elements_.contains(keeper) ? elements_[keeper].CommonGrp : 0;
            if (group != 0) {
                bool any = false;
                for (auto it = systemGroups_.constBegin(); it != systemGroups_.constEnd() && !any; ++it)
                    any = it.value() != 0 && systemInGroup(it.value(), group);
                if (!any)
                    warning(table, kit, keeper, source,
                            Format("группа систем %d элемента не совпадает ни с одной системой: планка не ставится",
                                   group));
            }
            checkElementUse(table, kit, keeper, true, 0, QSet<QString>(), true);
        }
    }

    void checkCoversAndAccessories() {
        struct Source {
            const CatalogTable* Table;
            QString Name;
            bool HasPropKey;
        };
        for (const Source& s : {Source{&dm_.T_FrnAbd, QStringLiteral("FrnAbd"), false},
                                Source{&dm_.T_FrnDop, QStringLiteral("FrnDop"), true}}) {
            const CatalogTable& t = *s.Table;
            for (int r = 0; r < t.RowCount(); ++r) {
                const QString source = text(t, r, "CatalogID");
                const QString accessory = text(t, r, "AccessoryID");
                const QString kit = text(t, r, "ItemComplectID");
                if (!articles_.contains(source))
                    warning(s.Name, kit, QString(), source,
                            QStringLiteral("артикул, которому назначена строка, отсутствует в каталоге"));
                if (accessory.isEmpty())
                    warning(s.Name, kit, QString(), source, QStringLiteral("пустой артикул: строка не действует"));
                else if (!articles_.contains(accessory))
                    error(s.Name, kit, QString(), accessory,
                          QStringLiteral("артикул отсутствует в каталоге (Catalog): расчет цены завершится ошибкой"));
                if (integer(t, r, "Number") == 0)
                    warning(s.Name, kit, QString(), accessory, QStringLiteral("количество Number = 0: не ставится"));
                if (s.HasPropKey) checkPropKey(s.Name, kit, QString(), accessory, integer(t, r, "PropKey"));
            }
        }
    }

    void checkCatalog() {
        const CatalogTable& t = dm_.T_Catalog;
        const QString table = QStringLiteral("Catalog");
        for (int r = 0; r < t.RowCount(); ++r) {
            const QString id = text(t, r, "ID");
            const Article& a = articles_[id];
            if (a.Virtual) continue;
            const auto rate = currencies_.find(a.Currency);
            if (rate == currencies_.end())
                error(table, QString(), QString(), id,
                      Format("валюта цены (код %d) отсутствует в справочнике валют: цена не пересчитывается",
                             a.Currency));
            else if (!(rate->second > 0))
                error(
                    table, QString(), QString(), id,
                    Format("у валюты цены [%s] нет курса: цена не пересчитывается", currencyNames_.value(a.Currency)));
            if (a.PriceGrp != 0 && !priceGroups_.contains(a.PriceGrp))
                error(table, QString(), QString(), id,
                      Format("ценовая группа %d отсутствует в PriceGrp: расчет цены завершится ошибкой", a.PriceGrp));
            if (!(a.Price > 0)) warning(table, QString(), QString(), id, QStringLiteral("цена не задана"));
            if (a.MaxLength > 0 && a.MaxLength < a.MinLength)
                warning(table, QString(), QString(), id,
                        Format("длина %d-%d: минимальная больше максимальной", a.MinLength, a.MaxLength));
        }
    }

    void checkProperties() {
        const CatalogTable& t = dm_.T_FrnProp;
        for (int r = 0; r < t.RowCount(); ++r) {
            const int value = integer(t, r, "ID");
            if (!propertyValues_.contains(value))
                error(QStringLiteral("FrnProp"), QString(), QString(), QString(),
                      Format("набор свойств PropKey %d: значение %d отсутствует в SysProp и не может быть выбрано",
                             integer(t, r, "PropKey"), value));
        }
    }
};

}  // namespace

std::vector<TCatalogFinding> CheckCatalog(const TDM& dm) {
    return Checker(dm).Run();
}

int ErrorCount(const std::vector<TCatalogFinding>& findings) {
    return int(std::count_if(findings.begin(), findings.end(),
                             [](const TCatalogFinding& f) { return f.Severity == TCheckSeverity::Error; }));
}

int WarningCount(const std::vector<TCatalogFinding>& findings) {
    return int(findings.size()) - ErrorCount(findings);
}

QString FindingText(const TCatalogFinding& f) {
    QStringList where;
    if (!f.Kit.isEmpty())
        where << (f.KitName.isEmpty() ? Format("комплект [%s]", f.Kit)
                                      : Format("комплект [%s] «%s»", f.Kit, f.KitName));
    if (!f.Element.isEmpty())
        where << (f.ElementName.isEmpty() ? Format("элемент [%s]", f.Element)
                                          : Format("элемент [%s] «%s»", f.Element, f.ElementName));
    if (!f.Article.isEmpty()) where << Format("артикул [%s]", f.Article);
    QString line = Format("%s [%s] ", f.Severity == TCheckSeverity::Error ? "Ошибка" : "Предупреждение", f.Table);
    if (!where.isEmpty()) line += where.join(QStringLiteral(", ")) + QStringLiteral(": ");
    return line + f.Message;
}

QJsonObject FindingJson(const TCatalogFinding& f) {
    QJsonObject o;
    o.insert(QStringLiteral("Severity"),
             f.Severity == TCheckSeverity::Error ? QStringLiteral("error") : QStringLiteral("warning"));
    o.insert(QStringLiteral("Table"), f.Table);
    o.insert(QStringLiteral("Kit"), f.Kit);
    o.insert(QStringLiteral("KitName"), f.KitName);
    o.insert(QStringLiteral("Element"), f.Element);
    o.insert(QStringLiteral("ElementName"), f.ElementName);
    o.insert(QStringLiteral("Article"), f.Article);
    o.insert(QStringLiteral("Message"), f.Message);
    return o;
}

}  // namespace qx
