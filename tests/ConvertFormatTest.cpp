// The converter's output formats, run as the real program, against what the
// window writes.
#include "convert/Symbols.h"
#include "output/AnsiWriter.h"
#include "tests/TestSupport.h"

#include <QBuffer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QPushButton>

namespace {

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class ConvertFormatTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        Picture = WritePicture(QStringLiteral("ramp.png"), Ramp(12, 6));
    }
    QString Picture;
};

TEST_F(ConvertFormatTest, HtmlAndTextAreWhatTheWindowWrites) {
    Open(Picture);
    for (const auto& [name, type] : {std::pair{"my.photo.htm", 1}, std::pair{"rows.txt", 2}}) {
        SCOPED_TRACE(name);
        const QString window = Path(QStringLiteral("saves/") + QString::fromUtf8(name));
        Dialogs->Then([&window, type = type](QDialog& dialog) {
            auto& files = dynamic_cast<QFileDialog&>(dialog);
            files.selectNameFilter(files.nameFilters().value(type - 1));
            files.selectFile(window);
            static_cast<QDialog&>(files).accept();
            return files.result();
        });
        Form->ButtonSave->click();
        const QString converted = Path(QStringLiteral("converted-") + QString::fromUtf8(name));
        // The window's type follows the last use; the converter follows the
        // extension, and the title the output's name.
        const ConverterRun result = RunConverter({Picture, QStringLiteral("-o"), converted,
                                                  QStringLiteral("--title"), QStringLiteral("my")});
        ASSERT_EQ(result.Status, 0) << result.Err.data();
        ASSERT_FALSE(ReadBytes(window).isEmpty());
        EXPECT_EQ(ReadBytes(converted), ReadBytes(window));
    }
}

TEST_F(ConvertFormatTest, FormatsByOptionOrExtension) {
    const double pitch = 8 * 1.6;
    const QSize cells(int(std::ceil(pitch * 12)), int(std::ceil(pitch * 6)));
    struct Case {
        QStringList Arguments; // after the picture
        const char* Output;    // empty: standard output
        QByteArray Starts;     // first bytes, or the image format
        bool Image;
    };
    const Case cases[] = {
        {{QStringLiteral("-f"), QStringLiteral("html")}, "", "<HTML>\r\n", false},
        {{QStringLiteral("--format"), QStringLiteral("RTF")}, "", "{\\rtf1", false},
        {{}, "a.txt", "######", false},
        {{}, "a.art", "######", false},
        {{QStringLiteral("-f"), QStringLiteral("png")}, "a.art", "png", true},
        {{QStringLiteral("--background"), QStringLiteral("#0000FF")}, "a.bmp", "bmp", true},
        {{}, "a.jpeg", "jpeg", true},
        {{QStringLiteral("-f"), QStringLiteral("gif")}, "", "gif", true},
        {{QStringLiteral("-f"), QStringLiteral("jpg")}, "a.png", "jpeg", true},
    };
    for (const Case& c : cases) {
        QStringList arguments{Picture};
        arguments += c.Arguments;
        const QString output = *c.Output ? Path(QString::fromUtf8(c.Output)) : QString();
        if (!output.isEmpty())
            arguments << QStringLiteral("-o") << output;
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const ConverterRun result = RunConverter(arguments);
        ASSERT_EQ(result.Status, 0) << result.Err.data();
        const QByteArray bytes = output.isEmpty() ? result.Out : ReadBytes(output);
        if (!c.Image) {
            EXPECT_TRUE(bytes.startsWith(c.Starts)) << bytes.left(40).data();
            continue;
        }
        QBuffer buffer;
        buffer.setData(bytes);
        QImageReader reader(&buffer);
        EXPECT_EQ(reader.format(), c.Starts);
        const QImage image = reader.read();
        EXPECT_EQ(image.size(), cells); // every cell, not the window's view
        if (c.Arguments.contains(QStringLiteral("--background"))) {
            EXPECT_EQ(image.pixelColor(cells.width() - 1, cells.height() - 1), QColor(0, 0, 255));
        }
    }

    // Without format and output: the bare rows, as before.
    const ConverterRun bare = RunConverter({Picture});
    ASSERT_EQ(bare.Status, 0);
    EXPECT_EQ(bare.Out.count("\r\n"), 6);
    EXPECT_FALSE(bare.Out.contains("Created with"));
}

