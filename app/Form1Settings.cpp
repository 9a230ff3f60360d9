// The settings file and the language files of the main window.
#include "app/DesktopOpen.h"
#include "app/FormAbout.h"
#include "app/IniFile.h"
#include "app/LanguageKeys.h"
#include "app/TForm1.h"
#include "app/Translation.h"

#include "common/AppFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

const QString OptionsSection = QStringLiteral("Options");
const QString InterfaceSection = QStringLiteral("Interface");

} // namespace

const QStringList& LanguageKeys() {
    static const QStringList keys = {
        // Main menu
        QStringLiteral("MFile->Caption"),
        QStringLiteral("MPrint->Caption"),
        QStringLiteral("MExit->Caption"),
        QStringLiteral("MSettings->Caption"),
        QStringLiteral("MSetFont->Caption"),
        QStringLiteral("MWallpaper->Caption"),
        QStringLiteral("MLanguage->Caption"),
        QStringLiteral("MLangEnglish->Caption"),
        QStringLiteral("MLangRussian->Caption"),
        QStringLiteral("MLangArabic->Caption"),
        QStringLiteral("MLangFrench->Caption"),
        QStringLiteral("MLangSimplifiedChinese->Caption"),
        QStringLiteral("MHelp->Caption"),
        QStringLiteral("MContents->Caption"),
        QStringLiteral("MAbout->Caption"),
        // Pages and editor buttons
        QStringLiteral("TabSheetImage->Caption"),
        QStringLiteral("TabSheetText->Caption"),
        QStringLiteral("TabSheetEditor->Caption"),
        QStringLiteral("ButtonEditorClear->Caption"),
        QStringLiteral("ButtonEditorSave->Caption"),
        QStringLiteral("ButtonEditorLoad->Caption"),
        // Image page options
        QStringLiteral("LabelFontSize->Caption"),
        QStringLiteral("LabelSet->Caption"),
        QStringLiteral("GroupBoxOptions->Caption"),
        QStringLiteral("LabelSymbol->Caption"),
        QStringLiteral("LabelBG->Caption"),
        QStringLiteral("ImageColorBG->Hint"),
        // Image page
        QStringLiteral("CheckBoxRandom->Caption"),
        QStringLiteral("ButtonOpenImage->Caption"),
        QStringLiteral("ButtonSave->Caption"),
        QStringLiteral("TabSheetColor->Caption"),
        QStringLiteral("LabelBrightness->Caption"),
        QStringLiteral("LabelContrast->Caption"),
        QStringLiteral("LabelSaturation->Caption"),
        QStringLiteral("TabSheetRotation->Caption"),
        QStringLiteral("ButtonRotateFree->Caption"),
        QStringLiteral("ButtonFlipH->Caption"),
        QStringLiteral("ButtonFlipV->Caption"),
        QStringLiteral("CheckBoxCustom->Caption"),
        QStringLiteral("RadioGroupCustom->Items->Strings[0]"),
        QStringLiteral("RadioGroupCustom->Items->Strings[1]"),
        // Text page
        QStringLiteral("LabelText->Caption"),
        QStringLiteral("LabelChar->Caption"),
        QStringLiteral("LabelCharBG->Caption"),
        QStringLiteral("ButtonSaveText->Caption"),
        QStringLiteral("cmbTextType->Items->Strings[0]"),
        QStringLiteral("cmbTextType->Items->Strings[1]"),
        QStringLiteral("cmbTextType->Items->Strings[2]"),
        QStringLiteral("cmbTextType->Items->Strings[3]"),
        // Editor page
        QStringLiteral("GroupBoxCanvas->Caption"),
        QStringLiteral("LabelCanvasWidth->Caption"),
        QStringLiteral("LabelCanvasHeight->Caption"),
        QStringLiteral("GroupBoxCell->Caption"),
        QStringLiteral("LabelCellWidth->Caption"),
        QStringLiteral("LabelCellHeight->Caption"),
        QStringLiteral("GroupBoxPos->Caption"),
        QStringLiteral("LabelPosColTitle->Caption"),
        QStringLiteral("LabelPosRowTitle->Caption"),
        // About dialog
        QStringLiteral("FormAbout->Caption"),
        QStringLiteral("FormAbout->LabelAbout->Caption"),
        QStringLiteral("FormAbout->LabelAuthor->Caption"),
        QStringLiteral("FormAbout->LabelSite->Caption"),
    };
    return keys;
}

// ---- Settings file ----

QString TForm1::SettingsFileName() const {
    // Beside the executable where it may be written there, else in the
    // user's configuration folder (an installed program's folder).
    return tg::WritablePlace(BaseFolder,
                             QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() +
                                 QStringLiteral(".ini"));
}

