// The About dialog, the first-run language dialog and Help, Contents.
#include "app/DesktopOpen.h"
#include "app/FormAbout.h"
#include "app/FormLanguage.h"
#include "tests/ShellSupport.h"

#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QWindow>

namespace {

// Records what would be handed to the desktop, and restores it afterwards.
class DesktopRecorder {
public:
    DesktopRecorder() {
        SetUrlOpener([this](const QUrl& url) {
            Urls.append(url);
            return true;
        });
    }
    ~DesktopRecorder() { SetUrlOpener({}); }
    QList<QUrl> Urls;
};

void Send(QWidget* widget, QEvent::Type type, Qt::MouseButton button = Qt::NoButton) {
    const QPointF at(2, 2);
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, button, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

QColor TextColor(const QLabel* label) {
    return label->palette().color(QPalette::WindowText);
}

} // namespace

using DialogsTest = ShellTest;

TEST_F(DialogsTest, FirstRunAsksForTheLanguageBeforeTheWindowAppears) {
    enum class Closing { Button, CloseBox, Escape };
    for (const Closing closing : {Closing::Button, Closing::CloseBox, Closing::Escape}) {
        SCOPED_TRACE(int(closing));
        QTemporaryDir folder;
        Folder.swap(folder);
        CopyLanguages({QStringLiteral("Russian")});
        bool windowShownFirst = true;
        int selectedOnShow = -1;
        Dialogs->Then([&](QDialog& dialog) {
            auto& language = dynamic_cast<TFormLanguage&>(dialog);
            windowShownFirst =
                Form1->windowHandle() != nullptr && Form1->windowHandle()->isVisible();
            language.ComboBoxLang->setCurrentIndex(1);
            language.show();
            selectedOnShow = language.ComboBoxLang->currentIndex();
            language.ComboBoxLang->setCurrentIndex(1);
            if (closing == Closing::Button) {
                language.ButtonOk->click();
            } else if (closing == Closing::CloseBox) {
                language.close();
            } else {
                QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QCoreApplication::sendEvent(&language, &escape);
            }
            EXPECT_FALSE(language.isVisible());
            return language.result();
        });
        auto form = Launch();
        EXPECT_FALSE(windowShownFirst);
        EXPECT_EQ(selectedOnShow, 0);
        EXPECT_EQ(Dialogs->Opened, QStringList{QStringLiteral("FormLanguage")});
        EXPECT_TRUE(form->windowHandle()->isVisible());
        EXPECT_EQ(form->LanguageName, QStringLiteral("Russian"));
        EXPECT_EQ(form->MFile->title(), QStringLiteral("Файл"));
        EXPECT_TRUE(form->MLangRussian->isChecked());
        form->close();
        EXPECT_EQ(ReadBytes(SettingsPath()), QByteArray("[Options]\r\n"
                                                        "Language=Russian\r\n"
                                                        "canvasWidth=100\r\n"
                                                        "canvasHeight=100\r\n"
                                                        "cellWidth=10\r\n"
                                                        "cellHeight=16\r\n"
                                                        "firstStart=0\r\n"
                                                        "TextChar=@\r\n"
                                                        "TextCharBG= \r\n"
                                                        "textType=0\r\n"));
        form.reset();

        // The next run asks no more and starts in the chosen language.
        form = Launch();
        EXPECT_EQ(Dialogs->Opened.size(), 1);
        EXPECT_EQ(Dialogs->Unexpected, 0);
        EXPECT_EQ(form->MFile->title(), QStringLiteral("Файл"));
        form.reset();
        Dialogs->Opened.clear();
    }
}

TEST_F(DialogsTest, AboutShowsTheLanguagesTextsAndOpensTheLink) {
    SkipFirstRun();
    CopyLanguages({QStringLiteral("Russian")});
    auto form = Launch();
    form->MLangRussian->trigger();
    form->cmbTextType->setCurrentIndex(2);
    DesktopRecorder desktop;
    Dialogs->Then([&](QDialog& dialog) {
        auto& about = dynamic_cast<TFormAbout&>(dialog);
        about.show();
        EXPECT_EQ(about.windowTitle(), QStringLiteral("О программе"));
        EXPECT_EQ(about.LabelAbout->text(),
                  QStringLiteral("создаёт ascii-графику из изображений и текста"));
        EXPECT_EQ(about.LabelAuthor->text(), QStringLiteral("Проект Tessaglyph"));
        EXPECT_EQ(about.LabelTitle->text(), QStringLiteral("Tessaglyph 1.72"));
        EXPECT_EQ(about.OKButton->text(), QStringLiteral("OK"));

        EXPECT_EQ(TextColor(about.LabelSite), QColor(0, 0, 255));
        Send(about.LabelSite, QEvent::MouseMove);
        EXPECT_EQ(TextColor(about.LabelSite), QColor(255, 0, 0));
        EXPECT_EQ(about.LabelSite->cursor().shape(), Qt::PointingHandCursor);
        Send(about.Panel1, QEvent::MouseMove);
        EXPECT_EQ(TextColor(about.LabelSite), QColor(0, 0, 255));

        Send(about.LabelSite, QEvent::MouseButtonPress, Qt::RightButton);
        EXPECT_EQ(desktop.Urls, QList<QUrl>{QUrl(QStringLiteral("https://tessaglyph.org"))});
        about.OKButton->click();
        EXPECT_FALSE(about.isVisible());
        return about.result();
    });
    form->MAbout->trigger();
    EXPECT_EQ(Dialogs->Opened, QStringList{QStringLiteral("FormAbout")});
    EXPECT_EQ(form->FormAbout->result(), int(QDialog::Accepted));
    // Applying the language on the way shows the mode last picked (a selection
    // made from code is no pick).
    EXPECT_EQ(form->cmbTextType->currentIndex(), form->TextType);

    // An empty link opens nothing.
    form->FormAbout->LabelSite->clear();
    Send(form->FormAbout->LabelSite, QEvent::MouseButtonPress, Qt::LeftButton);
    EXPECT_EQ(desktop.Urls.size(), 1);
}

TEST_F(DialogsTest, HelpContentsOpensTheHelpFileOfTheLanguage) {
    const struct {
        const char* Language;
        bool FilesExist;
        const char* Expected; // help file handed over, or none
    } cases[] = {
        {"English", true, "Help - EN.chm"},
        {"Russian", true, "Help - RU.chm"},
        {"English", false, nullptr},
        {"French", true, nullptr},
    };
    SkipFirstRun();
    DesktopRecorder desktop;
    const auto form = Launch();
    EXPECT_FALSE(form->MContents->isVisible());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Language);
        for (const char* name : {"Help - EN.chm", "Help - RU.chm"}) {
            if (c.FilesExist)
                WriteBytes(Folder.filePath(QLatin1String(name)), "help");
            else
                QFile::remove(Folder.filePath(QLatin1String(name)));
        }
        desktop.Urls.clear();
        form->LanguageName = QLatin1String(c.Language);
        form->MContents->trigger();
        if (c.Expected == nullptr)
            EXPECT_TRUE(desktop.Urls.isEmpty());
        else
            EXPECT_EQ(desktop.Urls,
                      QList<QUrl>{QUrl::fromLocalFile(Folder.filePath(QLatin1String(c.Expected)))});
    }
}
