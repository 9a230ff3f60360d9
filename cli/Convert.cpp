#include "cli/Convert.h"

#include "common/AppError.h"
#include "common/Codepage.h"
#include "common/SafeFile.h"
#include "convert/ArtSession.h"
#include "convert/Picture.h"
#include "output/ImageWriter.h"
#include "output/OutputTypes.h"

#include <QFileInfo>
#include <QFontInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace {

// The font sizes the font dialog offers.
constexpr int MinFontSize = 1;
constexpr int MaxFontSize = 512;
// The largest image drawn with every cell, in pixels (1 GiB at 32 bits).
constexpr qint64 MaxImagePixels = qint64(1) << 28;

// The help text; the output types come from their table.
QString Usage() {
    QStringList drawn;
    for (const tg::OutputType& type : tg::OutputTypes())
        if (type.Image)
            drawn << QString::fromLatin1(type.Name);
    return QStringLiteral(
               "Usage: tessaglyph-convert PICTURE [--width N] "
               "[--symbols TEXT | --symbol C | --custom TEXT | --sentence TEXT]\n"
               "       [--brightness N] [--contrast N] [--saturation N] [--flip h|v] "
               "[--rotate DEG]...\n"
               "       [--font FAMILY] [--font-size POINTS] [-f FORMAT] [--background #RRGGBB]\n"
               "       [--title TEXT] [-o FILE]\n"
               "Writes the picture as ascii graphics: one line per row of the working image,\n"
               "two characters a pixel, in Windows-1252 with CR LF line ends.\n"
               "  --width N        symbols per line, %1 to %2 (default: the picture's width, "
               "clamped)\n"
               "  --symbols TEXT   the symbols to pick from by brightness, darkest first\n"
               "                   (default: \"#MHOKLwaso*,. \")\n"
               "  --symbol C       one symbol for every pixel but the brightest\n"
               "  --custom TEXT    custom symbols, picked by brightness\n"
               "  --sentence TEXT  the text spelled out pixel by pixel\n"
               "  --brightness N   brightness, -100 to 512 (default 0)\n"
               "  --contrast N     contrast, -100 to 100 (default 0)\n"
               "  --saturation N   saturation, -100 to 100 (default 0)\n"
               "  --flip h|v       mirror left to right (h) or top to bottom (v)\n"
               "  --rotate DEG     turn by whole degrees, positive clockwise; 90, 180 and 270\n"
               "                   turn exactly, other angles enlarge the picture with white "
               "corners\n"
               "  --font FAMILY    the rendering font, any installed family (default: \"%5\");\n"
               "                   a missing one falls back to the system's choice\n"
               "  --font-size POINTS  its size, %6 to %7 points (default %8): the cell pitch\n"
               "                   of images (1.6 pixels a point) and the size in html and rtf\n"
               "  -o FILE          write to FILE instead of standard output\n"
               "  -f, --format F   %3\n"
               "                   (default: by the extension of -o; bare rows without one)\n"
               "                   html, txt and rtf are what the window saves; %4 hold\n"
               "                   every cell of the picture; ansi is the rows in their colours\n"
               "                   for a terminal (24-bit colour, UTF-8, LF line ends)\n"
               "  --background #RRGGBB  background colour of html and images (default: "
               "#FFFFFF),\n"
               "                   and of ansi (default: the terminal's own)\n"
               "  --title TEXT     the title of an html page (default: the name of -o before "
               "its\n"
               "                   first \".\")\n"
               "  --help           show this help\n"
               "The options act as the window's controls, in the order given: --width as the "
               "size\n"
               "slider, flips and turns as their buttons (a turn after --width enlarges the "
               "lines\n"
               "as in the window), and the last value of each adjustment applies to the "
               "picture.\n")
        .arg(tg::MinArtWidth)
        .arg(tg::MaxArtWidth)
        .arg(tg::OutputTypeNames(QStringLiteral(", ")))
        .arg(drawn.join(QStringLiteral(", ")))
        .arg(QString::fromLatin1(tg::DefaultFontFamily))
        .arg(MinFontSize)
        .arg(MaxFontSize)
        .arg(tg::DefaultFontSize);
}

// One operation of the Image page, applied in command-line order.
using SessionStep = std::function<void(tg::ArtSession&)>;

