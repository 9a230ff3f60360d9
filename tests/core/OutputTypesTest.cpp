// The table of output types and the terminal writer.
#include "output/OutputTypes.h"
#include "convert/Render.h"
#include "output/AnsiWriter.h"

#include <gtest/gtest.h>

namespace {

TEST(OutputTypes, TheSaveDialogAndTheConverterReadOneTable) {
    EXPECT_EQ(tg::SaveFilter(),
              QStringLiteral("HTML Files (*.htm)|*.htm|TXT Files (*.txt)|*.txt|Rich Text "
                             "(*.rtf)|*.rtf|BMP Image (*.bmp)|*.bmp|JPG Image (*.jpg)|*.jpg|GIF "
                             "Image (*.gif)|*.gif|PNG Image (*.png)|*.png"));
    const char* const extensions[] = {".htm", ".txt", ".rtf", ".bmp", ".jpg", ".gif", ".png"};
    for (int type = 1; type <= 7; ++type) {
        ASSERT_NE(tg::OutputTypeOfSave(type), nullptr);
        EXPECT_EQ(tg::SaveTypeExtension(type), QString::fromLatin1(extensions[type - 1]));
        EXPECT_EQ(tg::OutputTypeOfSave(type)->Image, type >= 4);
    }
    for (int type : {0, 8, -1})
        EXPECT_EQ(tg::SaveTypeExtension(type), QStringLiteral(".htm"));
    EXPECT_EQ(tg::OutputTypeOfSave(0), nullptr);
    EXPECT_EQ(tg::OutputTypeNames(QStringLiteral(",")),
              QStringLiteral("html,txt,rtf,bmp,jpg,gif,png,ansi"));

    const struct {
        const char* Path;
        const char* Type; // null: none
    } paths[] = {
        {"a.HTML", "html"}, {"a.htm", "html"},  {"dir.v2/a.Jpeg", "jpg"}, {"a.jif", "jpg"},
        {"a.txt", "txt"},   {"a.rtf", "rtf"},   {"a.tar.gz", nullptr},    {"dir.v2/a", nullptr},
        {"a.", nullptr},    {"a.ans", nullptr},
    };
    for (const auto& p : paths) {
        SCOPED_TRACE(p.Path);
        const tg::OutputType* type = tg::OutputTypeForPath(QString::fromLatin1(p.Path));
        if (p.Type == nullptr) {
            EXPECT_EQ(type, nullptr);
        } else {
            ASSERT_NE(type, nullptr);
            EXPECT_STREQ(type->Name, p.Type);
        }
    }
    ASSERT_NE(tg::OutputTypeNamed(QStringLiteral("ANSI")), nullptr);
    EXPECT_EQ(tg::OutputTypeNamed(QStringLiteral("ansi"))->SaveType, 0);
    EXPECT_EQ(tg::OutputTypeNamed(QStringLiteral("pdf")), nullptr);
}

TEST(Ansi, CellsInTheirColoursOnTheGivenBackground) {
    QImage work(3, 2, QImage::Format_RGB888);
    work.setPixelColor(0, 0, QColor(255, 0, 0));
    work.setPixelColor(1, 0, QColor(255, 0, 0)); // same colour: no new sequence
    work.setPixelColor(2, 0, QColor(0, 7, 200));
    work.setPixelColor(0, 1, QColor(10, 20, 30));
    work.setPixelColor(1, 1, QColor(255, 255, 255));
    work.setPixelColor(2, 1, QColor(10, 20, 30));
    // Two symbols: the dark ones take the first, white the second.
    const tg::ArtText art = tg::RenderArtText(work, QString::fromUtf8("\xC3\xA9 "), false);
    EXPECT_EQ(tg::BuildAnsi(work, art, std::nullopt),
              QByteArray("\x1b[38;2;255;0;0m\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"
                         "\x1b[38;2;0;7;200m\xC3\xA9\xC3\xA9\x1b[0m\n"
                         "\x1b[38;2;10;20;30m\xC3\xA9\xC3\xA9\x1b[38;2;255;255;255m  "
                         "\x1b[38;2;10;20;30m\xC3\xA9\xC3\xA9\x1b[0m\n"));
    const QByteArray onBlue = tg::BuildAnsi(work, art, QColor(0, 0, 255));
    EXPECT_TRUE(onBlue.startsWith("\x1b[48;2;0;0;255m\x1b[38;2;255;0;0m"));
    EXPECT_EQ(onBlue.count("\x1b[48;2;0;0;255m"), 2); // every row, after the reset

    // A sentence of nothing yields one blank a pixel; no pixels, no rows.
    const tg::ArtText blanks = tg::RenderArtText(work, QString(), true);
    EXPECT_TRUE(tg::BuildAnsi(work, blanks, std::nullopt).startsWith("\x1b[38;2;255;0;0m  \x1b"));
    EXPECT_TRUE(tg::BuildAnsi(QImage(), tg::RenderArtText(QImage(), QStringLiteral("#"), false),
                              std::nullopt)
                    .isEmpty());
}

} // namespace
