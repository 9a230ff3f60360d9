// The symbol pick, the sentence step, the text lines and the drawn cells.
#include "convert/Render.h"
#include "convert/Symbols.h"
#include "tests/core/CoreSupport.h"

#include <gtest/gtest.h>

namespace {

QImage Pixels(const std::vector<std::vector<QColor>>& rows) {
    QImage image(int(rows.front().size()), int(rows.size()), QImage::Format_RGB888);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixelColor(x, y, rows[y][x]);
    return image;
}

QString PickFor(const QString& symbols, int gray) {
    tg::PickState state;
    state.SymbolString = symbols;
    state.SymbolCount = int(symbols.size());
    state.PixelR = state.PixelG = state.PixelB = gray;
    tg::PickSymbol(state);
    EXPECT_EQ(state.CurrentSymbol, state.SecondSymbol);
    return state.CurrentSymbol;
}

} // namespace

TEST(PickSymbol, BandsOfThePresetsAndDefaults) {
    struct Case {
        QString Symbols;
        int Gray;
        QString Expected;
    };
    const QStringList presets = tg::PresetSymbolSets();
    const QString custom = tg::DefaultCustomSymbols();
    const Case cases[] = {
        {presets[0], 0, "#"},   {presets[0], 35, "#"},  {presets[0], 36, "M"},
        {presets[0], 53, "M"},  {presets[0], 251, "."}, {presets[0], 252, " "},
        {presets[1], 55, "X"},  {presets[1], 56, "x"},  {presets[1], 224, "."},
        {presets[2], 49, "@"},  {presets[2], 50, "%"},  {presets[2], 250, " "},
        {presets[3], 125, "0"}, {presets[3], 126, "1"}, {presets[3], 188, "1"},
        {presets[3], 189, " "}, {presets[4], 126, "Y"}, {"@ ", 253, "@"},
        {"@ ", 254, " "},       {custom, 7, "0"},       {custom, 8, "1"},
        {custom, 251, "z"},     {custom, 252, " "},     {"0123456789abcdef", 255, "f"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PickFor(c.Symbols, c.Gray), c.Expected)
            << c.Symbols.toStdString() << " gray " << c.Gray;
}

TEST(PickSymbol, GrayIsTheTruncatedMeanAndEmptyStringsPickNothing) {
    tg::PickState state;
    state.SymbolString = QStringLiteral("01  ");
    state.SymbolCount = 4;
    state.PixelR = 255;
    state.PixelG = 0;
    state.PixelB = 124; // (255 + 0 + 124) div 3 = 126
    tg::PickSymbol(state);
    EXPECT_EQ(state.PixelGray, 126);
    EXPECT_EQ(state.LevelStep, 63);
    EXPECT_EQ(state.SymbolIndex, 2);
    EXPECT_EQ(state.CurrentSymbol, "1");

    tg::PickState empty;
    tg::PickSymbol(empty);
    EXPECT_EQ(empty.SymbolCount, 1);
    EXPECT_TRUE(empty.CurrentSymbol.isEmpty());
}

TEST(PickSymbol, MoreThan255SymbolsServeOneGrayLevelEach) {
    QString symbols;
    for (int i = 0; i < 300; ++i)
        symbols += QChar(u'A' + i % 26);
    EXPECT_EQ(PickFor(symbols, 0), "A");  // index 0 is raised to 1
    EXPECT_EQ(PickFor(symbols, 2), "B");  // gray 2 takes the second symbol
    EXPECT_EQ(PickFor(symbols, 27), "A"); // the 27th symbol
    EXPECT_EQ(PickFor(symbols, 255), QString(symbols[254]));
    const tg::ArtText art = tg::RenderArtText(Ramp(16, 16), symbols, false);
    ASSERT_EQ(art.Lines.size(), 16);
    EXPECT_EQ(art.Last.LevelStep, 1);
}

TEST(RenderArtText, SentenceSpellsOnAcrossRowsAndSkipsPureWhite) {
    const QColor white(255, 255, 255), red(255, 0, 0), nearWhite(254, 255, 255);
    const QImage image =
        Pixels({{white, white, red, red}, {red, nearWhite, white, red}, {red, red, red, red}});
    const tg::ArtText art = tg::RenderArtText(image, tg::DefaultSentence(), true);
    ASSERT_EQ(art.Lines.size(), 3);
    EXPECT_EQ(art.Lines[0], "    A S ");
    EXPECT_EQ(art.Lines[1], "C I   I ");
    EXPECT_EQ(art.Lines[2], "  A S C ");
    // A new render starts the sentence anew.
    EXPECT_EQ(tg::RenderArtText(image, tg::DefaultSentence(), true).Lines[0], "    A S ");
}

TEST(RenderArtText, LinesPerRowAndEmptyCases) {
    const QImage ramp = Ramp(7, 5);
    const tg::ArtText art = tg::RenderArtText(ramp, tg::PresetSymbolSets()[0], false);
    ASSERT_EQ(art.Lines.size(), 5);
    for (const QString& line : art.Lines)
        EXPECT_EQ(line.size(), 14);
    EXPECT_EQ(art.Lines[0].left(2), "##");

    EXPECT_TRUE(tg::RenderArtText(QImage(), tg::PresetSymbolSets()[0], false).Lines.isEmpty());

    const tg::ArtText none = tg::RenderArtText(ramp, QString(), false);
    ASSERT_EQ(none.Lines.size(), 5);
    for (const QString& line : none.Lines)
        EXPECT_TRUE(line.isEmpty());

    // An empty sentence gives a single blank a pixel, two for pure white.
    const QImage mixed = Pixels({{QColor(255, 255, 255), QColor(0, 0, 0)}});
    EXPECT_EQ(tg::RenderArtText(mixed, QString(), true).Lines[0], "   ");
}

TEST(CellPitch, PositionsAreTruncatedNotRounded) {
    const double pitch = tg::CellPitch(8);
    EXPECT_DOUBLE_EQ(pitch, 12.8);
    const int expected[] = {0, 12, 25, 38, 51, 64};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(tg::CellPosition(pitch, i), expected[i]);
    EXPECT_EQ(tg::CellPosition(tg::CellPitch(10), 3), 48);
}

TEST(DrawArt, CellsInTheirColourOnTheBackgroundAndClippedToTheBitmap) {
    QImage work(60, 45, QImage::Format_RGB888);
    work.fill(QColor(200, 0, 0)); // gray 66: "HH" in the first preset
    const tg::ArtText art = tg::RenderArtText(work, tg::PresetSymbolSets()[0], false);
    ASSERT_EQ(art.Lines.size(), 45);
    EXPECT_EQ(art.Lines[0].size(), 120);

    QImage bitmap(634, 531, QImage::Format_RGB32);
    tg::GlyphCache glyphs(QFont(QStringLiteral("Courier New"), 8));
    const QColor back(0, 0, 255);
    tg::DrawArt(bitmap, work, art, glyphs, tg::CellPitch(8), back);
    ASSERT_EQ(bitmap.size(), QSize(634, 531));

    // Every pixel is the background, the cell colour or a blend of the two.
    int inked = 0;
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x) {
            const QColor c = bitmap.pixelColor(x, y);
            ASSERT_EQ(c.green(), 0);
            ASSERT_NEAR(c.red() * 255.0 / 200 + c.blue(), 255, 2) << x << "," << y;
            inked += c.red() > 0;
        }
    EXPECT_GT(inked, 50 * 42 * 10);
    // The last cell that starts inside (x 627, y 524) is drawn.
    bool lastCellInked = false;
    for (int y = 524; y < 531; ++y)
        for (int x = 627; x < 634; ++x)
            lastCellInked = lastCellInked || bitmap.pixelColor(x, y).red() > 0;
    EXPECT_TRUE(lastCellInked);
}

TEST(DrawArt, LaterCellsPaintOverTheOverlap) {
    // A dark cell followed by a white one: the white cell's blank paints its
    // whole extent in the background, covering the dark cell's overlap.
    const QImage work = Pixels({{QColor(0, 0, 0), QColor(255, 255, 255)}});
    const tg::ArtText art = tg::RenderArtText(work, tg::PresetSymbolSets()[0], false);
    EXPECT_EQ(art.Lines[0], "##  ");
    tg::GlyphCache glyphs(QFont(QStringLiteral("Courier New"), 8));
    QImage bitmap(60, 20, QImage::Format_RGB32);
    tg::DrawArt(bitmap, work, art, glyphs, tg::CellPitch(8), Qt::white);
    for (int y = 0; y < 20; ++y)
        for (int x = 12; x < 60; ++x)
            ASSERT_EQ(bitmap.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;
}
