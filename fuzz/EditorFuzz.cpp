// The editor text file reader: the bytes of a file loaded into a canvas and
// saved again. What must hold: no crash, no hang, no line past the first byte
// 0, a saved file of exactly Height x (Width + 2) bytes, and a canvas that
// reads back the same after a save and a load.
#include "editor/EditorSession.h"

#include <QByteArray>
#include <cstdio>
#include <cstdlib>

namespace {

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "violated: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList lines = tg::ReadEditorText(bytes);
    const qsizetype zero = bytes.indexOf('\0');
    for (const QString& line : lines)
        Check(!line.contains(QChar(0)), "no line holds a byte 0");
    if (zero >= 0)
        Check(lines.join(QString()).size() <= zero, "nothing is read past the first byte 0");

    tg::EditorSession session;
    session.SetSize(100, 100);
    session.Load(lines);
    const QByteArray saved = session.SaveText();
    Check(saved.size() == qsizetype(session.Height()) * (session.Width() + 2),
          "the saved file holds every row of the canvas");

    tg::EditorSession again;
    again.SetSize(100, 100);
    again.Load(tg::ReadEditorText(saved));
    Check(again.Rows() == session.Rows(), "a saved canvas loads back the same");
    return 0;
}
