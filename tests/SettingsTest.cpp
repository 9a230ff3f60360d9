// The profile-format reader and writer, and the settings file that the window
// reads on start and writes on close.
#include "app/FormAbout.h"
#include "app/IniFile.h"
#include "common/AppError.h"
#include "tests/ShellSupport.h"

#include "app/CharGrid.h"
#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QSpinBox>
#include <QStandardPaths>
#include <pwd.h>
#include <unistd.h>

namespace {

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class IniFileTest : public ::testing::Test {
protected:
    QString Path(const char* name = "test.ini") const {
        return Folder.filePath(QLatin1String(name));
    }
    QTemporaryDir Folder;
};

} // namespace

TEST_F(IniFileTest, ReadsValuesByTheFormatRules) {
    const QString longValue(3000, QLatin1Char('x'));
    Write(Path(), "top=outside any section\r\n"
                  "[Other]\r\n"
                  "Plain=from another section\r\n"
                  "[ options ]\r\n"
                  "Plain=value\r\n"
                  "MixedCase=found\n"
                  "  Spaced  =  inner  blanks  \r\n"
                  "Quoted=\" kept blanks \"\r\n"
                  "Single='single'\r\n"
                  "Unbalanced=\"open\r\n"
                  "Empty=\r\n"
                  "Nbsp=\xA0x\xA0\r\n"
                  "Twice=first\r\n"
                  "Twice=second\r\n"
                  "Long=" +
                      longValue.toLatin1() +
                      "\r\n"
                      "[Options]\r\n"
                      "Later=second section of the same name\r\n");
    const IniFile ini(Path());
    const struct {
        const char* Key;
        QString Expected;
    } cases[] = {
        {"Plain", QStringLiteral("value")},
        {"mixedcase", QStringLiteral("found")},
        {"SPACED", QStringLiteral("inner  blanks")},
        {"Quoted", QStringLiteral(" kept blanks ")},
        {"Single", QStringLiteral("single")},
        {"Unbalanced", QStringLiteral("\"open")},
        {"Empty", QString()},
        {"Nbsp", QStringLiteral("\u00A0x\u00A0")},
        {"Twice", QStringLiteral("first")},
        {"Long", longValue.left(IniFile::MaxValueLength)},
        {"Missing", QStringLiteral("default")},
        {"top", QStringLiteral("default")},
        {"Later", QStringLiteral("default")},
    };
    for (const auto& c : cases) {
        const QString value = ini.ReadString(QStringLiteral("OPTIONS"), QLatin1String(c.Key),
                                             QStringLiteral("default"));
        EXPECT_EQ(value, c.Expected) << c.Key;
    }
    EXPECT_EQ(
        ini.ReadString(QStringLiteral("Missing"), QStringLiteral("Plain"), QStringLiteral("d")),
        QStringLiteral("d"));
}

TEST_F(IniFileTest, IntegersAndBooleans) {
    const struct {
        const char* Text;
        std::optional<int> Expected;
    } cases[] = {
        {"16", 16},
        {"-5", -5},
        {"+7", 7},
        {"0x10", 16},
        {"0X1f", 31},
        {"$FF", 255},
        {"-$10", -16},
        {"$FFFFFFFF", -1},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"2147483648", std::nullopt},
        {"$100000000", std::nullopt},
        {"0x", std::nullopt},
        {"abc", std::nullopt},
        {"12abc", std::nullopt},
        {"1.5", std::nullopt},
        {"", std::nullopt},
        {"$", std::nullopt},
        {"- 1", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseProfileInteger(QLatin1String(c.Text)), c.Expected) << c.Text;

    Write(Path(), "[S]\r\nhex=0x10\r\nbad=abc\r\nquoted=\"12\"\r\nzero=0\r\ntwo=2\r\nempty=\r\n");
    const IniFile ini(Path());
    const QString s = QStringLiteral("S");
    EXPECT_EQ(ini.ReadInteger(s, QStringLiteral("hex"), 10), 16);
    EXPECT_EQ(ini.ReadInteger(s, QStringLiteral("bad"), 10), 10);
    EXPECT_EQ(ini.ReadInteger(s, QStringLiteral("quoted"), 10), 12);
    EXPECT_EQ(ini.ReadInteger(s, QStringLiteral("empty"), 10), 10);
    EXPECT_FALSE(ini.ReadBool(s, QStringLiteral("zero"), true));
    EXPECT_TRUE(ini.ReadBool(s, QStringLiteral("two"), false));
    EXPECT_TRUE(ini.ReadBool(s, QStringLiteral("bad"), true));
    EXPECT_FALSE(ini.ReadBool(s, QStringLiteral("missing"), false));
}

