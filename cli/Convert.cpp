#include "cli/Convert.h"

#include "common/AppError.h"
#include "common/Codepage.h"
#include "common/SafeFile.h"
#include "convert/ArtSession.h"
#include "convert/Picture.h"
#include "output/ArtDocument.h"
#include "output/SaveFormats.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

namespace {

const char* const Usage =
    "Usage: tessaglyph-convert PICTURE [--width N] "
    "[--symbols TEXT | --symbol C | --custom TEXT | --sentence TEXT]\n"
    "       [--brightness N] [--contrast N] [--saturation N] [--flip h|v] [--rotate DEG]...\n"
    "       [-f FORMAT] [--background #RRGGBB] [--title TEXT] [-o FILE]\n"
    "Writes the picture as ascii graphics: one line per row of the working image,\n"
    "two characters a pixel, in Windows-1252 with CR LF line ends.\n"
    "  --width N        symbols per line, 10 to 300 (default: the picture's width, clamped)\n"
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
    "                   turn exactly, other angles enlarge the picture with white corners\n"
    "  -o FILE          write to FILE instead of standard output\n"
    "  -f, --format F   html, txt, rtf, bmp, jpg, gif or png, as the window saves it\n"
    "                   (default: by the extension of -o; bare rows without one)\n"
    "  --background #RRGGBB  background colour of html and images (default: #FFFFFF)\n"
    "  --title TEXT     the title of an html page (default: the name of -o before its\n"
    "                   first \".\")\n"
    "  --help           show this help\n"
    "The options act as the window's controls, in the order given: --width as the size\n"
    "slider, flips and turns as their buttons (a turn after --width enlarges the lines\n"
    "as in the window), and the last value of each adjustment applies to the picture.\n";

// One operation of the Image page, applied in command-line order.
using SessionStep = std::function<void(tg::ArtSession&)>;

struct Options {
    QString Picture;
    std::vector<SessionStep> Steps;
    bool Turns = false; // a turn may bring the picture's height across
    int Width = 0;      // the last --width; 0 for none
    QString Output;
    QString Format; // empty: by the extension of Output
    QColor Background = QColor(255, 255, 255);
    std::optional<QString> Title;
};

int ParseWidth(const QString& text) {
    bool ok = false;
    const int width = text.toInt(&ok);
    if (!ok || width < 10 || width > 300)
        throw tg::AppError(
            QStringLiteral("--width takes a whole number from 10 to 300, not '%1'").arg(text));
    return width;
}

QString ParseArtFormat(const QString& text) {
    const QString format = text.toLower();
    if (!tg::ArtFormats().contains(format))
        throw tg::AppError(QStringLiteral("--format takes one of %1, not '%2'")
                               .arg(tg::ArtFormats().join(QStringLiteral(", ")), text));
    return format;
}

QColor ParseBackground(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
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
        } else if (arg == QLatin1String("-o") || arg == QLatin1String("--output")) {
            options.Output = value();
        } else if (arg == QLatin1String("-f") || arg == QLatin1String("--format")) {
            options.Format = ParseArtFormat(value());
        } else if (arg == QLatin1String("--background")) {
            options.Background = ParseBackground(value());
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

// The output type: -f, else the extension of -o; empty for the bare rows.
QString OutputFormat(const Options& options) {
    if (options.Format.isEmpty() && !options.Output.isEmpty())
        return tg::ArtFormatForPath(options.Output);
    return options.Format;
}

// The document the options ask for: the window's own for the chosen type, or
// the bare rows.
QByteArray OutputBytes(const Options& options, const QImage& work, const tg::ArtText& art) {
    const QString format = OutputFormat(options);
    if (format.isEmpty())
        return tg::LinesToBytes(art.Lines);
    tg::ArtDocument document;
    document.Work = work;
    document.Art = &art;
    document.Back = options.Background;
    document.Title = options.Title ? *options.Title : tg::TitleOf(options.Output);
    return tg::BuildArtDocument(format, document);
}

} // namespace

bool ConvertDrawsImage(const QStringList& arguments) {
    try {
        bool help = false;
        const Options options = Parse(arguments, help);
        const QString format = OutputFormat(options);
        return !help && !format.isEmpty() && format != QLatin1String("html") &&
               format != QLatin1String("txt") && format != QLatin1String("rtf");
    } catch (const std::exception&) {
        return false; // RunConvert reports the error
    }
}

int RunConvert(const QStringList& arguments, FILE* out, FILE* err) {
    try {
        bool help = false;
        const Options options = Parse(arguments, help);
        if (help) {
            std::fputs(Usage, out);
            return 0;
        }
        if (!QFileInfo::exists(options.Picture))
            throw tg::AppError(QStringLiteral("Cannot open file %1").arg(options.Picture));
        // Without a turn the working image is as wide as the last width asked
        // for (or at most the widest width), so a JPEG may be decoded at a
        // reduced scale; a turn may bring the picture's height across, and
        // then it is read in full.
        const int target = options.Turns ? 0 : options.Width > 0 ? options.Width : tg::MaxArtWidth;
        tg::PictureLoad load = tg::LoadPicture(options.Picture, target);
        if (!load.Ok())
            throw tg::AppError(load.Error);
        // The working size follows the picture's full size, as in the window,
        // even where the reader decoded at a reduced scale.
        tg::ArtSession session;
        session.TakePicture(std::move(load.Image), load.FullSize);
        for (const SessionStep& step : options.Steps)
            step(session);
        const tg::ArtText art = session.Render();
        const QByteArray bytes = OutputBytes(options, session.WorkImage(), art);
        if (options.Output.isEmpty()) {
            if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), out) !=
                    size_t(bytes.size()) ||
                std::fflush(out) != 0)
                throw tg::AppError(QStringLiteral("cannot write to standard output"));
        } else {
            tg::WriteFileAtomic(options.Output, bytes);
        }
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(err, "tessaglyph-convert: %s\n", error.what());
        return 1;
    }
}
