#pragma once
// The main window: it owns every piece of state and every component of the
// three pages, and its handlers carry out what the user asks. The work itself
// is done by the widget-free functions of convert/, output/, banner/ and
// editor/.

#include "app/Application.h"
#include "app/ImageView.h"
#include "banner/Banner.h"
#include "convert/ArtSession.h"
#include "editor/EditorSession.h"
#include "output/ArtDocument.h"

#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QButtonGroup;
class QCheckBox;
class QColorDialog;
class QComboBox;
class QFileDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QSlider;
class QSpinBox;
class QStatusBar;
class QTabWidget;
class QTextEdit;
class QToolButton;
class ArtScrollView;
class CharGrid;
class ColorSwatch;
class FileDropTarget;
class FontDialog;
class TFormAbout;
class TFormLanguage;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    // baseFolder replaces the executable's folder as BaseFolder (tests give a
    // temporary folder); it gains a trailing separator when it lacks one.
    explicit TForm1(const QString& baseFolder = QString(), QWidget* parent = nullptr);
    ~TForm1() override;

    // Runs one handler; an exception it throws is shown in the standard error
    // box and the application goes on.
    template <typename Fn> void Guard(Fn&& fn);

    // ---- Shell handlers and routines ----
    void FormCreate();
    void FormShow();
    void FormClose();
    void FormCanResize();
    void PageControl2Change();
    void MExitClick();
    void MAboutClick();

    // Settings and language (filled by the settings and language layer).
    void ReadSettings();
    void WriteSettings();
    // The executable's name with ".ini" in BaseFolder.
    QString SettingsFileName() const;
    void ApplyLanguage(const QString& languageName);
    // BaseFolder + "language/" + name + ".ini"; a file whose name differs
    // only in case is found as well. A name that is no plain file name (see
    // IsLanguageName) names English.ini.
    QString LanguageFileName(const QString& languageName) const;
    void MLangEnglishClick();
    void MLangRussianClick();
    void MLangArabicClick();
    void MLangFrenchClick();
    void MLangSimplifiedChineseClick();
    void MContentsClick();

    // ---- Picture intake and rendering ----
    void ButtonOpenImageClick();
    void OpenImage();
    void StDropFiles1DropFiles(QPoint point);
    void TrackBarSizeChange();
    void RenderArt();
    // The rendering font and its colour, held by FontDialog1; the picture,
    // the banner, the grid, the keys and RichEdit1 receive copies.
    QFont RenderingFont() const;
    QColor RenderingColor() const;

    // ---- Symbol options ----
    void ComboBoxSetChange();
    void EditSymbolChange();
    void CheckBoxRandomClick();
    void CheckBoxCustomClick();
    void RadioGroupCustomClick();
    void EditSymbolsChange();
    void ImageColorBGClick();
    void ImageColorBGMouseMove();

    // ---- Image adjustments ----
    void TrackBarBrightnessChange();
    void TrackBarContrastChange();
    void TrackBarSaturationChange();
    void ButtonFlipHClick();
    void ButtonFlipVClick();
    void ButtonRotate90Click();
    void Button180Click();
    void ButtonRotate270Click();
    void ButtonRotateFreeClick();

    // ---- Output ----
    void ButtonSaveClick();
    void SaveDialog1TypeChange();
    void SaveAsHtml(const QString& fileName);
    void SaveAsText(const QString& fileName);
    QString ColorToHtml(QColor color);
    // What the last render left, gathered for a document of the Image page.
    tg::ArtDocument SaveDocument();
    void MPrintClick();
    void MWallpaperClick();
    void MSetFontClick();

    // ---- Banner ----
    void RenderBanner();

    // ---- Text page ----
    void EditTextChange();
    void EditCharChange();
    void EditCharBGChange();
    void cmbTextTypeChange();
    void ButtonSaveTextClick();
    // Selects TextType in cmbTextType ("one char" when it is out of range)
    // without running its handler.
    void SelectTextType();

    // ---- Editor: grid, keyboard and files ----
    void StringGrid1SelectCell(int col, int row);
    void StringGrid1MouseMove(QPoint point);
    void SpeedButtonDrawClick();
    void SpeedButtonEraseClick();
    void ButtonEditorClearClick();
    void CSpinEditCanvasWidthChange();
    void CSpinEditCanvasHeightChange();
    void CSpinEditCellWidthChange();
    void CSpinEditCellHeightChange();
    void BuildKeyboard();
    // Places the keys centred in PanelKeyboard and gives them the rendering
    // font and its colour; a font change calls this.
    void LayoutKeyboard();
    void KeyButtonClick(QToolButton* sender);
    void ButtonEditorLoadClick();
    void ButtonEditorSaveClick();
    void EditorUndoClick();
    void EditorRedoClick();
    void EditorCopyClick();

    // ---- Folders, files and settings-backed values ----
    QString BaseFolder;
    QString HelpFileEn;
    QString HelpFileRu;
    QString LanguageName = QStringLiteral("English");
    bool FirstStart = true;
    int CanvasWidth = 100;
    int CanvasHeight = 100;
    int CellWidth = 10;
    int CellHeight = 16;
    QString TextChar = QStringLiteral("@");
    QString TextCharBG = QStringLiteral(" ");
    int TextType = 0;

    // ---- Objects kept for the window's life ----
    QStringList ArtLines;
    QStringList OutputLines;
    QImage WorkView; // the working image, Format_RGB888
    QImage BannerBitmap;
    QList<QToolButton*> KeyButtons;
    int KeyColumns = 38;
    int KeyCount = 224;

    // ---- Picture conversion state ----
    int ArtWidth = tg::DefaultArtWidth;
    QColor BackColor = QColor(255, 255, 255);
    int FontSize = tg::DefaultFontSize;
    // The font of the picture's drawing surface (a copy of the rendering
    // font); the glyph cache is remade when it changes.
    QFont ArtFont;
    int Brightness = 0;
    int Contrast = 0;
    int Saturation = 0;
    QString SymbolString;
    int SymbolCount = 0;
    int SymbolIndex = 0;
    int LevelStep = 0;
    QString CurrentSymbol;
    QString SecondSymbol;
    QString ImageFileName;
    QString AngleText;
    // The picture as loaded (with every flip and turn applied since), with its
    // halved copies; ImageOrg shows it and the working image is made from it.
    tg::ImagePyramid Picture;
    // The size of the working image: ArtWidth across after a size change,
    // swapped by quarter turns and enlarged by free turns since.
    QSize WorkSize;
    // The colour ColorDialog1 last returned; it opens on this one.
    QColor ColorDialogResult = QColor(0, 0, 0);
    // The banner's pipeline and its random generator (started at start-up);
    // RenderBanner copies its results into BannerBitmap and RichEditText.
    tg::BannerSession Banner;
    // The path last chosen in SaveDialog3; empty before its first use.
    QString SaveDialog3FileName;

    // ---- Output and editor state ----
    QString ArtTitle;
    QString HtmlColor;
    bool DrawMode = true;
    QString DrawChar = QStringLiteral("#");
    QString CellText;
    QString EditorFileName;
    // The canvas's cells, its size and its undo steps; StringGrid1 shows it.
    tg::EditorSession Editor;
    int GridCol = -1;
    int GridRow = -1;

    // ---- Working values of single routines ----
    int PixelR = 0, PixelG = 0, PixelB = 0, PixelGray = 0;

    // ---- Components ----
    QMenuBar* MainMenu1 = nullptr;
    QMenu* MFile = nullptr;
    QAction* MPrint = nullptr;
    QAction* N1 = nullptr;
    QAction* MExit = nullptr;
    QMenu* MSettings = nullptr;
    QAction* MSetFont = nullptr;
    QAction* MWallpaper = nullptr;
    QMenu* MLanguage = nullptr;
    QAction* MLangEnglish = nullptr;
    QAction* MLangRussian = nullptr;
    QAction* MLangArabic = nullptr;
    QAction* MLangFrench = nullptr;
    QAction* MLangSimplifiedChinese = nullptr;
    QMenu* MHelp = nullptr;
    QAction* MContents = nullptr;
    QAction* MAbout = nullptr;

    QStatusBar* StatusBar1 = nullptr;
    QTabWidget* PageControl2 = nullptr;
    QWidget* TabSheetImage = nullptr;
    QWidget* TabSheetRTF = nullptr;
    QWidget* TabSheetText = nullptr;
    QWidget* TabSheetEditor = nullptr;

    // Image page
    ImageView* ImageASCII = nullptr;
    // Scroll bars over the whole art; ImageASCII is its visible area.
    ArtScrollView* ScrollBoxASCII = nullptr;
    QWidget* PanelSymbols = nullptr;
    QCheckBox* CheckBoxCustom = nullptr;
    QGroupBox* RadioGroupCustom = nullptr;
    QButtonGroup* RadioGroupCustomItems = nullptr;
    QLineEdit* EditSymbols = nullptr;
    QWidget* PanelOptions = nullptr;
    QWidget* PanelPreview = nullptr;
    ImageView* ImageOrg = nullptr;
    QLabel* PanelSize = nullptr;
    QPushButton* ButtonOpenImage = nullptr;
    QPushButton* ButtonSave = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheetColor = nullptr;
    QWidget* TabSheetRotation = nullptr;
    QLabel* LabelBrightness = nullptr;
    QLabel* LabelContrast = nullptr;
    QLabel* LabelSaturation = nullptr;
    QSlider* TrackBarBrightness = nullptr;
    QSlider* TrackBarContrast = nullptr;
    QSlider* TrackBarSaturation = nullptr;
    QPushButton* ButtonFlipH = nullptr;
    QPushButton* ButtonFlipV = nullptr;
    QPushButton* ButtonRotate90 = nullptr;
    QPushButton* Button180 = nullptr;
    QPushButton* ButtonRotate270 = nullptr;
    QPushButton* ButtonRotateFree = nullptr;
    QLabel* LabelSet = nullptr;
    QComboBox* ComboBoxSet = nullptr;
    QGroupBox* GroupBoxOptions = nullptr;
    QLabel* LabelSymbol = nullptr;
    QLineEdit* EditSymbol = nullptr;
    QCheckBox* CheckBoxRandom = nullptr;
    QLabel* LabelBG = nullptr;
    ColorSwatch* ImageColorBG = nullptr;
    QLabel* LabelFontSize = nullptr;
    QSlider* TrackBarSize = nullptr;
    QLineEdit* EditImageSize = nullptr;
    QTextEdit* RichEdit1 = nullptr;

    // Text page
    QWidget* PanelTextTop = nullptr;
    QLabel* LabelText = nullptr;
    QLineEdit* EditText = nullptr;
    QLabel* LabelChar = nullptr;
    QLineEdit* EditChar = nullptr;
    QLabel* LabelCharBG = nullptr;
    QLineEdit* EditCharBG = nullptr;
    QComboBox* cmbTextType = nullptr;
    QPushButton* ButtonSaveText = nullptr;
    QWidget* PanelText = nullptr;
    QTextEdit* RichEditText = nullptr;

    // Editor page
    QWidget* PanelEditorLeft = nullptr;
    QToolButton* SpeedButtonDraw = nullptr;
    QToolButton* SpeedButtonErase = nullptr;
    QPushButton* ButtonEditorClear = nullptr;
    QPushButton* ButtonEditorLoad = nullptr;
    QPushButton* ButtonEditorSave = nullptr;
    QGroupBox* GroupBoxCanvas = nullptr;
    QLabel* LabelCanvasWidth = nullptr;
    QLabel* LabelCanvasHeight = nullptr;
    QSpinBox* CSpinEditCanvasWidth = nullptr;
    QSpinBox* CSpinEditCanvasHeight = nullptr;
    QGroupBox* GroupBoxCell = nullptr;
    QLabel* LabelCellWidth = nullptr;
    QLabel* LabelCellHeight = nullptr;
    QSpinBox* CSpinEditCellWidth = nullptr;
    QSpinBox* CSpinEditCellHeight = nullptr;
    QGroupBox* GroupBoxPos = nullptr;
    QLabel* LabelPosColTitle = nullptr;
    QLabel* LabelPosRowTitle = nullptr;
    QLabel* LabelPosCol = nullptr;
    QLabel* LabelPosRow = nullptr;
    CharGrid* StringGrid1 = nullptr;
    QWidget* PanelKeyboard = nullptr;
    QButtonGroup* KeyGroup = nullptr;
    QAction* EditorUndo = nullptr;
    QAction* EditorRedo = nullptr;
    QAction* EditorCopy = nullptr;

    // Non-visual components
    QFileDialog* OpenImageEnDialog1 = nullptr;
    QFileDialog* SaveDialog1 = nullptr;
    QFileDialog* SaveDialog2 = nullptr;
    QFileDialog* OpenDialog1 = nullptr;
    QFileDialog* SaveDialog3 = nullptr;
    QColorDialog* ColorDialog1 = nullptr;
    FontDialog* FontDialog1 = nullptr;
    FileDropTarget* StDropFiles1 = nullptr;

    TFormAbout* FormAbout = nullptr;
    TFormLanguage* FormLanguage = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildLayout();
    void BuildImagePage();
    // Places the options' labels and controls for the current texts and
    // layout direction.
    void LayOutOptions();
    void BuildTextPage();
    void BuildEditorPage();
    void BuildMenu();
    void BuildDialogs();
    void ConnectHandlers();
    void ConnectEditor();
    // Reads the picture file into the session, moves the slider to its width
    // and applies the size whether or not the slider moved. False, with the
    // reason in the status bar and nothing changed, when it cannot be read.
    bool TakePicture(const QString& path);
    // The slider's position as the session's width. False, with the slider
    // back at ArtWidth and nothing changed, when the working image would be
    // too large.
    bool ApplySize();
    // Runs a change of the session that may ask for a working image too large
    // to make: false, with the refusal in the status bar and the session as it
    // was, when it does.
    bool AcceptWorkSize(const std::function<void()>& change);
    // Turns the picture by degrees (counter-clockwise) unless the working
    // image would be too large.
    void TurnPicture(double degrees);
    // The session's picture into Picture and ImageOrg, and its working image.
    void CopyPicture();
    // ImageOrg shows the picture with the current adjustment.
    void ShowPreview();
    // The session's working image and size into WorkView and WorkSize.
    void CopyWorkImage();
    // The adjustment fields into the session, and what it gives shown.
    void ApplyAdjustment();
    // The symbol controls as the session takes them.
    tg::SymbolChoice SymbolControls() const;
    // The working values of a pick into the fields; the chosen symbols only
    // when symbols is true.
    void StorePickState(const tg::PickState& state, bool symbols);

    // The Image page's conversion; handlers change it and copy its results
    // into the fields above.
    tg::ArtSession Session;
    bool Shown = false;
    bool Closed = false;
    std::unique_ptr<tg::GlyphCache> Glyphs;
};

template <typename Fn> void TForm1::Guard(Fn&& fn) {
    try {
        fn();
    } catch (const std::exception& error) {
        ReportException(error);
    }
}

extern TForm1* Form1;

// Whether name is a language name: a file name of the language folder without
// its ".ini", with no folder separator or control character in it.
bool IsLanguageName(const QString& name);