TEST_F(IniFileTest, WritesOnlyTheKeysItIsGiven) {
    Write(Path(), "; notes stay\n"
                  "[First]\n"
                  "Keep = as it was \n"
                  "Name=old\n"
                  "\n"
                  "[Second]\r\n"
                  "other=1\r\n");
    IniFile ini(Path());
    ini.WriteString(QStringLiteral("FIRST"), QStringLiteral("name"), QStringLiteral("new"));
    ini.WriteInteger(QStringLiteral("First"), QStringLiteral("Added"), -3);
    ini.WriteBool(QStringLiteral("Third"), QStringLiteral("Flag"), true);
    ini.WriteString(QStringLiteral("Second"), QStringLiteral("Broken"), QStringLiteral("a\r\nb=c"));
    ini.UpdateFile();
    EXPECT_EQ(Read(Path()), QByteArray("; notes stay\r\n"
                                       "[First]\r\n"
                                       "Keep = as it was \r\n"
                                       "name=new\r\n"
                                       "Added=-3\r\n"
                                       "\r\n"
                                       "[Second]\r\n"
                                       "other=1\r\n"
                                       "Broken=a  b=c\r\n"
                                       "[Third]\r\n"
                                       "Flag=1\r\n"));

    IniFile created(Path("new.ini"));
    created.WriteString(QStringLiteral("Options"), QStringLiteral("Language"),
                        QStringLiteral("English"));
    created.UpdateFile();
    EXPECT_EQ(Read(Path("new.ini")), QByteArray("[Options]\r\nLanguage=English\r\n"));
}

TEST_F(IniFileTest, ReadsFollowTheWritesAsTheWrittenFileReads) {
    Write(Path(), "top=before any section\n"
                  "[A]\n"
                  "a1=1\n"
                  "A2 = 2\n"
                  "\n"
                  "[B]\n"
                  "b1=1\n"
                  "[a]\n"
                  "a1=duplicate section\n"
                  "[C]\n"
                  "c1=1\n"
                  "c1=second of the key\n");
    IniFile ini(Path());
    const auto S = [](const char* text) { return QString::fromLatin1(text); };
    EXPECT_EQ(ini.ReadString(S("c"), S("C1"), S("-")), "1");
    // New keys in the middle move every later line; names in other cases,
    // names that read back as others and new sections.
    ini.WriteString(S("A"), S("a3"), S("3"));
    ini.WriteString(S("b"), S("B2"), S("2"));
    ini.WriteString(S("A"), S("a2"), S("two"));
    ini.WriteString(S("C"), S("c2=x"), S("y"));
    ini.WriteString(S("C"), S(" c3 "), S("3"));
    ini.WriteString(S("B"), S("[b3"), S("3"));
    ini.WriteString(S("D]"), S("d1"), S("1"));
    ini.WriteString(S("E"), S("e1"), S("1"));
    ini.WriteString(S("A"), S("a4"), S("4"));
    ini.UpdateFile();
    const IniFile again(Path());
    const char* sections[] = {"A", "a", "B", "C", "D", "D]", "E", "b3=3", "none"};
    const char* keys[] = {"top", "a1", "a2",   "A2", "a3",   "a4", "b1", "b2",  "[b3",
                          "c1",  "c2", "c2=x", "c3", " c3 ", "d1", "e1", "none"};
    for (const char* section : sections) {
        for (const char* key : keys) {
            SCOPED_TRACE(testing::Message() << section << " / " << key);
            EXPECT_EQ(ini.ReadString(S(section), S(key), S("-")),
                      again.ReadString(S(section), S(key), S("-")));
        }
    }
    EXPECT_EQ(again.ReadString(S("A"), S("a1"), S("-")), "1");
    EXPECT_EQ(again.ReadString(S("A"), S("a2"), S("-")), "two");
    EXPECT_EQ(again.ReadString(S("A"), S("a4"), S("-")), "4");
    EXPECT_EQ(again.ReadString(S("B"), S("b2"), S("-")), "2");
    EXPECT_EQ(again.ReadString(S("C"), S("c1"), S("-")), "1");
    EXPECT_EQ(again.ReadString(S("C"), S("c2"), S("-")), "x=y");
    EXPECT_EQ(again.ReadString(S("C"), S("c3"), S("-")), "3");
    EXPECT_EQ(again.ReadString(S("E"), S("e1"), S("-")), "1");
}

