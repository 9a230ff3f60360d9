#include "app/IniFile.h"

#include "common/AppError.h"
#include "common/Codepage.h"
#include "common/SafeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringConverter>
#include <cstdint>

namespace {

const QByteArray Utf8Bom("\xEF\xBB\xBF");

bool IsBlank(QChar ch) {
    return ch == QLatin1Char(' ') || ch == QLatin1Char('\t');
}

// Only blanks and tabs are stripped: other characters (a no-break space of the
// code page, for one) belong to the value.
QStringView TrimBlanks(QStringView text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    return text.mid(first, last - first);
}

// The name of a "[name]" line, or nullopt for any other line.
std::optional<QStringView> SectionName(QStringView line) {
    const QStringView text = TrimBlanks(line);
    if (!text.startsWith(QLatin1Char('[')))
        return std::nullopt;
    qsizetype close = text.indexOf(QLatin1Char(']'));
    if (close < 0)
        close = text.size();
    return TrimBlanks(text.mid(1, close - 1));
}

// The key of a "key=value" line, or nullopt for a line without "=".
std::optional<QStringView> KeyName(QStringView line) {
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0)
        return std::nullopt;
    return TrimBlanks(line.left(equals));
}

// Names match without regard to case: they are looked up by their folded form.
QString Folded(QStringView name) {
    return name.toString().toCaseFolded();
}

std::optional<unsigned> ParseDigits(QStringView digits, unsigned base) {
    if (digits.isEmpty())
        return std::nullopt;
    quint64 value = 0;
    for (QChar ch : digits) {
        const char16_t c = ch.unicode();
        unsigned digit = base;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit >= base)
            return std::nullopt;
        value = value * base + digit;
        if (value > 0xFFFFFFFFull)
            return std::nullopt;
    }
    return unsigned(value);
}

} // namespace

std::optional<int> ParseProfileInteger(const QString& value) {
    QString text = value;
    if (text.size() > 2 && text[0] == QLatin1Char('0') &&
        (text[1] == QLatin1Char('x') || text[1] == QLatin1Char('X')))
        text = QLatin1Char('$') + text.mid(2);
    QStringView rest(text);
    bool negative = false;
    if (!rest.isEmpty() && (rest[0] == QLatin1Char('-') || rest[0] == QLatin1Char('+'))) {
        negative = rest[0] == QLatin1Char('-');
        rest = rest.mid(1);
    }
    if (!rest.isEmpty() && rest[0] == QLatin1Char('$')) {
        const auto bits = ParseDigits(rest.mid(1), 16);
        if (!bits)
            return std::nullopt;
        const auto number = static_cast<qint32>(*bits);
        return negative ? static_cast<int>(0u - static_cast<unsigned>(number)) : number;
    }
    const auto magnitude = ParseDigits(rest, 10);
    if (!magnitude)
        return std::nullopt;
    const qint64 number = negative ? -qint64(*magnitude) : qint64(*magnitude);
    if (number < INT32_MIN || number > INT32_MAX)
        return std::nullopt;
    return int(number);
}

IniFile::IniFile(const QString& fileName, Encoding encoding)
    : Path(fileName), WriteUtf8(encoding == Encoding::Utf8OrCp1252) {
    QFile file(fileName);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly)) {
        Unreadable = true;
        return;
    }
    QByteArray bytes = file.readAll();
    QString text;
    bool decoded = false;
    if (encoding == Encoding::Utf8OrCp1252) {
        QByteArray body = bytes;
        if (body.startsWith(Utf8Bom)) {
            ByteOrderMark = true;
            body.remove(0, Utf8Bom.size());
        }
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        text = decoder.decode(body);
        decoded = !decoder.hasError();
        if (!decoded) {
            WriteUtf8 = false;
            ByteOrderMark = false;
        }
    }
    if (!decoded)
        text = tg::FromCp1252(bytes);
    Lines = text.split(QLatin1Char('\n'));
    if (!Lines.isEmpty() && Lines.last().isEmpty())
        Lines.removeLast();
    for (QString& line : Lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
}

