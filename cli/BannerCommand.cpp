#include "cli/BannerCommand.h"

#include "banner/Banner.h"
#include "common/AppError.h"
#include "common/Codepage.h"
#include "common/SafeFile.h"
#include "convert/Geometry.h"
#include "output/RtfWriter.h"

#include <QColor>
#include <QFileInfo>
#include <QFontInfo>

namespace tg {

namespace {

const char* const Usage =
    "Usage: tessaglyph-banner TEXT [--font FAMILY] [--size POINTS] [--bold] [--italic]\n"
    "       [--mode one|row|col|random] [--char C] [--background-char C]\n"
    "       [-f txt|rtf] [-o FILE]\n"
    "Draws TEXT in big letters made of characters, as the Text page does: every\n"
    "pixel of the drawn text becomes two characters, rows without ink are left out.\n"
    "  --font FAMILY         any installed font family (default: \"Courier New\");\n"
    "                        one that is missing falls back, and the one used is named\n"
    "                        on standard error\n"
    "  --size POINTS         size in points at 96 dpi, 1 to 1000 (default 8)\n"
    "  --bold, --italic      the font's style\n"
    "  --mode MODE           one: the character of --char; row: a character per pixel\n"
    "                        row (\"=\", \">\", ...); col: a character per pixel column\n"
    "                        (\"A\", \"B\", ...); random: characters drawn at random, the\n"
    "                        same on every run (default: one)\n"
    "  --char C              the letter character of mode one (default \"@\")\n"
    "  --background-char C   the background character (default: a blank)\n"
    "  -f, --format F        txt: the rows in Windows-1252 with CR LF line ends;\n"
    "                        rtf: rich text, as the Text page saves it\n"
    "                        (default: rtf for an -o name ending in .rtf, else txt)\n"
    "  -o FILE               write to FILE instead of standard output\n"
    "  --                    ends the options: a TEXT that starts with \"-\" follows\n"
    "  --help                show this help\n";

struct Options {
    QString Text;
    bool TextGiven = false;
    QString Family;
    int Size = 8;
    bool Bold = false;
    bool Italic = false;
    BannerMode Mode = BannerMode::OneChar;
    QString Letter = QStringLiteral("@");
    QString Background = QStringLiteral(" ");
    QString Format; // empty: by the name of Output
    QString Output;
};

QString OneCharacter(const QString& option, const QString& text) {
    if (text.size() > 1)
        throw AppError(QStringLiteral("%1 takes one character, not '%2'").arg(option, text));
    return Cp1252Sanitize(text);
}

Options Parse(const QStringList& arguments, bool& help) {
    Options options;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (!optionsEnded && arg == QLatin1String("--")) {
            optionsEnded = true; // a text that starts with "-" follows
            continue;
        }
        if (optionsEnded) {
            if (options.TextGiven)
                throw AppError(
                    QStringLiteral("only one text may be given; quote a text with blanks"));
            options.Text = arg;
            options.TextGiven = true;
            continue;
        }
        const auto value = [&]() -> QString {
            if (i + 1 >= arguments.size())
                throw AppError(QStringLiteral("%1 needs a value").arg(arg));
            return arguments[++i];
        };
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            help = true;
        } else if (arg == QLatin1String("--font")) {
            options.Family = value();
            if (options.Family.trimmed().isEmpty())
                throw AppError(QStringLiteral("--font needs a family name"));
        } else if (arg == QLatin1String("--size")) {
            const QString text = value();
            const std::optional<int> size = ParseWholeNumber(text);
            if (!size || *size < 1 || *size > 1000)
                throw AppError(
                    QStringLiteral("--size takes a whole number from 1 to 1000, not '%1'")
                        .arg(text));
            options.Size = *size;
        } else if (arg == QLatin1String("--bold")) {
            options.Bold = true;
        } else if (arg == QLatin1String("--italic")) {
            options.Italic = true;
        } else if (arg == QLatin1String("--mode")) {
            const QString mode = value();
            const QStringList names = {QStringLiteral("one"), QStringLiteral("row"),
                                       QStringLiteral("col"), QStringLiteral("random")};
            const qsizetype index = names.indexOf(mode);
            if (index < 0)
                throw AppError(
                    QStringLiteral("--mode takes one, row, col or random, not '%1'").arg(mode));
            options.Mode = BannerModeAt(int(index));
        } else if (arg == QLatin1String("--char")) {
            options.Letter = OneCharacter(arg, value());
        } else if (arg == QLatin1String("--background-char")) {
            options.Background = OneCharacter(arg, value());
        } else if (arg == QLatin1String("-f") || arg == QLatin1String("--format")) {
            options.Format = value().toLower();
            if (options.Format != QLatin1String("txt") && options.Format != QLatin1String("rtf"))
                throw AppError(
                    QStringLiteral("--format takes txt or rtf, not '%1'").arg(arguments[i]));
        } else if (arg == QLatin1String("-o") || arg == QLatin1String("--output")) {
            options.Output = value();
            if (options.Output.isEmpty())
                throw AppError(QStringLiteral("-o needs a file name"));
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            throw AppError(QStringLiteral("unknown option %1 (see --help)").arg(arg));
        } else if (!options.TextGiven) {
            options.Text = arg;
            options.TextGiven = true;
        } else {
            throw AppError(QStringLiteral("only one text may be given; quote a text with blanks"));
        }
    }
    if (!help && !options.TextGiven)
        throw AppError(QStringLiteral("no text given (see --help)"));
    return options;
}

QString OutputFormat(const Options& options) {
    if (!options.Format.isEmpty())
        return options.Format;
    return QFileInfo(options.Output).suffix().compare(QLatin1String("rtf"), Qt::CaseInsensitive) ==
                   0
               ? QStringLiteral("rtf")
               : QStringLiteral("txt");
}

} // namespace

int RunBanner(const QStringList& arguments, FILE* out, FILE* err) {
    try {
        bool help = false;
        const Options options = Parse(arguments, help);
        if (help) {
            std::fputs(Usage, out);
            return 0;
        }
        BannerSession session;
        session.Text = options.Text;
        if (!options.Family.isEmpty())
            session.Font.setFamily(options.Family);
        session.Font.setPointSize(options.Size);
        session.Font.setBold(options.Bold);
        session.Font.setItalic(options.Italic);
        session.Mode = options.Mode;
        session.Letter = options.Letter;
        session.Background = options.Background;
        if (!options.Family.isEmpty()) {
            const QString used = QFontInfo(BannerPixelFont(session.Font)).family();
            if (used.compare(options.Family, Qt::CaseInsensitive) != 0)
                std::fprintf(err, "tessaglyph-banner: font family '%s' not found; using '%s'\n",
                             qPrintable(options.Family), qPrintable(used));
        }
        session.Render();

        const QByteArray bytes = OutputFormat(options) == QLatin1String("rtf")
                                     ? BuildRtf(session.Rows, BannerBoxFont(), QColor(Qt::black))
                                     : LinesToBytes(session.Rows);
        if (options.Output.isEmpty()) {
            if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), out) !=
                    size_t(bytes.size()) ||
                std::fflush(out) != 0)
                throw AppError(QStringLiteral("cannot write to standard output"));
        } else {
            WriteFileAtomic(options.Output, bytes);
        }
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(err, "tessaglyph-banner: %s\n", error.what());
        return 1;
    }
}

} // namespace tg
