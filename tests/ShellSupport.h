#pragma once
// Support for tests of the shell's start and close: a temporary BaseFolder in
// which the test lays out the settings file and the language files before the
// window is made, so the window reads them as it would beside the executable.

#include "tests/TestSupport.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QTemporaryDir>

class ShellTest : public ::testing::Test {
protected:
    // The settings file of this test program in the temporary folder.
    QString SettingsPath() const {
        return Folder.filePath(QFileInfo(QCoreApplication::applicationFilePath()).fileName() +
                               QStringLiteral(".ini"));
    }
    QString LanguagePath(const QString& name) const {
        return Folder.filePath(QStringLiteral("language/") + name + QStringLiteral(".ini"));
    }
    static void WriteBytes(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        file.write(bytes);
    }
    static QByteArray ReadBytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Copies shipped language files into the folder's "language" folder.
    void CopyLanguages(const QStringList& names) {
        QDir(Folder.path()).mkpath(QStringLiteral("language"));
        for (const QString& name : names) {
            ASSERT_TRUE(QFile::copy(ShippedLanguage(name), LanguagePath(name)))
                << name.toStdString();
        }
    }
    static QString ShippedLanguage(const QString& name) {
        return QStringLiteral(TESSAGLYPH_SOURCE_DIR "/language/") + name + QStringLiteral(".ini");
    }
    // A settings file that skips the first-run dialog.
    void SkipFirstRun() { WriteBytes(SettingsPath(), "[Options]\r\nfirstStart=0\r\n"); }
    // Makes the window on the folder and shows it.
    std::unique_ptr<TForm1> Launch() {
        auto form = std::make_unique<TForm1>(Folder.path());
        form->show();
        return form;
    }

    QTemporaryDir Folder;
    std::unique_ptr<DialogScript> Dialogs = std::make_unique<DialogScript>();
};

// Every text the window and its About dialog show, by component name: the
// captions of labels, buttons, group boxes, menus and actions, tab texts,
// item strings and hints.
inline QHash<QString, QString> Texts(TForm1& form) {
    QHash<QString, QString> texts;
    QList<QObject*> objects = form.findChildren<QObject*>();
    objects.append(&form);
    for (QObject* object : objects) {
        const QString name = object->objectName();
        if (name.isEmpty())
            continue;
        if (auto* label = qobject_cast<QLabel*>(object))
            texts[name] = label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(object))
            texts[name] = button->text();
        else if (auto* group = qobject_cast<QGroupBox*>(object))
            texts[name] = group->title();
        else if (auto* menu = qobject_cast<QMenu*>(object))
            texts[name] = menu->title();
        else if (auto* action = qobject_cast<QAction*>(object); action && !action->menu())
            texts[name] = action->text(); // a submenu's action shows the menu's title
        if (auto* tabs = qobject_cast<QTabWidget*>(object)) {
            for (int i = 0; i < tabs->count(); ++i)
                texts[name + QStringLiteral("/tab%1").arg(i)] = tabs->tabText(i);
        }
        if (auto* combo = qobject_cast<QComboBox*>(object)) {
            for (int i = 0; i < combo->count(); ++i)
                texts[name + QStringLiteral("/item%1").arg(i)] = combo->itemText(i);
        }
        if (auto* widget = qobject_cast<QWidget*>(object)) {
            if (!widget->toolTip().isEmpty())
                texts[name + QStringLiteral("/hint")] = widget->toolTip();
            if (widget->isWindow() && qobject_cast<QMenu*>(widget) == nullptr)
                texts[name + QStringLiteral("/title")] = widget->windowTitle();
        }
    }
    return texts;
}