const QHash<QString, IniFile::Section>& IniFile::Sections() const {
    if (Index)
        return *Index;
    // One pass over the lines: the first section of each name, and in it the
    // first line of each key.
    Index.emplace();
    Section* current = nullptr;
    for (int i = 0; i < Lines.size(); ++i) {
        if (const auto name = SectionName(Lines[i])) {
            if (current != nullptr)
                current->End = i;
            const QString folded = Folded(*name);
            current = nullptr;
            if (!Index->contains(folded)) {
                current = &(*Index)[folded];
                current->Header = i;
            }
            continue;
        }
        if (current == nullptr)
            continue;
        if (const auto key = KeyName(Lines[i])) {
            const QString folded = Folded(*key);
            if (!current->Keys.contains(folded))
                current->Keys.insert(folded, i);
        }
    }
    if (current != nullptr)
        current->End = int(Lines.size());
    return *Index;
}

const IniFile::Section* IniFile::FindSection(const QString& section) const {
    const auto& sections = Sections();
    const auto found = sections.constFind(Folded(section));
    return found == sections.cend() ? nullptr : &*found;
}

int IniFile::FindKey(const Section& section, const QString& key) const {
    return section.Keys.value(Folded(key), -1);
}

void IniFile::InsertLine(int at, const QString& line) {
    Lines.insert(at, line);
    for (Section& section : *Index) {
        if (section.Header >= at)
            ++section.Header;
        if (section.End >= at)
            ++section.End;
        for (int& keyLine : section.Keys) {
            if (keyLine >= at)
                ++keyLine;
        }
    }
}

QString IniFile::ReadString(const QString& section, const QString& key,
                            const QString& defaultValue) const {
    const auto found = FindSection(section);
    if (!found)
        return defaultValue;
    const int line = FindKey(*found, key);
    if (line < 0)
        return defaultValue;
    const QString& text = Lines[line];
    QString value =
        TrimBlanks(QStringView(text).mid(text.indexOf(QLatin1Char('=')) + 1)).toString();
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first)
            value = value.mid(1, value.size() - 2);
    }
    value.truncate(MaxValueLength);
    return value;
}

int IniFile::ReadInteger(const QString& section, const QString& key, int defaultValue) const {
    return ParseProfileInteger(ReadString(section, key, QString())).value_or(defaultValue);
}

bool IniFile::ReadBool(const QString& section, const QString& key, bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    QString safe = value;
    safe.replace(QLatin1Char('\r'), QLatin1Char(' '));
    safe.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QString line = key + QLatin1Char('=') + safe;
    Sections();
    const QString folded = Folded(section);
    // A name that reads back as another (with "=", "[" or "]" in it, or
    // surrounding blanks) is written as given; the index is then made afresh.
    const auto written = KeyName(line);
    const bool plainKey = !SectionName(line) && written && Folded(*written) == Folded(key);
    const auto found = Index->find(folded);
    if (found == Index->end()) {
        const QString header = QLatin1Char('[') + section + QLatin1Char(']');
        const auto name = SectionName(header);
        const int at = int(Lines.size());
        Lines.append(header);
        Lines.append(line);
        if (plainKey && name && Folded(*name) == folded) {
            Section& added = (*Index)[folded];
            added.Header = at;
            added.End = at + 2;
            added.Keys.insert(Folded(key), at + 1);
        } else {
            Index.reset();
        }
        return;
    }
    const int existing = FindKey(*found, key);
    if (existing >= 0) {
        Lines[existing] = line;
        if (!plainKey)
            Index.reset();
        return;
    }
    // After the section's last line that is not blank, so that blank lines
    // separating it from the next section stay where they are.
    int at = found->End;
    while (at > found->Header + 1 && TrimBlanks(Lines[at - 1]).isEmpty())
        --at;
    InsertLine(at, line);
    if (plainKey)
        found->Keys.insert(Folded(key), at);
    else
        Index.reset();
}

void IniFile::WriteInteger(const QString& section, const QString& key, int value) {
    WriteString(section, key, QString::number(value));
}

void IniFile::WriteBool(const QString& section, const QString& key, bool value) {
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::UpdateFile() const {
    const QString failure = QStringLiteral("Unable to write to %s");
    const QFileInfo info(Path);
    if (Unreadable || (info.isFile() && !info.isWritable()))
        throw tg::AppError(tg::FormatMessage(failure, Path));
    QString text;
    for (const QString& line : Lines)
        text += line + QStringLiteral("\r\n");
    QByteArray bytes;
    if (WriteUtf8) {
        if (ByteOrderMark)
            bytes = Utf8Bom;
        bytes += text.toUtf8();
    } else {
        bytes = tg::ToCp1252(text);
    }
    tg::WriteFileAtomic(Path, bytes, failure);
}