struct Options {
    QString Picture;
    std::vector<SessionStep> Steps;
    bool Turns = false; // a turn may bring the picture's height across
    int Width = 0;      // the last --width; 0 for none
    QString Output;
    const tg::OutputType* Format = nullptr; // null: by the extension of Output
    QColor Background = QColor(255, 255, 255);
    bool BackgroundGiven = false;
    std::optional<QString> Title;
    QFont Font = tg::DefaultRenderingFont();
    bool FamilyGiven = false;
};

int ParseWidth(const QString& text) {
    bool ok = false;
    const int width = text.toInt(&ok);
    if (!ok || width < tg::MinArtWidth || width > tg::MaxArtWidth)
        throw tg::AppError(QStringLiteral("--width takes a whole number from %1 to %2, not '%3'")
                               .arg(tg::MinArtWidth)
                               .arg(tg::MaxArtWidth)
                               .arg(text));
    return width;
}

const tg::OutputType* ParseOutputType(const QString& text) {
    const tg::OutputType* type = tg::OutputTypeNamed(text);
    if (type == nullptr)
        throw tg::AppError(QStringLiteral("--format takes one of %1, not '%2'")
                               .arg(tg::OutputTypeNames(QStringLiteral(", ")), text));
    return type;
}

QColor ParseBackground(const QString& text) {
    // \z, not $: a line break after the colour is no colour.
    static const QRegularExpression pattern(QStringLiteral("\\A#[0-9A-Fa-f]{6}\\z"));
    if (!pattern.match(text).hasMatch())
        throw tg::AppError(
            QStringLiteral("--background takes a colour as #RRGGBB, not '%1'").arg(text));
    return QColor(text);
}

int ParseRanged(const QString& option, const QString& text, int min, int max) {
    const std::optional<int> value = tg::ParseWholeNumber(text);
    if (!value || *value < min || *value > max)
        throw tg::AppError(QStringLiteral("%1 takes a whole number from %2 to %3, not '%4'")
                               .arg(option)
                               .arg(min)
                               .arg(max)
                               .arg(text));
    return *value;
}

