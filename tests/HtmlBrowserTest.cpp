// A saved HTML page as a real browser shows it.
#include "tests/TestSupport.h"

#include <QFile>
#include <QFileDialog>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

namespace {

using HtmlBrowserTest = WindowTest;

TEST_F(HtmlBrowserTest, BackgroundAndCellColoursAppearInTheBrowser) {
    const QString browser = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (browser.isEmpty())
        GTEST_SKIP() << "chromium is not installed";

    // Dark red cells on a yellow table, on the browser's white page.
    Form->BackColor = QColor(255, 255, 0);
    Open(WritePicture(QStringLiteral("red.png"), Solid(40, 12, QColor(120, 0, 0))));
    const QString page = Path(QStringLiteral("saves/red.htm"));
    Dialogs->ChooseFile(page);
    Form->ButtonSave->click();
    ASSERT_TRUE(QFile::exists(page));

    QTemporaryDir profile;
    const QString shot = Path(QStringLiteral("shot.png"));
    QProcess run;
    run.start(browser,
              {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"),
               QStringLiteral("--disable-gpu"), QStringLiteral("--disable-quic"),
               QStringLiteral("--no-first-run"), QStringLiteral("--disable-background-networking"),
               QStringLiteral("--disable-component-update"), QStringLiteral("--disable-sync"),
               QStringLiteral("--hide-scrollbars"),
               QStringLiteral("--user-data-dir=") + profile.path(),
               QStringLiteral("--screenshot=") + shot, QStringLiteral("--window-size=900,500"),
               QUrl::fromLocalFile(page).toString()});
    ASSERT_TRUE(run.waitForFinished(120000));
    const QImage screen(shot);
    ASSERT_FALSE(screen.isNull()) << run.readAllStandardError().toStdString();

    // The table's background stands in the middle of the page, not over all of it.
    QRect table;
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x) {
            const QColor c = screen.pixelColor(x, y);
            if (c.red() > 240 && c.green() > 240 && c.blue() < 30)
                table |= QRect(x, y, 1, 1);
        }
    ASSERT_FALSE(table.isEmpty()) << "no yellow background";
    EXPECT_LT(table.width(), screen.width() * 0.9);
    EXPECT_NEAR(table.center().x(), screen.width() / 2.0, 10);
    EXPECT_EQ(screen.pixelColor(2, 2), QColor(255, 255, 255));

    // The cells' glyphs in their pixel's colour, inside the table.
    int red = 0, redOutside = 0;
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x) {
            const QColor c = screen.pixelColor(x, y);
            if (c.red() > 80 && c.red() < 170 && c.green() < 40 && c.blue() < 40)
                ++(table.contains(x, y) ? red : redOutside);
        }
    EXPECT_GT(red, 40 * 12);
    EXPECT_EQ(redOutside, 0);
}

} // namespace
