// construction.cpp — a position: geometry from the dialog's sizes, hardware, price, materials, image.
#include "construction/construction.h"

#include <exception>

#include "catalog/lookups.h"
#include "common/error.h"
#include "common/format.h"
#include "common/geometry.h"

namespace qx {

namespace {

QString ErrorText(const std::exception& e) {
    if (auto qe = dynamic_cast<const TqxfError*>(&e)) return qe->Message;
    return QString::fromUtf8(e.what());
}

}  // namespace

TqxfConstruction::TqxfConstruction(TqxfOrder* order, const TqxfOrderLink* link)
    : Flugel1(std::make_unique<TqxfFlugel>(this)),
      Flugel2(std::make_unique<TqxfFlugel>(this)),
      Order(order),
      OrderLink(link) {}

TqxfConstruction::~TqxfConstruction() = default;

QString TqxfConstruction::OuterProfColor() const {
    return OrderLink ? OrderLink->LinkOuterProfColor() : QString();
}

QString TqxfConstruction::InnerProfColor() const {
    return OrderLink ? OrderLink->LinkInnerProfColor() : QString();
}

TqxfFlugel* TqxfConstruction::PassiveFlugel() const {
    if (FlugelMode == kTwoSashesRightActive) return Flugel1.get();
    if (FlugelMode == kTwoSashesLeftActive) return Flugel2.get();
    return nullptr;
}

void TqxfConstruction::BuildGeometry(const TSizeRec& sizes, int32_t dorn) {
    const int32_t w = MmToUnits(sizes.W);
    const int32_t h = MmToUnits(sizes.H);
    const int32_t x = MmToUnits(sizes.X);
    const int32_t y = MmToUnits(sizes.Y);
    const float r1 = sizes.R1 * 10;
    const float r2 = sizes.R2 * 10;
    if (FlugelMode == kOneSash) {
        Flugel1->BuildShape(TFigureRec{w, h, sizes.Figure, x, y, r1, r2}, 0);
        Flugel1->Dorn = dorn;
        return;
    }
    Flugel1->BuildShape(TFigureRec{x, h, 0, x, y, r1, r2}, 0);
    Flugel2->BuildShape(TFigureRec{y, h, 0, x, y, r1, r2}, x);
    Flugel1->Dorn = dorn;
    Flugel2->Dorn = dorn;
}

void TqxfConstruction::GetSize(int32_t& width, int32_t& height) const {
    Flugel1->GetSize(width, height);
    if (FlugelMode == kOneSash) return;
    int32_t w2 = 0, h2 = 0;
    Flugel2->GetSize(w2, h2);
    width += w2;
}

void TqxfConstruction::SetFurniture(const QString& furnSys, const QString& profSys, const TFurnChoice& left,
                                    const TFurnChoice& right, const QString& furnColor, int32_t falz, int32_t stulpType,
                                    int32_t openType, float profWidth, float profThickness) {
    FurnSys = furnSys;
    ProfSys = profSys;
    FurnColor = furnColor;
    Falz = falz;
    StulpType = stulpType;
    OpenType = openType;
    ProfWidth = profWidth;
    ProfThickness = profThickness;
    if (FlugelMode == kOneSash) {
        Flugel1->SetFurniture(furnSys, profSys, furnColor, left);
        ClearFurniture(2);
    } else if (FlugelMode == kTwoSashesRightActive) {
        Flugel2->SetFurniture(furnSys, profSys, furnColor, right);
        Flugel1->SetFurniture(furnSys, profSys, furnColor, left);
    } else {
        Flugel1->SetFurniture(furnSys, profSys, furnColor, left);
        Flugel2->SetFurniture(furnSys, profSys, furnColor, right);
    }
    CalcPrice();
}

void TqxfConstruction::ApplyComplect(const TFurnChoice& left, const TFurnChoice& right) {
    if (FlugelMode == kOneSash) {
        Flugel1->ApplyComplect(left);
        ClearFurniture(2);
        return;
    }
    Flugel1->ApplyComplect(left);
    if (Flugel2->Exists()) Flugel2->ApplyComplect(right);
}

void TqxfConstruction::ClearFurniture(int flugelNo) {
    TqxfFlugel& flugel = flugelNo == 1 ? *Flugel1 : *Flugel2;
    flugel.FurnComp.reset();  // the sides keep their flags; the passive sash rule does not run
}

void TqxfConstruction::CalcPrice() {
    Price = Money{};
    for (TqxfFlugel* flugel : {Flugel1.get(), Flugel2.get()}) {
        if (!flugel->Exists()) continue;
        flugel->BuildMatList();
        Price += flugel->MatListSum();
    }
}

Money TqxfConstruction::TotalPrice() const {
    return RoundMoney(static_cast<long double>(Price.Raw) * Quantity / Money::Scale);
}

void TqxfConstruction::CollectMaterials(TqxfMatList& list) const {
    AddToMatList(*Flugel1, list, Quantity);
    if (Flugel2->Exists()) AddToMatList(*Flugel2, list, Quantity);
}

void TqxfConstruction::KitNames(QStringList& lines) const {
    for (const TqxfFlugel* flugel : {Flugel1.get(), Flugel2.get()}) {
        const TqxfFurnComp* kit = flugel->FurnComp.get();
        if (!kit) continue;
        for (const QString* id : {&kit->ComplectID, &kit->HandleID, &kit->HingeID, &kit->CylinderID, &kit->DriveID}) {
            if (id->isEmpty()) continue;
            QString name;
            if (!TryGetKitName(*id, name)) name.clear();
            lines.append(name);
        }
    }
}

TqxfFurnComp* TqxfConstruction::FirstKit() const {
    nextKitArmed_ = FlugelMode != kOneSash;
    return Flugel1->FurnComp.get();
}

TqxfFurnComp* TqxfConstruction::NextKit() const {
    const bool armed = nextKitArmed_;
    nextKitArmed_ = false;
    if (armed && FlugelMode != kOneSash) return Flugel2->FurnComp.get();
    return nullptr;
}

void TqxfConstruction::SaveToStream(TSpecStream& stream) const {
    WriteBool(stream, Checked);
    WriteText(stream, PosNo);
    WriteText(stream, PosName);
    WriteInt(stream, Quantity);
    WriteByte(stream, ObjType);
    WriteText(stream, FurnSys);
    WriteText(stream, ProfSys);
    WriteText(stream, FurnColor);
    WriteInt(stream, Falz);
    WriteInt(stream, StulpType);
    WriteReal(stream, ProfWidth);
    WriteReal(stream, ProfThickness);
    WriteInt(stream, OpenType);
    WriteCurrency(stream, Price);
    WriteLines(stream, Notes);
    WriteByte(stream, FlugelMode);
    Flugel1->SaveToStream(stream);
    Flugel2->SaveToStream(stream);
}

void TqxfConstruction::LoadFromStream(TSpecStream& stream, const QString& stamp) {
    Checked = ReadBool(stream);
    PosNo = ReadText(stream);
    PosName = ReadText(stream);
    Quantity = ReadInt(stream);
    ObjType = ReadByte(stream);
    FurnSys = ReadText(stream);
    ProfSys = ReadText(stream);
    FurnColor = ReadText(stream);
    if (VersionBefore(stamp, QStringLiteral("10.12.2009"))) {
        ReadText(stream);
        ReadText(stream);
    }
    Falz = ReadInt(stream);
    const bool positionDorn = VersionBefore(stamp, QStringLiteral("23.07.2019"));
    const int32_t dorn = positionDorn ? ReadInt(stream) : 0;
    StulpType = ReadInt(stream);
    ProfWidth = ReadSingle(stream);
    ProfThickness = ReadSingle(stream);
    OpenType = ReadInt(stream);
    Price = ReadCurrency(stream);
    Notes = ReadLines(stream);
    FlugelMode = ReadByte(stream);
    Flugel1->LoadFromStream(stream, stamp);
    Flugel2->LoadFromStream(stream, stamp);
    if (positionDorn) {
        Flugel1->Dorn = dorn;
        Flugel2->Dorn = dorn;
    }
}

void TqxfConstruction::Backup(TSpecStream& stream) const {
    try {
        SaveToStream(stream);
    } catch (const std::exception& e) {
        throw TqxfError(Format("Ошибка создания резервной копии объекта!\r\n(%s)", ErrorText(e)));
    }
}

void TqxfConstruction::Restore(TSpecStream& stream) {
    try {
        stream.SetPosition(0);
        LoadFromStream(stream, kCurrentStamp);
    } catch (const std::exception& e) {
        throw TqxfError(Format("Ошибка восстановления объекта из резервной копии!\r\n(%s)", ErrorText(e)));
    }
}

void TqxfConstruction::Assign(const TqxfConstruction& source) {
    if (&source == this) return;
    try {
        TSpecStream stream;
        source.SaveToStream(stream);
        stream.SetPosition(0);
        LoadFromStream(stream, kCurrentStamp);
    } catch (const std::exception& e) {
        throw TqxfError(Format("Ошибка копирования позиции!\r\n(%s)", ErrorText(e)));
    }
}

}  // namespace qx
