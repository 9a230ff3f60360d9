#pragma once
// Opening an address or a file with the desktop's default handler (a web
// address in the browser, a help file in its viewer). Tests install an opener
// that records the address instead of starting a program.

#include <QUrl>
#include <functional>

using UrlOpener = std::function<bool(const QUrl&)>;

// Hands the address to the installed opener, or to the desktop; true when it
// was taken. Failures are not reported.
bool OpenWithDesktop(const QUrl& url);
// Installs an opener for every following call; an empty one restores the desktop.
void SetUrlOpener(UrlOpener opener);
