// flugel.cpp — sash geometry, catalog formulas, side limits of kits, kit choices and the sash image.
#include "construction/flugel.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "catalog/data_module.h"
#include "common/error.h"
#include "common/expression.h"
#include "common/format.h"
#include "construction/construction.h"
#include "construction/stream_counts.h"

namespace qx {

namespace {

// Smallest images: a corner is two records, a side twelve, a material line a text and six records.
constexpr int64_t kCornerImage = 2 * 16;
constexpr int64_t kSideImage = 12 * 16;
constexpr int64_t kMatLineImage = 4 + 6 * 16;

// A side number of a formula function (1-based) as a 0-based index into `count` sides; -1 when the
// argument is missing, not a number in range, above 255 or outside the sides.
int FormulaSideIndex(const ExprArgs& args, int count) {
    if (args.count() < 1) return -1;
    const double v = std::nearbyint(static_cast<double>(args.value(0).toNumber()));
    if (!(v >= 1 && v <= 255)) return -1;
    const int n = static_cast<int>(v);
    if (n > count) return -1;
    return n - 1;
}

// The variables and side functions a sash offers to catalog formulas.
class FlugelFormulaContext : public ExpressionContext {
public:
    explicit FlugelFormulaContext(const TqxfFlugel& flugel) : flugel_(flugel) { flugel.GetSize(width_, height_); }

    bool Variable(const QString& name, ExprValue& value) override {
        // Width: FB, FFB, FRB; height: FН, FFН with the Cyrillic EN, FRH with the Latin H.
        static const QString widthNames[] = {QStringLiteral("FB"), QStringLiteral("FFB"), QStringLiteral("FRB")};
        static const QString heightNames[] = {QStringLiteral("F\u041D"), QStringLiteral("FF\u041D"),
                                              QStringLiteral("FRH")};
        if (std::find(std::begin(widthNames), std::end(widthNames), name) != std::end(widthNames))
            value = ExprValue::Number(width_);
        else if (std::find(std::begin(heightNames), std::end(heightNames), name) != std::end(heightNames))
            value = ExprValue::Number(height_);
        else
            value = ExprValue::Number(0);
        return true;
    }

