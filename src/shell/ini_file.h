// ini_file.h — the configuration's INI file: sections, keys, comments and encoding kept as read.
#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace qx {

// Reads numbers as the system writes them: decimal comma (a point is accepted too), optional sign
// and exponent; false for anything else, also for infinities and NaN.
bool ParseIniFloat(const QString& text, double& value);
// The shortest text that reads back as the same value, with the decimal comma ("18", "0,6").
QString IniFloatText(double value);
QString IniFloatText(float value);

// An INI file held in memory. Sections and keys stay in file order, unknown keys, comments and
// blank lines are kept, values are never split at commas; section and key names are matched with
// letter case ignored (the first of equal names wins), as the platform's INI functions do.
// Values are trimmed when read and one pair of enclosing quotes is removed; values that would lose
// blanks or quotes that way are written enclosed in double quotes.
class IniFile {
  public:
    enum class Encoding { Utf8, Utf8Bom, Cp1251 };

    // Reads the file when it exists (UTF-8 when its bytes are valid UTF-8, else Windows-1251).
    // A file that exists but cannot be read raises TqxfError.
    explicit IniFile(const QString& fileName);

    const QString& FileName() const { return fileName_; }
    bool FileExisted() const { return existed_; }
    Encoding encoding() const { return encoding_; }

    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& key) const;
    QStringList Sections() const;
    QStringList Keys(const QString& section) const;

    // Missing keys give the default; an empty value is a value (the empty text).
    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    // Decimal, "$hex" or "0xhex"; the default when the text is not a 32-bit integer.
    int32_t ReadInteger(const QString& section, const QString& key, int32_t def) const;
    // An integer: 0 is false, anything else true; the default when the text is not an integer.
    bool ReadBool(const QString& section, const QString& key, bool def) const;
    // The default when the key is missing, empty or not a number.
    double ReadFloat(const QString& section, const QString& key, double def) const;

    // A new key goes after the section's last key, a new section at the end of the file.
    // Line breaks inside a value become blanks: they would break the file's structure.
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int32_t value);
    void WriteBool(const QString& section, const QString& key, bool value);  // "1" / "0"
    void WriteFloat(const QString& section, const QString& key, double value);
    void WriteFloat(const QString& section, const QString& key, float value);
    void DeleteKey(const QString& section, const QString& key);
    void EraseSection(const QString& section);

    // The file's bytes in the encoding it was read in (new files: UTF-8 without BOM). A Windows-1251
    // file whose texts no longer fit that code page is written as UTF-8 rather than lose them.
    QByteArray ToBytes() const;
    // Writes the file atomically (temporary file, then rename); raises TqxfError on failure.
    void Save() const;

  private:
    struct Line {
        QString Raw;  // the line as it stands in the file
        QString Key;  // empty for comments, blank lines and other text
        QString Value;
    };
    struct Section {
        QString Name;  // empty for the lines before the first section
        std::vector<Line> Lines;
    };

    const Section* findSection(const QString& name) const;
    Section* findSection(const QString& name);
    const Line* findLine(const QString& section, const QString& key) const;
    void parse(const QString& text);
    QString text() const;

    QString fileName_;
    bool existed_ = false;
    Encoding encoding_ = Encoding::Utf8;
    QString lineBreak_;
    std::vector<Section> sections_;
};

}  // namespace qx
