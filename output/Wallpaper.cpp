#include "output/Wallpaper.h"

#include <QProcess>
#include <QUrl>

namespace tg {

Desktop DetectDesktop(const QProcessEnvironment& environment) {
    const auto classify = [](const QString& name) {
        const QString n = name.trimmed().toLower();
        if (n.isEmpty())
            return Desktop::Unknown;
        if (n.contains(QLatin1String("cinnamon")))
            return Desktop::Cinnamon;
        if (n.contains(QLatin1String("mate")))
            return Desktop::Mate;
        if (n.contains(QLatin1String("xfce")))
            return Desktop::Xfce;
        if (n == QLatin1String("kde") || n.contains(QLatin1String("plasma")))
            return Desktop::Kde;
        if (n.contains(QLatin1String("gnome")) || n == QLatin1String("unity") ||
            n.contains(QLatin1String("budgie")) || n == QLatin1String("pantheon") ||
            n == QLatin1String("ubuntu") || n == QLatin1String("pop") ||
            n == QLatin1String("cosmic"))
            return Desktop::Gnome;
        return Desktop::Unknown;
    };
    for (const QString& entry :
         environment.value(QStringLiteral("XDG_CURRENT_DESKTOP")).split(QLatin1Char(':'))) {
        const Desktop desktop = classify(entry);
        if (desktop != Desktop::Unknown)
            return desktop;
    }
    return classify(environment.value(QStringLiteral("DESKTOP_SESSION")));
}

namespace {
CommandRunner& Runner() {
    static CommandRunner runner;
    return runner;
}

QByteArray Run(const DesktopCommand& command) {
    return Runner() ? Runner()(command) : RunDesktopCommand(command);
}

DesktopCommand Gsettings(const QString& schema, const QString& key, const QString& value) {
    return {QStringLiteral("gsettings"), {QStringLiteral("set"), schema, key, value}};
}
} // namespace

void SetCommandRunner(CommandRunner runner) {
    Runner() = std::move(runner);
}

QByteArray RunDesktopCommand(const DesktopCommand& command) {
    QProcess process;
    process.setProgram(command.Program);
    process.setArguments(command.Arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(1000);
        return {};
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput();
}

void SetDesktopWallpaper(const QString& path, Desktop desktop) {
    const QString uri = QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
    switch (desktop) {
    case Desktop::Gnome: {
        const QString schema = QStringLiteral("org.gnome.desktop.background");
        Run(Gsettings(schema, QStringLiteral("picture-uri"), uri));
        Run(Gsettings(schema, QStringLiteral("picture-uri-dark"), uri));
        break;
    }
    case Desktop::Cinnamon:
        Run(Gsettings(QStringLiteral("org.cinnamon.desktop.background"),
                      QStringLiteral("picture-uri"), uri));
        break;
    case Desktop::Mate:
        Run(Gsettings(QStringLiteral("org.mate.background"), QStringLiteral("picture-filename"),
                      path));
        break;
    case Desktop::Kde:
        Run({QStringLiteral("plasma-apply-wallpaperimage"), {path}});
        break;
    case Desktop::Xfce: {
        // Every monitor and workspace has its own property; set each that
        // the desktop lists.
        const QString channel = QStringLiteral("xfce4-desktop");
        const QByteArray listed = Run({QStringLiteral("xfconf-query"),
                                       {QStringLiteral("-c"), channel, QStringLiteral("-l")}});
        for (const QByteArray& line : listed.split('\n')) {
            const QString property = QString::fromUtf8(line.trimmed());
            if (property.startsWith(QLatin1String("/backdrop/")) &&
                property.endsWith(QLatin1String("/last-image")))
                Run({QStringLiteral("xfconf-query"),
                     {QStringLiteral("-c"), channel, QStringLiteral("-p"), property,
                      QStringLiteral("-s"), path}});
        }
        break;
    }
    case Desktop::Unknown:
        break;
    }
}

} // namespace tg
