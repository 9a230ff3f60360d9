// The widget-free writers: names, HTML, rich text, images and the wallpaper
// commands.
#include "common/AppError.h"
#include "common/Codepage.h"
#include "output/HtmlWriter.h"
#include "output/ImageWriter.h"
#include "output/OutputTypes.h"
#include "output/PrintPage.h"
#include "output/RtfWriter.h"
#include "output/Wallpaper.h"
#include "tests/core/CoreSupport.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(SaveNames, ExtensionRuleAndTitle) {
    struct Case {
        const char* Name;
        const char* Extension;
        const char* Replaced;
        const char* Title;
    };
    const Case cases[] = {
        {"picture.jpg", ".htm", "picture.htm", "picture"},
        {"my.photo.jpg", ".txt", "my.photo.txt", "my"},
        {"notes", ".rtf", "notes.rtf", ""},
        {"", ".htm", ".htm", ""},
        {".hidden", ".png", ".png", ""},
        {"/some.dir/file", ".gif", "/some.dir/file.gif", ""},
        {"C:\\a.b\\name", ".bmp", "C:\\a.b\\name.bmp", ""},
        {"/saves/result.htm", ".htm", "/saves/result.htm", "result"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(tg::ReplaceExtension(QString::fromUtf8(c.Name), QString::fromUtf8(c.Extension)),
                  QString::fromUtf8(c.Replaced));
        EXPECT_EQ(tg::TitleOf(QString::fromUtf8(c.Name)), QString::fromUtf8(c.Title));
    }
    EXPECT_EQ(tg::SaveTypeExtension(1), QStringLiteral(".htm"));
    EXPECT_EQ(tg::SaveTypeExtension(7), QStringLiteral(".png"));
}

TEST(Html, ColorDigits) {
    EXPECT_EQ(tg::ColorToHtml(255, 255, 255), QStringLiteral("#FFFFFF"));
    EXPECT_EQ(tg::ColorToHtml(0, 128, 10), QStringLiteral("#00800A"));
    EXPECT_EQ(tg::ColorToHtml(QColor(171, 205, 239)), QStringLiteral("#ABCDEF"));
}

tg::HtmlPage Page(const QImage& work, const QStringList& lines, const QString& title) {
    tg::HtmlPage page;
    page.Work = work;
    page.Lines = lines;
    page.Title = title;
    page.Caption = QStringLiteral("Tessaglyph 1.72");
    page.Site = QStringLiteral("https://tessaglyph.org");
    return page;
}

TEST(Html, EmptyWorkingImageGivesTheSixteenLineFrame) {
    const QStringList lines = tg::BuildHtml(Page(QImage(), {}, QString()));
    ASSERT_EQ(lines.size(), 16);
    EXPECT_EQ(lines[1], QStringLiteral("<HEAD><META charset=\"windows-1252\">"));
    EXPECT_EQ(lines[2], QStringLiteral("<TITLE>ASCII Art - </TITLE>"));
    EXPECT_EQ(lines[3], QStringLiteral("<META name=\"keywords\" content=\"ascii,,ascii ,graphics,"
                                       "ascii graphics,ascii text\">"));
    EXPECT_EQ(lines[7], QStringLiteral("<BODY>\n"));
    EXPECT_EQ(lines[12], QStringLiteral("</font></pre></td></tr></table>\n"));
    EXPECT_EQ(lines[15], QStringLiteral("</HTML>"));
    const QByteArray bytes = tg::LinesToBytes(lines);
    EXPECT_TRUE(bytes.contains("<BODY>\n\r\n"));
    EXPECT_TRUE(bytes.endsWith("</HTML>\r\n"));
}