TEST_F(IniFileTest, KeepsTheFilesEncoding) {
    // The system's 8-bit text: every byte comes back as it was.
    Write(Path("cp.ini"), "[S]\r\nname=caf\xE9 \x80\x81\r\n");
    IniFile cp(Path("cp.ini"));
    EXPECT_EQ(cp.ReadString(QStringLiteral("S"), QStringLiteral("name"), QString()),
              QStringLiteral("caf\u00E9 \u20AC\u0081"));
    cp.WriteString(QStringLiteral("S"), QStringLiteral("more"), QStringLiteral("\u00FC"));
    cp.UpdateFile();
    EXPECT_EQ(Read(Path("cp.ini")), QByteArray("[S]\r\nname=caf\xE9 \x80\x81\r\nmore=\xFC\r\n"));

    // UTF-8 when valid, with its byte-order mark skipped and kept.
    Write(Path("utf8.ini"), "\xEF\xBB\xBF[S]\r\nname=\xD0\xA4\xD0\xB0\xD0\xB9\xD0\xBB\r\n");
    IniFile utf8(Path("utf8.ini"), IniFile::Encoding::Utf8OrCp1252);
    EXPECT_EQ(utf8.ReadString(QStringLiteral("S"), QStringLiteral("name"), QString()),
              QStringLiteral("\u0424\u0430\u0439\u043B"));
    utf8.WriteString(QStringLiteral("S"), QStringLiteral("more"), QStringLiteral("\u00FC"));
    utf8.UpdateFile();
    EXPECT_EQ(Read(Path("utf8.ini")),
              QByteArray(
                  "\xEF\xBB\xBF[S]\r\nname=\xD0\xA4\xD0\xB0\xD0\xB9\xD0\xBB\r\nmore=\xC3\xBC\r\n"));

    // Not UTF-8: the 8-bit code page.
    Write(Path("mixed.ini"), "[S]\r\nname=\xE9t\xE9\r\n");
    const IniFile mixed(Path("mixed.ini"), IniFile::Encoding::Utf8OrCp1252);
    EXPECT_EQ(mixed.ReadString(QStringLiteral("S"), QStringLiteral("name"), QString()),
              QStringLiteral("\u00E9t\u00E9"));
}

TEST_F(IniFileTest, ReportsAFileItCannotWrite) {
    ASSERT_TRUE(QDir(Folder.path()).mkdir(QStringLiteral("folder.ini")));
    IniFile ini(Path("folder.ini"));
    ini.WriteString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("v"));
    try {
        ini.UpdateFile();
        FAIL() << "no error";
    } catch (const tg::AppError& error) {
        EXPECT_EQ(error.Message(), QStringLiteral("Unable to write to ") + Path("folder.ini"));
    }
}

using SettingsTest = ShellTest;

TEST_F(SettingsTest, StartReadsThePreparedFile) {
    WriteBytes(SettingsPath(), "[OPTIONS]\n"
                               "LANGUAGE=Russian\n"
                               "CanvasWidth=0x20\n"
                               "canvasheight=$10\n"
                               "cellWidth=abc\n"
                               "CELLHEIGHT= 20 \n"
                               "FirstStart=0\n"
                               "textchar=\"#\"\n"
                               "TextCharBG=\" \"\n"
                               "textType=2\n");
    const auto form = Launch();
    EXPECT_EQ(form->LanguageName, QStringLiteral("Russian"));
    EXPECT_EQ(form->CanvasWidth, 32);
    EXPECT_EQ(form->CanvasHeight, 16);
    EXPECT_EQ(form->CellWidth, 10);
    EXPECT_EQ(form->CellHeight, 20);
    EXPECT_FALSE(form->FirstStart);
    EXPECT_EQ(form->TextChar, QStringLiteral("#"));
    EXPECT_EQ(form->TextCharBG, QStringLiteral(" "));
    EXPECT_EQ(form->TextType, 2);
    EXPECT_EQ(form->CSpinEditCanvasWidth->value(), 32);
    EXPECT_EQ(form->StringGrid1->columnCount(), 32);
    EXPECT_EQ(form->StringGrid1->rowCount(), 16);
    EXPECT_EQ(form->CSpinEditCellHeight->value(), 20);
    EXPECT_EQ(form->EditChar->text(), QStringLiteral("#"));
    EXPECT_EQ(form->EditCharBG->text(), QStringLiteral(" "));
    EXPECT_EQ(form->cmbTextType->currentIndex(), 2);
    EXPECT_TRUE(Dialogs->Opened.isEmpty()) << Dialogs->Opened.join(' ').toStdString();
}

