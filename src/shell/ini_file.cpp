// ini_file.cpp — reading and writing the configuration's INI file.
#include "shell/ini_file.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringDecoder>
#include <charconv>
#include <cmath>

#include "common/codec.h"
#include "common/error.h"
#include "common/format.h"

namespace qx {

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QString trimBlanks(const QString& text) {
    qsizetype begin = 0, end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

bool enclosedInQuotes(const QString& value) {
    if (value.size() < 2) return false;
    const QChar first = value.front();
    return (first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first;
}

// The value as the platform's INI reader gives it: trimmed, one pair of enclosing quotes removed.
QString readValue(const QString& raw) {
    const QString value = trimBlanks(raw);
    return enclosedInQuotes(value) ? value.mid(1, value.size() - 2) : value;
}

// The stored form of a value that reads back unchanged.
QString storedValue(QString value) {
    for (QChar& c : value)
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) c = QLatin1Char(' ');
    const bool needsQuotes =
        !value.isEmpty() && (isBlank(value.front()) || isBlank(value.back()) || enclosedInQuotes(value));
    return needsQuotes ? QLatin1Char('"') + value + QLatin1Char('"') : value;
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

template <class T>
QString shortestText(T value) {
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (result.ec != std::errc()) return QStringLiteral("0");
    QString text = QString::fromLatin1(buffer, result.ptr - buffer);
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}

}  // namespace

bool ParseIniFloat(const QString& text, double& value) {
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+([.,]\\d*)?|[.,]\\d+)([eE][+-]?\\d+)?$"));
    const QString t = trimBlanks(text);
    if (!number.match(t).hasMatch()) return false;
    QString dotted = t;
    dotted.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = dotted.toDouble(&ok);
    if (!ok || !std::isfinite(v)) return false;
    value = v;
    return true;
}

QString IniFloatText(double value) {
    return shortestText(value);
}
QString IniFloatText(float value) {
    return shortestText(value);
}

IniFile::IniFile(const QString& fileName) : fileName_(fileName) {
    lineBreak_ = QStringLiteral("\n");
#ifdef Q_OS_WIN
    lineBreak_ = QStringLiteral("\r\n");
#endif
    QFile file(fileName);
    if (fileName.isEmpty() || !file.exists()) {
        sections_.push_back(Section{});
        return;
    }
    if (!file.open(QIODevice::ReadOnly))
        throw TqxfError(Format("Ошибка чтения файла настроек %s!\r\n(%s)", fileName, file.errorString()));
    QByteArray bytes = file.readAll();
    existed_ = true;
    QString text;
    if (bytes.startsWith(kUtf8Bom)) {
        encoding_ = Encoding::Utf8Bom;
        text = QString::fromUtf8(bytes.mid(kUtf8Bom.size()));
    } else {
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        text = utf8.decode(bytes);
        if (utf8.hasError()) {
            encoding_ = Encoding::Cp1251;
            text = FromCp1251(bytes);
        }
    }
    const qsizetype firstBreak = text.indexOf(QLatin1Char('\n'));
    if (firstBreak > 0)
        lineBreak_ = text[firstBreak - 1] == QLatin1Char('\r') ? QStringLiteral("\r\n") : QStringLiteral("\n");
    parse(text);
}

void IniFile::parse(const QString& text) {
    sections_.clear();
    sections_.push_back(Section{});
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
    for (QString raw : lines) {
        if (raw.endsWith(QLatin1Char('\r'))) raw.chop(1);
        const QString trimmed = trimBlanks(raw);
        if (trimmed.startsWith(QLatin1Char('['))) {
            qsizetype close = trimmed.indexOf(QLatin1Char(']'));
            if (close < 0) close = trimmed.size();
            Section section;
            section.Name = trimBlanks(trimmed.mid(1, close - 1));
            section.Lines.push_back(Line{raw, QString(), QString()});
            sections_.push_back(std::move(section));
            continue;
        }
        Line line{raw, QString(), QString()};
        const qsizetype eq = raw.indexOf(QLatin1Char('='));
        if (eq > 0 && !trimmed.startsWith(QLatin1Char(';')) && !trimmed.startsWith(QLatin1Char('#'))) {
            line.Key = trimBlanks(raw.left(eq));
            line.Value = readValue(raw.mid(eq + 1));
        }
        sections_.back().Lines.push_back(std::move(line));
    }
}

const IniFile::Section* IniFile::findSection(const QString& name) const {
    for (size_t i = 1; i < sections_.size(); ++i)
        if (sameName(sections_[i].Name, name)) return &sections_[i];
    return nullptr;
}

IniFile::Section* IniFile::findSection(const QString& name) {
    return const_cast<Section*>(static_cast<const IniFile*>(this)->findSection(name));
}

const IniFile::Line* IniFile::findLine(const QString& section, const QString& key) const {
    const Section* s = findSection(section);
    if (!s) return nullptr;
    for (const Line& line : s->Lines)
        if (!line.Key.isEmpty() && sameName(line.Key, key)) return &line;
    return nullptr;
}

bool IniFile::SectionExists(const QString& section) const {
    return findSection(section) != nullptr;
}

bool IniFile::ValueExists(const QString& section, const QString& key) const {
    return findLine(section, key) != nullptr;
}

QStringList IniFile::Sections() const {
    QStringList names;
    for (size_t i = 1; i < sections_.size(); ++i)
        names << sections_[i].Name;
    return names;
}

QStringList IniFile::Keys(const QString& section) const {
    QStringList keys;
    if (const Section* s = findSection(section))
        for (const Line& line : s->Lines)
            if (!line.Key.isEmpty()) keys << line.Key;
    return keys;
}

QString IniFile::ReadString(const QString& section, const QString& key, const QString& def) const {
    const Line* line = findLine(section, key);
    return line ? line->Value : def;
}

int32_t IniFile::ReadInteger(const QString& section, const QString& key, int32_t def) const {
    const Line* line = findLine(section, key);
    if (!line) return def;
    QString text = line->Value;
    bool ok = false;
    if (text.startsWith(QLatin1Char('$')) || text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        const QString digits = text.mid(text.startsWith(QLatin1Char('$')) ? 1 : 2);
        const uint32_t v = digits.toUInt(&ok, 16);
        return ok && !digits.startsWith(QLatin1Char('+')) && !digits.startsWith(QLatin1Char('-'))
                   ? static_cast<int32_t>(v)
                   : def;
    }
    const int32_t v = text.toInt(&ok, 10);
    return ok ? v : def;
}

bool IniFile::ReadBool(const QString& section, const QString& key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

double IniFile::ReadFloat(const QString& section, const QString& key, double def) const {
    const Line* line = findLine(section, key);
    double v = 0;
    return line && ParseIniFloat(line->Value, v) ? v : def;
}

void IniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    const QString stored = storedValue(value);
    Section* s = findSection(section);
    if (!s) {
        const Section& last = sections_.back();
        const bool needsGap = !last.Lines.empty() && !trimBlanks(last.Lines.back().Raw).isEmpty();
        if (needsGap) sections_.back().Lines.push_back(Line{});
        sections_.push_back(Section{section, {Line{QLatin1Char('[') + section + QLatin1Char(']'), {}, {}}}});
        s = &sections_.back();
    }
    for (Line& line : s->Lines) {
        if (!line.Key.isEmpty() && sameName(line.Key, key)) {
            line.Value = readValue(stored);
            line.Raw = line.Key + QLatin1Char('=') + stored;
            return;
        }
    }
    // After the last key (or the header): trailing blank lines and comments stay below.
    size_t at = 1;
    for (size_t i = 0; i < s->Lines.size(); ++i)
        if (!s->Lines[i].Key.isEmpty()) at = i + 1;
    s->Lines.insert(s->Lines.begin() + static_cast<std::ptrdiff_t>(at),
                    Line{key + QLatin1Char('=') + stored, key, readValue(stored)});
}

void IniFile::WriteInteger(const QString& section, const QString& key, int32_t value) {
    WriteString(section, key, QString::number(value));
}

void IniFile::WriteBool(const QString& section, const QString& key, bool value) {
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::WriteFloat(const QString& section, const QString& key, double value) {
    WriteString(section, key, IniFloatText(value));
}

void IniFile::WriteFloat(const QString& section, const QString& key, float value) {
    WriteString(section, key, IniFloatText(value));
}

void IniFile::DeleteKey(const QString& section, const QString& key) {
    Section* s = findSection(section);
    if (!s) return;
    for (auto it = s->Lines.begin(); it != s->Lines.end(); ++it) {
        if (!it->Key.isEmpty() && sameName(it->Key, key)) {
            s->Lines.erase(it);
            return;
        }
    }
}

void IniFile::EraseSection(const QString& section) {
    for (size_t i = 1; i < sections_.size(); ++i) {
        if (sameName(sections_[i].Name, section)) {
            sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(i));
            return;
        }
    }
}

QString IniFile::text() const {
    QString out;
    for (const Section& s : sections_)
        for (const Line& line : s.Lines)
            out += line.Raw + lineBreak_;
    return out;
}

QByteArray IniFile::ToBytes() const {
    const QString t = text();
    switch (encoding_) {
        case Encoding::Cp1251: {
            const QByteArray bytes = ToCp1251(t);
            if (FromCp1251(bytes) == t) return bytes;
            return t.toUtf8();
        }
        case Encoding::Utf8Bom:
            return kUtf8Bom + t.toUtf8();
        case Encoding::Utf8:
            break;
    }
    return t.toUtf8();
}

void IniFile::Save() const {
    QSaveFile file(fileName_);
    if (!file.open(QIODevice::WriteOnly))
        throw TqxfError(Format("Ошибка записи файла настроек %s!\r\n(%s)", fileName_, file.errorString()));
    const QByteArray bytes = ToBytes();
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw TqxfError(Format("Ошибка записи файла настроек %s!\r\n(%s)", fileName_, file.errorString()));
}

}  // namespace qx
