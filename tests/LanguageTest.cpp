// Switching the interface language through the language files.
#include "app/ColorSwatch.h"
#include "app/FormAbout.h"
#include "app/IniFile.h"
#include "app/LanguageKeys.h"
#include "tests/ShellSupport.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStringDecoder>

using LanguageTest = ShellTest;

TEST_F(LanguageTest, EveryKeyReachesOneTarget) {
    // A file whose every key holds its own number shows each number once.
    SkipFirstRun();
    QByteArray probe = "[Interface]\r\n";
    const QStringList& keys = LanguageKeys();
    for (int i = 0; i < keys.size(); ++i)
        probe += keys[i].toLatin1() + "=<" + QByteArray::number(i) + ">\r\n";
    QDir(Folder.path()).mkdir(QStringLiteral("language"));
    WriteBytes(LanguagePath(QStringLiteral("Probe")), probe);
    const auto form = Launch();
    form->ApplyLanguage(QStringLiteral("Probe"));
    const QHash<QString, QString> texts = Texts(*form);
    for (int i = 0; i < keys.size(); ++i) {
        const QString value = QStringLiteral("<%1>").arg(i);
        EXPECT_EQ(texts.keys(value).size(), 1) << keys[i].toStdString();
    }
    EXPECT_EQ(form->GroupBoxOptions->title(), QStringLiteral("<23>"));
    EXPECT_EQ(form->FormAbout->windowTitle(), QStringLiteral("<58>"));
    EXPECT_EQ(form->FormAbout->LabelSite->text(), QStringLiteral("<61>"));
}

TEST_F(LanguageTest, RussianThenEnglishRestoresTheDesignTexts) {
    SkipFirstRun();
    CopyLanguages({QStringLiteral("English"), QStringLiteral("Russian")});
    const auto form = Launch();
    const QHash<QString, QString> design = Texts(*form);

    form->MLangRussian->trigger();
    EXPECT_EQ(form->LanguageName, QStringLiteral("Russian"));
    EXPECT_EQ(form->MFile->title(), QStringLiteral("Файл"));
    EXPECT_EQ(form->MLanguage->title(), QStringLiteral("Язык"));
    EXPECT_EQ(form->PageControl2->tabText(0), QStringLiteral("Изображение"));
    EXPECT_EQ(form->PageControl1->tabText(1), QStringLiteral("Поворот"));
    EXPECT_EQ(form->GroupBoxOptions->title(), QStringLiteral(" Параметры: "));
    EXPECT_EQ(form->ImageColorBG->toolTip(), QStringLiteral("Цвет кисти"));
    EXPECT_EQ(form->RadioGroupCustomItems->button(1)->text(), QStringLiteral("предложение"));
    EXPECT_EQ(form->cmbTextType->itemText(3), QStringLiteral("случайно"));
    EXPECT_EQ(form->FormAbout->windowTitle(), QStringLiteral("О программе"));
    EXPECT_TRUE(form->MLangRussian->isChecked());
    EXPECT_FALSE(form->MLangEnglish->isChecked());
    // Texts that no key reaches stay as designed.
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Tessaglyph 1.72"));
    EXPECT_EQ(form->ButtonRotate90->text(), QStringLiteral("90"));
    EXPECT_EQ(form->PageControl2->tabText(1), QStringLiteral("RTF"));

    form->MLangEnglish->trigger();
    EXPECT_EQ(Texts(*form), design);
    EXPECT_TRUE(form->MLangEnglish->isChecked());
    EXPECT_FALSE(form->MLangRussian->isChecked());
}

