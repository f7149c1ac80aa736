// order_json_test.cpp — positions built from their JSON description as the position dialog builds them.
#include <gtest/gtest.h>

#include "common/error.h"
#include "documents/order_json.h"
#include "order_fixture.h"

namespace qx {
namespace {

struct PositionCase {
    const char* Json;  // one position, without hardware
    uint8_t FlugelMode;
    int Width, Height;  // GetSize, mm
    int LeftWidth;      // Flugel1, mm
    int SecondCornerY;  // mm: H - X for figure 3, the springing line X for the arch, else 0
    float TopRadius;    // R1 of the top side, internal units
    const char* PosName;
};

class PositionFromJson : public ::testing::TestWithParam<PositionCase> {};

TEST_P(PositionFromJson, TakesTheDialogsDefaultsAndCoupledSizes) {
    const PositionCase& c = GetParam();
    OrderFixture cat;
    TqxfOrder order;
    const QByteArray json = QByteArray(R"({"header": {"Currency": 2}, "positions": [)") + c.Json + "]}";
    BuildOrderFromSpec(order, ParseOrderSpec(json));
    ASSERT_EQ(order.Count(), 1);
    const TqxfConstruction& p = *order.Positions(0);
    int32_t w = 0, h = 0;
    p.GetSize(w, h);
    EXPECT_EQ(p.FlugelMode, c.FlugelMode);
    EXPECT_EQ(w, c.Width);
    EXPECT_EQ(h, c.Height);
    int32_t leftWidth = 0;
    p.Flugel1->GetSize(leftWidth, h);
    EXPECT_EQ(leftWidth, c.LeftWidth);
    EXPECT_EQ(p.Flugel1->Point(1).Y, c.SecondCornerY * 10);
    EXPECT_EQ(p.Flugel1->Line(1).R1, c.TopRadius);
    EXPECT_EQ(p.PosName, QString::fromUtf8(c.PosName));
    EXPECT_EQ(p.PosNo, "001");
    EXPECT_EQ(p.Quantity, 1);
    EXPECT_TRUE(p.Checked);
    EXPECT_EQ(p.Flugel1->FurnComp, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Figures, PositionFromJson,
    ::testing::Values(
        PositionCase{"{}", 2, 700, 1400, 700, 0, 0, "Окно: Комплект стандартный"},
        PositionCase{R"({"ObjType": 1})", 2, 900, 2100, 900, 0, 0, "Дверь с порогом: Комплект стандартный"},
        // Rectangles and triangles do not use X, Y and R.
        PositionCase{R"({"R": 300, "X": 50})", 2, 700, 1400, 700, 0, 0, "Окно: Комплект стандартный"},
        PositionCase{R"({"Figure": 6, "W": 800, "H": 1000})", 2, 800, 1000, 800, 0, 0, "Окно: Комплект треугольный"},
        // Two sashes: X and Y are their widths; one of them follows from W.
        PositionCase{R"({"Figure": 1, "W": 1400})", 1, 1400, 1400, 700, 0, 0, "Окно: Комплект штульповый"},
        PositionCase{R"({"Figure": 2, "W": 1400, "X": 500})", 0, 1400, 1400, 500, 0, 0, "Окно: Комплект штульповый"},
        PositionCase{R"({"Figure": 2, "W": 1400, "Y": 800})", 0, 1400, 1400, 600, 0, 0, "Окно: Комплект штульповый"},
        // Trapezoid: the lower side is H div 2 high unless given.
        PositionCase{R"({"Figure": 3, "W": 900, "H": 1501})", 2, 900, 1501, 900, 751, 0, "Окно: Комплект трапеция"},
        PositionCase{R"({"Figure": 4, "W": 900, "H": 1500, "X": 900})", 2, 900, 1500, 900, 0, 0,
                     "Окно: Комплект трапеция"},
        // Arch: a semicircle by default, a rise gives its radius, a radius below W / 2 becomes W / 2.
        PositionCase{R"({"Figure": 7, "W": 1000, "H": 1500})", 2, 1000, 1500, 1000, 500, 5000, "Окно: Комплект арка"},
        PositionCase{R"({"Figure": 7, "W": 1000, "H": 1500, "X": 100})", 2, 1000, 1500, 1000, 100, 13000,
                     "Окно: Комплект арка"},
        PositionCase{R"({"Figure": 7, "W": 1000, "H": 1500, "R": 400, "X": 30})", 2, 1000, 1500, 1000, 500, 5000,
                     "Окно: Комплект арка"}));

TEST(OrderJson, ThePositionsSashesGetTheOrdersDefaultsAndItsHandleOnTheActiveSash) {
    OrderFixture cat;
    TqxfOrder order;
    // Choices that name no kit element leave the sashes without kits; the defaults still show on the
    // position and in the backsets.
    BuildOrderFromSpec(order, ParseOrderSpec(R"({
        "header": {"Currency": 2, "ProfSys": "S", "FurnSys": "F", "FalzType": 100, "DornType": 200,
                   "StulpType": 300, "OpenType": 400},
        "positions": [{"Figure": 1, "W": 1400, "Sashes": [{}, {"Dorn": 201}]}]})"));
    const TqxfConstruction& p = *order.Positions(0);
    EXPECT_EQ(order.InnerProfColor, "BC");
    EXPECT_EQ(order.FurnColor, "FC");
    EXPECT_EQ(p.ProfSys, "S");
    EXPECT_EQ(p.FurnSys, "F");
    EXPECT_EQ(p.FurnColor, "FC");
    EXPECT_EQ(p.Falz, 100);
    EXPECT_EQ(p.StulpType, 300);
    EXPECT_EQ(p.OpenType, 400);
    EXPECT_EQ(p.Flugel1->Dorn, 200);
    EXPECT_EQ(p.Flugel2->Dorn, 200);  // the first sash's backset builds both
}

TEST(OrderJson, FaultsNameTheFieldAndThePosition) {
    OrderFixture cat;
    const struct {
        const char* Json;
        const char* Message;
    } cases[] = {
        {R"([1])", "Описание заказа должно быть объектом JSON!"},
        {R"({"header": {"NDSTax": "20"}})", "Поле [header.NDSTax] должно быть числом!"},
        {R"({"header": {"RegDate": "2024-03-05"}})", "Поле [header.RegDate] должно быть датой \"дд.мм.гггг\"!"},
        {R"({"header": {"Currency": 9}, "positions": [{}]})", "Валюта заказа [9] отсутствует в курсах заказа!"},
        {R"({"Currencies": [{"ID": 1}]})", "В описании курса [Currencies[0]] нужны поля ID и Rate!"},
        {R"({"Currencies": [], "header": {"Currencies": []}})",
         "Курсы валют заданы дважды: [Currencies] и [header.Currencies]!"},
        {R"({"header": {"Currency": 2}, "positions": [{"Quantity": 1.5}]})",
         "Поле [positions[0].Quantity] должно быть целым числом!\r\n[Позиция: 001]"},
        {R"({"header": {"Currency": 2}, "positions": [{}, {"PosNo": "A", "Figure": 8}]})",
         "Значение поля [positions[1].Figure] вне допустимых пределов [0..7]!\r\n[Позиция: A]"},
        {R"({"header": {"Currency": 2}, "positions": [{"Sashes": [{}, {}]}]})",
         "Фигура 0 имеет створок: 1, а в описании [positions[0].Sashes] их 2!\r\n[Позиция: 001]"},
        {R"({"header": {"Currency": 2}, "positions": [{"Figure": 2, "W": 1000, "X": 1000}]})",
         "Ширины створок должны быть больше нуля: [positions[0].X] = 1000, [positions[0].Y] = 0!\r\n[Позиция: 001]"},
        {R"({"header": {"Currency": 2}, "positions": [{"Sashes": [{"ComplectID": 5}]}]})",
         "Поле [positions[0].Sashes[0].ComplectID] должно быть текстом!\r\n[Позиция: 001]"},
    };
    for (const auto& c : cases) {
        TqxfOrder order;
        try {
            BuildOrderFromSpec(order, ParseOrderSpec(c.Json));
            ADD_FAILURE() << "no error for " << c.Json;
        } catch (const TqxfError& e) {
            EXPECT_EQ(e.Message, QString::fromUtf8(c.Message)) << c.Json;
        }
    }
}

}  // namespace
}  // namespace qx
