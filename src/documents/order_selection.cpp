// order_selection.cpp — the selection's lines, their order files, materials, sorts and file image.
#include "documents/order_selection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <algorithm>
#include <exception>

#include "common/codec.h"
#include "common/error.h"
#include "common/file_utils.h"
#include "common/format.h"
#include "common/messages.h"
#include "construction/construction.h"
#include "construction/stream_counts.h"
#include "documents/image_file.h"
#include "documents/order.h"
#include "documents/order_file.h"
#include "documents/pricing.h"
#include "shell/paths.h"
#include "shell/setup.h"

namespace qx {

namespace {

constexpr int64_t kRecordBytes = 16;
constexpr int64_t kTextBytes = 4;  // an empty text: its length only
constexpr int64_t kRateImage = 2 * kRecordBytes;
// A line: Checked, Width, Height, Quantity as records, four texts.
constexpr int64_t kLineImage = 4 * kRecordBytes + 4 * kTextBytes;

const char* const kNotSelectionFileText = "Данный файл не является файлом Tarkon Dravento!";

QString truncatedText(const QString& fileName, int64_t fileSize) {
    return Format("Файл выборки \"%s\" поврежден: данные обрываются после %d байт!", QDir::toNativeSeparators(fileName),
                  static_cast<long long>(fileSize));
}

// The order file of a line as it lies on disk.
QString lineFilePath(const QString& orderFile) {
    return ResolveExistingPath(MakeAbsolutePath(Paths().OrdersDir, orderFile));
}

// Reads the order files of consecutive lines once: a line whose file is the previous line's
// reuses the order read for it.
class OrderFileReader {
public:
    // The order in the line's file; nullptr when the file is missing or did not load (the loader
    // has reported that). *fresh tells whether the file was read for this line.
    TqxfOrder* Read(const QString& orderFile, bool* fresh = nullptr) {
        const QString path = lineFilePath(orderFile);
        if (started_ && path == path_) {
            if (fresh) *fresh = false;
            return order_.get();
        }
        started_ = true;
        path_ = path;
        order_.reset();
        if (fresh) *fresh = true;
        if (path.isEmpty() || !QFileInfo(path).isFile()) return nullptr;
        auto order = std::make_unique<TqxfOrder>();
        bool converted = false;
        // A half-read order is never used: its positions could be another file's.
        if (!LoadOrderFromFile(*order, path, converted)) return nullptr;
        order_ = std::move(order);
        return order_.get();
    }

private:
    bool started_ = false;
    QString path_;
    std::unique_ptr<TqxfOrder> order_;
};

void takePosition(TqxfOrderSelectionItem& line, const TqxfConstruction& position) {
    int32_t width = 0, height = 0;
    position.GetSize(width, height);
    line.PosNo = position.PosNo;
    line.Width = static_cast<float>(width);
    line.Height = static_cast<float>(height);
    line.Quantity = position.Quantity;
    line.PosName = position.PosName;
}

}  // namespace

TqxfOrderSelection::TqxfOrderSelection() : Created(Now()), Changed(Created), SelDate(Today()) {}

TqxfOrderSelection::~TqxfOrderSelection() {
    // The pricing context must not keep rates that no longer exist.
    TqxfSetup& setup = Setup();
    if (setup.PriceCurrencies == &Currencies) setup.PriceCurrencies = nullptr;
}

void TqxfOrderSelection::InitNewSelection() {
    const TqxfSetup& setup = Setup();
    Currency = setup.CurCurrency;
    NDSTax = setup.NDSTax;
    PriceGroupNo = 0;
    LoadRates(Currencies);
}

TqxfOrderSelectionItem* TqxfOrderSelection::AddItem(std::unique_ptr<TqxfOrderSelectionItem> item) {
    if (!item) return nullptr;
    item->Owner = this;
    items_.push_back(std::move(item));
    return items_.back().get();
}

void TqxfOrderSelection::DeleteItem(int i) {
    items_.at(i);  // range check before anything changes
    items_.erase(items_.begin() + i);
}

void TqxfOrderSelection::MoveItem(int from, int to) {
    items_.at(from);
    to = std::clamp(to, 0, Count() - 1);
    std::unique_ptr<TqxfOrderSelectionItem> item = std::move(items_[from]);
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + to, std::move(item));
}