TEST_F(LanguageTest, MissingFilesAndKeysKeepTheTexts) {
    SkipFirstRun();
    CopyLanguages({QStringLiteral("Russian"), QStringLiteral("SimplifiedChinese")});
    // An English file that holds two keys, one of them empty.
    WriteBytes(LanguagePath(QStringLiteral("English")),
               "[Interface]\r\nMFile->Caption=File\r\nLabelSet->Caption=\r\n");
    const auto form = Launch();

    // No French file: only the check mark moves.
    const QHash<QString, QString> before = Texts(*form);
    form->MLangFrench->trigger();
    EXPECT_EQ(Texts(*form), before);
    EXPECT_TRUE(form->MLangFrench->isChecked());
    EXPECT_FALSE(form->MLangEnglish->isChecked());
    EXPECT_EQ(form->LanguageName, QStringLiteral("French"));

    form->MLangRussian->trigger();
    form->MLangEnglish->trigger();
    EXPECT_EQ(form->MFile->title(), QStringLiteral("File"));
    EXPECT_EQ(form->LabelSet->text(), QString());
    EXPECT_EQ(form->MExit->text(), QStringLiteral("Выход"));
    EXPECT_EQ(form->FormAbout->LabelAbout->text(),
              QStringLiteral("создаёт ascii-графику из изображений и текста"));

    // A name in other letters checks no item; its file is found all the same.
    form->ApplyLanguage(QStringLiteral("simplifiedchinese"));
    for (QAction* item : {form->MLangEnglish, form->MLangRussian, form->MLangArabic,
                          form->MLangFrench, form->MLangSimplifiedChinese})
        EXPECT_FALSE(item->isChecked()) << item->objectName().toStdString();
    EXPECT_EQ(form->MFile->title(), QStringLiteral("文件"));
}

TEST_F(LanguageTest, ALanguageNameIsAFileNameInTheLanguageFolder) {
    // A file beside the language folder that a name with separators would reach.
    WriteBytes(Folder.filePath(QStringLiteral("outside.ini")),
               "[Interface]\r\nMFile->Caption=Outside\r\n");
    QDir(Folder.path()).mkpath(QStringLiteral("language/sub"));
    WriteBytes(LanguagePath(QStringLiteral("English")), "[Interface]\r\nMFile->Caption=File\r\n");
    for (const char* name : {"../outside", "sub/../../outside", "..\\outside"}) {
        SCOPED_TRACE(name);
        WriteBytes(SettingsPath(),
                   QByteArray("[Options]\r\nfirstStart=0\r\nLanguage=") + name + "\r\n");
        auto form = Launch();
        EXPECT_EQ(form->LanguageName, QStringLiteral("English"));
        EXPECT_TRUE(form->MLangEnglish->isChecked());
        EXPECT_EQ(form->MFile->title(), QStringLiteral("File"));
        // Applied directly, such a name reads English.ini as well.
        form->MFile->setTitle(QStringLiteral("changed"));
        form->ApplyLanguage(QString::fromLatin1(name));
        EXPECT_EQ(form->MFile->title(), QStringLiteral("File"));
        form->close();
        EXPECT_TRUE(ReadBytes(SettingsPath()).contains("Language=English\r\n"));
    }
}

TEST_F(LanguageTest, FilesInUtf8OrTheCodePage) {
    SkipFirstRun();
    QDir(Folder.path()).mkdir(QStringLiteral("language"));
    const struct {
        const char* Name;
        QByteArray Bytes;
        QString Expected;
    } cases[] = {
        {"Utf8", "[Interface]\r\nMFile->Caption=\xD0\xA4\xD0\xB0\xD0\xB9\xD0\xBB \xE6\x96\x87\r\n",
         QStringLiteral("Файл 文")},
        {"CodePage", "[Interface]\nMFile->Caption=Fichier \xE9t\xE9 \x80\n",
         QStringLiteral("Fichier été €")},
    };
    const auto form = Launch();
    for (const auto& c : cases) {
        WriteBytes(LanguagePath(QLatin1String(c.Name)), c.Bytes);
        form->ApplyLanguage(QLatin1String(c.Name));
        EXPECT_EQ(form->MFile->title(), c.Expected) << c.Name;
    }
}