Options Parse(const QStringList& arguments, bool& help) {
    Options options;
    bool symbolsGiven = false;
    tg::Adjustment adjust;
    const auto adjustment = [&](auto change) {
        change(adjust);
        options.Steps.push_back(
            [values = adjust](tg::ArtSession& session) { session.SetAdjustment(values); });
    };
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        const auto value = [&]() -> QString {
            if (i + 1 >= arguments.size())
                throw tg::AppError(QStringLiteral("%1 needs a value").arg(arg));
            return arguments[++i];
        };
        const auto symbols = [&](tg::SymbolChoice choice) {
            if (symbolsGiven)
                throw tg::AppError(QStringLiteral("only one of --symbols, --symbol, --custom and "
                                                  "--sentence may be given"));
            symbolsGiven = true;
            options.Steps.push_back(
                [choice](tg::ArtSession& session) { session.SetSymbols(choice); });
        };
        // The texts as the window's edits would hold them.
        const auto text = [&]() { return tg::Cp1252Sanitize(value()); };
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            help = true;
        } else if (arg == QLatin1String("--width")) {
            const int width = ParseWidth(value());
            options.Width = width;
            options.Steps.push_back([width](tg::ArtSession& session) { session.SetWidth(width); });
        } else if (arg == QLatin1String("--symbols")) {
            tg::SymbolChoice choice;
            choice.PresetText = text();
            symbols(choice);
        } else if (arg == QLatin1String("--symbol")) {
            const QString symbol = text();
            if (symbol.size() > 1)
                throw tg::AppError(
                    QStringLiteral("--symbol takes one character, not '%1'").arg(symbol));
            tg::SymbolChoice choice;
            choice.Random = false;
            choice.SingleSymbol = symbol;
            symbols(choice);
        } else if (arg == QLatin1String("--custom") || arg == QLatin1String("--sentence")) {
            tg::SymbolChoice choice;
            choice.Custom = true;
            choice.Sentence = arg == QLatin1String("--sentence");
            choice.CustomText = text();
            symbols(choice);
        } else if (arg == QLatin1String("--brightness")) {
            const int v = ParseRanged(arg, value(), tg::MinBrightness, tg::MaxBrightness);
            adjustment([v](tg::Adjustment& a) { a.Brightness = v; });
        } else if (arg == QLatin1String("--contrast")) {
            const int v = ParseRanged(arg, value(), tg::MinContrast, tg::MaxContrast);
            adjustment([v](tg::Adjustment& a) { a.Contrast = v; });
        } else if (arg == QLatin1String("--saturation")) {
            const int v = ParseRanged(arg, value(), tg::MinSaturation, tg::MaxSaturation);
            adjustment([v](tg::Adjustment& a) { a.Saturation = v; });
        } else if (arg == QLatin1String("--flip")) {
            const QString direction = value();
            if (direction != QLatin1String("h") && direction != QLatin1String("v"))
                throw tg::AppError(QStringLiteral("--flip takes h or v, not '%1'").arg(direction));
            const tg::FlipDirection flip = direction == QLatin1String("h")
                                               ? tg::FlipDirection::Horizontal
                                               : tg::FlipDirection::Vertical;
            options.Steps.push_back([flip](tg::ArtSession& session) { session.Flip(flip); });
        } else if (arg == QLatin1String("--rotate")) {
            const QString degrees = value();
            const std::optional<int> angle = tg::ParseWholeNumber(degrees);
            if (!angle)
                throw tg::AppError(
                    QStringLiteral("--rotate takes a whole number of degrees, not '%1'")
                        .arg(degrees));
            // Turns are typed clockwise, as the window's free turn takes them.
            const double turn = -double(*angle);
            options.Turns = true;
            options.Steps.push_back([turn](tg::ArtSession& session) { session.Turn(turn); });
        } else if (arg == QLatin1String("--font")) {
            const QString family = value();
            if (family.trimmed().isEmpty())
                throw tg::AppError(QStringLiteral("--font needs a family name"));
            options.Font.setFamilies({family});
            options.FamilyGiven = true;
        } else if (arg == QLatin1String("--font-size")) {
            options.Font.setPointSize(ParseRanged(arg, value(), MinFontSize, MaxFontSize));
        } else if (arg == QLatin1String("-o") || arg == QLatin1String("--output")) {
            options.Output = value();
        } else if (arg == QLatin1String("-f") || arg == QLatin1String("--format")) {
            options.Format = ParseOutputType(value());
        } else if (arg == QLatin1String("--background")) {
            options.Background = ParseBackground(value());
            options.BackgroundGiven = true;
        } else if (arg == QLatin1String("--title")) {
            options.Title = value();
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            throw tg::AppError(QStringLiteral("unknown option %1 (see --help)").arg(arg));
        } else if (options.Picture.isEmpty()) {
            options.Picture = arg;
        } else {
            throw tg::AppError(QStringLiteral("only one picture may be given"));
        }
    }
    if (!help && options.Picture.isEmpty())
        throw tg::AppError(QStringLiteral("no picture given (see --help)"));
    return options;
}

// The output type: -f, else the extension of -o; null for the bare rows. An
// extension that no type lists but an image encoder knows gives an image in
// that encoding, as the window's Save does.
const tg::OutputType* OutputTypeOf(const Options& options, QByteArray& encoder) {
    if (options.Format != nullptr || options.Output.isEmpty())
        return options.Format;
    if (const tg::OutputType* type = tg::OutputTypeForPath(options.Output))
        return type;
    encoder = tg::ImageFormatFor(options.Output);
    return encoder.isEmpty() ? nullptr : tg::OutputTypeNamed(QStringLiteral("png"));
}

