// The settings file and the language files of the main window.
#include "app/DesktopOpen.h"
#include "app/FormAbout.h"
#include "app/IniFile.h"
#include "app/LanguageKeys.h"
#include "app/TForm1.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTabWidget>

namespace {

const QString OptionsSection = QStringLiteral("Options");
const QString InterfaceSection = QStringLiteral("Interface");

// ---- Targets of the language keys ----

enum class Property { Caption, Hint, Item };

struct Target {
    QObject* Object = nullptr;
    Property Kind = Property::Caption;
    int Index = 0;
};

// The tab widget that shows the page, with the page's index.
QTabWidget* TabOwner(QWidget* page, int& index) {
    auto* stack = qobject_cast<QStackedWidget*>(page->parentWidget());
    auto* tabs = stack != nullptr ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
    index = tabs != nullptr ? tabs->indexOf(page) : -1;
    return index >= 0 ? tabs : nullptr;
}

// The radio button of an item of a radio group (a group box with a button group).
QAbstractButton* RadioItem(QObject* group, int index) {
    auto* buttons = group->findChild<QButtonGroup*>(QString(), Qt::FindDirectChildrenOnly);
    return buttons != nullptr ? buttons->button(index) : nullptr;
}

// The target's current text; nullopt when the object has no such text.
std::optional<QString> TextOf(const Target& target) {
    QObject* object = target.Object;
    switch (target.Kind) {
    case Property::Caption:
        if (auto* menu = qobject_cast<QMenu*>(object))
            return menu->title();
        if (auto* action = qobject_cast<QAction*>(object))
            return action->text();
        if (auto* button = qobject_cast<QAbstractButton*>(object))
            return button->text();
        if (auto* label = qobject_cast<QLabel*>(object))
            return label->text();
        if (auto* group = qobject_cast<QGroupBox*>(object))
            return group->title();
        if (auto* widget = qobject_cast<QWidget*>(object)) {
            int index = -1;
            if (QTabWidget* tabs = TabOwner(widget, index))
                return tabs->tabText(index);
            if (widget->isWindow())
                return widget->windowTitle();
        }
        return std::nullopt;
    case Property::Hint:
        if (auto* action = qobject_cast<QAction*>(object))
            return action->toolTip();
        if (auto* widget = qobject_cast<QWidget*>(object))
            return widget->toolTip();
        return std::nullopt;
    case Property::Item:
        if (auto* combo = qobject_cast<QComboBox*>(object)) {
            if (target.Index < combo->count())
                return combo->itemText(target.Index);
            return std::nullopt;
        }
        if (QAbstractButton* radio = RadioItem(object, target.Index))
            return radio->text();
        return std::nullopt;
    }
    return std::nullopt;
}

void SetTextOf(const Target& target, const QString& text) {
    QObject* object = target.Object;
    switch (target.Kind) {
    case Property::Caption:
        if (auto* menu = qobject_cast<QMenu*>(object))
            menu->setTitle(text);
        else if (auto* action = qobject_cast<QAction*>(object))
            action->setText(text);
        else if (auto* button = qobject_cast<QAbstractButton*>(object))
            button->setText(text);
        else if (auto* label = qobject_cast<QLabel*>(object)) {
            label->setTextFormat(Qt::PlainText);
            label->setText(text);
        } else if (auto* group = qobject_cast<QGroupBox*>(object))
            group->setTitle(text);
        else if (auto* widget = qobject_cast<QWidget*>(object)) {
            int index = -1;
            if (QTabWidget* tabs = TabOwner(widget, index))
                tabs->setTabText(index, text);
            else if (widget->isWindow())
                widget->setWindowTitle(text);
        }
        break;
    case Property::Hint:
        if (auto* action = qobject_cast<QAction*>(object))
            action->setToolTip(text);
        else if (auto* widget = qobject_cast<QWidget*>(object))
            widget->setToolTip(text);
        break;
    case Property::Item:
        if (auto* combo = qobject_cast<QComboBox*>(object))
            combo->setItemText(target.Index, text);
        else if (QAbstractButton* radio = RadioItem(object, target.Index))
            radio->setText(text);
        break;
    }
}

// Every named object under root by its name (the first one in tree order),
// leaving out the dialogs that root owns: they have components of their own.
void CollectComponents(QObject* root, QHash<QString, QObject*>& components) {
    for (QObject* child : root->children()) {
        if (qobject_cast<QDialog*>(child) != nullptr)
            continue;
        if (!child->objectName().isEmpty() && !components.contains(child->objectName()))
            components.insert(child->objectName(), child);
        CollectComponents(child, components);
    }
}

// The target a key names, or nullopt when its component is missing.
std::optional<Target> Resolve(const QString& key, QObject* window, QObject* about,
                              const QHash<QString, QObject*>& windowComponents,
                              const QHash<QString, QObject*>& aboutComponents) {
    static const QRegularExpression itemPattern(QStringLiteral("^Items->Strings\\[(\\d+)\\]$"));
    QStringList parts = key.split(QStringLiteral("->"));
    QObject* root = window;
    const QHash<QString, QObject*>* components = &windowComponents;
    if (parts.size() > 1 && parts.front() == QLatin1String("FormAbout")) {
        if (about == nullptr)
            return std::nullopt;
        root = about;
        components = &aboutComponents;
        parts.removeFirst();
    }
    Target target;
    QString property;
    if (parts.size() == 1) {
        target.Object = root;
        property = parts.front();
    } else {
        target.Object = components->value(parts.front());
        property = parts.mid(1).join(QStringLiteral("->"));
    }
    if (target.Object == nullptr)
        return std::nullopt;
    if (property == QLatin1String("Caption")) {
        target.Kind = Property::Caption;
    } else if (property == QLatin1String("Hint")) {
        target.Kind = Property::Hint;
    } else if (const auto match = itemPattern.match(property); match.hasMatch()) {
        target.Kind = Property::Item;
        target.Index = match.captured(1).toInt();
    } else {
        return std::nullopt;
    }
    return target;
}

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
    return BaseFolder + QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() +
           QStringLiteral(".ini");
}

// Reads the nine options; a missing file, section or key gives the default.
void TForm1::ReadSettings() {
    const IniFile ini(SettingsFileName());
    LanguageName =
        ini.ReadString(OptionsSection, QStringLiteral("Language"), QStringLiteral("English"));
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

QString TForm1::LanguageFileName(const QString& languageName) const {
    const QString folder = BaseFolder + QStringLiteral("language");
    const QString fileName = languageName + QStringLiteral(".ini");
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
    QHash<QString, QObject*> windowComponents;
    QHash<QString, QObject*> aboutComponents;
    CollectComponents(this, windowComponents);
    if (FormAbout != nullptr)
        CollectComponents(FormAbout, aboutComponents);
    for (const QString& key : LanguageKeys()) {
        const auto target = Resolve(key, this, FormAbout, windowComponents, aboutComponents);
        if (!target)
            continue;
        const auto current = TextOf(*target);
        if (!current)
            continue;
        SetTextOf(*target, file.ReadString(InterfaceSection, key, *current));
    }
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
