// report_fixture.cpp — the report tests' catalog, settings, demo order and selection.
#include "report_fixture.h"

#include <QDir>

#include "common/datetime.h"
#include "documents/order_file.h"
#include "shell/paths.h"

namespace qx {

namespace {

const char* const kReportCatalog = R"(
INSERT INTO Currency (ID, Name, Nominative, Genitive, GenitivePlural, Gender, Dec, Value) VALUES
  (1, 'руб.', 'рубль', 'рубля', 'рублей', 0, 2, 1),
  (2, 'EUR', 'евро', 'евро', 'евро', 2, 2, 95.5);
INSERT INTO SysList (ID, Name, ShortName, "Use") VALUES ('110', 'Фурнитура DUV Окно', 'DUV', 1);
INSERT INTO SysProf (SchlSysID, FurnSysID, Name) VALUES ('P58', '110', 'Профиль 58 мм');
INSERT INTO COLORSET (Color, Name) VALUES ('WH', 'Белый'), ('BR', 'Коричневый');
INSERT INTO SysProp (ID, GroupName, ValueName, Printable, "Use", PrintName) VALUES
  (111, 'Проветривание', 'Микропроветривание', 1, 1, 'с микропроветриванием'),
  (140, 'Взломостойкость', 'RC1', 0, 1, 'RC1'),
  (141, 'Проветривание (штульп)', 'Микропроветривание', 1, 1, 'с микропроветриванием'),
  (150, 'Детская защита', 'Блокиратор открывания', 1, 1, 'с детской защитой');
INSERT INTO FrnComp (ID, "Group", Name, Image, Direct, Printable, PrintName) VALUES
  ('W-TT-L', 10, 'Поворотно-откидной, петли слева', 1, 1, 1, 'Фурнитура поворотно-откидная, левая'),
  ('W-ST-AL', 10, 'Штульповый активный, левая створка', 1, 1, 1, 'Фурнитура штульповая, активная левая'),
  ('W-ST-PR', 10, 'Штульповый пассивный, правая створка', 0, 2, 0, ''),
  ('D-BAL-L', 20, 'Балконная дверь, петли слева', 4, 1, 1, 'Фурнитура балконной двери, левая'),
  ('H-W', 30, 'Ручка оконная', 0, 3, 1, 'Ручка оконная');
INSERT INTO FrnSide (ID, Side, OpenMode, RotSide, Handled, Banded, Drived, HandleDirect) VALUES
  ('W-TT-L', 1, 0, 0, 0, 1, 1, 0), ('W-TT-L', 2, 1, 4, 0, 0, 1, 0),
  ('W-TT-L', 3, 1, 1, 1, 0, 1, 1), ('W-TT-L', 4, 0, 0, 0, 0, 1, 0),
  ('W-ST-AL', 1, 0, 0, 0, 1, 1, 0), ('W-ST-AL', 2, 1, 4, 0, 0, 1, 0),
  ('W-ST-AL', 3, 1, 1, 1, 0, 1, 1), ('W-ST-AL', 4, 0, 0, 0, 0, 1, 0),
  ('W-ST-PR', 1, 1, 3, 0, 0, 1, 0), ('W-ST-PR', 3, 0, 0, 0, 1, 1, 0),
  ('D-BAL-L', 1, 0, 0, 0, 1, 1, 0), ('D-BAL-L', 3, 1, 1, 1, 0, 1, 1);
INSERT INTO FrnItem (ID, Name) VALUES ('E110', 'Основной запор'), ('E120', 'Угловой переключатель'),
  ('E140', 'Петля');
INSERT INTO Catalog (ID, Article, ProdArticle, ProdArticle2, Name, ShortName, GOST, Unit, Price, Currency, "Use") VALUES
  ('DUV-110-14', '110.14', 'P-110-14', 'Z14', 'Запор основной 1201-1400', 'Запор 1400', 'ГОСТ 30777', 'шт', 1250, 1, 1),
  ('DUV-120', '120', 'P-120', '', 'Переключатель угловой', 'Угол', 'ГОСТ 30777', 'шт', 310.5, 1, 1),
  ('DUV-141', '141', 'P-141', '', 'Петля верхняя', 'Петля в.', '', 'шт', 420, 1, 1),
  ('DUV-142', '142', 'P-142', '', 'Петля нижняя', 'Петля н.', '', 'шт', 385, 1, 1),
  ('DUV-150', '150', 'P-150', '', 'Ножницы 600-800', 'Ножницы', '', 'шт', 980, 1, 1),
  ('DUV-160', '160', 'P-160', '', 'Шина удлинительная', 'Шина', '', 'м', 450, 1, 1),
  ('DUV-K1', 'K1', 'P-K1', '', 'Планка ответная', 'Планка', '', 'шт', 95.2, 1, 1),
  ('DUV-ST', 'ST', 'P-ST', '', 'Механизм штульповый', 'Штульп', '', 'шт', 1650, 1, 1),
  ('DUV-BL', 'BL', 'P-BL', '', 'Блокиратор открывания', 'Блокиратор', '', 'шт', 5, 2, 1),
  ('DUV-H1', 'H1', 'P-H1', '', 'Ручка оконная белая', 'Ручка', '', 'шт', 350, 1, 1),
  ('DUV-Z1', 'Z1', 'P-Z1', '', 'Защелка балконная', 'Защелка', '', 'шт', 560, 1, 1);
)";

struct Item {
    const char* article;
    int count;
    float length;
    int side;
    const char* note;
};

// Gives the sash a kit record with its side flags, a handle at the given height and the items.
TqxfFurnComp& kitOf(TqxfFlugel& sash, const QString& complectID, int handleHeight, const QStringList& props,
                    std::initializer_list<Item> items) {
    sash.FurnComp = std::make_unique<TqxfFurnComp>(&sash);
    TqxfFurnComp& kit = *sash.FurnComp;
    kit.FurnSys = QStringLiteral("110");
    kit.ProfSys = QStringLiteral("P58");
    kit.Color = QStringLiteral("WH");
    kit.ComplectID = complectID;
    kit.Props = props;
    kit.ApplySides();
    for (auto& line : sash.Lines)
        if (line->Handled) line->SetHandle(handleHeight, 1);
    for (const Item& i : items)
        kit.AddItem(QString::fromUtf8(i.article), complectID, QStringLiteral("E110 → ") + QString::fromUtf8(i.article),
                    false, i.length, QString::fromUtf8(i.note), i.count, i.side);
    return kit;
}

TqxfConstruction& position(TqxfOrder& order, const QString& no, const QString& name, int quantity, uint8_t mode,
                           const TSizeRec& sizes, uint8_t objType = kObjWindow) {
    auto p = order.NewPosition();
    p->PosNo = no;
    p->PosName = name;
    p->Quantity = quantity;
    p->ObjType = objType;
    p->FurnSys = QStringLiteral("110");
    p->ProfSys = QStringLiteral("P58");
    p->FurnColor = QStringLiteral("WH");
    p->FlugelMode = mode;
    p->BuildGeometry(sizes, 0);
    return *order.AddPosition(std::move(p));
}

std::unique_ptr<TqxfOrder> newOrder() {
    auto order = std::make_unique<TqxfOrder>();
    order->No = QStringLiteral("З-2024/017");
    order->AltNo = QStringLiteral("17-А");
    order->Customer = QStringLiteral("ООО «Луговой квартал»");
    order->ObjectName = QStringLiteral("Коттедж, окна гостиной");
    order->Address = QStringLiteral("пос. Луговой, ул. Новая, д. 3");
    order->Phone = QStringLiteral("+7 900 765-43-21");
    order->Remark = QStringLiteral("Монтаж в мае");
    order->RegDate = DateFromQt(QDate(2024, 3, 5));
    order->FurnSys = QStringLiteral("110");
    order->FurnColor = QStringLiteral("WH");
    order->ProfSys = QStringLiteral("P58");
    order->PriceGroupNo = 2;
    order->NDSTax = 20;
    order->TotalNDS = true;
    order->ShowIncludingNDS = false;
    order->Currency = 1;
    order->Currencies = {{1, 1.0f}, {2, 95.5f}};
    return order;
}

}  // namespace

