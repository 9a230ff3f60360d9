// The banner pipeline: drawing, the pixel walk, the four modes and the
// printable step sequence.
#include "banner/Banner.h"
#include "common/Codepage.h"

#include <QFontMetrics>
#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

using namespace tg;

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(QChar ch, std::ostream* out) {
    *out << "U+" << std::hex << ch.unicode() + 0 << std::dec;
}

namespace {

bool Ink(const QImage& bitmap, int x, int y) {
    const QRgb pixel = bitmap.pixel(x, y);
    return qRed(pixel) + qGreen(pixel) + qBlue(pixel) <= 2;
}

// The pixel rows of the drawing that hold ink, top first.
std::vector<int> InkedRows(const QImage& bitmap) {
    std::vector<int> rows;
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x)
            if (Ink(bitmap, x, y)) {
                rows.push_back(y);
                break;
            }
    return rows;
}

BannerSession Rendered(const QString& text, BannerMode mode = BannerMode::OneChar, int points = 8) {
    BannerSession session;
    session.Text = text;
    session.Mode = mode;
    session.Font.setPointSize(points);
    session.Render();
    return session;
}

// A character a reader sees: in the code page, neither a control nor blank.
bool Printable(QChar ch) {
    unsigned char byte = 0;
    return ToCp1252Char(ch, byte) && ch.isPrint() && !ch.isSpace() && ch != QChar(0xAD) &&
           byte >= 0x21;
}

} // namespace

TEST(Banner, FirstStartBannerIsPairsOfEqualLinesWithInkTopAndBottom) {
    for (int points : {8, 20, 36}) {
        SCOPED_TRACE(points);
        const BannerSession banner = Rendered(QStringLiteral("ASCII"), BannerMode::OneChar, points);
        const QImage& bitmap = banner.Bitmap;
        const QFontMetrics metrics(BannerPixelFont(banner.Font));
        EXPECT_EQ(bitmap.size(),
                  QSize(metrics.horizontalAdvance(QStringLiteral("ASCII")), metrics.height()));
        EXPECT_EQ(bitmap.format(), QImage::Format_RGB888);
        // Antialiasing is off: every pixel is pure black or pure white.
        for (int y = 0; y < bitmap.height(); ++y)
            for (int x = 0; x < bitmap.width(); ++x) {
                const QRgb pixel = bitmap.pixel(x, y);
                ASSERT_TRUE(pixel == qRgb(0, 0, 0) || pixel == qRgb(255, 255, 255))
                    << x << "," << y;
            }
        ASSERT_EQ(banner.Rows.size(), qsizetype(InkedRows(bitmap).size()));
        ASSERT_GE(banner.Rows.size(), 5);
        for (const QString& row : banner.Rows) {
            ASSERT_EQ(row.size(), 2 * bitmap.width());
            for (qsizetype i = 0; i < row.size(); i += 2) {
                const QString pair = row.mid(i, 2);
                ASSERT_TRUE(pair == QLatin1String("@ ") || pair == QLatin1String("  "))
                    << pair.toStdString();
            }
        }
        EXPECT_TRUE(banner.Rows.front().contains(QLatin1Char('@')));
        EXPECT_TRUE(banner.Rows.back().contains(QLatin1Char('@')));
    }
}

