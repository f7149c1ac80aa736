// report_data_test.cpp — the report data module: variables of every group, user functions, the
// five record sources, the material list, the logo and the binding of sketch objects.
#include "reports/report_data.h"

#include <gtest/gtest.h>

#include <QDir>

#include "common/error.h"
#include "pdf_tools.h"
#include "report_fixture.h"
#include "reports/sketch_object.h"
#include "reports/template_engine.h"

namespace qx {
namespace {

struct ValueCase {
    const char* expression;
    const char* expected;
};

std::string caseName(const char* expression) {
    std::string name;
    for (const char* c = expression; *c; ++c)
        if ((*c >= 'A' && *c <= 'Z') || (*c >= 'a' && *c <= 'z') || (*c >= '0' && *c <= '9')) name += *c;
    return name;
}

// The order is printed: its first position, the first kit of it, the second item of that kit and
// the sixth row of the material list (sorted by code) are current.
class OrderVariables : public ::testing::TestWithParam<ValueCase> {
protected:
    struct State {
        ReportFixture fixture;
        std::unique_ptr<TqxfOrder> order = fixture.DemoOrder();
        TDM_Report module;
    };
    // One catalog and order for all cases: the cases only read.
    static void SetUpTestSuite() {
        state = std::make_unique<State>();
        TDM_Report& module = state->module;
        module.SetDocument(state->order.get());
        module.OrderPosSpec().First();
        module.FrameFurnCompSpec().First();
        module.FurnCompItemSpec().First();
        module.FurnCompItemSpec().Next();
        ReportFixture::Eval(module, "_INIT_ORDERMATLIST('')");
        module.OrderMatList().First();
        for (int i = 0; i < 5; ++i)
            module.OrderMatList().Next();
    }
    static void TearDownTestSuite() { state.reset(); }
    static QString Eval(const char* expression) {
        return ReportFixture::Eval(state->module, QString::fromUtf8(expression));
    }
    static inline std::unique_ptr<State> state;
};

TEST_P(OrderVariables, AreAnsweredByTheirGroup) {
    EXPECT_EQ(Eval(GetParam().expression), QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Report, OrderVariables,
    ::testing::Values(
        // firm
        ValueCase{"_QXF_FIRMNAME", "ООО «Светлый проём»"}, ValueCase{"_QXF_CONFIGNAME", "Демо"},
        ValueCase{"_qxf_phones", "(81755) 2-40-15,2-40-16,2-40-17"}, ValueCase{"_QXF_PHONE_2", ""},
        ValueCase{"_QXF_JUSTADDRESS", "161120, г. Заречный, ул. Мастеровая, д. 5"},
        ValueCase{"_QXF_INN + ' / ' + _QXF_DIRECTOR", "3512009876 / Кузнецов А. П."},
        // order, names in any letter case
        ValueCase{"_order_no", "З-2024/017"}, ValueCase{"_Order_AltNo", "17-А"},
        ValueCase{"_ORDER_CUSTOMER", "ООО «Луговой квартал»"}, ValueCase{"_ORDER_OBJ", "Коттедж, окна гостиной"},
        ValueCase{"_ORDER_DATE", "05.03.2024"}, ValueCase{"_ORDER_FURNSYS", "Фурнитура DUV Окно"},
        ValueCase{"_ORDER_FURNCOLOR", "Белый"}, ValueCase{"_ORDER_PROFSYS", "Профиль 58 мм"},
        ValueCase{"_ORDER_PRICEGROUPNO + 1", "3"}, ValueCase{"_ORDER_GETTOTALNDS", "True"},
        ValueCase{"_ORDER_SHOWINCLUDENDS", "False"}, ValueCase{"_ORDER_NDSTAX", "20"},
        ValueCase{"_ORDER_CURRENCY", "руб."}, ValueCase{"_ORDER_SUM", "18362,2"}, ValueCase{"_ORDER_NDS", "3672,44"},
        ValueCase{"_ORDER_TOTAL", "22034,64"},
        // position
        ValueCase{"_POS_NO", "001"}, ValueCase{"_POS_NAME", "Окно поворотно-откидное"},
        ValueCase{"_POS_NUMBER * 10", "20"}, ValueCase{"_POS_OBJECTTYPE", "0"},
        ValueCase{"_POS_NOTE", "Кухня\r\nМоскитная сетка"}, ValueCase{"_POS_PROFSYS", "Профиль 58 мм"},
        ValueCase{"_POS_FURNSYS", "Фурнитура DUV Окно"}, ValueCase{"_POS_COLOR", "Белый"},
        ValueCase{"_POS_WIDTH + ' x ' + _POS_HEIGHT", "1000 x 1400"}, ValueCase{"_POS_PRICE", "4958,1"},
        ValueCase{"_POS_COST", "9916,2"}, ValueCase{"_POS_ORDERNO", ""},
        // no selection: its names give empty values
        ValueCase{"_SEL_NO", ""},
        // material row (the sixth by code)
        ValueCase{"_OMS_ID", "DUV-160"}, ValueCase{"_OMS_ARTICLE", "160"}, ValueCase{"_OMS_PRODARTICLE", "P-160"},
        ValueCase{"_OMS_PRODARTICLE1", ""}, ValueCase{"_OMS_PRODARTICLE2", ""},
        ValueCase{"_OMS_NAME", "Шина удлинительная"}, ValueCase{"_OMS_UNIT", "м"}, ValueCase{"_OMS_NUMBER", "0,84"},
        ValueCase{"_OMS_PRICE", "450"}, ValueCase{"_OMS_COST", "378"},
        // kit
        ValueCase{"_CFCS_FALZSIZE_WIDTH + ' x ' + _CFCS_FALZSIZE_HEIGHT", "1000 x 1400"},
        ValueCase{"_CFCS_HANDLEHEIGHT", "700"}, ValueCase{"_CFCS_FURNSYS", "Фурнитура DUV Окно"},
        ValueCase{"_CFCS_PROFSYS", "Профиль 58 мм"}, ValueCase{"_CFCS_FURNCOLOR", "Белый"},
        ValueCase{"_CFCS_COMPLECTNAME", "Фурнитура поворотно-откидная, левая"}, ValueCase{"_CFCS_PRINTABLE", "True"},
        ValueCase{"_CFCS_PROPERTY", "111;150"}, ValueCase{"_CFCS_ALLPROPERTY", "111;150"},
        ValueCase{"_CFCS_COMPLECTID", "W-TT-L"}, ValueCase{"_CFCS_SASH", "1"},
        // kit item (the second)
        ValueCase{"_FCIS_INDEX", "1"}, ValueCase{"_FCIS_ID", "DUV-120"}, ValueCase{"_FCIS_ARTICLE", "120"},
        ValueCase{"_FCIS_PRODARTICLE", "P-120"}, ValueCase{"_FCIS_PRODARTICLE1", ""},
        ValueCase{"_FCIS_NAME", "Переключатель угловой"}, ValueCase{"_FCIS_SHORTNAME", "Угол"},
        ValueCase{"_FCIS_GOST", "ГОСТ 30777"}, ValueCase{"_FCIS_UNIT", "шт"}, ValueCase{"_FCIS_PRINTABLE", ""},
        ValueCase{"_FCIS_SIDENO", "3"}, ValueCase{"_FCIS_PARENTCOMPLECT", "W-TT-L"},
        ValueCase{"_FCIS_PARENTCOMPLECT_NAME", "Поворотно-откидной, петли слева"}, ValueCase{"_FCIS_LENGTH", "0"},
        ValueCase{"_FCIS_COUNT", "2"}, ValueCase{"_FCIS_COMMENT", "вверху и внизу"}),
    [](const ::testing::TestParamInfo<ValueCase>& info) { return caseName(info.param.expression); });

class OrderFunctions : public OrderVariables {};

TEST_P(OrderFunctions, FollowTheirArgumentRules) {
    EXPECT_EQ(Eval(GetParam().expression), QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Report, OrderFunctions,
    ::testing::Values(ValueCase{"_GETCATALOG_FIELDBYID('DUV-141', 'Name')", "Петля верхняя"},
                      ValueCase{"_GETCATALOG_FIELDBYID('DUV-141', 'Price') + 1", "421"},
                      ValueCase{"_GETCATALOG_FIELDBYID('DUV-141', 'NoSuchField')", "???"},
                      ValueCase{"_GETCATALOG_FIELDBYID('NOPE', 'Name')", "???"},
                      ValueCase{"_GETCATALOG_FIELDBYID('', 'Name')", "???"},
                      ValueCase{"_GETCATALOG_FIELDBYID(_NOSUCH, 'Name')", "???"},
                      ValueCase{"_GETCATALOG_FIELDBYID(_OMS_ID, 'Unit')", "м"},
                      ValueCase{"_GETCATALOG_FIELDLISTBYID('DUV-141;DUV-142', 'ProdArticle; ;Name', ' | ')",
                                "P-141 Петля верхняя | P-142 Петля нижняя"},
                      ValueCase{"_GETCATALOG_FIELDLISTBYID('DUV-141;NOPE;DUV-142', 'Article;/;Фасовка', ', ')",
                                "141/Фасовка, , 142/Фасовка"},
                      ValueCase{"_GETCATALOG_FIELDLISTBYID('DUV-141;DUV-142', 'Article', '')", "141\r\n142"},
                      ValueCase{"_GETCATALOG_FIELDLISTBYID('DUV-141;;DUV-142', 'Article', ',')", "141,,142"},
                      ValueCase{"_GETCATALOG_FIELDLISTBYID('', 'Name', ',')", "???"},
                      ValueCase{"_GETCATALOG_FIELDLISTBYID('DUV-141', '', ',')", "???"},
                      ValueCase{"_GETSYSPROP_FIELDLISTBYID('111;141', 'ValueName', ', ')", "Микропроветривание"},
                      ValueCase{"_GETSYSPROP_FIELDLISTBYID('111;150;999', 'ValueName', ', ')",
                                "Микропроветривание, Блокиратор открывания"},
                      ValueCase{"_GETSYSPROP_FIELDLISTBYID('140;111', 'GroupName;ValueName', '/')",
                                "Взломостойкость/RC1/Проветривание/Микропроветривание"},
                      ValueCase{"_GETSYSPROP_FIELDLISTBYID('140;111', 'Метка', '')", "Метка"},
                      ValueCase{"_GETSYSPROP_FIELDLISTBYID(_CFCS_PROPERTY, 'PrintName', ', ')",
                                "с микропроветриванием, с детской защитой"},
                      ValueCase{"_GETSYSPROP_FIELDLISTBYID('999', 'ValueName', ',')", ""},
                      ValueCase{"_GETSYSPROP_FIELDLISTBYID('', 'ValueName', ',')", "???"},
                      ValueCase{"_REPLACESTR('рама-рама', 'рама', 'створка')", "створка-створка"},
                      ValueCase{"_REPLACESTR('abc', '', 'x')", ""}, ValueCase{"_REPLACESTR('abc', 'abc', 'x')", "x"},
                      ValueCase{"_REPLACESTR('abc', 'b', 'b')", "abc"}, ValueCase{"_REPLACESTR('', 'b', 'x')", ""},
                      ValueCase{"_REPLACESTR('aaa', 'aa', 'b')", "ba"},
                      ValueCase{"_REPLACESTR('a.b.c', '.', '')", "abc"},
                      ValueCase{"_MONEYBYWORD_RUS(1205.5)", "Одна тысяча двести пять рублей /50"},
                      ValueCase{"_MONEYBYWORD_RUS(_ORDER_TOTAL)", "Двадцать две тысячи тридцать четыре рубля /64"},
                      ValueCase{"_MONEYBYWORD_RUS('сто')", "ноль рублей"},
                      ValueCase{"_GETFURNITEM_FIELDBYID('E120', 'Name')", "Угловой переключатель"},
                      ValueCase{"_GETFURNITEM_FIELDBYID('E999', 'Name')", "???"},
                      ValueCase{"_GETFURNITEM_FIELDBYID('E120', '')", "???"}, ValueCase{"_INIT_SOMETHING_ELSE(1)", ""},
                      ValueCase{"_loadlogo", ""}),
    [](const ::testing::TestParamInfo<ValueCase>& info) {
        return caseName(info.param.expression) + "_" + std::to_string(info.index);
    });

QStringList materialIDs(const TDM_Report& module) {
    QStringList ids;
    if (module.MaterialList())
        for (const auto& row : *module.MaterialList())
            ids << row->ID;
    return ids;
}

TEST(ReportMaterialList, IsBuiltFromTheIncludedPositionsAndSortedByNameOnlyWhenAskedExactly) {
    ReportFixture fixture;
    auto order = fixture.DemoOrder();
    TDM_Report module;
    module.SetDocument(order.get());
    EXPECT_EQ(module.MaterialList(), nullptr);
    EXPECT_TRUE(module.OrderMatList().Eof());

    const QStringList byCode = {"DUV-110-14", "DUV-120", "DUV-141", "DUV-142", "DUV-150", "DUV-160",
                                "DUV-BL",     "DUV-H1",  "DUV-K1",  "DUV-ST",  "DUV-Z1"};
    const QStringList byName = {"DUV-BL",  "DUV-110-14", "DUV-Z1", "DUV-ST", "DUV-150", "DUV-120",
                                "DUV-141", "DUV-142",    "DUV-K1", "DUV-H1", "DUV-160"};
    ReportFixture::Eval(module, "_INIT_ORDERMATLIST('SORT_BY_NAME')");
    EXPECT_EQ(materialIDs(module), byName);
    ReportFixture::Eval(module, "_INIT_ORDERMATLIST('sort_by_name')");  // a second call rebuilds
    EXPECT_EQ(materialIDs(module), byCode);
    ReportFixture::Eval(module, "_INIT_ORDERMATLIST");
    EXPECT_EQ(materialIDs(module), byCode);
    // Four main locks: two of the window of quantity 2, one of each other included position.
    EXPECT_EQ(module.MaterialList()->front()->Number, 4.0f);

    // The walk: first, next, prior, end.
    TReportDataSource& rows = module.OrderMatList();
    rows.First();
    rows.Next();
    rows.Next();
    rows.Prior();
    EXPECT_EQ(ReportFixture::Eval(module, "_OMS_ID"), "DUV-120");
    int count = 0;
    for (rows.First(); !rows.Eof(); rows.Next())
        ++count;
    EXPECT_EQ(count, byCode.size());

    module.ReleaseDocument();
    EXPECT_EQ(module.MaterialList(), nullptr);
    EXPECT_EQ(module.Order(), nullptr);
    ReportFixture::Eval(module, "_INIT_ORDERMATLIST('')");  // no document: an empty list
    EXPECT_EQ(materialIDs(module), QStringList());
}

TEST(ReportMaterialList, AnArticleMissingFromTheCatalogIsShownAndTheListKeepsItsRows) {
    ReportFixture fixture;
    auto order = fixture.DemoOrder();
    auto gone = std::make_unique<TqxfMatListItem>();
    gone->ID = "DUV-GONE";
    gone->Number = 1;
    order->Positions(0)->Flugel1->MatList.push_back(std::move(gone));
    TDM_Report module;
    module.SetDocument(order.get());
    fixture.Messages.clear();
    ReportFixture::Eval(module, "_INIT_ORDERMATLIST('SORT_BY_NAME')");
    EXPECT_EQ(fixture.Messages.texts(MessageKind::Error),
              QStringList{"В каталоге отсутствуют данные для [DUV-GONE]!\r\n(Поиск [Наименование] через [Код])"});
    EXPECT_EQ(materialIDs(module).size(), 12);
    // The name of the row raises into the report.
    module.OrderMatList().First();
    while (ReportFixture::Eval(module, "_OMS_ID") != "DUV-GONE")
        module.OrderMatList().Next();
    EXPECT_THROW(ReportFixture::Eval(module, "_OMS_NAME"), TqxfError);
    EXPECT_EQ(ReportFixture::Eval(module, "_OMS_ARTICLE"), "");
}

QStringList positionsWalked(TDM_Report& module, TReportDataSource& positions) {
    QStringList out;
    for (positions.First(); !positions.Eof(); positions.Next())
        out << ReportFixture::Eval(module, "_POS_NO");
    return out;
}

QStringList kitsOf(TDM_Report& module) {
    QStringList out;
    TReportDataSource& kits = module.FrameFurnCompSpec();
    for (kits.First(); !kits.Eof(); kits.Next())
        out << ReportFixture::Eval(module, "_CFCS_COMPLECTID + '/' + _CFCS_SASH");
    return out;
}

TEST(ReportSources, PositionsSkipTheExcludedAndKitsFollowTheSashes) {
    ReportFixture fixture;
    auto order = fixture.DemoOrder();
    TDM_Report module;
    module.SetDocument(order.get());
    TReportDataSource& positions = module.OrderPosSpec();
    EXPECT_EQ(positionsWalked(module, positions), QStringList({"001", "002", "004"}));

    positions.First();
    EXPECT_EQ(module.PositionIndex(), 0);
    EXPECT_EQ(kitsOf(module), QStringList{"W-TT-L/1"});
    positions.Next();
    EXPECT_EQ(kitsOf(module), QStringList({"W-ST-AL/1", "W-ST-PR/2"}));
    positions.Prior();  // not offered: stays
    EXPECT_EQ(module.PositionIndex(), 1);
    positions.Next();
    EXPECT_EQ(module.PositionIndex(), 3);
    EXPECT_EQ(module.CurrentKit(), nullptr);  // a new position has no current kit yet

    // The items of a kit: first, next, prior; the end after the last.
    positions.First();
    module.FrameFurnCompSpec().First();
    TReportDataSource& items = module.FurnCompItemSpec();
    QStringList articles;
    for (items.First(); !items.Eof(); items.Next())
        articles << ReportFixture::Eval(module, "_FCIS_ID");
    EXPECT_EQ(articles, QStringList({"DUV-110-14", "DUV-120", "DUV-141", "DUV-142", "DUV-150", "DUV-160", "DUV-K1",
                                     "DUV-BL", "DUV-H1"}));
    items.Prior();
    EXPECT_FALSE(items.Eof());
    EXPECT_EQ(ReportFixture::Eval(module, "_FCIS_ID + ' ' + _FCIS_LENGTH"), "DUV-H1 0");
    for (int i = 0; i < 3; ++i)
        items.Prior();
    EXPECT_EQ(ReportFixture::Eval(module, "_FCIS_ID + ' ' + _FCIS_LENGTH"), "DUV-160 420");
    module.FrameFurnCompSpec().Next();
    EXPECT_TRUE(module.FrameFurnCompSpec().Eof());
    EXPECT_TRUE(items.Eof());  // no current kit
    EXPECT_EQ(ReportFixture::Eval(module, "_FCIS_ID"), "");

    // Without a left kit the kits end at once, although the right sash has one.
    auto noLeft = fixture.OrderWithoutLeftKit();
    ASSERT_NE(noLeft->Positions(0)->Flugel2->FurnComp, nullptr);
    module.SetDocument(noLeft.get());
    module.OrderPosSpec().First();
    EXPECT_EQ(kitsOf(module), QStringList());

    // The position sources end at once without a document of their kind.
    module.SetDocument(order.get());
    module.SelPosSpec().First();
    EXPECT_TRUE(module.SelPosSpec().Eof());
    module.SetDocument(nullptr);
    module.OrderPosSpec().First();
    EXPECT_TRUE(module.OrderPosSpec().Eof());
}

TEST(ReportSources, ASelectionLineWhoseOrderFileIsMissingKeepsItsOrderNumber) {
    ReportFixture fixture;
    auto order = fixture.DemoOrder();
    const QString file = fixture.SaveOrder(*order, "z17.qfo370");
    auto selection = fixture.SelectionOf(file);
    TDM_Report module;
    module.SetDocument(selection.get());
    fixture.Messages.clear();

    QStringList walked;
    TReportDataSource& lines = module.SelPosSpec();
    for (lines.First(); !lines.Eof(); lines.Next()) {
        walked << ReportFixture::Eval(module, "_POS_ORDERNO + ':' + _POS_NO + ':' + _POS_NUMBER");
        EXPECT_EQ(module.CurrentPosition() == nullptr, walked.back().startsWith("З-404"));
        QStringList kits = kitsOf(module);
        if (walked.back().endsWith(":002:1")) {
            EXPECT_EQ(kits, QStringList({"W-ST-AL/1", "W-ST-PR/2"}));
        }
    }
    EXPECT_EQ(walked, QStringList({"З-2024/017:001:2", "З-404::", "З-2024/017:002:1", "З-2024/017:004:1"}));
    EXPECT_TRUE(fixture.Messages.Records.empty());  // a missing file is no error

    EXPECT_EQ(ReportFixture::Eval(module, "_SEL_NO + ' ' + _SEL_NAME + ' ' + _SEL_DATE"),
              "В-05 Окна для дома на Новой 01.04.2024");
    EXPECT_EQ(ReportFixture::Eval(module, "_SEL_ORDERLIST"), selection->OrderNoList());
    EXPECT_EQ(ReportFixture::Eval(module, "_SEL_NOTE"), "Отгрузка одной партией\r\nСамовывоз");
    EXPECT_EQ(ReportFixture::Eval(module, "_SEL_PRICEGROUPNO + ' ' + _SEL_NDSTAX + ' ' + _SEL_CURRENCY"), "3 20 руб.");
    EXPECT_EQ(ReportFixture::Eval(module, "_ORDER_NO"), "");
    EXPECT_EQ(ReportFixture::Eval(module, "_MONEYBYWORD_RUS(1205.5)"), "");

    // The selection's material list: the included lines whose files exist.
    ReportFixture::Eval(module, "_INIT_SELMATLIST('SORT_BY_NAME')");
    EXPECT_EQ(materialIDs(module).size(), 11);
    EXPECT_EQ(materialIDs(module).front(), "DUV-BL");
    module.OrderMatList().First();
    EXPECT_EQ(ReportFixture::Eval(module, "_OMS_NUMBER + ' ' + _OMS_PRICE"), "2 477,5");
}

TEST(ReportSketchBinding, SketchObjectsDrawTheCurrentPositionAndOthersAreLeftAlone) {
    ReportFixture fixture;
    auto order = fixture.DemoOrder();
    TDM_Report module;
    module.SetDocument(order.get());
    TqxfFRDrawView sketch;
    module.BeforePrint(sketch);
    EXPECT_FALSE(sketch.Bound);  // no current position

    module.OrderPosSpec().First();
    module.OrderPosSpec().Next();
    module.BeforePrint(sketch);
    EXPECT_TRUE(sketch.Bound);
    EXPECT_EQ(sketch.Object, order->Positions(1));
    ASSERT_TRUE(sketch.DrawRoutine);
    const QImage drawn = sketch.Render(QSize(600, 450), 300);
    const QImage placeholder = TqxfFRDrawView().Render(QSize(600, 450), 300);
    EXPECT_NE(drawn, placeholder);
    int dark = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            if (qGray(drawn.pixel(x, y)) < 100) ++dark;
    EXPECT_GT(dark, 2000);  // sash outlines and dimension lines

    TReportPicture picture;
    picture.Name = "LogoPicture";
    module.BeforePrint(picture);
    EXPECT_TRUE(picture.Picture.isNull());

    // Released, the report keeps nothing of the module: no handler, no source, no bound sketch.
    TqxfReport report;
    report.LoadFromText(R"(<p data-band="frdOrderPosSpec">[_POS_NO]<img data-object="QXFImage"></p>)", "r.html");
    module.AttachReport(report);
    report.PrepareReport();
    auto* bound = dynamic_cast<TqxfFRDrawView*>(report.FindObject("QXFImage1"));
    ASSERT_NE(bound, nullptr);
    EXPECT_EQ(bound->Object, order->Positions(3));  // the last position printed
    module.ReleaseDocument();
    EXPECT_FALSE(bound->Bound);
    EXPECT_EQ(bound->Object, nullptr);
    EXPECT_FALSE(report.OnGetValue);
    EXPECT_EQ(report.DataSource("frdOrderPosSpec"), nullptr);
}

TEST(ReportLogo, LoadsTheLogoOfTheSettingsFromTheCatalogFolder) {
    ReportFixture fixture;
    QTemporaryDir templates;
    QImage own(10, 10, QImage::Format_RGB32), logo(30, 12, QImage::Format_RGB32);
    own.fill(Qt::green);
    logo.fill(Qt::red);
    ASSERT_TRUE(own.save(templates.filePath("own.png")));
    TqxfReport report;
    report.LoadFromText(R"(<p>[_LOADLOGO]<img data-object="LogoPicture" src="own.png"></p>)", "logo.html",
                        templates.path());
    TDM_Report module;
    auto order = fixture.DemoOrder();
    module.SetDocument(order.get());
    module.AttachReport(report);
    auto* picture = dynamic_cast<TReportPicture*>(report.FindObject("LogoPicture"));
    ASSERT_NE(picture, nullptr);

    fixture.Settings.ReportLogo = "logo.png";  // not there yet: the template's own picture stays
    report.PrepareReport();
    EXPECT_EQ(picture->Picture.size(), QSize(10, 10));
    ASSERT_TRUE(logo.save(QDir(fixture.CatalogDir()).filePath("logo.png")));
    fixture.Settings.ReportLogo.clear();  // no setting: stays
    report.PrepareReport();
    EXPECT_EQ(picture->Picture.size(), QSize(10, 10));
    fixture.Settings.ReportLogo = "logo.png";
    report.PrepareReport();
    EXPECT_EQ(picture->Picture.size(), QSize(30, 12));
}

TEST(ReportOptionLists, TakeTheValueIDsOfTheKitsPropertyLinesOnce) {
    ReportFixture fixture;
    TqxfFurnComp kit;
    kit.Props = QStringList{"0=140", "1=111", "2=111", "3=999", "x", "", "4=150"};
    EXPECT_EQ(KitPropertyList(kit, false), "140;111;150");
    EXPECT_EQ(KitPropertyList(kit, true), "111;150");
    kit.Props.clear();
    EXPECT_EQ(KitPropertyList(kit, false), "");
}

}  // namespace
}  // namespace qx
