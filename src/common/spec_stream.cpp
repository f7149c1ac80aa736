// spec_stream.cpp — the typed binary stream of document images and the format stamps.
#include "common/spec_stream.h"

#include <QStringList>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>

#include "common/codec.h"
#include "common/error.h"
#include "common/format.h"
#include "common/messages.h"

namespace qx {

namespace {

constexpr int kRecordSize = 16;

void putLE(unsigned char* at, uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        at[i] = static_cast<unsigned char>(v >> (8 * i));
}

uint64_t getLE(const unsigned char* at, int bytes) {
    uint64_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v |= static_cast<uint64_t>(at[i]) << (8 * i);
    return v;
}

uint64_t bitsOf(double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

double doubleOf(uint64_t bits) {
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

void writeRecord(TSpecStream& stream, uint16_t code, uint64_t payload, int payloadBytes) {
    unsigned char record[kRecordSize] = {};
    putLE(record, code, 2);
    putLE(record + 8, payload, payloadBytes);
    stream.Write(record, kRecordSize);
}

// The zero value of a kind: what a missing or unreadable record gives.
TVarValue zeroOf(VarKind kind) {
    TVarValue v;
    v.Kind = kind;
    return v;
}

// A real that does not fit the integer kind, or is not a number, reads as zero.
bool realToInt64(double real, int64_t low, int64_t high, int64_t& out) {
    if (!std::isfinite(real)) return false;
    const double r = std::nearbyint(real);
    if (r < static_cast<double>(low) || r > static_cast<double>(high)) return false;
    out = static_cast<int64_t>(r);
    return true;
}

// The record's value converted to the kind the reader expects.
TVarValue convertRecord(const unsigned char* record, VarKind kind) {
    const uint16_t code = static_cast<uint16_t>(getLE(record, 2));
    TVarValue result = zeroOf(kind);

    // The record's value as a number; false for a code the system never writes.
    bool isReal = false;
    int64_t integer = 0;
    double real = 0;
    Money currency;
    bool isCurrency = false;
    switch (code) {
        case kVarInteger:
            integer = static_cast<int32_t>(getLE(record + 8, 4));
            break;
        case kVarByte:
            integer = record[8];
            break;
        case kVarBoolean:
            integer = getLE(record + 8, 2) != 0 ? 1 : 0;
            break;
        case kVarReal:
        case kVarDate:
            real = doubleOf(getLE(record + 8, 8));
            isReal = true;
            break;
        case kVarCurrency:
            currency = Money::FromRaw(static_cast<int64_t>(getLE(record + 8, 8)));
            isCurrency = true;
            break;
        default:
            return result;
    }

    switch (kind) {
        case VarKind::Text:
            break;  // texts never come as records
        case VarKind::Integer:
        case VarKind::Byte: {
            const int64_t low = kind == VarKind::Byte ? 0 : std::numeric_limits<int32_t>::min();
            const int64_t high = kind == VarKind::Byte ? 255 : std::numeric_limits<int32_t>::max();
            if (isReal) {
                if (!realToInt64(real, low, high, integer)) integer = 0;
            } else if (isCurrency) {
                if (!realToInt64(currency.ToDouble(), low, high, integer)) integer = 0;
            } else if (kind == VarKind::Byte) {
                integer = static_cast<uint8_t>(integer);  // an 8-bit field stored with code 3
            }
            result.Integer = integer;
            break;
        }
        case VarKind::Boolean:
            if (isReal)
                result.Integer = real != 0 ? 1 : 0;
            else if (isCurrency)
                result.Integer = currency.Raw != 0 ? 1 : 0;
            else
                result.Integer = integer != 0 ? 1 : 0;
            break;
        case VarKind::Real:
        case VarKind::Date:
            if (isReal)
                result.Real = real;
            else if (isCurrency)
                result.Real = currency.ToDouble();
            else
                result.Real = static_cast<double>(integer);
            break;
        case VarKind::Currency:
            if (isCurrency) {
                result.Currency = currency;
            } else if (isReal) {
                if (std::isfinite(real) && std::fabs(real) < 9.2e14) result.Currency = RoundMoney(real);
            } else {
                result.Currency = Money::FromInt(integer);
            }
            break;
    }
    return result;
}

QString readText(TSpecStream& stream) {
    unsigned char lengthBytes[4] = {};
    if (stream.Read(lengthBytes, 4) < 4) return QString();  // nothing (or not a whole length) left
    const int32_t n = static_cast<int32_t>(getLE(lengthBytes, 4));
    if (n < 0) throw TqxfError(Format("Ошибка чтения строки из потока!\r\nНедопустимая длина строки: [%d]!", n));
    if (n == 0) return QString();
    // Never trust the length: take at most what is left in the stream.
    const int64_t available = std::min<int64_t>(n, stream.Remaining());
    QByteArray bytes(static_cast<qsizetype>(available), '\0');
    const int64_t got = stream.Read(bytes.data(), available);
    bytes.truncate(static_cast<qsizetype>(got));
    if (got < n)
        ShowError(Format("Ошибка чтения строки из потока!\r\nЗаказано: [%d символов], Считано: [%d символов]!", n,
                         static_cast<long long>(got)));
    const qsizetype zero = bytes.indexOf('\0');
    if (zero >= 0) bytes.truncate(zero);
    return FromCp1251(bytes);
}

// Day, month and year of a stamp as its key year × 365 + month × 31 + day.
int64_t parseStampKey(const QString& stamp) {
    const QStringList parts = stamp.split(QLatin1Char('.'));
    int64_t values[3] = {};
    for (int i = 0; i < 3; ++i) {
        const QString part = i < parts.size() ? parts[i].trimmed() : QString();
        bool ok = false;
        values[i] = part.toInt(&ok);
        if (!ok)
            throw TqxfError(Format("Неверная версия формата [%s]:\r\n\"%s\" не является целым числом!", stamp, part));
    }
    return values[2] * 365 + values[1] * 31 + values[0];
}

// The same, remembered: readers compare the few stamps of a file for every field of every object.
int64_t stampKey(const QString& stamp) {
    struct Known {
        QString Stamp;
        int64_t Key;
    };
    thread_local std::array<Known, 8> known;
    thread_local size_t next = 0;
    for (const Known& k : known)
        if (!k.Stamp.isNull() && k.Stamp == stamp) return k.Key;
    const int64_t key = parseStampKey(stamp);  // a malformed (also an empty) stamp raises here
    known[next] = Known{stamp, key};
    next = (next + 1) % known.size();
    return key;
}

}  // namespace

// --- TSpecStream ---

int64_t TSpecStream::Read(void* buffer, int64_t n) {
    const int64_t count = std::min<int64_t>(std::max<int64_t>(n, 0), Remaining());
    if (count > 0) std::memcpy(buffer, data_.constData() + pos_, static_cast<size_t>(count));
    pos_ += count;
    return count;
}

void TSpecStream::Write(const void* buffer, int64_t n) {
    if (n <= 0) return;
    if (pos_ > data_.size()) data_.resize(static_cast<qsizetype>(pos_), '\0');
    const int64_t overlap = std::min<int64_t>(n, data_.size() - pos_);
    if (overlap > 0) std::memcpy(data_.data() + pos_, buffer, static_cast<size_t>(overlap));
    if (n > overlap) data_.append(static_cast<const char*>(buffer) + overlap, static_cast<qsizetype>(n - overlap));
    pos_ += n;
}

void TSpecStream::CopyFrom(const TSpecStream& other) {
    const QByteArray copy = other.data_;  // other may be this stream
    Write(copy.constData(), copy.size());
}

// --- Values ---

TVarValue TVarValue::FromText(const QString& v) {
    TVarValue r;
    r.Kind = VarKind::Text;
    r.Text = v;
    return r;
}
TVarValue TVarValue::FromInteger(int32_t v) {
    TVarValue r;
    r.Kind = VarKind::Integer;
    r.Integer = v;
    return r;
}
TVarValue TVarValue::FromByte(uint8_t v) {
    TVarValue r;
    r.Kind = VarKind::Byte;
    r.Integer = v;
    return r;
}
TVarValue TVarValue::FromReal(double v) {
    TVarValue r;
    r.Kind = VarKind::Real;
    r.Real = v;
    return r;
}
TVarValue TVarValue::FromCurrency(Money v) {
    TVarValue r;
    r.Kind = VarKind::Currency;
    r.Currency = v;
    return r;
}
TVarValue TVarValue::FromDate(TDateTime v) {
    TVarValue r;
    r.Kind = VarKind::Date;
    r.Real = v;
    return r;
}
TVarValue TVarValue::FromBoolean(bool v) {
    TVarValue r;
    r.Kind = VarKind::Boolean;
    r.Integer = v ? 1 : 0;
    return r;
}

void WriteVarToStream(TSpecStream& stream, const TVarValue& value) {
    switch (value.Kind) {
        case VarKind::Text: {
            const QByteArray bytes = ToCp1251(value.Text);
            if (bytes.size() > std::numeric_limits<int32_t>::max())
                throw TqxfError(QStringLiteral("Ошибка записи строки в поток: строка слишком длинная!"));
            unsigned char length[4];
            putLE(length, static_cast<uint32_t>(bytes.size()), 4);
            stream.Write(length, 4);
            if (!bytes.isEmpty()) stream.Write(bytes.constData(), bytes.size());
            break;
        }
        case VarKind::Integer:
            writeRecord(stream, kVarInteger, static_cast<uint32_t>(static_cast<int32_t>(value.Integer)), 4);
            break;
        case VarKind::Byte:
            writeRecord(stream, kVarByte, static_cast<uint8_t>(value.Integer), 1);
            break;
        case VarKind::Real:
            writeRecord(stream, kVarReal, bitsOf(value.Real), 8);
            break;
        case VarKind::Currency:
            writeRecord(stream, kVarCurrency, static_cast<uint64_t>(value.Currency.Raw), 8);
            break;
        case VarKind::Date:
            writeRecord(stream, kVarDate, bitsOf(value.Real), 8);
            break;
        case VarKind::Boolean:
            writeRecord(stream, kVarBoolean, value.Integer != 0 ? 0xFFFF : 0, 2);
            break;
    }
}

void ReadVarFromStream(TSpecStream& stream, const TVarValue& templ, TVarValue& result) {
    if (templ.Kind == VarKind::Text) {
        result = TVarValue::FromText(readText(stream));
        return;
    }
    unsigned char record[kRecordSize] = {};
    // A record cut short by the end of the data reads as the zero value of its kind.
    if (stream.Read(record, kRecordSize) < kRecordSize) {
        result = zeroOf(templ.Kind);
        return;
    }
    result = convertRecord(record, templ.Kind);
}

// --- Typed shorthands ---

void WriteText(TSpecStream& s, const QString& v) {
    WriteVarToStream(s, TVarValue::FromText(v));
}
void WriteInt(TSpecStream& s, int32_t v) {
    WriteVarToStream(s, TVarValue::FromInteger(v));
}
void WriteByte(TSpecStream& s, uint8_t v) {
    WriteVarToStream(s, TVarValue::FromByte(v));
}
void WriteReal(TSpecStream& s, double v) {
    WriteVarToStream(s, TVarValue::FromReal(v));
}
void WriteCurrency(TSpecStream& s, Money v) {
    WriteVarToStream(s, TVarValue::FromCurrency(v));
}
void WriteDate(TSpecStream& s, TDateTime v) {
    WriteVarToStream(s, TVarValue::FromDate(v));
}
void WriteBool(TSpecStream& s, bool v) {
    WriteVarToStream(s, TVarValue::FromBoolean(v));
}

void WriteLines(TSpecStream& s, const QStringList& lines) {
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    WriteText(s, text);
}

namespace {
TVarValue readAs(TSpecStream& s, VarKind kind) {
    TVarValue result;
    ReadVarFromStream(s, zeroOf(kind), result);
    return result;
}
}  // namespace

QString ReadText(TSpecStream& s) {
    return readAs(s, VarKind::Text).Text;
}
int32_t ReadInt(TSpecStream& s) {
    return static_cast<int32_t>(readAs(s, VarKind::Integer).Integer);
}
uint8_t ReadByte(TSpecStream& s) {
    return static_cast<uint8_t>(readAs(s, VarKind::Byte).Integer);
}
double ReadReal(TSpecStream& s) {
    return readAs(s, VarKind::Real).Real;
}
float ReadSingle(TSpecStream& s) {
    return static_cast<float>(ReadReal(s));
}
Money ReadCurrency(TSpecStream& s) {
    return readAs(s, VarKind::Currency).Currency;
}
TDateTime ReadDate(TSpecStream& s) {
    return readAs(s, VarKind::Date).Real;
}
bool ReadBool(TSpecStream& s) {
    return readAs(s, VarKind::Boolean).Integer != 0;
}

QStringList ReadLines(TSpecStream& s) {
    // Lines end at CR LF, a lone CR or a lone LF; a final line break ends the last line.
    const QString text = ReadText(s);
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    while (start < n) {
        qsizetype end = start;
        while (end < n && text[end] != QLatin1Char('\r') && text[end] != QLatin1Char('\n'))
            ++end;
        lines.append(text.mid(start, end - start));
        if (end < n && text[end] == QLatin1Char('\r')) ++end;
        if (end < n && text[end] == QLatin1Char('\n')) ++end;
        start = end;
    }
    return lines;
}

// --- Format stamps ---

bool VersionAtLeast(const QString& stamp, const QString& reference) {
    return stampKey(stamp) >= stampKey(reference);
}
bool VersionBefore(const QString& stamp, const QString& reference) {
    return stampKey(stamp) < stampKey(reference);
}

}  // namespace qx
