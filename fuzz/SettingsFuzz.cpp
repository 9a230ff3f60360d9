// The settings file reader: the nine reads of the window's start, then the
// nine writes of its close and a read of the written file. What must hold: no
// crash, no hang, values within their length, and every value written reads
// back the same, from memory and from the file.
#include "app/IniFile.h"
#include "common/Codepage.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

namespace {

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "violated: %s\n", what);
        std::abort();
    }
}

const QString Options = QStringLiteral("Options");
const char* const TextKeys[] = {"Language", "TextChar", "TextCharBG"};
const char* const NumberKeys[] = {"canvasWidth", "canvasHeight", "cellWidth", "cellHeight",
                                  "textType"};

QTemporaryDir* Folder = nullptr;

// A value that the reading rules give back unchanged.
bool Plain(const QString& value) {
    if (value.size() > IniFile::MaxValueLength || value.contains(QLatin1Char('\r')) ||
        value.contains(QLatin1Char('\n')))
        return false;
    const auto blank = [](QChar ch) { return ch == QLatin1Char(' ') || ch == QLatin1Char('\t'); };
    if (!value.isEmpty() && (blank(value.front()) || blank(value.back())))
        return false;
    if (value.size() >= 2 &&
        (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')) &&
        value.back() == value.front())
        return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication application(*argc, *argv);
    static QTemporaryDir folder;
    Folder = &folder;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = Folder->filePath(QStringLiteral("settings.ini"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    IniFile ini(path);
    QStringList texts;
    for (const char* key : TextKeys) {
        const QString value = ini.ReadString(Options, QLatin1String(key), QStringLiteral("-"));
        Check(value.size() <= IniFile::MaxValueLength, "a value is at most 2047 characters");
        texts.append(value);
    }
    QList<int> numbers;
    for (const char* key : NumberKeys)
        numbers.append(ini.ReadInteger(Options, QLatin1String(key), 100));
    const bool first = ini.ReadBool(Options, QStringLiteral("firstStart"), true);

    // Written back, as on close, with values of every kind: the ones read,
    // and text and numbers made from the input.
    const QString made = tg::FromCp1252(
        QByteArray(reinterpret_cast<const char*>(data), qsizetype(std::min<size_t>(size, 64))));
    texts.append(made);
    numbers.append(size >= 4 ? int(quint32(data[0]) | quint32(data[1]) << 8 |
                                   quint32(data[2]) << 16 | quint32(data[3]) << 24)
                             : -1);
    for (int i = 0; i < 3; ++i)
        ini.WriteString(Options, QLatin1String(TextKeys[i]), texts[i]);
    ini.WriteString(Options, QStringLiteral("Made"), made);
    for (int i = 0; i < 5; ++i)
        ini.WriteInteger(Options, QLatin1String(NumberKeys[i]), numbers[i]);
    ini.WriteInteger(Options, QStringLiteral("MadeNumber"), numbers[5]);
    ini.WriteBool(Options, QStringLiteral("firstStart"), first);
    try {
        ini.UpdateFile();
    } catch (const std::exception&) {
        Check(false, "the settings file can be written");
    }
    const IniFile again(path);
    QStringList textKeys = {QLatin1String(TextKeys[0]), QLatin1String(TextKeys[1]),
                            QLatin1String(TextKeys[2]), QStringLiteral("Made")};
    for (int i = 0; i < textKeys.size(); ++i) {
        const QString inMemory = ini.ReadString(Options, textKeys[i], QString());
        Check(inMemory == again.ReadString(Options, textKeys[i], QString()),
              "a value reads the same from memory and from the written file");
        if (Plain(tg::Cp1252Sanitize(texts[i])))
            Check(inMemory == tg::Cp1252Sanitize(texts[i]), "a plain value reads back as written");
    }
    QStringList numberKeys;
    for (const char* key : NumberKeys)
        numberKeys.append(QLatin1String(key));
    numberKeys.append(QStringLiteral("MadeNumber"));
    for (int i = 0; i < numberKeys.size(); ++i) {
        Check(ini.ReadInteger(Options, numberKeys[i], 0) == numbers[i], "a number reads back");
        Check(again.ReadInteger(Options, numberKeys[i], 0) == numbers[i],
              "a number reads back from the file");
    }
    Check(again.ReadBool(Options, QStringLiteral("firstStart"), !first) == first,
          "a boolean reads back");
    return 0;
}