// The document the options ask for: the window's own for the chosen type, or
// the bare rows.
QByteArray OutputBytes(const Options& options, const QImage& work, const tg::ArtText& art) {
    tg::ArtDocument document;
    const tg::OutputType* type = OutputTypeOf(options, document.Encoder);
    if (type == nullptr)
        return tg::LinesToBytes(art.Lines);
    document.Work = work;
    document.Lines = art.Lines;
    document.Art = &art;
    document.Back = options.Background;
    document.BackGiven = options.BackgroundGiven;
    document.Title = options.Title ? *options.Title : tg::TitleOf(options.Output);
    // The rendering font, as the window gives it to the picture and to its
    // rich text rows (in the start-up colour).
    document.Font = options.Font;
    document.RichRows = art.Lines;
    document.RichFont = options.Font;
    if (type->Image) {
        const double pitch = tg::CellPitch(tg::FontPoints(options.Font));
        const qint64 width = qint64(std::ceil(pitch * work.width()));
        const qint64 height = qint64(std::ceil(pitch * work.height()));
        if (width * height > MaxImagePixels)
            throw tg::AppError(QStringLiteral("the image would be %1 x %2 pixels, more than %3 "
                                              "million; give a smaller --width or --font-size")
                                   .arg(width)
                                   .arg(height)
                                   .arg(MaxImagePixels / 1000000));
    }
    return tg::BuildOutput(*type, document).Bytes;
}

// Runs the parsed options; the application object exists.
void Convert(const Options& options, FILE* out) {
    if (!QFileInfo::exists(options.Picture))
        throw tg::AppError(QStringLiteral("Cannot open file %1").arg(options.Picture));
    // Without a turn the working image is as wide as the last width asked
    // for (or at most the widest width), so a JPEG may be decoded at a
    // reduced scale; a turn may bring the picture's height across, and then
    // it is read in full.
    tg::PictureRequest request;
    request.TargetWidth = options.Turns ? 0 : options.Width > 0 ? options.Width : tg::MaxArtWidth;
    // A picture whose working image would be too large is refused before it
    // is decoded; later steps are refused by the session.
    request.Refusal = [&](QSize picture) {
        return tg::ArtSession::TakeRefusal(picture, options.Width);
    };
    tg::PictureLoad load = tg::LoadPicture(options.Picture, request);
    if (!load.Ok())
        throw tg::AppError(load.Error);
    // The working size follows the picture's full size, as in the window,
    // even where the reader decoded at a reduced scale.
    tg::ArtSession session;
    // Taken at the width asked for: a width step resets the working size from
    // the picture, so the rows are those of the window, whose slider first
    // goes to the picture's width; only a too large working image on the way
    // is not asked for.
    session.TakePicture(std::move(load.Image), load.FullSize, options.Width);
    for (const SessionStep& step : options.Steps)
        step(session);
    if (session.WorkImage().isNull())
        throw tg::AppError(QStringLiteral("out of memory"));
    const tg::ArtText art = session.Render();
    const QByteArray bytes = OutputBytes(options, session.WorkImage(), art);
    if (options.Output.isEmpty()) {
        if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), out) != size_t(bytes.size()) ||
            std::fflush(out) != 0)
            throw tg::AppError(QStringLiteral("cannot write to standard output"));
    } else {
        tg::WriteFileAtomic(options.Output, bytes);
    }
}

} // namespace

int RunConvert(int argc, char** argv, FILE* out, FILE* err) {
    try {
        QStringList arguments;
        for (int i = 1; i < argc; ++i)
            arguments.append(QString::fromLocal8Bit(argv[i]));
        bool help = false;
        const Options options = Parse(arguments, help);
        if (help) {
            std::fputs(Usage().toUtf8().constData(), out);
            return 0;
        }
        // Images are drawn with the rendering font, which needs a GUI
        // application; the offscreen platform gives one without any display.
        // Everything else needs none.
        QByteArray encoder;
        const tg::OutputType* type = OutputTypeOf(options, encoder);
        std::unique_ptr<QCoreApplication> application;
        if (type != nullptr && type->Image) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            application = std::make_unique<QGuiApplication>(argc, argv);
        } else {
            application = std::make_unique<QCoreApplication>(argc, argv);
        }
        // Only images draw with the font; a family the system lacks is named
        // with the one drawn instead.
        if (options.FamilyGiven && type != nullptr && type->Image) {
            const QString family = options.Font.families().value(0);
            const QString used = QFontInfo(tg::RenderingPixelFont(options.Font)).family();
            if (used.compare(family, Qt::CaseInsensitive) != 0)
                std::fprintf(err, "tessaglyph-convert: font family '%s' not found; using '%s'\n",
                             qPrintable(family), qPrintable(used));
        }
        Convert(options, out);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(err, "tessaglyph-convert: %s\n", error.what());
        return 1;
    }
}