TEST(Html, EveryValueIsEscapedAndCellsPastTheLineGiveNothing) {
    const QImage work(3, 1, QImage::Format_RGB888);
    // A cell "<&", a cell "\">" and a short line that ends inside the second.
    QImage colours = work;
    colours.fill(QColor(1, 2, 3));
    const QStringList rows{QStringLiteral("<&\">")};
    tg::HtmlPage page = Page(colours, rows, QStringLiteral("<script>\"x\"&"));
    page.Caption = QStringLiteral("A<b>");
    page.Site = QStringLiteral("x\"><i>");
    const QStringList lines = tg::BuildHtml(page);
    ASSERT_EQ(lines.size(), 17);
    EXPECT_EQ(lines[2],
              QStringLiteral("<TITLE>ASCII Art - &lt;script&gt;&quot;x&quot;&amp;</TITLE>"));
    EXPECT_EQ(lines[12], QStringLiteral("<font color=#010203>&lt;&amp;</font>"
                                        "<font color=#010203>&quot;&gt;</font>"
                                        "<font color=#010203></font>"));
    EXPECT_EQ(lines[14], QStringLiteral("<p align=center>Created with <a href=x&quot;&gt;&lt;i&gt;>"
                                        "<font size=2><b>A&lt;b&gt;</b></font></a>\n"));
    for (const QString& line : lines)
        EXPECT_FALSE(line.contains(QLatin1String("<script")) ||
                     line.contains(QLatin1String("<i>")));
}

TEST(Html, CharactersKeepTheirCodePageBytes) {
    // Symbols above 127 stand as Windows-1252 bytes; what the code page
    // lacks becomes a numeric reference rather than "?".
    QImage work(1, 1, QImage::Format_RGB888);
    work.fill(Qt::black);
    const QStringList lines = tg::BuildHtml(
        Page(work, {QString::fromUtf8("\xc3\xa9\xe2\x82\xac")}, QString::fromUtf8("\xd0\x96")));
    const QByteArray bytes = tg::LinesToBytes(lines);
    EXPECT_TRUE(bytes.contains("<font color=#000000>\xe9\x80</font>"));
    EXPECT_TRUE(bytes.contains("<TITLE>ASCII Art - &#1046;</TITLE>"));
}

QString RunUnrtf(const QByteArray& rtf) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("t.rtf"));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(rtf);
    file.close();
    QProcess reader;
    reader.start(QStringLiteral("unrtf"), {QStringLiteral("--html"), path});
    EXPECT_TRUE(reader.waitForFinished(20000));
    return QString::fromUtf8(reader.readAllStandardOutput());
}

TEST(Rtf, RowsFontAndSpecialCharactersSurviveARealReader) {
    QFont font(QStringLiteral("Liberation Mono"), 11);
    font.setBold(true);
    const QStringList rows{QStringLiteral("{a}\\b"), QString::fromUtf8("caf\xc3\xa9 \xe2\x82\xac"),
                           QString::fromUtf8("\xd0\x96 end")};
    const QByteArray rtf = tg::BuildRtf(rows, font, QColor(200, 0, 0));
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
    EXPECT_TRUE(rtf.contains("\\fs22"));
    EXPECT_TRUE(rtf.contains("\\red200\\green0\\blue0"));
    EXPECT_TRUE(rtf.contains("\\u233\\'e9"));
    EXPECT_TRUE(rtf.contains("\\u1046?"));

    const QString html = RunUnrtf(rtf);
    EXPECT_TRUE(html.contains(QLatin1String("{a}\\b"))) << html.toStdString();
    EXPECT_TRUE(html.contains(QLatin1String("Liberation Mono")));
    EXPECT_TRUE(html.contains(QLatin1String("<b>")));
    // unrtf writes what lies above 127 as entities: the code page's own
    // characters and one beyond it arrive as they were.
    EXPECT_TRUE(html.contains(QLatin1String("caf&eacute; &euro;"))) << html.toStdString();
    EXPECT_TRUE(html.contains(QLatin1String("&#1046; end")));
    EXPECT_EQ(html.count(QLatin1String("end")), 1);
}

