// The Text page through the real window: typing, the two characters, the
// modes, start-up from the settings, the language switch, saving as rich
// text, and tessaglyph-banner drawing the same rows.
#include "tests/ShellSupport.h"
#include "tests/TestSupport.h"

#include "common/Codepage.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

namespace {

// The lines of the banner box as its blocks hold them.
QStringList BoxRows(const TForm1& form) {
    QStringList rows;
    const QTextDocument* document = form.RichEditText->document();
    if (!document->isEmpty())
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
            rows.append(block.text());
    return rows;
}

// Types into EditText as the user does: with the keyboard focus on it.
void Type(TForm1& form, const QString& text) {
    QApplication::setActiveWindow(&form);
    form.PageControl2->setCurrentWidget(form.TabSheetText);
    form.EditText->setFocus();
    ASSERT_TRUE(form.EditText->hasFocus());
    form.EditText->setText(text);
}

// The rows of the window's inputs in a mode, drawn apart from the window.
QStringList Drawn(const TForm1& form, tg::BannerMode mode) {
    tg::BannerSession session;
    session.Text = form.EditText->text();
    session.Font = form.RenderingFont();
    session.Mode = mode;
    session.Letter = form.TextChar;
    session.Background = form.TextCharBG;
    session.Render();
    return session.Rows;
}

// Picks a mode in the list as the user does.
void Pick(TForm1& form, int index) {
    form.cmbTextType->setCurrentIndex(index);
    emit form.cmbTextType->activated(index);
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Runs build/tessaglyph-banner without any display.
ConverterRun RunBanner(const QStringList& arguments) {
    return RunProgram(QStringLiteral("tessaglyph-banner"), arguments);
}

// The folder and name the save dialog offers.
QString Offered(QFileDialog& files) {
    auto* nameBox = files.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    EXPECT_NE(nameBox, nullptr);
    return files.directory().absolutePath() + '/' + (nameBox ? nameBox->text() : QString());
}

// Types the path into the save dialog's name box and accepts.
int Accept(QFileDialog& files, const QString& path) {
    if (auto* nameBox = files.findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        nameBox->setText(path);
    static_cast<QDialog&>(files).accept();
    return files.result();
}

// What unrtf reads from a file, as text lines after its header.
QStringList UnrtfLines(const QString& path, int* status = nullptr) {
    QProcess reader;
    reader.start(QStringLiteral("unrtf"), {QStringLiteral("--text"), path});
    EXPECT_TRUE(reader.waitForFinished(20000));
    if (status != nullptr)
        *status = reader.exitStatus() == QProcess::NormalExit ? reader.exitCode() : -1;
    QStringList lines = QString::fromUtf8(reader.readAllStandardOutput()).split('\n');
    const qsizetype rule = lines.indexOf(QStringLiteral("-----------------"));
    lines = lines.mid(rule + 1);
    while (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

using TextPage = WindowTest;

TEST_F(TextPage, FirstStartShowsTheDefaultBanner) {
    const QStringList rows = BoxRows(*Form);
    ASSERT_GE(rows.size(), 5);
    EXPECT_EQ(Form->EditText->text(), QStringLiteral("ASCII"));
    EXPECT_EQ(Form->cmbTextType->currentIndex(), 0);
    for (const QString& row : rows) {
        EXPECT_EQ(row.size(), 2 * Form->BannerBitmap.width());
        EXPECT_EQ(QString(row).remove(QStringLiteral("@ ")).trimmed(), QString());
    }
    EXPECT_TRUE(rows.front().contains('@'));
    EXPECT_TRUE(rows.back().contains('@'));
    EXPECT_EQ(Form->BannerBitmap.format(), QImage::Format_RGB888);
}

TEST_F(TextPage, TypingRendersOnlyWithTheFocus) {
    Type(*Form, QStringLiteral("Hi"));
    const QStringList hi = BoxRows(*Form);
    EXPECT_NE(hi, QStringList());
    EXPECT_EQ(Form->BannerBitmap.width(), QFontMetrics(tg::BannerPixelFont(Form->RenderingFont()))
                                              .horizontalAdvance(QStringLiteral("Hi")));

    Form->EditChar->setFocus();
    Form->EditText->setText(QStringLiteral("Other"));
    EXPECT_EQ(BoxRows(*Form), hi);

    // Emptying the text empties the box.
    Type(*Form, QString());
    EXPECT_TRUE(Form->RichEditText->document()->isEmpty());
}

TEST_F(TextPage, LetterAndBackgroundCharactersComeFromTheirEdits) {
    Type(*Form, QStringLiteral("T"));
    const QStringList plain = BoxRows(*Form);
    const int width = Form->BannerBitmap.width();

    Form->EditChar->setText(QStringLiteral("#"));
    EXPECT_EQ(Form->TextChar, QStringLiteral("#"));
    Form->EditCharBG->setText(QStringLiteral("."));
    EXPECT_EQ(Form->TextCharBG, QStringLiteral("."));
    QStringList expected;
    for (const QString& row : plain) {
        QString dotted;
        for (qsizetype i = 0; i < row.size(); i += 2)
            dotted += row[i] == '@' ? QStringLiteral("# ") : QStringLiteral("..");
        expected.append(dotted);
    }
    EXPECT_EQ(BoxRows(*Form), expected);

    // An empty background character draws as a blank, and is saved as one.
    Form->EditCharBG->clear();
    Form->EditChar->setText(QStringLiteral("@"));
    EXPECT_EQ(BoxRows(*Form), plain);
    EXPECT_EQ(Form->EditCharBG->text(), QString());
    EXPECT_EQ(Form->TextCharBG, QStringLiteral(" "));

    // An empty letter character leaves one blank a letter pixel.
    Form->EditChar->clear();
    const QStringList empty = BoxRows(*Form);
    ASSERT_EQ(empty.size(), plain.size());
    for (qsizetype i = 0; i < empty.size(); ++i)
        EXPECT_EQ(empty[i].size(), 2 * width - plain[i].count('@'));

    Form->close();
    EXPECT_TRUE(ReadFile(Form->SettingsFileName()).contains("TextChar=\r\nTextCharBG= \r\n"));
}

TEST_F(TextPage, PickingAModeRendersAndKeepsIt) {
    Type(*Form, QStringLiteral("Hi"));
    const QStringList one = BoxRows(*Form);
    Pick(*Form, 1);
    EXPECT_EQ(Form->TextType, 1);
    const QStringList rows = BoxRows(*Form);
    EXPECT_EQ(rows, Drawn(*Form, tg::BannerMode::RowStep));
    EXPECT_NE(rows, one);

    // A selection made from code is no pick: nothing renders, nothing is kept.
    Form->cmbTextType->setCurrentIndex(2);
    EXPECT_EQ(Form->TextType, 1);
    EXPECT_EQ(BoxRows(*Form), rows);
    Pick(*Form, 2);
    EXPECT_EQ(Form->TextType, 2);
    EXPECT_EQ(BoxRows(*Form), Drawn(*Form, tg::BannerMode::ColStep));
}

TEST_F(TextPage, RandomIsTheSameInEveryRunAndDiffersBetweenRenders) {
    Type(*Form, QStringLiteral("Hi"));
    Pick(*Form, 3);
    const QStringList first = BoxRows(*Form);
    Pick(*Form, 3);
    const QStringList second = BoxRows(*Form);
    EXPECT_NE(first, second);

    TForm1 other(Folder.path());
    Type(other, QStringLiteral("Hi"));
    Pick(other, 3);
    EXPECT_EQ(BoxRows(other), first);
}

TEST_F(TextPage, CommandDrawsTheRowsOfTheBox) {
    struct Case {
        int Mode;
        const char* Name;
        int Points;
        bool Bold;
        const char* Letter;
        const char* Background;
    };
    // Random first: the window has drawn no random banner yet.
    const Case cases[] = {
        {3, "random", 8, false, "@", " "}, {0, "one", 8, false, "@", " "},
        {0, "one", 16, true, "#", "."},    {1, "row", 12, false, "@", " "},
        {2, "col", 10, false, "@", "-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Form->Banner.Font = QFont(QStringLiteral("Courier New"), c.Points);
        Form->Banner.Font.setBold(c.Bold);
        Form->EditChar->setText(QLatin1String(c.Letter));
        Form->EditCharBG->setText(QLatin1String(c.Background));
        Type(*Form, QStringLiteral("Tg 42"));
        Pick(*Form, c.Mode);

        QStringList arguments = {QStringLiteral("Tg 42"),    QStringLiteral("--size"),
                                 QString::number(c.Points),  QStringLiteral("--mode"),
                                 QLatin1String(c.Name),      QStringLiteral("--char"),
                                 QLatin1String(c.Letter),    QStringLiteral("--background-char"),
                                 QLatin1String(c.Background)};
        if (c.Bold)
            arguments.append(QStringLiteral("--bold"));
        const ConverterRun run = RunBanner(arguments);
        ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
        EXPECT_EQ(run.Out, tg::LinesToBytes(BoxRows(*Form)));
        EXPECT_EQ(run.Err, QByteArray());
    }
}

TEST_F(TextPage, SaveWritesTheBoxAsRichText) {
    Form->EditCharBG->setText(QStringLiteral("."));
    Type(*Form, QStringLiteral("Hi"));
    QStringList rows = BoxRows(*Form);
    // A line typed by hand goes into the file too.
    QTextCursor cursor(Form->RichEditText->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringLiteral("\nby hand"));
    rows.append(QStringLiteral("by hand"));

    const QString saves = QDir(Path(QStringLiteral("saves"))).absolutePath();
    QString offered;
    Dialogs->Then([&](QDialog& dialog) {
        auto& files = dynamic_cast<QFileDialog&>(dialog);
        offered = Offered(files);
        static_cast<QDialog&>(files).accept();
        return files.result();
    });
    Form->ButtonSaveText->click();
    EXPECT_EQ(offered, saves + QStringLiteral("/ascii.rtf"));
    const QString path = saves + QStringLiteral("/ascii.rtf");
    const QByteArray rtf = ReadFile(path);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1")) << rtf.left(100).toStdString();
    EXPECT_TRUE(rtf.contains("Courier New"));
    EXPECT_TRUE(rtf.contains("\\fs16"));
    EXPECT_EQ(rtf.count("\\par\r\n"), rows.size());
    EXPECT_EQ(UnrtfLines(path), rows);

    // The same inputs through the command give the same file.
    const ConverterRun run =
        RunBanner({QStringLiteral("Hi"), QStringLiteral("--background-char"), QStringLiteral("."),
                   QStringLiteral("-o"), Path(QStringLiteral("command.rtf"))});
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    QByteArray withoutHand = rtf;
    withoutHand.replace("by hand\\par\r\n", "");
    EXPECT_EQ(ReadFile(Path(QStringLiteral("command.rtf"))), withoutHand);

    // The next render discards the typed line; the dialog then offers the
    // last path, and a ".txt" name still gets rich text.
    Type(*Form, QStringLiteral("Hi!"));
    EXPECT_FALSE(BoxRows(*Form).contains(QStringLiteral("by hand")));
    Dialogs->Then([&](QDialog& dialog) {
        auto& files = dynamic_cast<QFileDialog&>(dialog);
        offered = Offered(files);
        return Accept(files, saves + QStringLiteral("/banner.txt"));
    });
    Form->ButtonSaveText->click();
    EXPECT_EQ(offered, path);
    EXPECT_TRUE(ReadFile(saves + QStringLiteral("/banner.txt")).startsWith("{\\rtf1"));
    EXPECT_EQ(UnrtfLines(saves + QStringLiteral("/banner.txt")), BoxRows(*Form));
    EXPECT_TRUE(Dialogs->Errors.isEmpty());
    EXPECT_EQ(Dialogs->Unexpected, 0);
}

TEST_F(TextPage, EmptyBannerCancelAndFailure) {
    // An empty banner is a valid document without text.
    Type(*Form, QString());
    Dialogs->Then([&](QDialog& dialog) {
        return Accept(dynamic_cast<QFileDialog&>(dialog), Path(QStringLiteral("saves/empty.rtf")));
    });
    Form->ButtonSaveText->click();
    const QByteArray empty = ReadFile(Path(QStringLiteral("saves/empty.rtf")));
    EXPECT_TRUE(empty.startsWith("{\\rtf1"));
    EXPECT_TRUE(empty.trimmed().endsWith('}'));
    EXPECT_FALSE(empty.contains("\\par\r\n"));
    int status = -1;
    EXPECT_EQ(UnrtfLines(Path(QStringLiteral("saves/empty.rtf")), &status), QStringList());
    EXPECT_EQ(status, 0);

    // Cancel writes nothing.
    Type(*Form, QStringLiteral("x"));
    const QStringList before = QDir(Path(QStringLiteral("saves"))).entryList(QDir::Files);
    Dialogs->Cancel();
    Form->ButtonSaveText->click();
    EXPECT_EQ(QDir(Path(QStringLiteral("saves"))).entryList(QDir::Files), before);

    // A path that cannot be created is reported, and nothing is written.
    const QString missing = Path(QStringLiteral("missing/banner.rtf"));
    Dialogs->Then(
        [&](QDialog& dialog) { return Accept(dynamic_cast<QFileDialog&>(dialog), missing); });
    Form->ButtonSaveText->click();
    EXPECT_EQ(Dialogs->Errors, QStringList{QStringLiteral("Cannot create file ") + missing});
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("missing"))));
    // The box is left as it was.
    EXPECT_FALSE(BoxRows(*Form).isEmpty());
}

TEST(BannerCommand, BadOptionsGiveOneLineAndAFailingStatus) {
    const QStringList cases[] = {
        {},
        {QStringLiteral("Hi"), QStringLiteral("--mode"), QStringLiteral("diagonal")},
        {QStringLiteral("Hi"), QStringLiteral("--size"), QStringLiteral("0")},
        {QStringLiteral("Hi"), QStringLiteral("--size"), QStringLiteral("big")},
        {QStringLiteral("Hi"), QStringLiteral("--char"), QStringLiteral("ab")},
        {QStringLiteral("Hi"), QStringLiteral("-f"), QStringLiteral("html")},
        {QStringLiteral("Hi"), QStringLiteral("--font")},
        {QStringLiteral("Hi"), QStringLiteral("--shout")},
        {QStringLiteral("Hi"), QStringLiteral("there")},
        {QStringLiteral("--"), QStringLiteral("-5"), QStringLiteral("--size")},
        {QStringLiteral("Hi"), QStringLiteral("-o"), QStringLiteral("/nonexistent/x.rtf")},
    };
    for (const QStringList& arguments : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const ConverterRun run = RunBanner(arguments);
        EXPECT_EQ(run.Status, 1);
        EXPECT_TRUE(run.Out.isEmpty());
        EXPECT_TRUE(run.Err.startsWith("tessaglyph-banner: ")) << run.Err.toStdString();
        EXPECT_EQ(run.Err.count('\n'), 1) << run.Err.toStdString();
    }
    // After "--" a text may start with "-".
    const ConverterRun dash = RunBanner({QStringLiteral("--"), QStringLiteral("-5")});
    EXPECT_EQ(dash.Status, 0) << dash.Err.toStdString();
    EXPECT_GT(dash.Out.count('\n'), 3);
    const ConverterRun help = RunBanner({QStringLiteral("--help")});
    EXPECT_EQ(help.Status, 0);
    EXPECT_TRUE(help.Out.contains("--background-char"));
}

TEST(BannerCommand, AnyInstalledFamilyAndANamedFallback) {
    const ConverterRun serif =
        RunBanner({QStringLiteral("Hi"), QStringLiteral("--font"), QStringLiteral("DejaVu Serif"),
                   QStringLiteral("--size"), QStringLiteral("20"), QStringLiteral("--italic")});
    const ConverterRun mono = RunBanner({QStringLiteral("Hi"), QStringLiteral("--size"),
                                         QStringLiteral("20"), QStringLiteral("--italic")});
    ASSERT_EQ(serif.Status, 0);
    EXPECT_EQ(serif.Err, QByteArray());
    EXPECT_NE(serif.Out, mono.Out);
    EXPECT_GT(serif.Out.count('\n'), 10);

    const ConverterRun missing = RunBanner(
        {QStringLiteral("Hi"), QStringLiteral("--font"), QStringLiteral("No Such Family 42")});
    ASSERT_EQ(missing.Status, 0);
    EXPECT_FALSE(missing.Out.isEmpty());
    EXPECT_TRUE(missing.Err.startsWith(
        "tessaglyph-banner: font family 'No Such Family 42' not found; using '"))
        << missing.Err.toStdString();
}

using TextPageStart = ShellTest;

TEST_F(TextPageStart, StoredCharactersAndModeAreShownAndDrawn) {
    WriteBytes(SettingsPath(), "[Options]\r\nfirstStart=0\r\nTextChar=#\r\nTextCharBG=.\r\n"
                               "textType=2\r\n");
    const auto form = Launch();
    EXPECT_EQ(form->EditChar->text(), QStringLiteral("#"));
    EXPECT_EQ(form->EditCharBG->text(), QStringLiteral("."));
    EXPECT_EQ(form->cmbTextType->currentIndex(), 2);
    const QString all = BoxRows(*form).join(QString());
    EXPECT_TRUE(all.contains(QLatin1String("A "))) << all.left(80).toStdString();
    EXPECT_TRUE(all.contains(QLatin1String("..")));
    EXPECT_FALSE(all.contains('#'));
}

TEST_F(TextPageStart, ModeOutOfRangeDrawsOneCharAndIsKept) {
    WriteBytes(SettingsPath(), "[Options]\r\nfirstStart=0\r\ntextType=7\r\n");
    auto form = Launch();
    EXPECT_EQ(form->TextType, 7);
    EXPECT_EQ(form->cmbTextType->currentIndex(), 0);
    const QStringList rows = BoxRows(*form);
    ASSERT_FALSE(rows.isEmpty());
    EXPECT_EQ(QString(rows.join(QString())).remove(QStringLiteral("@ ")).trimmed(), QString());
    form->close();
    EXPECT_TRUE(ReadBytes(SettingsPath()).contains("textType=7\r\n"));
}

TEST_F(TextPageStart, LanguageSwitchShowsTheModeTheBannerIsDrawnIn) {
    SkipFirstRun();
    CopyLanguages({QStringLiteral("Russian"), QStringLiteral("English")});
    const auto form = Launch();
    Type(*form, QStringLiteral("Hi"));
    Pick(*form, 1);
    const QStringList rows = BoxRows(*form);
    form->MLangRussian->trigger();
    EXPECT_EQ(form->cmbTextType->currentIndex(), 1);
    EXPECT_EQ(form->TextType, 1);
    EXPECT_EQ(BoxRows(*form), rows);
    // The next render keeps drawing in the mode shown.
    Type(*form, QStringLiteral("Hi"));
    form->EditChar->setText(QStringLiteral("%"));
    EXPECT_EQ(BoxRows(*form), rows);
    form->MLangEnglish->trigger();
    EXPECT_EQ(form->cmbTextType->currentText(), QStringLiteral("row step"));
}
