// The Save command of the Image page, driven through the real save dialog.
#include "app/FormAbout.h"
#include "app/ImageView.h"
#include "tests/TestSupport.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTextEdit>
#include <optional>

// Readable failure messages.

namespace {

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The file's lines as written: split at CR LF, without the empty rest after
// the last one.
QList<QByteArray> ReadLines(const QString& path) {
    QByteArray bytes = ReadBytes(path);
    QList<QByteArray> lines;
    qsizetype at = 0;
    while (at < bytes.size()) {
        const qsizetype end = bytes.indexOf("\r\n", at);
        if (end < 0) {
            lines.append(bytes.mid(at));
            break;
        }
        lines.append(bytes.mid(at, end - at));
        at = end + 2;
    }
    return lines;
}

QByteArray FormatOf(const QString& path) {
    return QImageReader(path).format();
}

// What the user does in the save dialog: pick a type in its type box (1 to
// 7, 0 leaves it), type a name (absolute or relative to its folder), and
// confirm or cancel. The name box is recorded as proposed and after the type
// change.
struct SaveAnswer {
    int Type = 0;
    std::optional<QString> Name;
    bool Confirm = true;
    QString Proposed, AfterType, Folder;
};

class SaveTest : public WindowTest {
protected:
    // Presses Save and answers the dialog.
    void Save(SaveAnswer& answer) {
        Dialogs->Then([&answer](QDialog& dialog) {
            auto& files = dynamic_cast<QFileDialog&>(dialog);
            auto* nameBox = files.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            auto* typeBox = files.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            EXPECT_NE(nameBox, nullptr);
            EXPECT_NE(typeBox, nullptr);
            answer.Proposed = nameBox->text();
            answer.Folder = files.directory().absolutePath();
            if (answer.Type > 0) {
                // Home, then down: the keys a user presses in the type box.
                const auto press = [typeBox](Qt::Key key) {
                    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
                    QCoreApplication::sendEvent(typeBox, &event);
                };
                press(Qt::Key_Home);
                for (int i = 1; i < answer.Type; ++i)
                    press(Qt::Key_Down);
                EXPECT_EQ(typeBox->currentIndex(), answer.Type - 1);
            }
            answer.AfterType = nameBox->text();
            if (answer.Name)
                nameBox->setText(*answer.Name);
            if (!answer.Confirm) {
                files.reject();
                return int(QDialog::Rejected);
            }
            static_cast<QDialog&>(files).accept();
            return files.result();
        });
        Form->ButtonSave->click();
    }

    QString Saves(const QString& name) const { return Path(QStringLiteral("saves/") + name); }