// A picture of many colours: a hue sweep over a gray ramp.
QImage Sweep(int width, int height) {
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixelColor(x, y, QColor::fromHsv(x * 359 / width, 255, 55 + y * 200 / height));
    return image;
}

TEST(Images, EveryFormatReadsBackWithItsSize) {
    QTemporaryDir folder;
    const QImage picture = Sweep(37, 23);
    struct Case {
        const char* Name;
        QByteArray Format;
    };
    const Case cases[] = {{"a.bmp", "bmp"},  {"a.JPG", "jpeg"}, {"a.jpeg", "jpeg"},
                          {"a.jpe", "jpeg"}, {"a.jif", "jpeg"}, {"a.gif", "gif"},
                          {"a.png", "png"},  {"a.tiff", "tiff"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const QString path = folder.filePath(QString::fromUtf8(c.Name));
        tg::SaveImage(picture, path);
        QImageReader reader(path);
        reader.setDecideFormatFromContent(true);
        EXPECT_EQ(reader.format(), c.Format);
        EXPECT_EQ(reader.read().size(), picture.size());
        // A second reader of the headers agrees on the size.
        QProcess file;
        file.start(QStringLiteral("file"), {QStringLiteral("-b"), path});
        ASSERT_TRUE(file.waitForFinished(10000));
        const QString told =
            QString::fromUtf8(file.readAllStandardOutput()).remove(QLatin1Char(' '));
        EXPECT_TRUE(told.contains(QStringLiteral("37x23")) ||
                    (told.contains(QStringLiteral("width=37")) &&
                     told.contains(QStringLiteral("height=23"))))
            << told.toStdString();
    }
    for (const char* name : {"a", "a.", "a.xyz", "dir.png/a"}) {
        SCOPED_TRACE(name);
        const QString path = folder.filePath(QString::fromUtf8(name));
        try {
            tg::SaveImage(picture, path);
            ADD_FAILURE() << "no error";
        } catch (const tg::AppError& error) {
            EXPECT_EQ(error.Message(), QStringLiteral("Cannot save image: unknown file type"));
        }
        EXPECT_FALSE(QFile::exists(path));
    }
}

double MeanError(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            sum += std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) +
                   std::abs(p.blue() - q.blue());
        }
    return sum / (3.0 * a.width() * a.height());
}

TEST(Images, GifKeepsFewColoursExactlyAndReducesManyWell) {
    // Few colours (the usual case: a background and some glyph colours) stay exact.
    QImage few(16, 16, QImage::Format_RGB888);
    for (int x = 0; x < 16; ++x)
        for (int y = 0; y < 16; ++y)
            few.setPixelColor(x, y, QColor(x * 16, y * 16, (x + y) * 8));
    QImage back = QImage::fromData(tg::EncodeGif(few), "GIF");
    ASSERT_EQ(back.size(), few.size());
    EXPECT_EQ(MeanError(back, few), 0.0);

    // Thousands of colours fall to 256 with a small error: a fixed 6 x 6 x 6
    // cube would miss this sweep by about 10 a channel.
    const QImage many = Sweep(200, 100);
    back = QImage::fromData(tg::EncodeGif(many), "GIF");
    ASSERT_EQ(back.size(), many.size());
    EXPECT_LT(MeanError(back, many), 6.0);
}

TEST(Print, PictureFitsThePageKeepingItsProportions) {
    EXPECT_EQ(tg::FitRect(QSize(200, 100), QRect(0, 0, 1000, 1000)), QRect(0, 250, 1000, 500));
    EXPECT_EQ(tg::FitRect(QSize(100, 400), QRect(10, 20, 1000, 1000)), QRect(385, 20, 250, 1000));
    EXPECT_TRUE(tg::FitRect(QSize(), QRect(0, 0, 10, 10)).isEmpty());
}