TEST(Banner, RowsWithoutInkAreLeftOut) {
    for (const char* text : {"=", ":", "- -"}) {
        SCOPED_TRACE(text);
        const BannerSession banner = Rendered(QLatin1String(text), BannerMode::OneChar, 20);
        const std::vector<int> inked = InkedRows(banner.Bitmap);
        ASSERT_GE(inked.size(), 2u);
        // The drawing has blank rows between (or around) the strokes ...
        EXPECT_LT(int(inked.size()), banner.Bitmap.height());
        // ... the banner has one line per inked row and no other.
        ASSERT_EQ(banner.Rows.size(), qsizetype(inked.size()));
        for (qsizetype i = 0; i < banner.Rows.size(); ++i) {
            const QString& row = banner.Rows[i];
            for (int x = 0; x < banner.Bitmap.width(); ++x)
                ASSERT_EQ(row.mid(2 * x, 2), Ink(banner.Bitmap, x, inked[size_t(i)])
                                                 ? QStringLiteral("@ ")
                                                 : QStringLiteral("  "));
        }
    }
    const std::vector<int> equals = InkedRows(Rendered(QStringLiteral("="), {}, 20).Bitmap);
    EXPECT_GT(equals.back() - equals.front() + 1, int(equals.size())); // a gap was closed
}

TEST(Banner, EmptyAndBlankTextsGiveNoRows) {
    EXPECT_TRUE(Rendered(QString()).Bitmap.isNull());
    EXPECT_TRUE(Rendered(QString()).Rows.isEmpty());
    const BannerSession blanks = Rendered(QStringLiteral("   "));
    EXPECT_FALSE(blanks.Bitmap.isNull());
    EXPECT_TRUE(blanks.Rows.isEmpty());
}

TEST(Banner, LetterAndBackgroundCharacters) {
    const BannerSession plain = Rendered(QStringLiteral("Tg"));
    const std::vector<int> inked = InkedRows(plain.Bitmap);
    BannerRandom random;

    // An empty background is a blank.
    EXPECT_EQ(BannerRows(plain.Bitmap, BannerMode::OneChar, QStringLiteral("@"), QString(), random),
              plain.Rows);

    // Other characters take the places of "@" and " ".
    const QStringList dotted = BannerRows(plain.Bitmap, BannerMode::OneChar, QStringLiteral("#"),
                                          QStringLiteral("."), random);
    ASSERT_EQ(dotted.size(), plain.Rows.size());
    for (qsizetype i = 0; i < dotted.size(); ++i) {
        QString expected = plain.Rows[i];
        for (qsizetype c = 0; c < expected.size(); c += 2) {
            if (expected[c] == QLatin1Char('@'))
                expected[c] = QLatin1Char('#');
            else
                expected.replace(c, 2, QStringLiteral(".."));
        }
        EXPECT_EQ(dotted[i], expected);
    }

    // An empty letter leaves one blank for each letter pixel.
    const QStringList empty =
        BannerRows(plain.Bitmap, BannerMode::OneChar, QString(), QStringLiteral(" "), random);
    ASSERT_EQ(empty.size(), plain.Rows.size());
    for (qsizetype i = 0; i < empty.size(); ++i) {
        const qsizetype letters = plain.Rows[i].count(QLatin1Char('@'));
        EXPECT_GT(letters, 0);
        EXPECT_EQ(empty[i].size(), 2 * plain.Bitmap.width() - letters);
        EXPECT_EQ(empty[i].trimmed(), QString());
    }
    EXPECT_EQ(inked.size(), size_t(empty.size()));
}

TEST(Banner, RowAndColumnStepsFollowThePixelPositions) {
    const BannerSession rows = Rendered(QStringLiteral("Hi"), BannerMode::RowStep, 20);
    const BannerSession cols = Rendered(QStringLiteral("Hi"), BannerMode::ColStep, 20);
    const std::vector<int> inked = InkedRows(rows.Bitmap);
    ASSERT_EQ(rows.Rows.size(), qsizetype(inked.size()));
    ASSERT_EQ(cols.Rows.size(), qsizetype(inked.size()));
    for (qsizetype i = 0; i < rows.Rows.size(); ++i) {
        const int y = inked[size_t(i)];
        for (int x = 0; x < rows.Bitmap.width(); ++x) {
            const bool ink = Ink(rows.Bitmap, x, y);
            EXPECT_EQ(rows.Rows[i].mid(2 * x, 2),
                      ink ? QString(QChar(61 + y)) + QLatin1Char(' ') : QStringLiteral("  "));
            EXPECT_EQ(cols.Rows[i].mid(2 * x, 2),
                      ink ? QString(QChar(65 + x)) + QLatin1Char(' ') : QStringLiteral("  "));
        }
    }
}

