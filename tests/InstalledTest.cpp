// The window as installed: data files from share/tessaglyph beside its bin
// folder, settings in the user's configuration folder when bin may not be
// written.
#include "tests/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QProcess>

namespace {

class InstalledTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Prefix.isValid());
        QDir root(Prefix.path());
        ASSERT_TRUE(root.mkpath(QStringLiteral("bin")));
        ASSERT_TRUE(root.mkpath(QStringLiteral("share/tessaglyph/language")));
        ASSERT_TRUE(root.mkpath(QStringLiteral("share/tessaglyph/images")));
        ASSERT_TRUE(QFile::copy(QStringLiteral(TESSAGLYPH_SOURCE_DIR "/language/Russian.ini"),
                                Prefix.filePath("share/tessaglyph/language/Russian.ini")));
        Config = Prefix.filePath(QStringLiteral("config"));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(Config));
    }
    void TearDown() override { qunsetenv("XDG_CONFIG_HOME"); }
    QString Bin() const { return Prefix.filePath(QStringLiteral("bin")); }

    QTemporaryDir Prefix;
    QString Config;
    DialogScript Dialogs;
};

} // namespace

TEST_F(InstalledTest, LanguagesAndPicturesComeFromTheSharedDataFolder) {
    TForm1 form(Bin());
    form.FirstStart = false;
    form.MLangRussian->trigger();
    EXPECT_EQ(form.MFile->title(), QStringLiteral("Файл"));
    QString folder;
    Dialogs.Then([&folder](QDialog& dialog) {
        folder = dynamic_cast<QFileDialog&>(dialog).directory().absolutePath();
        return int(QDialog::Rejected);
    });
    form.OpenImage();
    EXPECT_EQ(QDir(folder), QDir(Prefix.filePath("share/tessaglyph/images")));
    // The settings stay beside the executable where it may write.
    EXPECT_EQ(form.SettingsFileName(),
              form.BaseFolder + QFileInfo(form.SettingsFileName()).fileName());
}

TEST_F(InstalledTest, SettingsGoToTheConfigurationFolderWhenBinMayNotBeWritten) {
    // The superuser writes anywhere but into an immutable folder.
    if (QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), Bin()}) != 0)
        GTEST_SKIP() << "no way to lock a folder here (chattr +i)";
    {
        TForm1 form(Bin());
        form.FirstStart = false;
        EXPECT_TRUE(form.SettingsFileName().startsWith(Config + QStringLiteral("/tessaglyph/")))
            << form.SettingsFileName().toStdString();
        form.LanguageName = QStringLiteral("Russian");
        form.close();
        EXPECT_TRUE(Dialogs.Errors.isEmpty()) << Dialogs.Errors.join(' ').toStdString();
    }
    QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), Bin()});
    const QStringList written = QDir(Config + QStringLiteral("/tessaglyph")).entryList(QDir::Files);
    ASSERT_EQ(written.size(), 1);
    EXPECT_TRUE(written.first().endsWith(QStringLiteral(".ini")));
    QFile settings(Config + QStringLiteral("/tessaglyph/") + written.first());
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    EXPECT_TRUE(settings.readAll().contains("Language=Russian"));
}