TEST(Wallpaper, DesktopDetection) {
    struct Case {
        const char* Current;
        const char* Session;
        tg::Desktop Expected;
    };
    const Case cases[] = {
        {"ubuntu:GNOME", "", tg::Desktop::Gnome},
        {"GNOME", "", tg::Desktop::Gnome},
        {"KDE", "", tg::Desktop::Kde},
        {"XFCE", "", tg::Desktop::Xfce},
        {"MATE", "", tg::Desktop::Mate},
        {"X-Cinnamon", "", tg::Desktop::Cinnamon},
        {"", "plasma", tg::Desktop::Kde},
        {"", "xfce", tg::Desktop::Xfce},
        {"sway", "", tg::Desktop::Unknown},
        {"", "", tg::Desktop::Unknown},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Current);
        QProcessEnvironment environment;
        if (*c.Current)
            environment.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QString::fromUtf8(c.Current));
        if (*c.Session)
            environment.insert(QStringLiteral("DESKTOP_SESSION"), QString::fromUtf8(c.Session));
        EXPECT_EQ(tg::DetectDesktop(environment), c.Expected);
    }
}

TEST(Wallpaper, CommandsHandedToEachDesktop) {
    std::vector<tg::DesktopCommand> run;
    tg::SetCommandRunner([&run](const tg::DesktopCommand& command) {
        run.push_back(command);
        if (command.Arguments.contains(QStringLiteral("-l")))
            return QByteArray("/backdrop/screen0/monitorHDMI-1/workspace0/last-image\n"
                              "/backdrop/screen0/monitorHDMI-1/workspace0/image-style\n"
                              "/backdrop/screen0/monitoreDP-1/workspace1/last-image\n");
        return QByteArray();
    });
    const QString path = QStringLiteral("/opt/My Art/wallpaper.bmp");
    const QString uri = QStringLiteral("file:///opt/My%20Art/wallpaper.bmp");
    const auto gsettings = [](const char* schema, const char* key, const QString& value) {
        return tg::DesktopCommand{
            QStringLiteral("gsettings"),
            {QStringLiteral("set"), QString::fromUtf8(schema), QString::fromUtf8(key), value}};
    };
    const auto xfconf = [&path](const char* property) {
        return tg::DesktopCommand{QStringLiteral("xfconf-query"),
                                  {QStringLiteral("-c"), QStringLiteral("xfce4-desktop"),
                                   QStringLiteral("-p"), QString::fromUtf8(property),
                                   QStringLiteral("-s"), path}};
    };
    struct Case {
        tg::Desktop Kind;
        std::vector<tg::DesktopCommand> Expected;
    };
    const Case cases[] = {
        {tg::Desktop::Gnome,
         {gsettings("org.gnome.desktop.background", "picture-uri", uri),
          gsettings("org.gnome.desktop.background", "picture-uri-dark", uri)}},
        {tg::Desktop::Cinnamon, {gsettings("org.cinnamon.desktop.background", "picture-uri", uri)}},
        {tg::Desktop::Mate, {gsettings("org.mate.background", "picture-filename", path)}},
        {tg::Desktop::Kde, {{QStringLiteral("plasma-apply-wallpaperimage"), {path}}}},
        {tg::Desktop::Xfce,
         {{QStringLiteral("xfconf-query"),
           {QStringLiteral("-c"), QStringLiteral("xfce4-desktop"), QStringLiteral("-l")}},
          xfconf("/backdrop/screen0/monitorHDMI-1/workspace0/last-image"),
          xfconf("/backdrop/screen0/monitoreDP-1/workspace1/last-image")}},
        {tg::Desktop::Unknown, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.Kind));
        run.clear();
        tg::SetDesktopWallpaper(path, c.Kind);
        QStringList seen;
        for (const tg::DesktopCommand& command : run)
            seen << command.Program + QLatin1Char(' ') + command.Arguments.join(QLatin1Char('|'));
        EXPECT_TRUE(run == c.Expected) << seen.join(QLatin1Char('\n')).toStdString();
    }
    tg::SetCommandRunner({});
}

} // namespace