    // Opens a 12 x 6 picture named photo.jpg through the open dialog.
    void OpenPhoto() {
        QImage picture = Solid(12, 6, QColor(0, 0, 0));
        for (int x = 6; x < 12; ++x)
            for (int y = 0; y < 6; ++y)
                picture.setPixelColor(x, y, QColor(255, 255, 255));
        Open(WritePicture(QStringLiteral("photo.jpg"), picture, "PNG"));
        ASSERT_EQ(Form->ImageFileName, QStringLiteral("photo.jpg"));
        ASSERT_EQ(Form->WorkView.size(), QSize(12, 6));
    }
};

TEST_F(SaveTest, ProposedNameFollowsPictureAndTheTypeKeptFromLastUse) {
    // Before any picture: "ascii" with the first type's extension, in "saves".
    SaveAnswer first;
    first.Confirm = false;
    Form->OutputLines = QStringList{QStringLiteral("stale")};
    Save(first);
    EXPECT_EQ(first.Proposed, QStringLiteral("ascii.htm"));
    EXPECT_EQ(QDir(first.Folder), QDir(Path(QStringLiteral("saves"))));
    EXPECT_TRUE(Form->OutputLines.isEmpty());
    EXPECT_TRUE(QDir(Path(QStringLiteral("saves"))).isEmpty());

    // The opened picture's name; a type change rewrites the name box.
    OpenPhoto();
    SaveAnswer second;
    second.Type = 7;
    Save(second);
    EXPECT_EQ(second.Proposed, QStringLiteral("photo.htm"));
    EXPECT_EQ(second.AfterType, QStringLiteral("photo.png"));
    EXPECT_EQ(FormatOf(Saves(QStringLiteral("photo.png"))), QByteArray("png"));

    // The next use proposes the type confirmed last; a dropped picture would
    // not change the name.
    // A type chosen and then cancelled is not kept.
    SaveAnswer third;
    third.Type = 3;
    third.Confirm = false;
    Save(third);
    EXPECT_EQ(third.Proposed, QStringLiteral("photo.png"));
    SaveAnswer fourth;
    fourth.Confirm = false;
    Save(fourth);
    EXPECT_EQ(fourth.Proposed, QStringLiteral("photo.png"));
    EXPECT_TRUE(Dialogs->Errors.isEmpty());
}

TEST_F(SaveTest, TypeChangeRewritesTheNameBoxByTheExtensionRule) {
    struct Case {
        const char* Typed;
        int Type;
        const char* Expected;
    };
    const Case cases[] = {
        {"picture.jpg", 2, "picture.txt"},
        {"my.photo.jpg", 2, "my.photo.txt"},
        {"notes", 3, "notes.rtf"},
        {"", 6, ".gif"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Typed);
        Dialogs->Then([&c](QDialog& dialog) {
            auto& files = dynamic_cast<QFileDialog&>(dialog);
            auto* nameBox = files.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            auto* typeBox = files.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            nameBox->setText(QString::fromUtf8(c.Typed));
            QKeyEvent home(QEvent::KeyPress, Qt::Key_Home, Qt::NoModifier);
            QCoreApplication::sendEvent(typeBox, &home);
            for (int i = 1; i < c.Type; ++i) {
                QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
                QCoreApplication::sendEvent(typeBox, &down);
            }
            EXPECT_EQ(nameBox->text(), QString::fromUtf8(c.Expected));
            files.reject();
            return int(QDialog::Rejected);
        });
        Form->ButtonSave->click();
    }
}

TEST_F(SaveTest, TheTypeDecidesTheWriterAndTheExtensionTheImageEncoding) {
    OpenPhoto();
    struct Case {
        int Type;
        const char* Name;
        QByteArray Starts; // the file's first bytes, or its image format
        bool Image;
    };
    const Case cases[] = {
        {1, "page.png", "<HTML>\r\n", false}, {1, "plain", "<HTML>\r\n", false},
        {2, "rows.htm", "######", false},     {3, "rich.txt", "{\\rtf1", false},
        {4, "four.png", "png", true},         {5, "five.png", "png", true},
        {4, "bitmap.BMP", "bmp", true},       {5, "photo.jpeg", "jpeg", true},
        {6, "anim.gif", "gif", true},         {7, "seven.jif", "jpeg", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        SaveAnswer answer;
        answer.Type = c.Type;
        answer.Name = QString::fromUtf8(c.Name);
        Save(answer);
        const QString path = Saves(QString::fromUtf8(c.Name));
        if (c.Image) {
            EXPECT_EQ(FormatOf(path), c.Starts);
            // The image as the view showed it at the last rendering.
            EXPECT_EQ(QImage(path).size(), Form->ImageASCII->Bitmap().size());
        } else {
            EXPECT_TRUE(ReadBytes(path).startsWith(c.Starts)) << ReadBytes(path).left(40).data();
        }
    }
    EXPECT_TRUE(Dialogs->Errors.isEmpty()) << Dialogs->Errors.join('\n').toStdString();
}

TEST_F(SaveTest, AnImageNameWithoutAKnownExtensionIsAnErrorAndWritesNothing) {
    OpenPhoto();
    for (const char* name : {"noextension", "picture.xyz", "trailing."}) {
        SCOPED_TRACE(name);
        Dialogs->Errors.clear();
        SaveAnswer answer;
        answer.Type = 4;
        answer.Name = QString::fromUtf8(name);
        Save(answer);
        EXPECT_EQ(Dialogs->Errors,
                  QStringList{QStringLiteral("Cannot save image: unknown file type")});
        EXPECT_FALSE(QFile::exists(Saves(QString::fromUtf8(name))));
    }
}

TEST_F(SaveTest, HtmlPageOfTheWindow) {
    OpenPhoto();
    Form->FormAbout->LabelSite->setText(QStringLiteral("https://example.test/a&b"));
    SaveAnswer answer;
    answer.Type = 1;
    answer.Name = QStringLiteral("my.photo.htm");
    Save(answer);
    EXPECT_EQ(Form->ArtTitle, QStringLiteral("my"));
    const QList<QByteArray> lines = ReadLines(Saves(QStringLiteral("my.photo.htm")));
    ASSERT_EQ(lines.size(), 16 + 6);
    EXPECT_EQ(lines[2], QByteArray("<TITLE>ASCII Art - my</TITLE>"));
    EXPECT_EQ(lines[9],
              QByteArray("<p align=center>\n<table align=center style=\"font-size:8pt;"
                         "background-color:#FFFFFF\" cellpadding=0 cellspacing=0 border=0>"));
    // Black pixels hold "##", white ones two blanks, each in its own colour.
    QByteArray row;
    for (int x = 0; x < 6; ++x)
        row += "<font color=#000000>##</font>";
    for (int x = 0; x < 6; ++x)
        row += "<font color=#FFFFFF>  </font>";
    for (int y = 0; y < 6; ++y)
        EXPECT_EQ(lines[12 + y], row);
    EXPECT_EQ(lines[19],
              QByteArray("<p align=center>Created with <a href=https://example.test/a&amp;b>"
                         "<font size=2><b>Tessaglyph 1.72</b></font></a>\n"));
    EXPECT_EQ(lines.back(), QByteArray("</HTML>"));
    EXPECT_EQ(Form->OutputLines.size(), 16 + 6);
}

TEST_F(SaveTest, TextFileOfTheWindow) {
    // No picture: the credit block alone, from the current captions.
    Form->FormAbout->LabelSite->setText(QStringLiteral("https://example.test"));
    SaveAnswer empty;
    empty.Type = 2;
    empty.Name = QStringLiteral("empty.txt");
    Save(empty);
    EXPECT_EQ(ReadBytes(Saves(QStringLiteral("empty.txt"))),
              QByteArray("\r\n\r\nCreated with Tessaglyph 1.72\r\nhttps://example.test\r\n\r\n"));

    OpenPhoto();
    SaveAnswer rows;
    rows.Name = QStringLiteral("rows.txt");
    Save(rows);
    const QList<QByteArray> lines = ReadLines(Saves(QStringLiteral("rows.txt")));
    ASSERT_EQ(lines.size(), 6 + 5);
    for (int y = 0; y < 6; ++y)
        EXPECT_EQ(lines[y], QByteArray("############            "));
}

TEST_F(SaveTest, RichTextReadsBackInARealReader) {
    OpenPhoto();
    SaveAnswer answer;
    answer.Type = 3;
    answer.Name = QStringLiteral("rich.rtf");
    Save(answer);
    const QString path = Saves(QStringLiteral("rich.rtf"));
    const QByteArray rtf = ReadBytes(path);
    EXPECT_TRUE(rtf.contains("Courier New")) << rtf.left(200).data();
    EXPECT_TRUE(rtf.contains("\\fs16"));

    QProcess reader;
    reader.start(QStringLiteral("unrtf"), {QStringLiteral("--text"), path});
    ASSERT_TRUE(reader.waitForFinished(20000));
    const QString text = QString::fromUtf8(reader.readAllStandardOutput());
    EXPECT_EQ(text.count(QStringLiteral("############")), 6) << text.toStdString();
}

TEST_F(SaveTest, RichTextHoldsOneParagraphPerRowEvenWhenTheOnlyRowIsEmpty) {
    Open(WritePicture(QStringLiteral("row.png"), Solid(20, 1, Qt::black), "PNG"));
    Form->ComboBoxSet->setEditText(QString());
    ASSERT_EQ(Form->ArtLines, QStringList{QString()});
    SaveAnswer answer;
    answer.Type = 3;
    answer.Name = QStringLiteral("row.rtf");
    Save(answer);
    EXPECT_EQ(ReadBytes(Saves(QStringLiteral("row.rtf"))).count("\\par\r\n"), 1);
}

TEST_F(SaveTest, FailedSavesReportTheExactMessageAndKeepExistingFiles) {
    OpenPhoto();
    // A folder that does not exist.
    const QString missing = Path(QStringLiteral("missing/page.htm"));
    for (int type : {1, 2, 3, 7}) {
        SCOPED_TRACE(type);
        Dialogs->Errors.clear();
        SaveAnswer answer;
        answer.Type = type;
        answer.Name = type == 7 ? Path(QStringLiteral("missing/page.png")) : missing;
        Save(answer);
        EXPECT_EQ(Dialogs->Errors,
                  QStringList{QStringLiteral("Cannot create file ") + *answer.Name});
    }
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("missing"))));

    // A folder that cannot be written keeps the read-only file that stands in
    // it (a file that may be written is written in place).
    const QString locked = Path(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkdir(locked));
    QStringList old;
    for (const char* name : {"/old.htm", "/old.png"}) {
        old.append(locked + QString::fromUtf8(name));
        QFile file(old.last());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old contents");
        file.close();
        file.setPermissions(QFileDevice::ReadOwner);
    }
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    bool immutable = false;
    {
        QFile probe(locked + QStringLiteral("/probe"));
        if (probe.open(QIODevice::WriteOnly)) {
            // The superuser writes anyway: make the folder immutable instead.
            probe.remove();
            immutable = QProcess::execute(QStringLiteral("chattr"),
                                          QStringList{QStringLiteral("+i"), locked} + old) == 0;
        }
    }
    QFile probe(locked + QStringLiteral("/probe"));
    const bool writable = probe.open(QIODevice::WriteOnly);
    if (writable)
        probe.remove();
    if (!writable) {
        for (int type : {1, 2, 3, 7}) {
            SCOPED_TRACE(type);
            Dialogs->Errors.clear();
            const QString existing =
                locked + (type == 7 ? QStringLiteral("/old.png") : QStringLiteral("/old.htm"));
            SaveAnswer answer;
            answer.Type = type;
            answer.Name = existing;
            Save(answer);
            EXPECT_EQ(Dialogs->Errors,
                      QStringList{QStringLiteral("Cannot create file ") + existing});
            EXPECT_EQ(ReadBytes(existing), QByteArray("old contents"));
        }
    }
    if (immutable)
        QProcess::execute(QStringLiteral("chattr"),
                          QStringList{QStringLiteral("-i"), locked} + old);
    QFile::setPermissions(locked,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (writable)
        GTEST_SKIP() << "no way to lock a folder here";
}

} // namespace
