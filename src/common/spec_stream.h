// spec_stream.h — the typed binary stream of every document image: texts as length + Windows-1251
// bytes, every other value as a 16-byte record with a type code; format stamps "dd.mm.yyyy".
#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>

#include "common/datetime.h"
#include "common/money.h"

namespace qx {

// The current stamp written by every save.
inline const QString kCurrentStamp = QStringLiteral("26.12.2019");

// Growable in-memory byte stream with a position.
class TSpecStream {
public:
    TSpecStream() = default;
    explicit TSpecStream(QByteArray data) : data_(std::move(data)) {}
    // Reads up to n bytes at the position; returns the number delivered.
    int64_t Read(void* buffer, int64_t n);
    void Write(const void* buffer, int64_t n);
    int64_t Position() const { return pos_; }
    void SetPosition(int64_t pos) { pos_ = pos < 0 ? 0 : pos; }
    int64_t Size() const { return data_.size(); }
    int64_t Remaining() const { return pos_ < data_.size() ? data_.size() - pos_ : 0; }
    void CopyFrom(const TSpecStream& other);  // appends the whole content of other at the position
    const QByteArray& Data() const { return data_; }
    QByteArray& Data() { return data_; }
    void Clear() {
        data_.clear();
        pos_ = 0;
    }

private:
    QByteArray data_;
    int64_t pos_ = 0;
};

// Kinds of stream values; the kind a reader expects comes from the field, never from the bytes.
enum class VarKind { Text, Integer, Byte, Real, Currency, Date, Boolean };

// Type codes of the 16-byte records.
enum : uint16_t { kVarInteger = 3, kVarReal = 5, kVarCurrency = 6, kVarDate = 7, kVarBoolean = 11, kVarByte = 17 };

// One stream value (the template's kind decides how a record converts).
struct TVarValue {
    VarKind Kind = VarKind::Integer;
    QString Text;
    int64_t Integer = 0;  // Integer, Byte, Boolean (0/1)
    double Real = 0;      // Real, Date
    Money Currency;

    static TVarValue FromText(const QString& v);
    static TVarValue FromInteger(int32_t v);
    static TVarValue FromByte(uint8_t v);
    static TVarValue FromReal(double v);
    static TVarValue FromCurrency(Money v);
    static TVarValue FromDate(TDateTime v);
    static TVarValue FromBoolean(bool v);
};

// Appends one stream value.
void WriteVarToStream(TSpecStream& stream, const TVarValue& value);
// Reads one stream value of the template's kind into result. A text shorter than its stated
// length shows "Ошибка чтения строки из потока!…" and continues with what arrived; a negative
// length raises TqxfError. A record of unknown type code reads as zero of the expected kind.
void ReadVarFromStream(TSpecStream& stream, const TVarValue& templ, TVarValue& result);

// Typed shorthands used by the document images.
void WriteText(TSpecStream& s, const QString& v);
void WriteInt(TSpecStream& s, int32_t v);
void WriteByte(TSpecStream& s, uint8_t v);
void WriteReal(TSpecStream& s, double v);  // singles pass their exact value
void WriteCurrency(TSpecStream& s, Money v);
void WriteDate(TSpecStream& s, TDateTime v);
void WriteBool(TSpecStream& s, bool v);
// All lines, each followed by CR LF, as one text.
void WriteLines(TSpecStream& s, const QStringList& lines);

QString ReadText(TSpecStream& s);
int32_t ReadInt(TSpecStream& s);
uint8_t ReadByte(TSpecStream& s);  // accepts code 17 or code 3
double ReadReal(TSpecStream& s);
float ReadSingle(TSpecStream& s);  // rounded back to single precision
Money ReadCurrency(TSpecStream& s);
TDateTime ReadDate(TSpecStream& s);
bool ReadBool(TSpecStream& s);  // any non-zero payload is true
// A text split into lines at CR LF (a trailing CR LF ends the last line).
QStringList ReadLines(TSpecStream& s);

// Format stamps "dd.mm.yyyy" compared by the key year × 365 + month × 31 + day;
// a part that is not an integer raises TqxfError.
bool VersionAtLeast(const QString& stamp, const QString& reference);
bool VersionBefore(const QString& stamp, const QString& reference);

}  // namespace qx