TEST_F(ConvertFormatTest, AnsiIsTheRowsInTheirColoursForATerminal) {
    const QImage work = Ramp(12, 6);
    const tg::ArtText art = tg::RenderArtText(work, tg::PresetSymbolSets().front(), false);
    const ConverterRun plain =
        RunConverter({Picture, QStringLiteral("-f"), QStringLiteral("ansi")});
    ASSERT_EQ(plain.Status, 0) << plain.Err.data();
    EXPECT_EQ(plain.Out, tg::BuildAnsi(work, art, std::nullopt));
    EXPECT_EQ(plain.Out.count("\x1b[0m\n"), 6);
    EXPECT_FALSE(plain.Out.contains('\r'));

    const QString out = Path(QStringLiteral("art.ans"));
    const ConverterRun blue = RunConverter({Picture, QStringLiteral("--format"),
                                            QStringLiteral("ANSI"), QStringLiteral("--background"),
                                            QStringLiteral("#0000FF"), QStringLiteral("-o"), out});
    ASSERT_EQ(blue.Status, 0) << blue.Err.data();
    EXPECT_EQ(ReadBytes(out), tg::BuildAnsi(work, art, QColor(0, 0, 255)));

    const ConverterRun help = RunConverter({QStringLiteral("--help")});
    EXPECT_TRUE(help.Out.contains("html, txt, rtf, bmp, jpg, gif, png, ansi"));
}

TEST_F(ConvertFormatTest, BadValuesAreRefusedAndWriteNothing) {
    const QString output = Path(QStringLiteral("out.htm"));
    for (const QStringList& bad :
         {QStringList{QStringLiteral("-f"), QStringLiteral("pdf")},
          QStringList{QStringLiteral("--background"), QStringLiteral("blue")},
          QStringList{QStringLiteral("--background"), QStringLiteral("#12345")},
          QStringList{QStringLiteral("--background"), QStringLiteral("#FF0000\n")},
          QStringList{QStringLiteral("--title")}}) {
        SCOPED_TRACE(bad.join(' ').toStdString());
        const ConverterRun result =
            RunConverter(QStringList{Picture, QStringLiteral("-o"), output} + bad);
        EXPECT_EQ(result.Status, 1);
        EXPECT_TRUE(result.Err.startsWith("tessaglyph-convert: ")) << result.Err.data();
        EXPECT_FALSE(QFile::exists(output));
    }
}

TEST_F(ConvertFormatTest, AnOutputLinkThatLoopsIsRefusedAndStaysALink) {
    // a.txt -> b.txt -> a.txt, and c.txt -> c.txt.
    const QString a = Path(QStringLiteral("a.txt")), b = Path(QStringLiteral("b.txt"));
    const QString c = Path(QStringLiteral("c.txt"));
    ASSERT_TRUE(QFile::link(b, a));
    ASSERT_TRUE(QFile::link(a, b));
    ASSERT_TRUE(QFile::link(c, c));
    for (const QString& output : {a, c}) {
        SCOPED_TRACE(output.toStdString());
        const ConverterRun run = RunConverter({Picture, QStringLiteral("-o"), output});
        EXPECT_EQ(run.Status, 1);
        EXPECT_EQ(run.Err, "tessaglyph-convert: Cannot create file " + output.toUtf8() + "\n");
        EXPECT_TRUE(QFileInfo(output).isSymLink());
    }
    // A link to a file that does not exist yet is followed, as before.
    const QString target = Path(QStringLiteral("target.txt"));
    const QString link = Path(QStringLiteral("link.txt"));
    ASSERT_TRUE(QFile::link(target, link));
    EXPECT_EQ(RunConverter({Picture, QStringLiteral("-o"), link}).Status, 0);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_FALSE(ReadBytes(target).isEmpty());
}

} // namespace
