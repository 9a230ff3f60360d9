#pragma once
// Handing a picture file to the desktop as its wallpaper. Each desktop family
// has its own program for it; programs are started with argument lists, never
// through a shell, and whatever they answer is not reported.

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace tg {

enum class Desktop { Unknown, Gnome, Cinnamon, Kde, Xfce, Mate };

// The desktop of the session, from XDG_CURRENT_DESKTOP (a ":"-separated list,
// the first known entry wins) or else DESKTOP_SESSION.
Desktop DetectDesktop(const QProcessEnvironment& environment);

struct DesktopCommand {
    QString Program;
    QStringList Arguments;
    bool operator==(const DesktopCommand&) const = default;
};

// Runs one program and returns what it wrote to standard output (empty when
// it could not be started or failed).
using CommandRunner = std::function<QByteArray(const DesktopCommand&)>;

// The runner every following wallpaper call uses; an empty one restores the
// real one, which starts the program and waits a few seconds for it.
void SetCommandRunner(CommandRunner runner);
QByteArray RunDesktopCommand(const DesktopCommand& command);

// Makes the image file at path the wallpaper of the desktop; does nothing on
// an unknown desktop.
void SetDesktopWallpaper(const QString& path, Desktop desktop);

} // namespace tg
