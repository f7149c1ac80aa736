// order_file.cpp — reads and writes order files and the last-number file.
#include "documents/order_file.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <exception>

#include "common/codec.h"
#include "common/error.h"
#include "common/format.h"
#include "common/messages.h"
#include "construction/stream_counts.h"
#include "documents/image_file.h"
#include "documents/order.h"
#include "documents/pricing.h"
#include "shell/paths.h"

namespace qx {

namespace {

constexpr int64_t kRecordBytes = 16;
constexpr int64_t kTextBytes = 4;  // an empty text: its length only
constexpr int64_t kRateImage = 2 * kRecordBytes;
// The smallest position image: ten records and six texts of the position, then two sashes that
// each have at least their corner count, side count, kit flag and line count.
constexpr int64_t kMinPositionImage = 10 * kRecordBytes + 6 * kTextBytes + 2 * 4 * kRecordBytes;

constexpr int kLastOrderNoBytes = 31;
constexpr int kLastOrderNoMax = kLastOrderNoBytes - 1;

QString truncatedText(const QString& fileName, int64_t fileSize) {
    return Format("Файл заказа \"%s\" поврежден: данные обрываются после %d байт!", QDir::toNativeSeparators(fileName),
                  static_cast<long long>(fileSize));
}

// A stamp later in the calendar than the current one comes from a newer version. The stamp key
// alone would take "01.01.2020" for an older stamp and offer to convert a file it cannot know.
bool laterThanCurrent(const QString& stamp) {
    const QDate date = QDate::fromString(stamp.trimmed(), QStringLiteral("dd.MM.yyyy"));
    return date.isValid() && date > QDate::fromString(kCurrentStamp, QStringLiteral("dd.MM.yyyy"));
}

}  // namespace

void SaveOrderToStream(const TqxfOrder& order, TSpecStream& stream) {
    WriteText(stream, order.FileHeader);
    WriteText(stream, order.Version);
    WriteInt(stream, order.Spare1);
    WriteInt(stream, order.Spare2);
    WriteDate(stream, order.Created);
    WriteDate(stream, order.Changed);
    WriteInt(stream, order.Spare3);
    WriteText(stream, order.No);
    WriteText(stream, order.AltNo);
    WriteText(stream, order.Customer);
    WriteText(stream, order.ObjectName);
    WriteText(stream, order.Address);
    WriteText(stream, order.Phone);
    WriteText(stream, order.Remark);
    WriteDate(stream, order.RegDate);
    WriteBool(stream, order.RegDateSet);
    WriteText(stream, order.ProfSys);
    WriteText(stream, order.InnerProfColor);
    WriteText(stream, order.OuterProfColor);
    WriteText(stream, order.FurnSys);
    WriteText(stream, order.FurnColor);
    WriteText(stream, order.Handle);
    if (VersionAtLeast(order.Version, kOrderDefaultsStamp)) {
        WriteInt(stream, order.FalzType);
        WriteInt(stream, order.DornType);
        WriteInt(stream, order.StulpType);
        WriteInt(stream, order.OpenType);
    } else {
        WriteText(stream, order.Obsolete1);
        WriteText(stream, order.Obsolete2);
    }
    WriteInt(stream, order.PriceGroupNo);
    WriteReal(stream, order.NDSTax);
    WriteBool(stream, order.TotalNDS);
    WriteBool(stream, order.ShowIncludingNDS);
    WriteInt(stream, order.CurrencyCount());
    for (const TqxfCurrencyItem& item : order.Currencies)
        WriteCurrencyItem(stream, item);
    WriteInt(stream, order.Currency);
    WriteLines(stream, order.Notes);
    WriteInt(stream, order.Count());
    for (int i = 0; i < order.Count(); ++i)
        order.Positions(i)->SaveToStream(stream);
}

bool LoadOrderFromStream(TqxfOrder& order, TSpecStream& stream, bool& converted) {
    converted = false;
    ReadText(stream);  // the header text is not checked for orders
    order.Version = ReadText(stream);
    order.Spare1 = ReadInt(stream);
    order.Spare2 = ReadInt(stream);
    order.Created = ReadDate(stream);
    order.Changed = ReadDate(stream);
    order.Spare3 = ReadInt(stream);

    if (order.Version != kCurrentStamp) {
        if (!laterThanCurrent(order.Version) && VersionBefore(order.Version, kCurrentStamp)) {
            if (!AskConfirm(
                    Format("Необходимо конвертировать файл заказа!\r\nЗагружаемая версия: %s\r\nТекущая версия: %s",
                           order.Version, kCurrentStamp)))
                return false;
            converted = true;
        } else {
            ShowWarning(Format(
                "Вы пытаетесь открыть заказ, созданный более новой версией программы, чем текущая.\r\nДанный модуль "
                "технолога поддерживает файлы заказа\r\nверсии не старше: %s!\r\nЗагружаемая версия: %s",
                kCurrentStamp, order.Version));
            return false;
        }
    }

    order.No = ReadText(stream);
    order.AltNo = ReadText(stream);
    order.Customer = ReadText(stream);
    order.ObjectName = ReadText(stream);
    order.Address = ReadText(stream);
    order.Phone = ReadText(stream);
    order.Remark = ReadText(stream);
    order.RegDate = ReadDate(stream);
    order.RegDateSet = ReadBool(stream);
    order.ProfSys = ReadText(stream);
    order.InnerProfColor = ReadText(stream);
    order.OuterProfColor = ReadText(stream);
    order.FurnSys = ReadText(stream);
    order.FurnColor = ReadText(stream);
    order.Handle = ReadText(stream);
    if (VersionAtLeast(order.Version, kOrderDefaultsStamp)) {
        order.FalzType = ReadInt(stream);
        order.DornType = ReadInt(stream);
        order.StulpType = ReadInt(stream);
        order.OpenType = ReadInt(stream);
    } else {
        order.Obsolete1 = ReadText(stream);
        order.Obsolete2 = ReadText(stream);
    }
    order.PriceGroupNo = ReadInt(stream);
    order.NDSTax = ReadSingle(stream);
    order.TotalNDS = ReadBool(stream);
    order.ShowIncludingNDS = ReadBool(stream);

    order.ClearCurrencies();
    const int32_t rates = ReadStreamCount(stream, kRateImage);
    order.Currencies.reserve(rates);
    for (int32_t i = 0; i < rates; ++i) {
        TqxfCurrencyItem item;
        ReadCurrencyItem(stream, item);
        order.Currencies.push_back(item);
    }
    order.Currency = ReadInt(stream);
    order.Notes = ReadLines(stream);

    order.Clear();
    const int32_t positions = ReadStreamCount(stream, kMinPositionImage);
    for (int32_t i = 0; i < positions; ++i) {
        std::unique_ptr<TqxfConstruction> position = order.NewPosition();
        position->LoadFromStream(stream, order.Version);
        order.AddPosition(std::move(position));
    }
    return true;
}

bool SaveOrderToFile(TqxfOrder& order, const QString& fileName) {
    if (fileName.isEmpty()) return false;
    try {
        order.Version = kCurrentStamp;
        TSpecStream stream;
        SaveOrderToStream(order, stream);
        WriteImageFile(fileName, stream.Data());
        return true;
    } catch (const std::exception& e) {
        ShowError(Format("Ошибка сохранения заказа!\r\n(%s)", ExceptionText(e)));
        return false;
    }
}

bool LoadOrderFromFile(TqxfOrder& order, const QString& fileName, bool& converted) {
    converted = false;
    if (fileName.isEmpty()) return false;
    TSpecStream stream;
    int64_t fileSize = 0;
    try {
        stream = TSpecStream(ReadImageFile(fileName, fileSize));
        const bool loaded = LoadOrderFromStream(order, stream, converted);
        if (stream.Position() > fileSize) throw TqxfError(truncatedText(fileName, fileSize));
        return loaded;
    } catch (const std::exception& e) {
        QString text = ExceptionText(e);
        // A value read from beyond the end is the reason, whatever it then made the reader say.
        if (stream.Size() > 0 && stream.Position() > fileSize) text = truncatedText(fileName, fileSize);
        ShowError(Format("Ошибка загрузки заказа!\r\n(%s)", text));
        return false;
    }
}

QString LastOrderNoFilePath() {
    QString dir = Paths().OrdersDir;
    if (dir.isEmpty()) dir = QCoreApplication::applicationDirPath();
    return QDir(dir).filePath(kLastOrderNoFileName);
}

void WriteLastOrderNo(const QString& orderNo) {
    QByteArray bytes = ToCp1251(orderNo).left(kLastOrderNoMax);
    QByteArray record(kLastOrderNoBytes, '\0');
    record[0] = static_cast<char>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), record.begin() + 1);
    QSaveFile file(LastOrderNoFilePath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return;
    if (file.write(record) != record.size()) {
        file.cancelWriting();
        return;
    }
    file.commit();
}

QString ReadLastOrderNo() {
    QFile file(LastOrderNoFilePath());
    if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("???");
    const QByteArray record = file.read(kLastOrderNoBytes);
    if (record.size() < kLastOrderNoBytes) return QStringLiteral("???");
    const int length = std::min<int>(static_cast<unsigned char>(record[0]), kLastOrderNoMax);
    return FromCp1251(record.mid(1, length));
}

}  // namespace qx
