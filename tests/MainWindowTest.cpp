// The main window: its layout, its pages and the picture intake.
#include "app/ArtScrollView.h"
#include "app/DialogSeam.h"
#include "app/FileDropTarget.h"
#include "app/FormLanguage.h"
#include "common/AppError.h"
#include "convert/Symbols.h"
#include "tests/TestSupport.h"

#include "app/CharGrid.h"
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QThread>
#include <QTreeView>
#include <QUrl>
#include <QWheelEvent>

namespace {

QStringList RichLines(const TForm1& form) {
    const QString text = form.RichEdit1->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

void Drop(QWidget* target, const QStringList& paths) {
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls.append(QUrl::fromLocalFile(path));
    QMimeData mime;
    mime.setUrls(urls);
    const QPointF at(5, 5);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    ASSERT_TRUE(drop.isAccepted());
}

} // namespace

using MainWindow = WindowTest;

TEST_F(MainWindow, CaptionPagesAndMenus) {
    EXPECT_EQ(Form->windowTitle(), "Tessaglyph 1.72");
    EXPECT_EQ(QApplication::applicationName(), "Tessaglyph 1.72");
    QTabWidget* pages = Form->PageControl2;
    ASSERT_EQ(pages->count(), 4);
    const QStringList captions = {"Image", "RTF", "Text", "Editor"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(pages->tabText(i), captions[i]);
    EXPECT_FALSE(pages->isTabVisible(1));
    EXPECT_EQ(pages->widget(1), Form->TabSheetRTF);
    EXPECT_EQ(Form->RichEdit1->parentWidget(), Form->TabSheetRTF);

    const struct {
        const char* Name;
        const char* Caption;
        const char* Shortcut;
    } items[] = {{"MPrint", "Print", "Ctrl+P"},
                 {"MExit", "Exit", "Ctrl+Q"},
                 {"MSetFont", "Set Font", "Ctrl+F"},
                 {"MWallpaper", "Set On Desktop", "Ctrl+D"},
                 {"MLangEnglish", "English", ""},
                 {"MLangSimplifiedChinese", "Simplified Chinese", ""},
                 {"MAbout", "About", ""},
                 {"MContents", "Contents", ""}};
    for (const auto& item : items) {
        auto* action = Form->findChild<QAction*>(item.Name);
        ASSERT_NE(action, nullptr) << item.Name;
        EXPECT_EQ(action->text(), item.Caption);
        EXPECT_EQ(action->shortcut().toString(), item.Shortcut) << item.Name;
    }
    EXPECT_FALSE(Form->MContents->isVisible());
    EXPECT_TRUE(Form->MLangEnglish->isChecked());
    QStringList menus;
    for (QAction* menu : Form->MainMenu1->actions())
        menus.append(menu->text());
    EXPECT_EQ(menus, QStringList({"File", "Settings", "Help"}));
}

TEST_F(MainWindow, EveryComponentIsNamedAndInItsDesignedState) {
    for (const char* name : {"StatusBar1",
                             "PageControl2",
                             "ImageASCII",
                             "PanelSymbols",
                             "CheckBoxCustom",
                             "RadioGroupCustom",
                             "EditSymbols",
                             "PanelOptions",
                             "PanelPreview",
                             "ImageOrg",
                             "PanelSize",
                             "ButtonOpenImage",
                             "ButtonSave",
                             "PageControl1",
                             "TabSheetColor",
                             "TabSheetRotation",
                             "TrackBarBrightness",
                             "TrackBarContrast",
                             "TrackBarSaturation",
                             "ButtonFlipH",
                             "ButtonFlipV",
                             "ButtonRotate90",
                             "Button180",
                             "ButtonRotate270",
                             "ButtonRotateFree",
                             "LabelSet",
                             "ComboBoxSet",
                             "GroupBoxOptions",
                             "LabelSymbol",
                             "EditSymbol",
                             "CheckBoxRandom",
                             "LabelBG",
                             "ImageColorBG",
                             "LabelFontSize",
                             "TrackBarSize",
                             "EditImageSize",
                             "PanelTextTop",
                             "EditText",
                             "EditChar",
                             "EditCharBG",
                             "cmbTextType",
                             "ButtonSaveText",
                             "RichEditText",
                             "PanelEditorLeft",
                             "SpeedButtonDraw",
                             "SpeedButtonErase",
                             "ButtonEditorClear",
                             "ButtonEditorLoad",
                             "ButtonEditorSave",
                             "CSpinEditCanvasWidth",
                             "CSpinEditCanvasHeight",
                             "CSpinEditCellWidth",
                             "CSpinEditCellHeight",
                             "LabelPosCol",
                             "LabelPosRow",
                             "StringGrid1",
                             "PanelKeyboard",
                             "OpenImageEnDialog1",
                             "SaveDialog1",
                             "SaveDialog2",
                             "OpenDialog1",
                             "SaveDialog3",
                             "ColorDialog1",
                             "FontDialog1",
                             "StDropFiles1",
                             "FormAbout",
                             "FormLanguage"})
        EXPECT_NE(Form->findChild<QObject*>(name), nullptr) << name;

    EXPECT_EQ(Form->TrackBarSize->minimum(), 10);
    EXPECT_EQ(Form->TrackBarSize->maximum(), 300);
    EXPECT_EQ(Form->TrackBarSize->value(), 60);
    EXPECT_EQ(Form->ArtWidth, 60);
    EXPECT_EQ(Form->EditImageSize->text(), "60");
    EXPECT_FALSE(Form->EditImageSize->isEnabled());
    EXPECT_EQ(Form->TrackBarBrightness->minimum(), -100);
    EXPECT_EQ(Form->TrackBarBrightness->maximum(), 512);
    EXPECT_EQ(Form->EditSymbols->text(), tg::DefaultCustomSymbols());
    EXPECT_FALSE(Form->EditSymbols->isEnabled());
    EXPECT_EQ(Form->ComboBoxSet->count(), 5);
    EXPECT_EQ(Form->ComboBoxSet->currentText(), "#MHOKLwaso*,. ");
    EXPECT_EQ(Form->EditSymbol->text(), "@");
    EXPECT_EQ(Form->EditSymbol->maxLength(), 1);
    EXPECT_TRUE(Form->CheckBoxRandom->isChecked());
    EXPECT_FALSE(Form->CheckBoxCustom->isChecked());
    EXPECT_EQ(Form->CurrentSymbol, "@");
    EXPECT_EQ(Form->BackColor, QColor(255, 255, 255));
    EXPECT_EQ(Form->FontSize, 8);
    EXPECT_EQ(Form->RenderingFont().family(), "Courier New");
    EXPECT_EQ(Form->StringGrid1->columnCount(), 100);
    EXPECT_EQ(Form->StringGrid1->rowCount(), 100);
    EXPECT_EQ(Form->PanelOptions->width(), 233);
    EXPECT_EQ(Form->PanelSymbols->height(), 40);
    EXPECT_EQ(Form->PanelKeyboard->height(), 169);
    EXPECT_TRUE(Form->BaseFolder.endsWith('/'));
    EXPECT_EQ(Form->BaseFolder, QDir(Folder.path()).absolutePath() + '/');
    EXPECT_EQ(Form->HelpFileEn, Form->BaseFolder + "Help - EN.chm");
    // No render at start-up: nothing is drawn and there are no lines.
    EXPECT_TRUE(Form->ArtLines.isEmpty());
    EXPECT_TRUE(Form->WorkView.isNull());
}

TEST_F(MainWindow, PageChangesMoveTheFocus) {
    QApplication::setActiveWindow(Form.get());
    Form->PageControl2->setCurrentWidget(Form->TabSheetText);
    EXPECT_TRUE(Form->EditText->hasFocus());
    Form->PageControl2->setCurrentWidget(Form->TabSheetEditor);
    EXPECT_TRUE(Form->StringGrid1->hasFocus());
    Form->PageControl2->setCurrentWidget(Form->TabSheetImage);
    EXPECT_FALSE(Form->StringGrid1->isVisible());
}

TEST_F(MainWindow, AHandlerExceptionShowsTheErrorBoxAndTheWindowGoesOn) {
    Form->Guard(
        [] { throw tg::AppError(tg::FormatMessage("Cannot create file %s", "/nowhere/x.htm")); });
    EXPECT_EQ(Dialogs->Errors, QStringList({"Cannot create file /nowhere/x.htm"}));
    EXPECT_EQ(Dialogs->Opened, QStringList({"ErrorBox"}));
    EXPECT_TRUE(Form->isVisible());
}

TEST_F(MainWindow, OpenLoadsSizesAndRenders) {
    const QString path = WritePicture("images/photo.png", Solid(1200, 900, QColor(0, 0, 0)));
    QStringList directories;
    Dialogs->Then([&](QDialog& dialog) {
        auto& files = dynamic_cast<QFileDialog&>(dialog);
        directories.append(files.directory().absolutePath());
        EXPECT_EQ(files.nameFilters().size(), 22);
        EXPECT_EQ(SelectedFilterIndex(files), 0);
        EXPECT_EQ(files.selectedNameFilter(),
                  "Common Graphic Files (*.tif;*.gif;*.jpg;*.pcx;*.bmp;*.ico;*.cur;*.png;*.wmf;"
                  "*.emf;*.tga;*.pxm;*.wbmp;*.jp2;*.j2k;*.dcx;*.crw;*.avi;*.mpg;*.wmv)");
        emit files.currentChanged(path); // the cursor on the file shows its preview
        auto* preview = files.findChild<QLabel*>("Preview");
        EXPECT_TRUE(preview != nullptr && !preview->pixmap().isNull());
        files.selectFile(path);
        static_cast<QDialog&>(files).accept();
        return files.result();
    });
    Form->ButtonOpenImage->click();
    EXPECT_EQ(Dialogs->Unexpected, 0);
    EXPECT_EQ(directories, QStringList({Path("images")}));
    EXPECT_EQ(Form->ImageFileName, "photo.png");
    EXPECT_EQ(Form->TrackBarSize->value(), 300);
    EXPECT_EQ(Form->EditImageSize->text(), "300");
    EXPECT_EQ(Form->WorkView.size(), QSize(300, 225));
    EXPECT_EQ(Form->WorkView.format(), QImage::Format_RGB888);
    EXPECT_EQ(Form->PanelSize->text(), "1200x900");
    ASSERT_EQ(Form->ArtLines.size(), 225);
    EXPECT_EQ(Form->ArtLines[0], QString(600, '#'));
    EXPECT_EQ(RichLines(*Form), Form->ArtLines);
    EXPECT_EQ(Form->ImageASCII->Bitmap().size(), Form->ImageASCII->size());
    EXPECT_EQ(Form->CurrentSymbol, "#");

    // The dialog starts in "images" every time, wherever the last choice was.
    Dialogs->Then([&](QDialog& dialog) {
        auto& files = dynamic_cast<QFileDialog&>(dialog);
        directories.append(files.directory().absolutePath());
        files.setDirectory(Folder.path());
        return int(QDialog::Rejected);
    });
    Form->OpenImage();
    Form->OpenImage();
    EXPECT_EQ(directories, QStringList({Path("images"), Path("images")}));
    EXPECT_EQ(Dialogs->Unexpected, 1);
}

TEST_F(MainWindow, SmallAndSameSizePicturesAreStillResampledFromThePreview) {
    Open(WritePicture("small.png", Ramp(5, 5)));
    EXPECT_EQ(Form->TrackBarSize->value(), 10);
    EXPECT_EQ(Form->WorkView.size(), QSize(10, 10));
    EXPECT_EQ(Form->ArtLines.size(), 10);

    Form->TrackBarSize->setValue(40);
    const QImage picture = Ramp(40, 30);
    Open(WritePicture("forty.png", picture));
    EXPECT_EQ(Form->WorkView, picture);
    EXPECT_EQ(Form->PanelSize->text(), "40x30");

    Open(WritePicture("wide.png", Solid(1000, 3, Qt::gray)));
    EXPECT_EQ(Form->WorkView.size(), QSize(300, 1));
    EXPECT_EQ(Form->ArtLines.size(), 1);
}

TEST_F(MainWindow, TheSizeSliderRendersAtEveryPosition) {
    Form->TrackBarSize->setValue(100); // before any picture: an empty result
    EXPECT_TRUE(Form->WorkView.isNull());
    EXPECT_TRUE(Form->ArtLines.isEmpty());
    EXPECT_EQ(Form->EditImageSize->text(), "100");

    Open(WritePicture("photo.png", Ramp(640, 480)));
    for (int width : {10, 11, 57, 299, 300}) {
        Form->TrackBarSize->setValue(width);
        EXPECT_EQ(Form->ArtWidth, width);
        EXPECT_EQ(Form->EditImageSize->text(), QString::number(width));
        EXPECT_EQ(Form->WorkView.size(), QSize(width, width * 480 / 640));
        EXPECT_EQ(Form->ArtLines.size(), width * 480 / 640);
        EXPECT_EQ(Form->ArtLines.front().size(), 2 * width);
        EXPECT_EQ(RichLines(*Form), Form->ArtLines);
    }
    Form->TrackBarSize->setValue(5000);
    EXPECT_EQ(Form->ArtWidth, 300);
}

TEST_F(MainWindow, CancelAndUnreadablePicturesKeepEverything) {
    Open(WritePicture("first.png", Solid(120, 90, Qt::black)));
    const QStringList lines = Form->ArtLines;
    const QImage work = Form->WorkView;

    Dialogs->Cancel();
    Form->ButtonOpenImage->click();
    const QString broken = Path("broken.png");
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("this is not a picture");
    file.close();
    Open(broken);
    Drop(Form->ImageASCII, {broken});

    EXPECT_EQ(Form->ImageFileName, "first.png");
    EXPECT_EQ(Form->PanelSize->text(), "120x90");
    EXPECT_EQ(Form->WorkView, work);
    EXPECT_EQ(Form->ArtLines, lines);
    EXPECT_EQ(Form->Picture.Width(), 120);
    EXPECT_EQ(Form->StatusBar1->currentMessage(), "Cannot read picture broken.png");
    EXPECT_TRUE(Dialogs->Errors.isEmpty());
}

TEST_F(MainWindow, ADropLoadsTheFirstFileFromAnyPage) {
    Open(WritePicture("opened.png", Solid(50, 50, Qt::white)));
    const QString first = WritePicture("first.png", Solid(200, 100, Qt::black));
    const QString second = WritePicture("second.png", Solid(30, 30, Qt::white));
    Form->PageControl2->setCurrentWidget(Form->TabSheetText);
    const QString before = Form->EditText->text();
    Drop(Form->EditText, {first, second, Path("third.png")});
    EXPECT_EQ(Form->EditText->text(), before); // the edit did not take the paths as text
    EXPECT_EQ(Form->StDropFiles1->Files().size(), 3);
    EXPECT_EQ(Form->Picture.Width(), 200);
    EXPECT_EQ(Form->TrackBarSize->value(), 200);
    EXPECT_EQ(Form->WorkView.size(), QSize(200, 100));
    EXPECT_EQ(Form->ArtLines.size(), 100);
    // A drop leaves the name and the size read-out of the last opened picture.
    EXPECT_EQ(Form->ImageFileName, "opened.png");
    EXPECT_EQ(Form->PanelSize->text(), "50x50");
}

TEST_F(MainWindow, TheResultBitmapFollowsTheViewAndTheBackground) {
    Open(WritePicture("red.png", Solid(60, 45, QColor(200, 0, 0))));
    Form->resize(1000, 760);
    QApplication::processEvents();
    Form->TrackBarSize->setValue(61);
    EXPECT_EQ(Form->ImageASCII->Bitmap().size(), Form->ImageASCII->size());
    EXPECT_EQ(Form->ImageASCII->Background(), Form->BackColor);
    EXPECT_EQ(Form->ImageOrg->Background(), Form->BackColor);
    // The view holds fewer than 61 cells across; the text holds them all.
    EXPECT_LT(Form->ImageASCII->width(), tg::CellPosition(tg::CellPitch(8), 60));
    EXPECT_EQ(Form->ArtLines.front().size(), 122);
}

TEST_F(MainWindow, WindowAndLanguageDialogAreCentredAndTheWindowShrinksAtWill) {
    QApplication::processEvents();
    const QRect area = Form->screen()->availableGeometry();
    const auto expectCentred = [&area](const QWidget& window) {
        const QRect frame = window.frameGeometry();
        EXPECT_TRUE(area.contains(frame)) << window.objectName().toStdString();
        EXPECT_LE(std::abs(frame.center().x() - area.center().x()), 1);
        EXPECT_LE(std::abs(frame.center().y() - area.center().y()), 1);
    };
    expectCentred(*Form);
    Form->FormLanguage->show();
    expectCentred(*Form->FormLanguage);
    Form->FormLanguage->hide();

    // No size limits from the layouts.
    Form->resize(200, 150);
    QApplication::processEvents();
    EXPECT_EQ(Form->size(), QSize(200, 150));
    EXPECT_EQ(Form->minimumSize(), QSize(0, 0));
}

TEST_F(MainWindow, FileDialogsShowTheirColumnsInFullAndThePreviewFollowsTheName) {
    const QString first = WritePicture("images/first.png", Ramp(300, 200));
    WritePicture("images/second.png", Solid(40, 30, Qt::red));
    WritePicture("images/saved.htm", Solid(4, 4, Qt::red), "PNG");
    Open(first);
    for (QFileDialog* dialog : {Form->OpenImageEnDialog1, Form->SaveDialog1}) {
        SCOPED_TRACE(dialog->objectName().toStdString());
        dialog->setDirectory(Path("images"));
        dialog->show();
        QApplication::processEvents();
        auto* list = dialog->findChild<QTreeView*>("treeView");
        ASSERT_NE(list, nullptr);
        // The folder is read in the background.
        QModelIndex name;
        for (int wait = 0; wait < 200 && !name.isValid(); ++wait) {
            QThread::msleep(10);
            QApplication::processEvents();
            name = list->model()->index(0, 0, list->rootIndex());
        }
        ASSERT_TRUE(name.isValid());
        for (int column = 0; column < 4; ++column) {
            const QString text = name.siblingAtColumn(column).data().toString();
            SCOPED_TRACE(text.toStdString());
            EXPECT_GE(list->header()->sectionSize(column),
                      list->fontMetrics().horizontalAdvance(text));
        }
        dialog->hide();
    }

    // Reopened, the dialog previews what is typed, or nothing.
    Dialogs->Then([](QDialog& dialog) {
        auto* nameBox = dialog.findChild<QLineEdit*>("fileNameEdit");
        auto* preview = dialog.findChild<QLabel*>("Preview");
        nameBox->setText("second.png");
        EXPECT_FALSE(preview->pixmap().isNull());
        nameBox->setText("nothing.png");
        EXPECT_TRUE(preview->pixmap().isNull());
        return int(QDialog::Rejected);
    });
    Form->OpenImage();
    EXPECT_EQ(Dialogs->Unexpected, 0);
}

// What the result view should show: the whole art drawn at position 0, cut
// at the view's scrolled position.
static QImage VisiblePart(TForm1& form) {
    tg::GlyphCache glyphs(form.RenderingFont());
    const tg::ArtText art = tg::RenderArtText(form.WorkView, form.SymbolString, false);
    const QRect visible(form.ScrollBoxASCII->Origin(), form.ImageASCII->size());
    QImage whole(tg::ArtExtent(art.Width, art.Height, tg::CellPitch(form.FontSize), glyphs)
                     .expandedTo(QSize(visible.right() + 1, visible.bottom() + 1)),
                 QImage::Format_RGB32);
    tg::DrawArt(whole, form.WorkView, art, glyphs, tg::CellPitch(form.FontSize), form.BackColor);
    return whole.copy(visible);
}

TEST_F(MainWindow, TheResultViewScrollsOverTheWholeArtAndShowsWhatItHolds) {
    Open(WritePicture("photo.png", Ramp(300, 225)));
    QApplication::processEvents();
    QScrollBar* across = Form->ScrollBoxASCII->HorizontalBar;
    QScrollBar* down = Form->ScrollBoxASCII->VerticalBar;
    ASSERT_TRUE(across->isVisible());
    ASSERT_TRUE(down->isVisible());
    const QSize extent = Form->ScrollBoxASCII->ContentSize();
    EXPECT_GE(extent.width(), tg::CellPosition(tg::CellPitch(8), 300));
    EXPECT_EQ(across->maximum(), extent.width() - Form->ImageASCII->width());
    EXPECT_EQ(down->maximum(), extent.height() - Form->ImageASCII->height());

    // At position 0 the bitmap is the view-sized one from the first cell on.
    EXPECT_EQ(Form->ImageASCII->Bitmap().size(), Form->ImageASCII->size());
    EXPECT_EQ(Form->ImageASCII->Bitmap(), VisiblePart(*Form));

    // The scroll bars, the end of the art (cells cut at the left edge too).
    across->setValue(1000);
    down->setValue(down->maximum());
    EXPECT_EQ(Form->ScrollBoxASCII->Origin(), QPoint(1000, down->maximum()));
    EXPECT_EQ(Form->ImageASCII->Bitmap(), VisiblePart(*Form));
    across->setValue(across->maximum());
    EXPECT_EQ(Form->ImageASCII->Bitmap(), VisiblePart(*Form));

    // The wheel scrolls down; dragging pulls the art along with the mouse.
    down->setValue(0);
    across->setValue(0);
    QWheelEvent wheel(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Form->ImageASCII, &wheel);
    EXPECT_GT(down->value(), 0);
    EXPECT_EQ(Form->ImageASCII->Bitmap(), VisiblePart(*Form));
    const QPoint before = Form->ScrollBoxASCII->Origin();
    const auto mouse = [this](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(at), Form->ImageASCII->mapToGlobal(QPointF(at)),
                          Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(Form->ImageASCII, &event);
    };
    mouse(QEvent::MouseButtonPress, QPoint(200, 200), Qt::LeftButton);
    mouse(QEvent::MouseMove, QPoint(150, 160), Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, QPoint(150, 160), Qt::NoButton);
    EXPECT_EQ(Form->ScrollBoxASCII->Origin(), before + QPoint(50, 40));
    EXPECT_EQ(Form->ImageASCII->Bitmap(), VisiblePart(*Form));

    // A larger window renders at once, without touching a control.
    Form->resize(Form->width() + 150, Form->height() + 100);
    QApplication::processEvents();
    EXPECT_EQ(Form->ImageASCII->Bitmap().size(), Form->ImageASCII->size());
    EXPECT_EQ(Form->ImageASCII->Bitmap(), VisiblePart(*Form));

    // A small picture needs no bars and starts at position 0 again.
    Open(WritePicture("small.png", Ramp(10, 10)));
    EXPECT_EQ(Form->ImageASCII->Bitmap().size(), Form->ImageASCII->size());
    EXPECT_FALSE(across->isVisible());
    EXPECT_FALSE(down->isVisible());
    EXPECT_EQ(Form->ScrollBoxASCII->Origin(), QPoint(0, 0));
    EXPECT_EQ(Form->ImageASCII->Bitmap(), VisiblePart(*Form));
}