    bool Function(const QString& name, const ExprArgs& args, ExprValue& result) override {
        const QString upper = name.toUpper();
        if (upper == QLatin1String("FL") || upper == QLatin1String("FFL")) {
            long double length = 0;
            try {
                const int i = FormulaSideIndex(args, flugel_.LineCount());
                if (i >= 0) length = flugel_.Line(i).ChordLengthMm();
            } catch (const TqxfError&) {
                length = 0;
            }
            result = ExprValue::Number(length);
            return true;
        }
        if (upper == QLatin1String("FG") || upper == QLatin1String("FFG")) {
            const int i = FormulaSideIndex(args, flugel_.LineCount());
            result = ExprValue::Number(i >= 0 ? flugel_.Line(i).HandleHeight : 0);
            return true;
        }
        if (upper == QLatin1String("FGA") || upper == QLatin1String("FFGA")) {
            const TqxfFlugel* partner = flugel_.Partner();
            const int i = partner ? FormulaSideIndex(args, partner->LineCount()) : -1;
            result = ExprValue::Number(i >= 0 ? partner->Line(i).HandleHeight : 0);
            return true;
        }
        // Round, Min, IIF … stay the evaluator's; any other name a catalog writes yields 0.
        if (IsBuiltinFunction(name)) return false;
        result = ExprValue::Number(0);
        return true;
    }

private:
    const TqxfFlugel& flugel_;
    int32_t width_ = 0;
    int32_t height_ = 0;
};

}  // namespace

// --- TqxfLine ---

long double TqxfLine::ChordLength() const {
    if (!StartPoint || !EndPoint) return -1;
    return Distance(StartPoint->Pos(), EndPoint->Pos());
}

long double TqxfLine::ChordLengthMm() const {
    return ChordLength() / 10;
}

bool TqxfLine::IsCircleArc() const {
    return R1 != 0 && R1 == R2;
}

bool TqxfLine::IsFullArc() const {
    return IsCircleArc() && ChordLength() / 2 == static_cast<long double>(R1);
}

bool TqxfLine::IsSegmentArc() const {
    return IsCircleArc() && ChordLength() / 2 != static_cast<long double>(R1);
}

bool TqxfLine::IsEllipseArc() const {
    return R1 != 0 && R2 != 0 && R1 != R2;
}

int TqxfLine::Orientation() const {
    if (!StartPoint || !EndPoint) return 0;
    const long double a = Angle(StartPoint->Pos(), EndPoint->Pos());
    if (a == 90 || a == 270) return 1;
    if (a == 0 || a == 180) return 0;
    return 3;
}

void TqxfLine::CalcCenter() {
    if (R1 != 0 && StartPoint && EndPoint)
        Center = ArcCenter(StartPoint->PosF(), EndPoint->PosF(), R1);
    else
        Center = TFloatPoint{};
}

void TqxfLine::SetHandle(int32_t heightMm, int32_t direct) {
    if (!Handled || !StartPoint || !EndPoint) {
        HandleHeight = 0;
        HandlePoint = TIntPoint{};
        return;
    }
    HandleHeight = heightMm;
    const TFloatPoint p0 = direct == 0 ? StartPoint->PosF() : EndPoint->PosF();
    const TFloatPoint p1 = direct == 0 ? EndPoint->PosF() : StartPoint->PosF();
    const TFloatPoint base = PointToward(p0, p1, MmToUnits(heightMm));
    HandlePoint = ToInt(PolarPoint(base, p0, p1, direct == 0 ? -90 : 90, 10));
}

void TqxfLine::ClearFlags() {
    Opening = false;
    RotSide = -1;
    Handled = Banded = Drived = false;
}

// --- TqxfFlugel ---

TqxfFlugel::TqxfFlugel(TqxfConstruction* owner) : Construction(owner) {}

TqxfFlugel::~TqxfFlugel() = default;

void TqxfFlugel::Clear() {
    Lines.clear();
    Points.clear();
    FurnComp.reset();
    MatList.clear();
}

void TqxfFlugel::BuildShape(const TFigureRec& f, int32_t a) {
    const int32_t e = a + f.Width;
    const int32_t h = f.Height;
    std::vector<TIntPoint> corners;
    bool topArc = false;
    switch (f.Figure) {
        case 3:
            corners = {{a, h}, {a, h - f.X}, {e, 0}, {e, h}};
            break;
        case 4:
            corners = {{a, h}, {a, 0}, {e, h - f.X}, {e, h}};
            break;
        case 5:
            corners = {{a, h}, {e, 0}, {e, h}};
            break;
        case 6:
            corners = {{a, h}, {a, 0}, {e, h}};
            break;
        case 7:
            corners = {{a, h}, {a, f.X}, {e, f.X}, {e, h}};
            topArc = true;
            break;
        default:
            corners = {{a, h}, {a, 0}, {e, 0}, {e, h}};
            topArc = true;
            break;
    }
    for (const TIntPoint& c : corners)
        Points.push_back(std::make_unique<TqxfPoint>(this, c.X, c.Y));
    for (size_t i = 0; i < corners.size(); ++i) {
        auto line = std::make_unique<TqxfLine>(this);
        if (topArc && i == 1) {
            line->R1 = f.R1;
            line->R2 = f.R2;
        }
        Lines.push_back(std::move(line));
    }
    const size_t n = Points.size();
    for (size_t i = 0; i < Lines.size(); ++i) {
        Lines[i]->StartPoint = Points[i % n].get();
        Lines[i]->EndPoint = Points[(i + 1) % n].get();
    }
    for (auto& line : Lines)
        line->CalcCenter();
}

void TqxfFlugel::GetBoundsUnits(int32_t& left, int32_t& top, int32_t& right, int32_t& bottom) const {
    left = top = right = bottom = 0;
    if (Points.empty()) return;
    long double l = Points[0]->X, r = l;
    long double t = Points[0]->Y, b = t;
    auto take = [&](long double x, long double y) {
        if (LessBy(x, l)) l = x;
        if (LessBy(y, t)) t = y;
        if (GreaterBy(x, r)) r = x;
        if (GreaterBy(y, b)) b = y;
    };
    for (size_t i = 1; i < Points.size(); ++i)
        take(Points[i]->X, Points[i]->Y);
    for (const auto& line : Lines) {
        if (line->R1 == 0 || !line->StartPoint || !line->EndPoint) continue;
        const TFloatPoint c = line->Center;
        const float rad = line->R1;
        const TFloatPoint extremes[] = {{c.X - rad, c.Y}, {c.X + rad, c.Y}, {c.X, c.Y - rad}, {c.X, c.Y + rad}};
        for (const TFloatPoint& p : extremes)
            if (PointOnArc(line->StartPoint->PosF(), line->EndPoint->PosF(), c, p, rad)) take(p.X, p.Y);
    }
    left = FloorUnits(l);
    top = FloorUnits(t);
    right = CeilUnits(r);
    bottom = CeilUnits(b);
}

void TqxfFlugel::GetSize(int32_t& width, int32_t& height) const {
    int32_t l, t, r, b;
    GetBoundsUnits(l, t, r, b);
    width = UnitsToMm(std::abs(static_cast<long double>(r) - l));
    height = UnitsToMm(std::abs(static_cast<long double>(b) - t));
}

void TqxfFlugel::GetBounds(TIntPoint& topLeft, TIntPoint& bottomRight) const {
    int32_t l, t, r, b;
    GetBoundsUnits(l, t, r, b);
    topLeft = {l / 10, t / 10};
    bottomRight = {r / 10, b / 10};
}

int TqxfFlugel::HandleLineIndex() const {
    for (int i = 0; i < LineCount(); ++i)
        if (Lines[i]->Handled) return i;
    return -1;
}

int TqxfFlugel::BandedLineIndex() const {
    for (int i = 0; i < LineCount(); ++i)
        if (Lines[i]->Banded) return i;
    return -1;
}

int32_t TqxfFlugel::HandleHeightOf() const {
    const int i = HandleLineIndex();
    return i >= 0 ? Lines[i]->HandleHeight : 0;
}

int TqxfFlugel::LineIndex(const TqxfLine* line) const {
    for (int i = 0; i < LineCount(); ++i)
        if (Lines[i].get() == line) return i;
    return -1;
}

TqxfLine* TqxfFlugel::PrevLine(const TqxfLine* line) const {
    const int i = LineIndex(line);
    if (i < 0) return nullptr;
    return Lines[i == 0 ? Lines.size() - 1 : i - 1].get();
}

long double TqxfFlugel::CornerAngle(int i) const {
    const TqxfLine& side = Line(i);
    const TqxfLine& prev = *PrevLine(&side);
    if (!side.StartPoint || !side.EndPoint || !prev.StartPoint) return -1;
    return CornerAngleArc(prev.StartPoint->PosF(), side.StartPoint->PosF(), side.EndPoint->PosF(), side.R1, prev.R1,
                          side.Center, prev.Center);
}

TqxfFlugel* TqxfFlugel::Partner() const {
    if (!Construction) return nullptr;
    if (Construction->Flugel1.get() == this) return Construction->Flugel2.get();
    if (Construction->Flugel2.get() == this) return Construction->Flugel1.get();
    return nullptr;
}

long double TqxfFlugel::EvalFormula(const QString& text) const {
    FlugelFormulaContext context(*this);
    return EvaluateExpression(text, context).toNumber();
}

bool TqxfFlugel::KitFits(const QString& kitID) const {
    const CatalogTable& sides = DM().T_FrnSide;
    const std::vector<int> rows = sides.Filter(FormatDot("ID='%s'", kitID));
    if (static_cast<int>(rows.size()) != LineCount()) return false;
    for (int row : rows) {
        const int i = static_cast<int>(sides.Int(row, "Side")) - 1;
        if (i < 0 || i >= LineCount()) return false;
        const TqxfLine& side = Line(i);
        const long double length = UnitsToMm(side.ChordLength());
        const long double radius = UnitsToMm(side.R1);
        const long double angle = CornerAngle(i);
        if (length < sides.Int(row, "MinSize") || length > sides.Int(row, "MaxSize")) return false;
        if (angle < sides.Real(row, "MinAngle") || angle > sides.Real(row, "MaxAngle")) return false;
        if (radius < sides.Int(row, "MinRadius") || radius > sides.Int(row, "MaxRadius")) return false;
        if (side.IsFullArc() && sides.Int(row, "FullRadius") == 0) return false;
        if (side.IsSegmentArc() && sides.Int(row, "HalfRadius") == 0) return false;
        if (side.IsEllipseArc() && sides.Int(row, "EllipseRadius") == 0) return false;
    }
    return true;
}

void TqxfFlugel::SetFurniture(const QString& furnSys, const QString& profSys, const QString& color,
                              const TFurnChoice& choice) {
    if (choice.IsEmpty()) {
        ClearFurniture();
        return;
    }
    const bool created = !FurnComp;
    if (created) FurnComp = std::make_unique<TqxfFurnComp>(this);
    try {
        Dorn = choice.Dorn;
        FurnComp->SetFurniture(furnSys, profSys, color, choice);
        ApplyPassiveRule();
    } catch (...) {
        if (created) FurnComp.reset();
        throw;
    }
}

void TqxfFlugel::ApplyComplect(const TFurnChoice& choice) {
    if (choice.NoElements()) {
        ClearFurniture();
        return;
    }
    const bool created = !FurnComp;
    if (created) FurnComp = std::make_unique<TqxfFurnComp>(this);
    try {
        FurnComp->ApplyComplect(choice);
    } catch (...) {
        if (created) FurnComp.reset();
        throw;
    }
}

void TqxfFlugel::ClearFurniture() {
    if (FurnComp) {
        FurnComp.reset();
        for (auto& line : Lines)
            line->ClearFlags();
    }
    ApplyPassiveRule();
}

void TqxfFlugel::ApplyPassiveRule() {
    if (!Construction || Construction->FlugelMode > kTwoSashesRightActive) return;
    TqxfFlugel* passive = Construction->PassiveFlugel();
    if (!passive || passive == this || !passive->FurnComp) return;
    if (!FurnComp || FurnComp->FurnSys != passive->FurnComp->FurnSys) passive->ClearFurniture();
}

void TqxfFlugel::BuildMatList() {
    qx::BuildMatList(*this);
}

Money TqxfFlugel::MatListSum() const {
    return qx::MatListSum(*this);
}

void TqxfFlugel::SaveToStream(TSpecStream& stream) const {
    WriteInt(stream, PointCount());
    for (const auto& p : Points) {
        WriteInt(stream, p->X);
        WriteInt(stream, p->Y);
    }
    WriteInt(stream, LineCount());
    for (const auto& line : Lines) {
        WriteReal(stream, line->R1);
        WriteReal(stream, line->R2);
        WriteReal(stream, line->Center.X);
        WriteReal(stream, line->Center.Y);
        WriteBool(stream, line->Opening);
        WriteInt(stream, line->RotSide);
        WriteBool(stream, line->Handled);
        WriteBool(stream, line->Banded);
        WriteBool(stream, line->Drived);
        WriteInt(stream, line->HandleHeight);
        WriteInt(stream, line->HandlePoint.X);
        WriteInt(stream, line->HandlePoint.Y);
    }
    WriteInt(stream, Dorn);
    WriteBool(stream, FurnComp != nullptr);
    if (FurnComp) FurnComp->SaveToStream(stream);
    WriteInt(stream, static_cast<int32_t>(MatList.size()));
    for (const auto& item : MatList)
        item->SaveToStream(stream);
}

void TqxfFlugel::LoadFromStream(TSpecStream& stream, const QString& stamp) {
    Clear();
    const int32_t corners = ReadStreamCount(stream, kCornerImage);
    Points.reserve(corners);
    for (int32_t i = 0; i < corners; ++i) {
        const int32_t x = ReadInt(stream);
        const int32_t y = ReadInt(stream);
        Points.push_back(std::make_unique<TqxfPoint>(this, x, y));
    }
    const int32_t sides = ReadStreamCount(stream, kSideImage);
    Lines.reserve(sides);
    for (int32_t i = 0; i < sides; ++i) {
        auto line = std::make_unique<TqxfLine>(this);
        line->R1 = ReadSingle(stream);
        line->R2 = ReadSingle(stream);
        line->Center.X = ReadSingle(stream);
        line->Center.Y = ReadSingle(stream);
        line->Opening = ReadBool(stream);
        line->RotSide = ReadInt(stream);
        line->Handled = ReadBool(stream);
        line->Banded = ReadBool(stream);
        line->Drived = ReadBool(stream);
        line->HandleHeight = ReadInt(stream);
        line->HandlePoint.X = ReadInt(stream);
        line->HandlePoint.Y = ReadInt(stream);
        if (corners > 0) {
            line->StartPoint = Points[i % corners].get();
            line->EndPoint = Points[(i + 1) % corners].get();
        }
        Lines.push_back(std::move(line));
    }
    Dorn = VersionAtLeast(stamp, QStringLiteral("23.07.2019")) ? ReadInt(stream) : 0;
    if (ReadBool(stream)) {
        FurnComp = std::make_unique<TqxfFurnComp>(this);
        FurnComp->LoadFromStream(stream, stamp);
    }
    const int32_t lines = ReadStreamCount(stream, kMatLineImage);
    MatList.reserve(lines);
    for (int32_t i = 0; i < lines; ++i) {
        auto item = std::make_unique<TqxfMatListItem>();
        item->LoadFromStream(stream, stamp);
        MatList.push_back(std::move(item));
    }
}

}  // namespace qx
