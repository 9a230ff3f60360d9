#pragma once
// Reader and writer of the profile ("ini") format: "[Section]" lines start a
// section, "key=value" lines hold the values. Section and key names match
// without regard to case; a value is read without its surrounding blanks and
// without one pair of quotation marks around it, at most MaxValueLength
// characters. Writing a key replaces its line, or adds it at the end of its
// section, creating the section when it is missing; every other line stays as
// it was. Lines may end in CR LF or LF; the file is written with CR LF.
//
// The file is read once when the object is made and its lines indexed once,
// at the first lookup: a read costs the same for a file of any length. Writes
// change the lines in memory; UpdateFile puts them into the file in one
// atomic replacement.
// Widget-free, so the settings and language layers and tests share it.

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

class IniFile {
public:
    enum class Encoding {
        // The system's 8-bit text, Windows-1252 byte for byte.
        Cp1252,
        // UTF-8 when the file is valid UTF-8 (a leading byte-order mark is
        // skipped and kept), Windows-1252 otherwise.
        Utf8OrCp1252,
    };
    static constexpr int MaxValueLength = 2047;

    explicit IniFile(const QString& fileName, Encoding encoding = Encoding::Cp1252);

    const QString& FileName() const { return Path; }
    // The value of the key, or defaultValue when the section or key is missing.
    QString ReadString(const QString& section, const QString& key,
                       const QString& defaultValue) const;
    // The value as an integer (see ParseProfileInteger), or defaultValue when
    // the key is missing or holds no whole number.
    int ReadInteger(const QString& section, const QString& key, int defaultValue) const;
    // An integer value; any value but 0 is true.
    bool ReadBool(const QString& section, const QString& key, bool defaultValue) const;

    // Line breaks in a value become blanks, so a value stays on its own line.
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteBool(const QString& section, const QString& key, bool value);

    // Writes the lines to the file atomically. Throws AppError("Unable to
    // write to %s") with the file's path when it cannot, also when the file
    // exists but could not be read or is read-only (writing it then would lose
    // what it holds).
    void UpdateFile() const;

private:
    struct Section {
        int Header = -1;          // line of "[name]"
        int End = 0;              // first line after the section
        QHash<QString, int> Keys; // the line of each key, by its folded name
    };
    // The first section of each name, by its folded name: made in one pass
    // over the lines at the first lookup, and kept up to date by the writes.
    const QHash<QString, Section>& Sections() const;
    const Section* FindSection(const QString& section) const;
    int FindKey(const Section& section, const QString& key) const;
    // Inserts a line, moving the lines of the index after it.
    void InsertLine(int at, const QString& line);

    QString Path;
    QStringList Lines;
    mutable std::optional<QHash<QString, Section>> Index;
    bool WriteUtf8 = false;
    bool ByteOrderMark = false;
    bool Unreadable = false;
};

// The profile format's whole number: decimal with an optional sign, or
// hexadecimal after "$" (or after "0x"/"0X" when the text is longer than two
// characters). Decimal must fit in 32 bits; hexadecimal takes up to 32 bits,
// read as the signed number of the same bits. nullopt for anything else.
std::optional<int> ParseProfileInteger(const QString& text);