void TqxfOrderSelection::Clear() {
    items_.clear();
}

int TqxfOrderSelection::IncludedCount() const {
    return static_cast<int>(
        std::count_if(items_.begin(), items_.end(), [](const auto& line) { return line->Checked; }));
}

int TqxfOrderSelection::FindLine(const QString& orderNo, const QString& posNo) const {
    for (int i = 0; i < Count(); ++i) {
        const TqxfOrderSelectionItem& line = *items_[i];
        if (line.OrderNo.compare(orderNo, Qt::CaseInsensitive) == 0 &&
            line.PosNo.compare(posNo, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

bool TqxfOrderSelection::AddOrderFile(const QString& fileName, std::vector<int>* added, std::vector<int>* updated) {
    const QFileInfo info(fileName);
    const QString file = info.isRelative() ? info.absoluteFilePath() : fileName;
    TqxfOrder order;
    bool converted = false;
    if (!LoadOrderFromFile(order, file, converted)) return false;
    const QString orderFile = MakeRelativePath(Paths().OrdersDir, file);
    for (int p = 0; p < order.Count(); ++p) {
        const TqxfConstruction& position = *order.Positions(p);
        int index = FindLine(order.No, position.PosNo);
        if (index >= 0) {
            if (updated) updated->push_back(index);
        } else {
            AddItem(std::make_unique<TqxfOrderSelectionItem>());
            index = Count() - 1;
            if (added) added->push_back(index);
        }
        TqxfOrderSelectionItem& line = *items_[index];
        line.OrderNo = order.No;
        takePosition(line, position);
        line.OrderFile = orderFile;
    }
    return true;
}

void TqxfOrderSelection::RefreshItems(bool takeChecks) {
    WaitCursorGuard cursor;
    OrderFileReader reader;
    for (const auto& line : items_) {
        TqxfOrder* order = reader.Read(line->OrderFile);
        if (!order) continue;
        const TqxfConstruction* position = order->FindPosition(line->PosNo);
        if (!position) continue;
        if (takeChecks) line->Checked = position->Checked;
        line->OrderNo = order->No;
        // The line shows the position's size as it is now (not a size of 0).
        takePosition(*line, *position);
    }
}

QString TqxfOrderSelection::OrderNoList() const {
    OrderFileReader reader;
    QStringList numbers;
    for (const auto& line : items_) {
        bool fresh = false;
        const TqxfOrder* order = reader.Read(line->OrderFile, &fresh);
        if (fresh && order) numbers << order->No;
    }
    return numbers.join(QLatin1Char(','));
}

void TqxfOrderSelection::CollectSelMaterials(TqxfMatList* target) const {
    if (!target) return;
    WaitCursorGuard cursor;
    OrderFileReader reader;
    for (const auto& line : items_) {
        if (!line->Checked) continue;
        const TqxfOrder* order = reader.Read(line->OrderFile);
        if (!order) continue;
        if (const TqxfConstruction* position = order->FindPosition(line->PosNo)) position->CollectMaterials(*target);
    }
    SortMatListByID(*target);
    SelectionPricingScope context(*this);
    RepriceMatList(*target);
}

TqxfConstruction* TqxfOrderSelection::ItemPosition(const TqxfOrderSelectionItem& line,
                                                   std::unique_ptr<TqxfOrder>& order) const {
    order.reset();
    const QString path = lineFilePath(line.OrderFile);
    if (path.isEmpty() || !QFileInfo(path).isFile()) return nullptr;
    auto loaded = std::make_unique<TqxfOrder>();
    bool converted = false;
    if (!LoadOrderFromFile(*loaded, path, converted)) return nullptr;
    TqxfConstruction* position = loaded->FindPosition(line.PosNo);
    if (position) order = std::move(loaded);
    return position;
}

void TqxfOrderSelection::sortBy(QStringList (*keys)(const TqxfOrderSelectionItem&)) {
    // Each line's keys once as Windows-1251 bytes; QByteArray compares them byte by byte.
    std::vector<std::pair<std::vector<QByteArray>, std::unique_ptr<TqxfOrderSelectionItem>>> keyed;
    keyed.reserve(items_.size());
    for (auto& line : items_) {
        std::vector<QByteArray> bytes;
        for (const QString& key : keys(*line))
            bytes.push_back(ToCp1251(key));
        keyed.emplace_back(std::move(bytes), std::move(line));
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    items_.clear();
    for (auto& entry : keyed)
        items_.push_back(std::move(entry.second));
}

void TqxfOrderSelection::SortByOrder() {
    sortBy([](const TqxfOrderSelectionItem& l) { return QStringList{l.OrderNo, l.PosNo}; });
}

void TqxfOrderSelection::SortByPos() {
    sortBy([](const TqxfOrderSelectionItem& l) { return QStringList{l.PosNo, l.OrderNo}; });
}

void TqxfOrderSelection::SortByName() {
    sortBy([](const TqxfOrderSelectionItem& l) { return QStringList{l.PosName, l.OrderNo, l.PosNo}; });
}

void TqxfOrderSelection::SortByFile() {
    sortBy([](const TqxfOrderSelectionItem& l) { return QStringList{l.OrderFile, l.OrderNo, l.PosNo}; });
}

// --- The file ---

void TqxfOrderSelection::SaveToStream(TSpecStream& stream) const {
    WriteText(stream, FileHeader);
    WriteText(stream, Version);
    WriteInt(stream, Spare1);
    WriteInt(stream, Spare2);
    WriteDate(stream, Created);
    WriteDate(stream, Changed);
    WriteInt(stream, Spare3);
    WriteText(stream, No);
    WriteDate(stream, SelDate);
    WriteText(stream, SelName);
    WriteInt(stream, CurrencyCount());
    for (const TqxfCurrencyItem& item : Currencies)
        WriteCurrencyItem(stream, item);
    WriteInt(stream, Currency);
    WriteInt(stream, PriceGroupNo);
    WriteReal(stream, NDSTax);
    WriteByte(stream, RoundMode);
    WriteLines(stream, Notes);
    WriteInt(stream, Count());
    for (const auto& line : items_) {
        WriteBool(stream, line->Checked);
        WriteText(stream, line->OrderNo);
        WriteText(stream, line->PosNo);
        WriteReal(stream, line->Width);
        WriteReal(stream, line->Height);
        WriteInt(stream, line->Quantity);
        WriteText(stream, line->PosName);
        WriteText(stream, line->OrderFile);
    }
}

bool TqxfOrderSelection::LoadFromStream(TSpecStream& stream, bool& converted) {
    converted = false;
    // The header's length is looked at first: the bytes of a foreign file are never read as a text.
    const QByteArray header = ToCp1251(FileHeader);
    const int64_t start = stream.Position();
    uint8_t lengthBytes[4] = {0, 0, 0, 0};
    const bool hasLength = stream.Read(lengthBytes, 4) == 4;
    stream.SetPosition(start);
    if (!hasLength || qFromLittleEndian<qint32>(lengthBytes) != header.size() || ReadText(stream) != FileHeader) {
        ShowError(QString::fromUtf8(kNotSelectionFileText));
        return false;
    }
    Version = ReadText(stream);
    if (Version != kSelectionStamp) {
        if (VersionBefore(Version, kSelectionStamp)) {
            if (!AskConfirm(
                    Format("Необходимо конвертировать файл выборки!\r\nЗагружаемая версия: %s\r\nТекущая версия: %s",
                           Version, kSelectionStamp)))
                return false;
            converted = true;
        } else {
            ShowWarning(
                Format("Вы пытаетесь открыть выборку, созданную более новой версией программы, чем текущая.\r\nДанный "
                       "модуль поддерживает файлы выборки\r\nверсии не старше: %s!\r\nЗагружаемая версия: %s",
                       kSelectionStamp, Version));
            return false;
        }
    }
    Spare1 = ReadInt(stream);
    Spare2 = ReadInt(stream);
    Created = ReadDate(stream);
    Changed = ReadDate(stream);
    Spare3 = ReadInt(stream);
    No = ReadText(stream);
    SelDate = ReadDate(stream);
    SelName = ReadText(stream);

    ClearCurrencies();
    const int32_t rates = ReadStreamCount(stream, kRateImage);
    Currencies.reserve(rates);
    for (int32_t i = 0; i < rates; ++i) {
        TqxfCurrencyItem item;
        ReadCurrencyItem(stream, item);
        Currencies.push_back(item);
    }
    Currency = ReadInt(stream);
    PriceGroupNo = ReadInt(stream);
    NDSTax = ReadSingle(stream);
    RoundMode = ReadByte(stream);
    Notes = ReadLines(stream);

    Clear();
    const int32_t lines = ReadStreamCount(stream, kLineImage);
    for (int32_t i = 0; i < lines; ++i) {
        auto line = std::make_unique<TqxfOrderSelectionItem>();
        line->Checked = ReadBool(stream);
        line->OrderNo = ReadText(stream);
        line->PosNo = ReadText(stream);
        line->Width = ReadSingle(stream);
        line->Height = ReadSingle(stream);
        line->Quantity = ReadInt(stream);
        line->PosName = ReadText(stream);
        line->OrderFile = ReadText(stream);
        AddItem(std::move(line));
    }
    return true;
}

bool TqxfOrderSelection::SaveToFile(const QString& fileName) {
    try {
        Version = kSelectionStamp;
        TSpecStream stream;
        SaveToStream(stream);
        WriteImageFile(fileName, stream.Data());
        return true;
    } catch (const std::exception& e) {
        ShowError(Format("Ошибка сохранения выборки!\r\n(%s)", ExceptionText(e)));
        return false;
    }
}

bool TqxfOrderSelection::LoadFromFile(const QString& fileName, bool* converted) {
    if (converted) *converted = false;
    TSpecStream stream;
    int64_t fileSize = 0;
    try {
        stream = TSpecStream(ReadImageFile(fileName, fileSize));
        bool wasConverted = false;
        const bool loaded = LoadFromStream(stream, wasConverted);
        if (loaded && stream.Position() > fileSize) throw TqxfError(truncatedText(fileName, fileSize));
        if (converted) *converted = wasConverted;
        return loaded;
    } catch (const std::exception& e) {
        QString text = ExceptionText(e);
        // A value read from beyond the end is the reason, whatever it then made the reader say.
        if (stream.Size() > 0 && stream.Position() > fileSize) text = truncatedText(fileName, fileSize);
        ShowError(Format("Ошибка загрузки выборки!\r\n(%s)", text));
        return false;
    }
}

SelectionPricingScope::SelectionPricingScope(const TqxfOrderSelection& selection) {
    TqxfSetup& setup = Setup();
    previousCurrencies_ = setup.PriceCurrencies;
    previousCurrency_ = setup.PriceCurrency;
    previousNDSTax_ = setup.PriceNDSTax;
    setup.PriceCurrencies = &selection.Currencies;
    setup.PriceCurrency = selection.Currency;
    setup.PriceNDSTax = selection.NDSTax;
}

SelectionPricingScope::~SelectionPricingScope() {
    TqxfSetup& setup = Setup();
    setup.PriceCurrencies = previousCurrencies_;
    setup.PriceCurrency = previousCurrency_;
    setup.PriceNDSTax = previousNDSTax_;
}

}  // namespace qx