TEST(Banner, StepSequenceIsPrintableBeyondTheFirstRun) {
    const struct {
        QChar Got, Expected;
    } cases[] = {
        {RowStepChar(0), QLatin1Char('=')},  {RowStepChar(3), QLatin1Char('@')},
        {RowStepChar(4), QLatin1Char('A')},  {RowStepChar(65), QLatin1Char('~')},
        {RowStepChar(66), QChar(0x20AC)},    {ColStepChar(0), QLatin1Char('A')},
        {ColStepChar(25), QLatin1Char('Z')}, {ColStepChar(26), QLatin1Char('[')},
        {ColStepChar(61), QLatin1Char('~')}, {ColStepChar(62), QChar(0x20AC)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Got, c.Expected) << c.Got.unicode() + 0;
    for (int n = 0; n < 1000; ++n) {
        ASSERT_TRUE(Printable(RowStepChar(n))) << n << ": " << RowStepChar(n).unicode() + 0;
        ASSERT_TRUE(Printable(ColStepChar(n))) << n;
        ASSERT_NE(RowStepChar(n), RowStepChar(n + 1)) << n;
        // The sequence runs through all 215 printable characters, then again.
        ASSERT_EQ(RowStepChar(n), RowStepChar(n + 215)) << n;
    }

    // A drawing taller and wider than the codes reach stays printable.
    const BannerSession tall = Rendered(QStringLiteral("|"), BannerMode::RowStep, 170);
    const BannerSession wide = Rendered(QStringLiteral("WWWWWWWW"), BannerMode::ColStep, 36);
    ASSERT_GT(tall.Bitmap.height(), 200);
    ASSERT_GT(wide.Bitmap.width(), 200);
    for (const BannerSession* banner : {&tall, &wide})
        for (const QString& row : banner->Rows)
            for (QChar ch : row)
                ASSERT_TRUE(ch == QLatin1Char(' ') || Printable(ch)) << ch.unicode() + 0;
}

TEST(Banner, RandomIsTheSameEveryRunAndRunsOnWithinOne) {
    BannerSession first = Rendered(QStringLiteral("Hi"), BannerMode::Random);
    const BannerSession again = Rendered(QStringLiteral("Hi"), BannerMode::Random);
    EXPECT_EQ(first.Rows, again.Rows);
    // The first letter pixels, in reading order, take the values after the
    // one drawn at start-up: 130, 10982, 1090, ... mod 70.
    QString letters;
    for (const QString& row : first.Rows)
        for (qsizetype i = 0; i < row.size(); i += 2)
            if (row[i] != QLatin1Char(' '))
                letters += row[i];
    EXPECT_TRUE(letters.startsWith(QStringLiteral(";:MIT+R"))) << letters.toStdString();
    for (QChar ch : letters) {
        EXPECT_FALSE(ch.isLower());
        EXPECT_NE(std::find(RandomChars().begin(), RandomChars().end(), ch), RandomChars().end());
    }
    const QStringList before = first.Rows;
    first.Render();
    EXPECT_NE(first.Rows, before);
}

TEST(Banner, ModeIndexOutsideTheListIsOneChar) {
    const struct {
        int Index;
        BannerMode Mode;
    } cases[] = {{-1, BannerMode::OneChar}, {0, BannerMode::OneChar}, {1, BannerMode::RowStep},
                 {2, BannerMode::ColStep},  {3, BannerMode::Random},  {4, BannerMode::OneChar},
                 {7, BannerMode::OneChar}};
    for (const auto& c : cases)
        EXPECT_EQ(BannerModeAt(c.Index), c.Mode) << c.Index;
}