TEST_F(LanguageTest, ApplyingKeepsTheBannerModeAndTheRadioGroup) {
    SkipFirstRun();
    CopyLanguages({QStringLiteral("Russian")});
    const auto form = Launch();
    form->cmbTextType->setCurrentIndex(2);
    form->TextType = 2;
    form->RadioGroupCustomItems->button(1)->setChecked(true);
    form->MLangRussian->trigger();
    EXPECT_EQ(form->cmbTextType->currentIndex(), 2);
    EXPECT_EQ(form->cmbTextType->currentText(), QStringLiteral("шаг по столбцам"));
    EXPECT_EQ(form->TextType, 2);
    EXPECT_TRUE(form->RadioGroupCustomItems->button(1)->isChecked());
    EXPECT_FALSE(form->RadioGroupCustom->isEnabled());
}

TEST(ShippedLanguages, EachFileHoldsEveryKeyInUtf8) {
    const QStringList& keys = LanguageKeys();
    for (const char* name : {"English", "Russian", "Arabic", "French", "SimplifiedChinese"}) {
        const QString path =
            QStringLiteral(TESSAGLYPH_SOURCE_DIR "/language/") + QLatin1String(name) + ".ini";
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        const QByteArray bytes = file.readAll();
        QStringDecoder decoder(QStringDecoder::Utf8);
        const QString text = decoder.decode(bytes);
        EXPECT_FALSE(decoder.hasError()) << name;
        QStringList fileKeys;
        for (const QString& line : text.split(QLatin1Char('\n'))) {
            const qsizetype equals = line.indexOf(QLatin1Char('='));
            if (equals > 0)
                fileKeys.append(line.left(equals));
        }
        EXPECT_EQ(fileKeys, keys) << name;
        const IniFile ini(path, IniFile::Encoding::Utf8OrCp1252);
        for (const QString& key : keys)
            EXPECT_FALSE(ini.ReadString(QStringLiteral("Interface"), key, QString()).isEmpty())
                << name << " " << key.toStdString();
    }
}

TEST_F(LanguageTest, LabelsHaveRoomInEveryLanguageAndArabicReadsRightToLeft) {
    SkipFirstRun();
    CopyLanguages({QStringLiteral("English"), QStringLiteral("Russian"), QStringLiteral("Arabic"),
                   QStringLiteral("French"), QStringLiteral("SimplifiedChinese")});
    const auto form = Launch();
    const std::pair<QLabel*, QWidget*> rows[] = {{form->LabelSymbol, form->EditSymbol},
                                                 {form->LabelBG, form->ImageColorBG},
                                                 {form->LabelFontSize, form->TrackBarSize}};
    for (QAction* item : {form->MLangArabic, form->MLangEnglish, form->MLangRussian,
                          form->MLangFrench, form->MLangSimplifiedChinese}) {
        item->trigger();
        SCOPED_TRACE(form->LanguageName.toStdString());
        const bool arabic = item == form->MLangArabic;
        EXPECT_EQ(form->layoutDirection(), arabic ? Qt::RightToLeft : Qt::LeftToRight);
        for (const auto& [label, control] : rows) {
            SCOPED_TRACE(label->text().toStdString());
            const QRect text = label->geometry();
            EXPECT_GE(text.width(), label->fontMetrics().horizontalAdvance(label->text()));
            const int gap = arabic ? text.left() - control->geometry().right()
                                   : control->geometry().left() - text.right();
            EXPECT_GE(gap, 5);
            EXPECT_TRUE(form->GroupBoxOptions->rect().contains(control->geometry()));
        }
        // Open comes first in the reading direction; both buttons stay on the panel.
        const QRect open = form->ButtonOpenImage->geometry(), save = form->ButtonSave->geometry();
        EXPECT_TRUE(form->PanelOptions->rect().contains(open));
        EXPECT_TRUE(form->PanelOptions->rect().contains(save));
        EXPECT_EQ(open.left() < save.left(), !arabic);
    }
}