ReportFixture::ReportFixture() : CatalogFixture(QString::fromUtf8(kReportCatalog)) {
    Settings.AutoSave = false;
    Settings.Name = QStringLiteral("ООО «Светлый проём»");
    Settings.Address = QStringLiteral("161120, г. Заречный, ул. Мастеровая, д. 5, офис 12");
    Settings.JustAddress = QStringLiteral("161120, г. Заречный, ул. Мастеровая, д. 5");
    Settings.ZipCode = QStringLiteral("(81755)");
    Settings.Phone1 = QStringLiteral("2-40-15");
    Settings.Phone3 = QStringLiteral("2-40-16");
    Settings.Fax = QStringLiteral("2-40-17");
    Settings.EMail = QStringLiteral("zakaz@svetlyi-proem.example");
    Settings.Internet = QStringLiteral("www.svetlyi-proem.example");
    Settings.INN = QStringLiteral("3512009876");
    Settings.Account = QStringLiteral("р/с 40702810900000012345");
    Settings.Director = QStringLiteral("Кузнецов А. П.");
    Settings.BookKeeper = QStringLiteral("Орлова Е. В.");
    SetSetup(&Settings);
    Paths().CatalogDir = CatalogDir();
    Paths().ConfigName = QStringLiteral("Демо");
    Paths().ReportDir = ReportDir();
    Paths().OrdersDir = Root();
}

ReportFixture::~ReportFixture() {
    SetSetup(nullptr);
    Paths() = TqxfPaths();
}

