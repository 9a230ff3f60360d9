// The command-line converter, run as the real program.
#include "common/Codepage.h"
#include "convert/Symbols.h"
#include "tests/TestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class Converter : public ::testing::Test {
protected:
    QString Picture(const QString& name, const QImage& image) {
        const QString path = Folder.filePath(name);
        EXPECT_TRUE(image.save(path));
        return path;
    }
    QTemporaryDir Folder;
};

} // namespace

TEST_F(Converter, WritesTheRowsWithCrLfWithoutAnyDisplay) {
    const QString path = Picture("black.png", Solid(40, 20, Qt::black));
    const ConverterRun run = RunConverter({path});
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    const QByteArray row = QByteArray(80, '#') + "\r\n";
    EXPECT_EQ(run.Out, row.repeated(20));
    EXPECT_TRUE(run.Err.isEmpty());
}

TEST_F(Converter, WidthAndSymbolModesAsInTheWindow) {
    const QString ramp = Picture("ramp.png", Ramp(64, 16));
    struct Case {
        QStringList Arguments;
        QString Symbols;
        bool Sentence;
        int Width;
    };
    const Case cases[] = {
        {{"--width", "20"}, tg::PresetSymbolSets()[0], false, 20},
        {{"--symbols", "01  "}, "01  ", false, 64},
        {{"--symbol", "@"}, "@ ", false, 64},
        {{"--custom", tg::DefaultCustomSymbols(), "--width", "10"},
         tg::DefaultCustomSymbols(),
         false,
         10},
        {{"--sentence", "ASCII "}, "ASCII ", true, 64},
        {{"--symbols", QString::fromUtf8("\xC3\xA9\xE2\x82\xAC\xE4\xB8\xAD")},
         QString::fromUtf8("\xC3\xA9\xE2\x82\xAC?"),
         false,
         64},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Arguments.join(' ').toStdString());
        const ConverterRun run = RunConverter(QStringList{ramp} << c.Arguments);
        ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
        const QImage work = tg::ImagePyramid(Ramp(64, 16)).Resample(c.Width);
        QByteArray expected;
        for (const QString& line : tg::RenderArtText(work, c.Symbols, c.Sentence).Lines)
            expected += tg::ToCp1252(line) + "\r\n";
        EXPECT_EQ(run.Out, expected);
    }
}

TEST_F(Converter, WritesAFileAndClampsTheDefaultWidth) {
    const QString path = Picture("wide.png", Solid(1200, 30, Qt::white));
    const QString out = Folder.filePath("art.rows"); // no known type: the bare rows
    const ConverterRun run = RunConverter({path, "-o", out});
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    EXPECT_TRUE(run.Out.isEmpty());
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), 8); // 300 x 7 and the empty rest after the last line end
    EXPECT_EQ(lines[0], QByteArray(600, ' ') + "\r");
}

TEST_F(Converter, ErrorsAreOneLineAndANonZeroStatus) {
    const QString picture = Picture("p.png", Solid(20, 20, Qt::black));
    QFile garbage(Folder.filePath("garbage.jpg"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("nothing");
    garbage.close();
    const QStringList bad[] = {
        {},
        {Folder.filePath("missing.png")},
        {garbage.fileName()},
        {picture, "--width", "9"},
        {picture, "--width", "301"},
        {picture, "--width", "abc"},
        {picture, "--width"},
        {picture, "--frobnicate"},
        {picture, "--symbol", "ab"},
        {picture, "--symbols", "ab", "--sentence", "cd"},
        {picture, "-o", Folder.filePath("no/such/folder/out.txt")},
    };
    for (const QStringList& arguments : bad) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const ConverterRun run = RunConverter(arguments);
        EXPECT_NE(run.Status, 0);
        EXPECT_TRUE(run.Out.isEmpty());
        EXPECT_TRUE(run.Err.startsWith("tessaglyph-convert: ")) << run.Err.toStdString();
        EXPECT_EQ(run.Err.count('\n'), 1) << run.Err.toStdString();
    }
    const ConverterRun help = RunConverter({"--help"});
    EXPECT_EQ(help.Status, 0);
    EXPECT_TRUE(help.Out.startsWith("Usage: tessaglyph-convert PICTURE"));
}

// A program folder of another user holding a file this user may write: the
// file is written in place, so hard links to it see the new content, and a
// new file in that folder still fails as before.
TEST_F(Converter, WritesAWritableFileInAFolderItMayNotWriteTo) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to prepare another user's folder";
    if (QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
        GTEST_SKIP() << "setpriv (util-linux) is not installed";
    const passwd* nobody = ::getpwnam("nobody");
    if (nobody == nullptr)
        GTEST_SKIP() << "the machine has no unprivileged user nobody";
    const auto own = [nobody](const QString& path) {
        ASSERT_EQ(::chown(QFile::encodeName(path).constData(), nobody->pw_uid, nobody->pw_gid), 0);
    };
    ASSERT_EQ(::chmod(QFile::encodeName(Folder.path()).constData(), 0755), 0);
    const QString picture = Picture("black.png", Solid(4, 2, Qt::black));
    const QString out = Folder.filePath("out.htm");
    const QString link = Folder.filePath("link.htm");
    {
        QFile file(out);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old");
    }
    own(out);
    ASSERT_EQ(::link(QFile::encodeName(out).constData(), QFile::encodeName(link).constData()), 0);

    const auto runAsNobody = [nobody](const QStringList& arguments) {
        QProcess process;
        process.start(QStringLiteral("setpriv"),
                      QStringList{QStringLiteral("--reuid=%1").arg(nobody->pw_uid),
                                  QStringLiteral("--regid=%1").arg(nobody->pw_gid),
                                  QStringLiteral("--clear-groups"),
                                  QStringLiteral(TESSAGLYPH_BINARY_DIR "/tessaglyph-convert")} +
                          arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        return std::make_pair(process.exitCode(), process.readAllStandardError());
    };
    const auto [status, err] = runAsNobody({picture, "-o", out});
    ASSERT_EQ(status, 0) << err.toStdString();
    QFile written(out), linked(link);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    ASSERT_TRUE(linked.open(QIODevice::ReadOnly));
    const QByteArray content = written.readAll();
    EXPECT_TRUE(content.startsWith("<HTML>")) << content.left(40).toStdString();
    EXPECT_EQ(linked.readAll(), content);
    EXPECT_EQ(QFileInfo(out).ownerId(), nobody->pw_uid);

    const QString fresh = Folder.filePath("new.htm");
    const auto [freshStatus, freshErr] = runAsNobody({picture, "-o", fresh});
    EXPECT_EQ(freshStatus, 1);
    EXPECT_TRUE(freshErr.contains("Cannot create file")) << freshErr.toStdString();
    EXPECT_FALSE(QFileInfo::exists(fresh));
}
