#pragma once
// The one exception type that handlers throw; its message is shown in the
// standard error box as it stands.

#include <QString>
#include <stdexcept>

namespace tg {

class AppError : public std::runtime_error {
public:
    explicit AppError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString Message() const { return QString::fromStdString(what()); }
};

// The message pattern with its one "%s" replaced by the argument.
inline QString FormatMessage(const QString& pattern, const QString& argument) {
    QString result = pattern;
    const qsizetype at = result.indexOf(QLatin1String("%s"));
    if (at >= 0)
        result.replace(at, 2, argument);
    return result;
}

} // namespace tg
