// Print and Set On Desktop of the main window.
#include "app/ImageView.h"
#include "output/Wallpaper.h"
#include "tests/TestSupport.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

namespace {

class PrintTest : public WindowTest {
protected:
    // A picture drawn on a blue background, so that the picture's extent is
    // easy to find.
    void ShowPicture() {
        Form->BackColor = QColor(0, 0, 255);
        Open(WritePicture(QStringLiteral("dots.png"), Solid(20, 10, QColor(255, 255, 0))));
        ASSERT_FALSE(Form->ImageASCII->Bitmap().isNull());
    }
};

// The rectangle of the pixels that are clearly blue.
QRect BlueExtent(const QImage& image) {
    QRect extent;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.blue() > 200 && c.red() < 60 && c.green() < 60)
                extent |= QRect(x, y, 1, 1);
        }
    return extent;
}

TEST_F(PrintTest, PrintPreviewPutsThePictureOnThePageScaledToFit) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdfimages")).isEmpty())
        GTEST_SKIP() << "poppler-utils is not installed";
    ShowPicture();
    const QString pdf = Path(QStringLiteral("page.pdf"));
    QString title;
    Dialogs->Then([&](QDialog& dialog) {
        auto& preview = dynamic_cast<QPrintPreviewDialog&>(dialog);
        title = preview.windowTitle();
        // Print the previewed page into a PDF file, as a PDF printer would.
        QPrinter* printer = preview.printer();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdf);
        auto* widget = preview.findChild<QPrintPreviewWidget*>();
        EXPECT_NE(widget, nullptr);
        if (widget != nullptr)
            widget->print();
        preview.reject();
        return int(QDialog::Rejected);
    });
    Form->MPrint->trigger();
    EXPECT_EQ(title, QStringLiteral("Print Images"));
    ASSERT_TRUE(QFile::exists(pdf));

    // The PDF holds the picture itself, at its own size.
    const QSize bitmap = Form->ImageASCII->Bitmap().size();
    QProcess images;
    images.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    ASSERT_TRUE(images.waitForFinished(20000));
    const QStringList rows =
        QString::fromUtf8(images.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 3) << rows.join('\n').toStdString(); // two header lines and one image
    const QStringList fields = rows[2].simplified().split(' ');
    EXPECT_EQ(fields.value(3), QString::number(bitmap.width()));
    EXPECT_EQ(fields.value(4), QString::number(bitmap.height()));

    // On the rendered page the picture keeps its proportions and fills the
    // printable width or height.
    const QString prefix = Path(QStringLiteral("page"));
    ASSERT_EQ(QProcess::execute(QStringLiteral("pdftoppm"),
                                {QStringLiteral("-r"), QStringLiteral("36"), QStringLiteral("-png"),
                                 QStringLiteral("-singlefile"), pdf, prefix}),
              0);
    const QImage page(prefix + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull());
    const QRect extent = BlueExtent(page);
    ASSERT_FALSE(extent.isEmpty());
    EXPECT_NEAR(double(extent.width()) / extent.height(), double(bitmap.width()) / bitmap.height(),
                0.03);
    EXPECT_TRUE(extent.width() > page.width() * 0.8 || extent.height() > page.height() * 0.8)
        << extent.width() << "x" << extent.height() << " on " << page.width() << "x"
        << page.height();
    EXPECT_NEAR(extent.center().x(), page.width() / 2.0, 3);
}

class WallpaperTest : public PrintTest {
protected:
    void SetUp() override {
        PrintTest::SetUp();
        SavedDesktop = qgetenv("XDG_CURRENT_DESKTOP");
        qputenv("XDG_CURRENT_DESKTOP", "GNOME");
        tg::SetCommandRunner([this](const tg::DesktopCommand& command) {
            Run.push_back(command);
            return QByteArray();
        });
    }
    void TearDown() override {
        tg::SetCommandRunner({});
        qputenv("XDG_CURRENT_DESKTOP", SavedDesktop);
        PrintTest::TearDown();
    }
    QByteArray SavedDesktop;
    std::vector<tg::DesktopCommand> Run;
};

TEST_F(WallpaperTest, SetOnDesktopWritesTheBitmapAndHandsItOver) {
    ShowPicture();
    const QString path = QDir(Folder.path()).absoluteFilePath(QStringLiteral("wallpaper.bmp"));
    const QString uri = QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
    const std::vector<tg::DesktopCommand> expected{
        {QStringLiteral("gsettings"),
         {QStringLiteral("set"), QStringLiteral("org.gnome.desktop.background"),
          QStringLiteral("picture-uri"), uri}},
        {QStringLiteral("gsettings"),
         {QStringLiteral("set"), QStringLiteral("org.gnome.desktop.background"),
          QStringLiteral("picture-uri-dark"), uri}}};

    Form->MWallpaper->trigger();
    EXPECT_EQ(QImageReader(path).format(), QByteArray("bmp"));
    EXPECT_EQ(QImage(path), Form->ImageASCII->Bitmap().convertToFormat(QImage(path).format()));
    EXPECT_TRUE(Run == expected);

    // A second use after a new rendering replaces the same file and hands
    // the same path over again.
    Form->BackColor = QColor(0, 128, 0);
    Form->RenderArt();
    Run.clear();
    Form->MWallpaper->trigger();
    EXPECT_EQ(QImage(path).pixelColor(Form->ImageASCII->Bitmap().width() - 1, 0),
              QColor(0, 128, 0));
    EXPECT_TRUE(Run == expected);
    EXPECT_TRUE(Dialogs->Errors.isEmpty());
}

TEST_F(WallpaperTest, AProgramFolderThatCannotBeWrittenPutsTheWallpaperInTheUsersFolder) {
    ShowPicture();
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    const QString beside = QDir(Folder.path()).absoluteFilePath(QStringLiteral("wallpaper.bmp"));
    const QString moved = config.filePath(QStringLiteral("tessaglyph/wallpaper.bmp"));
    if (QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), Folder.path()}) != 0)
        QFile::setPermissions(Folder.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QFile probe(Folder.filePath(QStringLiteral("probe")));
    const bool locked = !probe.open(QIODevice::WriteOnly);
    if (locked)
        Form->MWallpaper->trigger();
    else
        probe.remove();
    QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), Folder.path()});
    QFile::setPermissions(Folder.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qunsetenv("XDG_CONFIG_HOME");
    if (!locked)
        GTEST_SKIP() << "no way to lock a folder here";
    EXPECT_TRUE(Dialogs->Errors.isEmpty()) << Dialogs->Errors.join(' ').toStdString();
    EXPECT_FALSE(QFile::exists(beside));
    EXPECT_EQ(QImageReader(moved).format(), QByteArray("bmp"));
    ASSERT_FALSE(Run.empty());
    EXPECT_EQ(Run.front().Arguments.last(),
              QUrl::fromLocalFile(moved).toString(QUrl::FullyEncoded));
}

} // namespace