std::unique_ptr<TqxfOrder> ReportFixture::DemoOrder() {
    auto order = newOrder();
    const PricingContextScope pricing(*order);

    TqxfConstruction& window =
        position(*order, "001", "Окно поворотно-откидное", 2, kOneSash, TSizeRec{1000, 1400, 0, 0, 0, 0, 0});
    window.Notes = QStringList{"Кухня", "Москитная сетка"};
    kitOf(*window.Flugel1, "W-TT-L", 700, {"0=111", "1=150"},
          {{"DUV-110-14", 1, 0, 3, ""},
           {"DUV-120", 2, 0, 3, "вверху и внизу"},
           {"DUV-141", 1, 0, 1, ""},
           {"DUV-142", 1, 0, 1, ""},
           {"DUV-150", 1, 0, 2, ""},
           {"DUV-160", 1, 420, 2, "отрезать по месту"},
           {"DUV-K1", 3, 0, 3, ""},
           {"DUV-BL", 1, 0, 3, ""},
           {"DUV-H1", 1, 0, 3, ""}});
    window.CalcPrice();

    TqxfConstruction& twoSashes = position(*order, "002", "Окно двустворчатое без импоста", 1, kTwoSashesLeftActive,
                                           TSizeRec{1400, 1400, 0, 700, 700, 0, 0});
    kitOf(*twoSashes.Flugel1, "W-ST-AL", 700, {"0=141"},
          {{"DUV-110-14", 1, 0, 3, ""},
           {"DUV-120", 2, 0, 3, ""},
           {"DUV-141", 1, 0, 1, ""},
           {"DUV-142", 1, 0, 1, ""},
           {"DUV-H1", 1, 0, 3, ""}});
    kitOf(*twoSashes.Flugel2, "W-ST-PR", 0, {}, {{"DUV-ST", 1, 0, 1, ""}, {"DUV-141", 1, 0, 3, ""}});
    twoSashes.CalcPrice();

    TqxfConstruction& excluded =
        position(*order, "003", "Окно (не в заказе)", 1, kOneSash, TSizeRec{600, 800, 0, 0, 0, 0, 0});
    kitOf(*excluded.Flugel1, "W-TT-L", 400, {}, {{"DUV-110-14", 1, 0, 3, ""}});
    excluded.CalcPrice();
    excluded.Checked = false;

    TqxfConstruction& door = position(*order, "004", "Дверь балконная", 1, kOneSash, TSizeRec{800, 2100, 0, 0, 0, 0, 0},
                                      kObjDoorWithThreshold);
    kitOf(*door.Flugel1, "D-BAL-L", 1050, {"0=140"},
          {{"DUV-110-14", 1, 0, 3, ""},
           {"DUV-141", 1, 0, 1, ""},
           {"DUV-142", 2, 0, 1, ""},
           {"DUV-Z1", 1, 0, 3, ""},
           {"DUV-H1", 1, 0, 3, ""}});
    door.CalcPrice();
    return order;
}

std::unique_ptr<TqxfOrder> ReportFixture::OrderWithoutLeftKit() {
    auto order = newOrder();
    const PricingContextScope pricing(*order);
    TqxfConstruction& p = position(*order, "001", "Окно без фурнитуры слева", 1, kTwoSashesRightActive,
                                   TSizeRec{1200, 1400, 0, 600, 600, 0, 0});
    kitOf(*p.Flugel2, "W-ST-AL", 700, {}, {{"DUV-110-14", 1, 0, 3, ""}});
    p.CalcPrice();
    return order;
}

QString ReportFixture::SaveOrder(TqxfOrder& order, const QString& name) {
    const QString file = QDir(Root()).filePath(name);
    SaveOrderToFile(order, file);
    return file;
}

std::unique_ptr<TqxfOrderSelection> ReportFixture::SelectionOf(const QString& orderFile) {
    auto selection = std::make_unique<TqxfOrderSelection>();
    selection->No = QStringLiteral("В-05");
    selection->SelName = QStringLiteral("Окна для дома на Новой");
    selection->SelDate = DateFromQt(QDate(2024, 4, 1));
    selection->Notes = QStringList{"Отгрузка одной партией", "Самовывоз"};
    selection->PriceGroupNo = 3;
    selection->NDSTax = 20;
    selection->Currency = 1;
    selection->Currencies = {{1, 1.0f}, {2, 95.5f}};
    selection->AddOrderFile(orderFile);
    for (int i = 0; i < selection->Count(); ++i)
        if (selection->Items(i)->PosNo == QLatin1String("003")) selection->Items(i)->Checked = false;
    auto missing = std::make_unique<TqxfOrderSelectionItem>();
    missing->OrderNo = QStringLiteral("З-404");
    missing->PosNo = QStringLiteral("001");
    missing->PosName = QStringLiteral("Окно из потерянного заказа");
    missing->Quantity = 1;
    missing->OrderFile = QDir(Root()).filePath(QStringLiteral("нет.qfo370"));
    selection->AddItem(std::move(missing));
    selection->MoveItem(selection->Count() - 1, 1);
    return selection;
}

QString ReportFixture::Eval(TDM_Report& module, const QString& expression) {
    struct ModuleContext : ExpressionContext {
        TDM_Report& m;
        explicit ModuleContext(TDM_Report& module) : m(module) {}
        bool Variable(const QString& name, ExprValue& value) override { return m.GetValue(name, value); }
        bool Function(const QString& name, const ExprArgs& args, ExprValue& result) override {
            return m.UserFunction(name, args, result);
        }
    } context(module);
    return EvaluateExpression(expression, context).toText();
}

}  // namespace qx