TEST_F(SettingsTest, CloseWritesTheNineKeysAndLeavesTheRest) {
    WriteBytes(SettingsPath(),
               "[Other]\nx=1\n\n[Options]\nLanguage=French\nextra=keep\nfirstStart=0\n");
    auto form = Launch();
    EXPECT_EQ(form->LanguageName, QStringLiteral("French"));
    form->CanvasWidth = 50;
    form->TextType = 3;
    form->close();
    EXPECT_TRUE(Dialogs->Errors.isEmpty());
    EXPECT_EQ(ReadBytes(SettingsPath()), QByteArray("[Other]\r\n"
                                                    "x=1\r\n"
                                                    "\r\n"
                                                    "[Options]\r\n"
                                                    "Language=French\r\n"
                                                    "extra=keep\r\n"
                                                    "firstStart=0\r\n"
                                                    "canvasWidth=50\r\n"
                                                    "canvasHeight=100\r\n"
                                                    "cellWidth=10\r\n"
                                                    "cellHeight=16\r\n"
                                                    "TextChar=@\r\n"
                                                    "TextCharBG= \r\n"
                                                    "textType=3\r\n"));
    form.reset();

    // The blank background character is written bare, so it comes back empty;
    // the edit stays empty and the banner's render makes the field a blank.
    form = Launch();
    EXPECT_EQ(form->TextCharBG, QStringLiteral(" "));
    EXPECT_EQ(form->EditCharBG->text(), QString());
    EXPECT_EQ(form->CanvasWidth, 50);
    EXPECT_EQ(form->TextType, 3);
}

TEST_F(SettingsTest, UnwritableFileIsReportedOnceAndTheWindowCloses) {
    SkipFirstRun();
    auto form = Launch();
    // A folder in the settings file's place cannot be replaced by a file.
    ASSERT_TRUE(QFile::remove(SettingsPath()));
    ASSERT_TRUE(QDir().mkdir(SettingsPath()));
    EXPECT_TRUE(form->close());
    EXPECT_EQ(Dialogs->Errors, QStringList{QStringLiteral("Unable to write to ") + SettingsPath()});
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->FormAbout, nullptr);
    EXPECT_EQ(form->FormLanguage, nullptr);
}

TEST_F(SettingsTest, AFileThatCannotBeReadIsNotOverwritten) {
    const char* const name = "SettingsTest.AFileThatCannotBeReadIsNotOverwritten";
    if (geteuid() == 0) {
        // Root reads every file: the test runs again as an unprivileged user.
        const passwd* nobody = getpwnam("nobody");
        const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
        if (nobody == nullptr || setpriv.isEmpty())
            GTEST_SKIP() << "running as root, and no user nobody or no setpriv to run as one: "
                            "root reads every file";
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TMPDIR"), QStringLiteral("/tmp"));
        environment.insert(QStringLiteral("HOME"), QStringLiteral("/tmp"));
        environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(setpriv,
                    {QStringLiteral("--reuid=%1").arg(nobody->pw_uid),
                     QStringLiteral("--regid=%1").arg(nobody->pw_gid),
                     QStringLiteral("--clear-groups"), QCoreApplication::applicationFilePath(),
                     QStringLiteral("--gtest_filter=") + QLatin1String(name)});
        ASSERT_TRUE(child.waitForFinished(120000));
        const QByteArray output = child.readAll();
        EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
        EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
        EXPECT_FALSE(output.contains("SKIPPED")) << output.toStdString();
        return;
    }
    // Writable but not readable: what the file holds is unknown, so writing
    // the nine keys into an empty one would lose it.
    const QByteArray original = "[Options]\r\nfirstStart=0\r\ncanvasWidth=50\r\n[Mine]\r\nx=1\r\n";
    WriteBytes(SettingsPath(), original);
    ASSERT_TRUE(QFile::setPermissions(SettingsPath(), QFile::WriteOwner));
    QFile probe(SettingsPath());
    if (probe.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "a file of mode 0200 is readable here";
    auto form = Launch();
    EXPECT_EQ(form->CanvasWidth, 100);
    EXPECT_TRUE(form->close());
    EXPECT_EQ(Dialogs->Errors, QStringList{QStringLiteral("Unable to write to ") + SettingsPath()});
    ASSERT_TRUE(QFile::setPermissions(SettingsPath(), QFile::ReadOwner | QFile::WriteOwner));
    EXPECT_EQ(ReadBytes(SettingsPath()), original);
}