// Reads the nine options; a missing file, section or key gives the default.
void TForm1::ReadSettings() {
    const IniFile ini(SettingsFileName());
    LanguageName =
        ini.ReadString(OptionsSection, QStringLiteral("Language"), QStringLiteral("English"));
    if (!IsLanguageName(LanguageName))
        LanguageName = QStringLiteral("English");
    CanvasWidth = ini.ReadInteger(OptionsSection, QStringLiteral("canvasWidth"), 100);
    CanvasHeight = ini.ReadInteger(OptionsSection, QStringLiteral("canvasHeight"), 100);
    CellWidth = ini.ReadInteger(OptionsSection, QStringLiteral("cellWidth"), 10);
    CellHeight = ini.ReadInteger(OptionsSection, QStringLiteral("cellHeight"), 16);
    FirstStart = ini.ReadBool(OptionsSection, QStringLiteral("firstStart"), true);
    TextChar = ini.ReadString(OptionsSection, QStringLiteral("TextChar"), QStringLiteral("@"));
    TextCharBG = ini.ReadString(OptionsSection, QStringLiteral("TextCharBG"), QStringLiteral(" "));
    TextType = ini.ReadInteger(OptionsSection, QStringLiteral("textType"), 0);
}

// Writes every option, changed or not, in one replacement of the file.
void TForm1::WriteSettings() {
    IniFile ini(SettingsFileName());
    ini.WriteString(OptionsSection, QStringLiteral("Language"), LanguageName);
    ini.WriteInteger(OptionsSection, QStringLiteral("canvasWidth"), CanvasWidth);
    ini.WriteInteger(OptionsSection, QStringLiteral("canvasHeight"), CanvasHeight);
    ini.WriteInteger(OptionsSection, QStringLiteral("cellWidth"), CellWidth);
    ini.WriteInteger(OptionsSection, QStringLiteral("cellHeight"), CellHeight);
    ini.WriteBool(OptionsSection, QStringLiteral("firstStart"), FirstStart);
    ini.WriteString(OptionsSection, QStringLiteral("TextChar"), TextChar);
    ini.WriteString(OptionsSection, QStringLiteral("TextCharBG"), TextCharBG);
    ini.WriteInteger(OptionsSection, QStringLiteral("textType"), TextType);
    ini.UpdateFile();
}

// ---- Language files ----

bool IsLanguageName(const QString& name) {
    if (name.isEmpty())
        return false;
    for (const QChar ch : name) {
        if (ch == QLatin1Char('/') || ch == QLatin1Char('\\') || ch.unicode() < 0x20)
            return false;
    }
    return true;
}

QString TForm1::LanguageFileName(const QString& languageName) const {
    const QString folder = tg::DataFolder(BaseFolder) + QStringLiteral("language");
    const QString fileName =
        (IsLanguageName(languageName) ? languageName : QStringLiteral("English")) +
        QStringLiteral(".ini");
    const QString path = folder + QDir::separator() + fileName;
    if (QFileInfo::exists(path))
        return path;
    // File names of the folder match without regard to case.
    const QStringList entries = QDir(folder).entryList(QDir::Files);
    for (const QString& entry : entries) {
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            return folder + QDir::separator() + entry;
    }
    return path;
}

// Puts the texts of the language file into the window and the About dialog:
// a missing key keeps its target's text, an empty value empties it.
void TForm1::ApplyLanguage(const QString& languageName) {
    const std::pair<QAction*, const char*> languages[] = {
        {MLangEnglish, "English"},
        {MLangRussian, "Russian"},
        {MLangArabic, "Arabic"},
        {MLangFrench, "French"},
        {MLangSimplifiedChinese, "SimplifiedChinese"},
    };
    for (const auto& [item, name] : languages)
        item->setChecked(false);
    for (const auto& [item, name] : languages)
        item->setChecked(languageName == QLatin1String(name));

    const IniFile file(LanguageFileName(languageName), IniFile::Encoding::Utf8OrCp1252);
    ApplyTexts(file, InterfaceSection, LanguageKeys(), this,
               {{QStringLiteral("FormAbout"), FormAbout}});
    // Arabic reads from right to left; every other language from left to right.
    setLayoutDirection(languageName == QLatin1String("Arabic") ? Qt::RightToLeft : Qt::LeftToRight);
    LayOutOptions();
    if (FormAbout != nullptr)
        FormAbout->FitTexts();

    // The mode list shows the banner's mode again after its items changed.
    SelectTextType();
}

void TForm1::MLangEnglishClick() {
    LanguageName = QStringLiteral("English");
    ApplyLanguage(LanguageName);
}

void TForm1::MLangRussianClick() {
    LanguageName = QStringLiteral("Russian");
    ApplyLanguage(LanguageName);
}

void TForm1::MLangArabicClick() {
    LanguageName = QStringLiteral("Arabic");
    ApplyLanguage(LanguageName);
}

void TForm1::MLangFrenchClick() {
    LanguageName = QStringLiteral("French");
    ApplyLanguage(LanguageName);
}

void TForm1::MLangSimplifiedChineseClick() {
    LanguageName = QStringLiteral("SimplifiedChinese");
    ApplyLanguage(LanguageName);
}

// Help, Contents (hidden): the help file of English or Russian, when it exists.
void TForm1::MContentsClick() {
    QString helpFile;
    if (LanguageName == QLatin1String("English"))
        helpFile = HelpFileEn;
    else if (LanguageName == QLatin1String("Russian"))
        helpFile = HelpFileRu;
    if (helpFile.isEmpty() || !QFileInfo(helpFile).isFile())
        return;
    OpenWithDesktop(QUrl::fromLocalFile(helpFile));
}
