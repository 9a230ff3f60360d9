#include "app/TForm1.h"

#include "app/ArtScrollView.h"
#include "app/CharGrid.h"
#include "app/ColorSwatch.h"
#include "app/Cp1252Validator.h"
#include "app/DialogSeam.h"
#include "app/FileDropTarget.h"
#include "app/FontDialog.h"
#include "app/FormAbout.h"
#include "app/FormLanguage.h"
#include "app/ScreenPlacement.h"
#include "common/AppFolders.h"
#include "common/Product.h"
#include "convert/Adjust.h"
#include "convert/Symbols.h"
#include "output/OutputTypes.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextDocumentLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <climits>

TForm1* Form1 = nullptr;

namespace {

template <typename T> T* Named(T* object, const char* name) {
    object->setObjectName(QLatin1String(name));
    return object;
}

QWidget* Panel(QWidget* parent, const char* name, bool bevel) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QLatin1String(name));
    if (bevel)
        panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    return panel;
}

QSlider* TrackBar(QWidget* parent, const char* name, int min, int max, int position) {
    auto* slider = Named(new QSlider(Qt::Horizontal, parent), name);
    slider->setRange(min, max);
    slider->setValue(position);
    slider->setTickPosition(QSlider::NoTicks);
    return slider;
}

QLineEdit* Edit(QWidget* parent, const char* name, const QString& text, int maxLength = 0) {
    auto* edit = Named(new QLineEdit(parent), name);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    edit->setText(text);
    edit->setValidator(new Cp1252Validator(edit));
    return edit;
}

QSpinBox* SpinEdit(QWidget* parent, const char* name, int value) {
    auto* spin = Named(new QSpinBox(parent), name);
    spin->setRange(INT_MIN, INT_MAX);
    spin->setValue(value);
    return spin;
}

// A preview of the picture under the cursor beside the file list.
void AddPicturePreview(QFileDialog* dialog) {
    auto* grid = qobject_cast<QGridLayout*>(dialog->layout());
    if (grid == nullptr)
        return;
    auto* preview = Named(new QLabel(dialog), "Preview");
    preview->setFixedSize(160, 160);
    preview->setAlignment(Qt::AlignCenter);
    preview->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    grid->addWidget(preview, 1, grid->columnCount(), 2, 1);
    const auto show = [preview](const QString& path) {
        QImageReader reader(path);
        reader.setAutoTransform(true);
        const QSize size = reader.size();
        if (size.isValid() && size.width() > 0 && size.height() > 0)
            reader.setScaledSize(size.scaled(preview->size(), Qt::KeepAspectRatio));
        const QImage image =
            QFileInfo(path).isFile() && reader.canRead() ? reader.read() : QImage();
        preview->setPixmap(image.isNull() ? QPixmap() : QPixmap::fromImage(image));
    };
    QObject::connect(dialog, &QFileDialog::currentChanged, preview, show);
    // A typed name shows its picture, or none: never the one chosen before.
    if (auto* nameBox = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        QObject::connect(nameBox, &QLineEdit::textChanged, preview,
                         [dialog, show](const QString& name) {
                             show(name.isEmpty() ? QString() : dialog->directory().filePath(name));
                         });
}

// Large enough for the folder path and a name, size, type and date column
// in full; the name column takes what is left.
void SizeFileDialog(QFileDialog* dialog) {
    dialog->resize(980, 600);
    if (auto* list = dialog->findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* header = list->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column < header->count(); ++column)
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
}

const char* const PictureFilter =
    "Common Graphic Files "
    "(*.tif;*.gif;*.jpg;*.pcx;*.bmp;*.ico;*.cur;*.png;*.wmf;*.emf;*.tga;*.pxm;*.wbmp;*.jp2;*.j2k;"
    "*.dcx;*.crw;*.avi;*.mpg;*.wmv)|"
    "*.tif;*.gif;*.jpg;*.pcx;*.bmp;*.ico;*.cur;*.png;*.wmf;*.emf;*.tga;*.pxm;*.wbmp;*.jp2;*.j2k;*."
    "dcx;*.crw;*.avi;*.mpg;*.wmv|"
    "All Files (*.*)|*|"
    "TIFF Bitmap (*.tif;*.tiff;*.fax;*.g3n;*.g3f;*.xif)|*.tif;*.tiff;*.fax;*.g3n;*.g3f;*.xif|"
    "CompuServe Bitmap (*.gif)|*.gif|"
    "JPEG Bitmap (*.jpg;*.jpeg;*.jpe;*.jif)|*.jpg;*.jpeg;*.jpe;*.jif|"
    "PaintBrush (*.pcx)|*.pcx|"
    "Windows Bitmap (*.bmp;*.dib;*.rle)|*.bmp;*.dib;*.rle|"
    "Windows Icon (*.ico)|*.ico|"
    "Windows Cursor (*.cur)|*.cur|"
    "Portable Network Graphics (*.png)|*.png|"
    "Windows Metafile (*.wmf)|*.wmf|"
    "Enhanced Windows Metafile (*.emf)|*.emf|"
    "Targa Bitmap (*.tga;*.targa;*.vda;*.icb;*.vst;*.pix)|*.tga;*.targa;*.vda;*.icb;*.vst;*.pix|"
    "Portable Pixmap, GrayMap, BitMap (*.pxm;*.ppm;*.pgm;*.pbm)|*.pxm;*.ppm;*.pgm;*.pbm|"
    "Wireless Bitmap (*.wbmp)|*.wbmp|"
    "JPEG2000 (*.jp2)|*.jp2|"
    "JPEG2000 Code Stream (*.j2k;*.jpc;*.j2c)|*.j2k;*.jpc;*.j2c|"
    "Multipage PCX (*.dcx)|*.dcx|"
    "Camera RAW (*.crw;*.cr2;*.nef;*.raw;*.pef;*.raf;*.x3f;*.bay;*.orf;*.srf;*.mrw;*.dcr)|"
    "*.crw;*.cr2;*.nef;*.raw;*.pef;*.raf;*.x3f;*.bay;*.orf;*.srf;*.mrw;*.dcr|"
    "\xD0\x92\xD0\xB8\xD0\xB4\xD0\xB5\xD0\xBE \xD0\xB4\xD0\xBB\xD1\x8F Windows (*.avi)|*.avi|"
    "Mpeg (*.mpeg;*.mpg)|*.mpeg;*.mpg|"
    "Windows Media Video (*.wmv)|*.wmv";

} // namespace

TForm1::TForm1(const QString& baseFolder, QWidget* parent) : QMainWindow(parent) {
    Form1 = this;
    setObjectName(QStringLiteral("Form1"));
    if (!baseFolder.isEmpty()) {
        BaseFolder = QDir::toNativeSeparators(baseFolder);
        if (!BaseFolder.endsWith(QDir::separator()))
            BaseFolder += QDir::separator();
    }
    BuildLayout();
    BannerBitmap = QImage(1, 1, QImage::Format_RGB888);
    // What the edits cannot keep is said once, when it is typed.
    for (QValidator* candidate : findChildren<QValidator*>())
        if (auto* validator = dynamic_cast<Cp1252Validator*>(candidate))
            validator->Replaced = [this](const QString& lost) {
                StatusBar1->showMessage(
                    QStringLiteral("%1 is not in the Windows-1252 code page").arg(lost));
            };
    ConnectHandlers();
    ConnectEditor();
    Guard([this] { FormCreate(); });
}

TForm1::~TForm1() {
    if (Form1 == this)
        Form1 = nullptr;
}

void TForm1::BuildLayout() {
    setWindowTitle(tg::Product::Caption);
    resize(883, 672);
    BuildMenu();
    StatusBar1 = Named(new QStatusBar(this), "StatusBar1");
    StatusBar1->setFixedHeight(19);
    setStatusBar(StatusBar1);

    PageControl2 = Named(new QTabWidget(this), "PageControl2");
    setCentralWidget(PageControl2);
    TabSheetImage = Named(new QWidget, "TabSheetImage");
    TabSheetRTF = Named(new QWidget, "TabSheetRTF");
    TabSheetText = Named(new QWidget, "TabSheetText");
    TabSheetEditor = Named(new QWidget, "TabSheetEditor");
    PageControl2->addTab(TabSheetImage, QStringLiteral("Image"));
    PageControl2->addTab(TabSheetRTF, QStringLiteral("RTF"));
    PageControl2->addTab(TabSheetText, QStringLiteral("Text"));
    PageControl2->addTab(TabSheetEditor, QStringLiteral("Editor"));
    PageControl2->setTabVisible(1, false);

    RichEdit1 = Named(new QTextEdit(TabSheetRTF), "RichEdit1");
    RichEdit1->setLineWrapMode(QTextEdit::NoWrap);
    // The buffer is never shown: a plain layout lays out only what would be
    // displayed, so refilling it at every render costs next to nothing.
    RichEdit1->document()->setDocumentLayout(new QPlainTextDocumentLayout(RichEdit1->document()));
    RichEdit1->setFont(QFont(QStringLiteral("Microsoft Sans Serif"), 8));
    auto* rtfLayout = new QVBoxLayout(TabSheetRTF);
    rtfLayout->setContentsMargins(0, 0, 0, 0);
    rtfLayout->addWidget(RichEdit1);

    BuildImagePage();
    BuildTextPage();
    BuildEditorPage();
    BuildDialogs();
    // The pages' layouts set no minimum on the window: it shrinks to any
    // size, and what no longer fits is clipped.
    layout()->setSizeConstraint(QLayout::SetNoConstraint);
}

void TForm1::BuildMenu() {
    MainMenu1 = Named(new QMenuBar(this), "MainMenu1");
    setMenuBar(MainMenu1);
    const auto item = [this](QMenu* menu, const char* name, const QString& caption,
                             const QKeySequence& shortcut = {}) {
        auto* action = Named(menu->addAction(caption), name);
        action->setShortcut(shortcut);
        return action;
    };
    MFile = Named(MainMenu1->addMenu(QStringLiteral("File")), "MFile");
    MPrint = item(MFile, "MPrint", QStringLiteral("Print"), QKeySequence(Qt::CTRL | Qt::Key_P));
    N1 = Named(MFile->addSeparator(), "N1");
    MExit = item(MFile, "MExit", QStringLiteral("Exit"), QKeySequence(Qt::CTRL | Qt::Key_Q));
    MSettings = Named(MainMenu1->addMenu(QStringLiteral("Settings")), "MSettings");
    MSetFont =
        item(MSettings, "MSetFont", QStringLiteral("Set Font"), QKeySequence(Qt::CTRL | Qt::Key_F));
    MWallpaper = item(MSettings, "MWallpaper", QStringLiteral("Set On Desktop"),
                      QKeySequence(Qt::CTRL | Qt::Key_D));
    MLanguage = Named(MSettings->addMenu(QStringLiteral("Language")), "MLanguage");
    MLanguage->menuAction()->setObjectName(QStringLiteral("MLanguageAction"));
    MLangEnglish = item(MLanguage, "MLangEnglish", QStringLiteral("English"));
    MLangRussian = item(MLanguage, "MLangRussian", QStringLiteral("Russian"));
    MLangArabic = item(MLanguage, "MLangArabic", QStringLiteral("Arabic"));
    MLangFrench = item(MLanguage, "MLangFrench", QStringLiteral("French"));
    MLangSimplifiedChinese =
        item(MLanguage, "MLangSimplifiedChinese", QStringLiteral("Simplified Chinese"));
    for (QAction* lang :
         {MLangEnglish, MLangRussian, MLangArabic, MLangFrench, MLangSimplifiedChinese})
        lang->setCheckable(true);
    MLangEnglish->setChecked(true);
    MHelp = Named(MainMenu1->addMenu(QStringLiteral("Help")), "MHelp");
    MContents = item(MHelp, "MContents", QStringLiteral("Contents"));
    MContents->setVisible(false);
    MAbout = item(MHelp, "MAbout", QStringLiteral("About"));
}

void TForm1::BuildImagePage() {
    auto* page = new QVBoxLayout(TabSheetImage);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);
    auto* upper = new QHBoxLayout;
    upper->setSpacing(0);
    page->addLayout(upper, 1);

    PanelOptions = Panel(TabSheetImage, "PanelOptions", true);
    PanelOptions->setFixedWidth(233);
    upper->addWidget(PanelOptions);
    ImageASCII = Named(new ImageView(TabSheetImage), "ImageASCII");
    ScrollBoxASCII = Named(new ArtScrollView(ImageASCII, TabSheetImage), "ScrollBoxASCII");
    ScrollBoxASCII->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    upper->addWidget(ScrollBoxASCII, 1);

    PanelPreview = Panel(PanelOptions, "PanelPreview", true);
    PanelPreview->setGeometry(8, 8, 217, 161);
    ImageOrg = Named(new ImageView(PanelPreview), "ImageOrg");
    ImageOrg->setGeometry(8, 8, 201, 145);
    ImageOrg->SetFit(true);
    PanelSize = Named(new QLabel(PanelOptions), "PanelSize");
    PanelSize->setGeometry(8, 172, 217, 17);
    PanelSize->setAlignment(Qt::AlignCenter);
    PanelSize->setFrameStyle(QFrame::Panel | QFrame::Raised);
    ButtonOpenImage =
        Named(new QPushButton(QStringLiteral("Open"), PanelOptions), "ButtonOpenImage");
    ButtonSave = Named(new QPushButton(QStringLiteral("Save"), PanelOptions), "ButtonSave");

    PageControl1 = Named(new QTabWidget(PanelOptions), "PageControl1");
    PageControl1->setGeometry(8, 222, 217, 132);
    TabSheetColor = Named(new QWidget, "TabSheetColor");
    TabSheetRotation = Named(new QWidget, "TabSheetRotation");
    PageControl1->addTab(TabSheetColor, QStringLiteral("Color"));
    PageControl1->addTab(TabSheetRotation, QStringLiteral("Rotation"));
    auto* color = new QGridLayout(TabSheetColor);
    color->setContentsMargins(4, 4, 4, 4);
    LabelBrightness = Named(new QLabel(QStringLiteral("Brightness:")), "LabelBrightness");
    LabelContrast = Named(new QLabel(QStringLiteral("Contrast:")), "LabelContrast");
    LabelSaturation = Named(new QLabel(QStringLiteral("Saturation:")), "LabelSaturation");
    TrackBarBrightness =
        TrackBar(TabSheetColor, "TrackBarBrightness", tg::MinBrightness, tg::MaxBrightness, 0);
    TrackBarContrast =
        TrackBar(TabSheetColor, "TrackBarContrast", tg::MinContrast, tg::MaxContrast, 0);
    TrackBarSaturation =
        TrackBar(TabSheetColor, "TrackBarSaturation", tg::MinSaturation, tg::MaxSaturation, 0);
    color->addWidget(LabelBrightness, 0, 0);
    color->addWidget(TrackBarBrightness, 0, 1);
    color->addWidget(LabelContrast, 1, 0);
    color->addWidget(TrackBarContrast, 1, 1);
    color->addWidget(LabelSaturation, 2, 0);
    color->addWidget(TrackBarSaturation, 2, 1);
    auto* rotation = new QGridLayout(TabSheetRotation);
    rotation->setContentsMargins(4, 4, 4, 4);
    ButtonFlipH = Named(new QPushButton(QStringLiteral("Flip H")), "ButtonFlipH");
    ButtonFlipV = Named(new QPushButton(QStringLiteral("Flip V")), "ButtonFlipV");
    ButtonRotate90 = Named(new QPushButton(QStringLiteral("90")), "ButtonRotate90");
    Button180 = Named(new QPushButton(QStringLiteral("180")), "Button180");
    ButtonRotate270 = Named(new QPushButton(QStringLiteral("270")), "ButtonRotate270");
    ButtonRotateFree = Named(new QPushButton(QStringLiteral("Free")), "ButtonRotateFree");
    rotation->addWidget(ButtonFlipH, 0, 0);
    rotation->addWidget(ButtonFlipV, 0, 1);
    rotation->addWidget(ButtonRotate90, 1, 0);
    rotation->addWidget(Button180, 1, 1);
    rotation->addWidget(ButtonRotate270, 2, 0);
    rotation->addWidget(ButtonRotateFree, 2, 1);

    LabelSet = Named(new QLabel(QStringLiteral("Symbols:"), PanelOptions), "LabelSet");
    LabelSet->setGeometry(8, 358, 217, 16);
    ComboBoxSet = Named(new QComboBox(PanelOptions), "ComboBoxSet");
    ComboBoxSet->setEditable(true);
    ComboBoxSet->setInsertPolicy(QComboBox::NoInsert);
    // Typed text is the symbol string exactly, never completed from the presets.
    ComboBoxSet->setCompleter(nullptr);
    ComboBoxSet->addItems(tg::PresetSymbolSets());
    ComboBoxSet->setGeometry(8, 375, 217, 24);
    ComboBoxSet->lineEdit()->setValidator(new Cp1252Validator(ComboBoxSet));

    GroupBoxOptions =
        Named(new QGroupBox(QStringLiteral(" Options: "), PanelOptions), "GroupBoxOptions");
    GroupBoxOptions->setGeometry(8, 402, 217, 108);
    LabelSymbol = Named(new QLabel(QStringLiteral("Symbol:"), GroupBoxOptions), "LabelSymbol");
    EditSymbol = Edit(GroupBoxOptions, "EditSymbol", QStringLiteral("@"), 1);
    EditSymbol->setEnabled(false);
    CheckBoxRandom =
        Named(new QCheckBox(QStringLiteral("Random"), GroupBoxOptions), "CheckBoxRandom");
    CheckBoxRandom->setChecked(true);
    LabelBG = Named(new QLabel(QStringLiteral("BG:"), GroupBoxOptions), "LabelBG");
    ImageColorBG = Named(new ColorSwatch(GroupBoxOptions), "ImageColorBG");
    ImageColorBG->setToolTip(QStringLiteral("Brush Color"));
    LabelFontSize = Named(new QLabel(QStringLiteral("Size:"), GroupBoxOptions), "LabelFontSize");
    TrackBarSize = TrackBar(GroupBoxOptions, "TrackBarSize", tg::MinArtWidth, tg::MaxArtWidth,
                            tg::DefaultArtWidth);
    EditImageSize = Edit(GroupBoxOptions, "EditImageSize", QString());
    EditImageSize->setEnabled(false);

    LayOutOptions();

    PanelSymbols = Panel(TabSheetImage, "PanelSymbols", true);
    PanelSymbols->setFixedHeight(40);
    page->addWidget(PanelSymbols);
    auto* symbols = new QHBoxLayout(PanelSymbols);
    symbols->setContentsMargins(8, 2, 8, 2);
    CheckBoxCustom =
        Named(new QCheckBox(QStringLiteral("Custom:"), PanelSymbols), "CheckBoxCustom");
    RadioGroupCustom = Named(new QGroupBox(PanelSymbols), "RadioGroupCustom");
    RadioGroupCustom->setFlat(true);
    auto* radios = new QHBoxLayout(RadioGroupCustom);
    radios->setContentsMargins(4, 0, 4, 0);
    RadioGroupCustomItems = Named(new QButtonGroup(RadioGroupCustom), "RadioGroupCustomItems");
    const QStringList customItems = {QStringLiteral("symbols"), QStringLiteral("sentence")};
    for (int i = 0; i < customItems.size(); ++i) {
        auto* radio = new QRadioButton(customItems[i], RadioGroupCustom);
        radio->setObjectName(QStringLiteral("RadioGroupCustomItem%1").arg(i));
        RadioGroupCustomItems->addButton(radio, i);
        radios->addWidget(radio);
    }
    RadioGroupCustomItems->button(0)->setChecked(true);
    RadioGroupCustom->setEnabled(false);
    EditSymbols = Edit(PanelSymbols, "EditSymbols", QString());
    EditSymbols->setEnabled(false);
    symbols->addWidget(CheckBoxCustom);
    symbols->addWidget(RadioGroupCustom);
    symbols->addWidget(EditSymbols, 1);
}

void TForm1::LayOutOptions() {
    // The label column is as wide as the longest label of the current
    // language, with a gap before the controls; right-to-left mirrors it.
    const int width = GroupBoxOptions->width();
    const bool mirrored = layoutDirection() == Qt::RightToLeft;
    const auto place = [mirrored](QWidget* widget, int x, int y, int w, int h) {
        const int outer = widget->parentWidget()->width();
        widget->setGeometry(mirrored ? outer - x - w : x, y, w, h);
    };
    int labelWidth = 0;
    for (QLabel* label : {LabelSymbol, LabelBG, LabelFontSize})
        labelWidth = std::max(labelWidth, label->fontMetrics().horizontalAdvance(label->text()));
    const int margin = 8, gap = 6;
    const int controls = margin + labelWidth + gap;
    const int right = width - margin;
    place(LabelSymbol, margin, 24, labelWidth, 16);
    place(EditSymbol, controls, 20, 33, 22);
    place(CheckBoxRandom, controls + 33 + gap, 22, std::max(40, right - (controls + 33 + gap)), 18);
    place(LabelBG, margin, 52, labelWidth, 16);
    place(ImageColorBG, controls, 50, 33, 20);
    place(LabelFontSize, margin, 80, labelWidth, 16);
    const int sizeEditWidth = 40;
    place(TrackBarSize, controls, 78, std::max(30, right - sizeEditWidth - 4 - controls), 22);
    place(EditImageSize, right - sizeEditWidth, 78, sizeEditWidth, 22);
    place(ButtonOpenImage, 8, 193, 105, 25);
    place(ButtonSave, 120, 193, 105, 25);
}

void TForm1::BuildTextPage() {
    auto* page = new QVBoxLayout(TabSheetText);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);
    PanelTextTop = Panel(TabSheetText, "PanelTextTop", false);
    PanelTextTop->setFixedHeight(49);
    page->addWidget(PanelTextTop);
    auto* top = new QHBoxLayout(PanelTextTop);
    LabelText = Named(new QLabel(QStringLiteral("Text:")), "LabelText");
    EditText = Edit(PanelTextTop, "EditText", QStringLiteral("ASCII"));
    LabelChar = Named(new QLabel(QStringLiteral("Char:")), "LabelChar");
    EditChar = Edit(PanelTextTop, "EditChar", QStringLiteral("@"), 1);
    EditChar->setFixedWidth(33);
    LabelCharBG = Named(new QLabel(QStringLiteral("BG Char:")), "LabelCharBG");
    EditCharBG = Edit(PanelTextTop, "EditCharBG", QString(), 1);
    EditCharBG->setFixedWidth(33);
    cmbTextType = Named(new QComboBox(PanelTextTop), "cmbTextType");
    cmbTextType->setSizeAdjustPolicy(QComboBox::AdjustToContents); // follows the language
    cmbTextType->addItems({QStringLiteral("one char"), QStringLiteral("row step"),
                           QStringLiteral("col step"), QStringLiteral("random")});
    ButtonSaveText = Named(new QPushButton(QStringLiteral("Save")), "ButtonSaveText");
    for (QWidget* w :
         std::initializer_list<QWidget*>{LabelText, EditText, LabelChar, EditChar, LabelCharBG,
                                         EditCharBG, cmbTextType, ButtonSaveText})
        top->addWidget(w);
    top->addStretch(1);
    PanelText = Panel(TabSheetText, "PanelText", false);
    page->addWidget(PanelText, 1);
    auto* textLayout = new QVBoxLayout(PanelText);
    textLayout->setContentsMargins(0, 0, 0, 0);
    RichEditText = Named(new QTextEdit(PanelText), "RichEditText");
    RichEditText->setLineWrapMode(QTextEdit::NoWrap);
    RichEditText->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEditText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEditText->setFont(tg::BannerBoxFont());
    textLayout->addWidget(RichEditText);
}

void TForm1::BuildEditorPage() {
    auto* page = new QVBoxLayout(TabSheetEditor);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);
    auto* upper = new QHBoxLayout;
    upper->setSpacing(0);
    page->addLayout(upper, 1);
    PanelEditorLeft = Panel(TabSheetEditor, "PanelEditorLeft", false);
    PanelEditorLeft->setFixedWidth(153);
    upper->addWidget(PanelEditorLeft);
    StringGrid1 = Named(new CharGrid(Editor, TabSheetEditor), "StringGrid1");
    StringGrid1->setColumnCount(CanvasWidth);
    StringGrid1->setRowCount(CanvasHeight);
    StringGrid1->setDefaultColumnWidth(CellWidth);
    StringGrid1->setDefaultRowHeight(CellHeight);
    StringGrid1->SetCellFont(tg::RenderingPixelFont(tg::DefaultRenderingFont()));
    upper->addWidget(StringGrid1, 1);

    auto* left = new QVBoxLayout(PanelEditorLeft);
    auto* tools = new QHBoxLayout;
    const auto speedButton = [this](const char* name, const QString& tip) {
        auto* button = Named(new QToolButton(PanelEditorLeft), name);
        button->setCheckable(true);
        button->setAutoExclusive(true);
        button->setAutoRaise(true);
        button->setFixedSize(20, 20);
        button->setToolTip(tip);
        return button;
    };
    SpeedButtonDraw = speedButton("SpeedButtonDraw", QStringLiteral("Draw"));
    SpeedButtonDraw->setText(QStringLiteral("\u270E"));
    SpeedButtonDraw->setChecked(true);
    SpeedButtonErase = speedButton("SpeedButtonErase", QStringLiteral("Erase"));
    SpeedButtonErase->setText(QStringLiteral("\u232B"));
    tools->addWidget(SpeedButtonDraw);
    tools->addWidget(SpeedButtonErase);
    tools->addStretch(1);
    left->addLayout(tools);
    ButtonEditorClear = Named(new QPushButton(QStringLiteral("Clear")), "ButtonEditorClear");
    ButtonEditorLoad = Named(new QPushButton(QStringLiteral("Load")), "ButtonEditorLoad");
    ButtonEditorSave = Named(new QPushButton(QStringLiteral("Save")), "ButtonEditorSave");
    left->addWidget(ButtonEditorClear);
    left->addWidget(ButtonEditorLoad);
    left->addWidget(ButtonEditorSave);
    const auto sizeGroup = [&](const char* name, const QString& caption, QLabel*& widthLabel,
                               const char* widthLabelName, QLabel*& heightLabel,
                               const char* heightLabelName, QSpinBox*& widthSpin,
                               const char* widthSpinName, int widthValue, QSpinBox*& heightSpin,
                               const char* heightSpinName, int heightValue) {
        auto* group = Named(new QGroupBox(caption, PanelEditorLeft), name);
        auto* grid = new QGridLayout(group);
        widthLabel = Named(new QLabel(QStringLiteral("Width:")), widthLabelName);
        heightLabel = Named(new QLabel(QStringLiteral("Height:")), heightLabelName);
        widthSpin = SpinEdit(group, widthSpinName, widthValue);
        heightSpin = SpinEdit(group, heightSpinName, heightValue);
        grid->addWidget(widthLabel, 0, 0);
        grid->addWidget(widthSpin, 0, 1);
        grid->addWidget(heightLabel, 1, 0);
        grid->addWidget(heightSpin, 1, 1);
        left->addWidget(group);
        return group;
    };
    GroupBoxCanvas =
        sizeGroup("GroupBoxCanvas", QStringLiteral(" Canvas Size "), LabelCanvasWidth,
                  "LabelCanvasWidth", LabelCanvasHeight, "LabelCanvasHeight", CSpinEditCanvasWidth,
                  "CSpinEditCanvasWidth", 100, CSpinEditCanvasHeight, "CSpinEditCanvasHeight", 100);
    GroupBoxCell =
        sizeGroup("GroupBoxCell", QStringLiteral(" Cell Size "), LabelCellWidth, "LabelCellWidth",
                  LabelCellHeight, "LabelCellHeight", CSpinEditCellWidth, "CSpinEditCellWidth", 10,
                  CSpinEditCellHeight, "CSpinEditCellHeight", 16);
    GroupBoxPos =
        Named(new QGroupBox(QStringLiteral(" Position "), PanelEditorLeft), "GroupBoxPos");
    auto* pos = new QGridLayout(GroupBoxPos);
    LabelPosColTitle = Named(new QLabel(QStringLiteral("Col:")), "LabelPosColTitle");
    LabelPosRowTitle = Named(new QLabel(QStringLiteral("Row:")), "LabelPosRowTitle");
    LabelPosCol = Named(new QLabel, "LabelPosCol");
    LabelPosRow = Named(new QLabel, "LabelPosRow");
    pos->addWidget(LabelPosColTitle, 0, 0);
    pos->addWidget(LabelPosCol, 0, 1);
    pos->addWidget(LabelPosRowTitle, 1, 0);
    pos->addWidget(LabelPosRow, 1, 1);
    left->addWidget(GroupBoxPos);
    left->addStretch(1);

    PanelKeyboard = Panel(TabSheetEditor, "PanelKeyboard", false);
    PanelKeyboard->setFixedHeight(169);
    page->addWidget(PanelKeyboard);
}

void TForm1::BuildDialogs() {
    OpenImageEnDialog1 = Named(new QFileDialog(this), "OpenImageEnDialog1");
    OpenImageEnDialog1->setOption(QFileDialog::DontUseNativeDialog, true);
    OpenImageEnDialog1->setFileMode(QFileDialog::ExistingFile);
    OpenImageEnDialog1->setAcceptMode(QFileDialog::AcceptOpen);
    SetFileFilter(*OpenImageEnDialog1, QString::fromUtf8(PictureFilter));
    AddPicturePreview(OpenImageEnDialog1);

    const auto fileDialog = [this](const char* name, QFileDialog::AcceptMode mode,
                                   const QString& filter) {
        auto* dialog = Named(new QFileDialog(this), name);
        dialog->setOption(QFileDialog::DontUseNativeDialog, true);
        dialog->setAcceptMode(mode);
        dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                            : QFileDialog::AnyFile);
        SetFileFilter(*dialog, filter);
        return dialog;
    };
    SaveDialog1 = fileDialog("SaveDialog1", QFileDialog::AcceptSave, tg::SaveFilter());
    SaveDialog1->setOption(QFileDialog::DontConfirmOverwrite, true);
    SaveDialog2 = fileDialog("SaveDialog2", QFileDialog::AcceptSave,
                             QStringLiteral("TXT files (*.txt)|*.txt"));
    OpenDialog1 = fileDialog("OpenDialog1", QFileDialog::AcceptOpen,
                             QStringLiteral("TXT files (*.txt)|*.txt"));
    SaveDialog3 = fileDialog("SaveDialog3", QFileDialog::AcceptSave,
                             QStringLiteral("Rich Text Files (*.rtf)|*.rtf"));
    SaveDialog3->setOption(QFileDialog::DontConfirmOverwrite, true);
    for (QFileDialog* dialog :
         {OpenImageEnDialog1, SaveDialog1, SaveDialog2, OpenDialog1, SaveDialog3})
        SizeFileDialog(dialog);

    ColorDialog1 = Named(new QColorDialog(this), "ColorDialog1");
    ColorDialog1->setOption(QColorDialog::DontUseNativeDialog, true);
    ColorDialog1->setCurrentColor(Qt::black);
    FontDialog1 = Named(new FontDialog(this), "FontDialog1");
    FontDialog1->SetFont(tg::DefaultRenderingFont(),
                         QApplication::palette().color(QPalette::WindowText));
    StDropFiles1 = new FileDropTarget(this);
    StDropFiles1->setObjectName(QStringLiteral("StDropFiles1"));
}

void TForm1::ConnectHandlers() {
    const auto on = [this](auto* sender, auto signal, void (TForm1::*handler)()) {
        connect(sender, signal, this,
                [this, handler] { Guard([this, handler] { (this->*handler)(); }); });
    };
    on(MExit, &QAction::triggered, &TForm1::MExitClick);
    on(MAbout, &QAction::triggered, &TForm1::MAboutClick);
    on(MContents, &QAction::triggered, &TForm1::MContentsClick);
    on(MLangEnglish, &QAction::triggered, &TForm1::MLangEnglishClick);
    on(MLangRussian, &QAction::triggered, &TForm1::MLangRussianClick);
    on(MLangArabic, &QAction::triggered, &TForm1::MLangArabicClick);
    on(MLangFrench, &QAction::triggered, &TForm1::MLangFrenchClick);
    on(MLangSimplifiedChinese, &QAction::triggered, &TForm1::MLangSimplifiedChineseClick);
    on(MPrint, &QAction::triggered, &TForm1::MPrintClick);
    on(MWallpaper, &QAction::triggered, &TForm1::MWallpaperClick);
    on(MSetFont, &QAction::triggered, &TForm1::MSetFontClick);
    on(PageControl2, &QTabWidget::currentChanged, &TForm1::PageControl2Change);

    // Scrolled or resized, the result view shows the cells it now covers.
    on(ScrollBoxASCII, &ArtScrollView::ViewChanged, &TForm1::RenderArt);
    on(ButtonOpenImage, &QPushButton::clicked, &TForm1::ButtonOpenImageClick);
    on(TrackBarSize, &QSlider::valueChanged, &TForm1::TrackBarSizeChange);
    connect(StDropFiles1, &FileDropTarget::DropFiles, this,
            [this](QPoint point) { Guard([this, point] { StDropFiles1DropFiles(point); }); });

    on(ComboBoxSet, &QComboBox::editTextChanged, &TForm1::ComboBoxSetChange);
    on(EditSymbol, &QLineEdit::textChanged, &TForm1::EditSymbolChange);
    on(CheckBoxRandom, &QCheckBox::toggled, &TForm1::CheckBoxRandomClick);
    on(CheckBoxCustom, &QCheckBox::toggled, &TForm1::CheckBoxCustomClick);
    // Only a change of the selection runs the handler; clicking the selected
    // item keeps the typed symbols.
    connect(RadioGroupCustomItems, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            Guard([this] { RadioGroupCustomClick(); });
    });
    on(EditSymbols, &QLineEdit::textChanged, &TForm1::EditSymbolsChange);
    on(ImageColorBG, &ColorSwatch::Clicked, &TForm1::ImageColorBGClick);
    on(ImageColorBG, &ColorSwatch::MouseMoved, &TForm1::ImageColorBGMouseMove);

    on(TrackBarBrightness, &QSlider::valueChanged, &TForm1::TrackBarBrightnessChange);
    on(TrackBarContrast, &QSlider::valueChanged, &TForm1::TrackBarContrastChange);
    on(TrackBarSaturation, &QSlider::valueChanged, &TForm1::TrackBarSaturationChange);
    on(ButtonFlipH, &QPushButton::clicked, &TForm1::ButtonFlipHClick);
    on(ButtonFlipV, &QPushButton::clicked, &TForm1::ButtonFlipVClick);
    on(ButtonRotate90, &QPushButton::clicked, &TForm1::ButtonRotate90Click);
    on(Button180, &QPushButton::clicked, &TForm1::Button180Click);
    on(ButtonRotate270, &QPushButton::clicked, &TForm1::ButtonRotate270Click);
    on(ButtonRotateFree, &QPushButton::clicked, &TForm1::ButtonRotateFreeClick);

    on(ButtonSave, &QPushButton::clicked, &TForm1::ButtonSaveClick);
    on(SaveDialog1, &QFileDialog::filterSelected, &TForm1::SaveDialog1TypeChange);

    on(EditText, &QLineEdit::textChanged, &TForm1::EditTextChange);
    on(EditChar, &QLineEdit::textChanged, &TForm1::EditCharChange);
    on(EditCharBG, &QLineEdit::textChanged, &TForm1::EditCharBGChange);
    on(cmbTextType, &QComboBox::activated, &TForm1::cmbTextTypeChange);
    on(ButtonSaveText, &QPushButton::clicked, &TForm1::ButtonSaveTextClick);
}

// ---- Shell ----

void TForm1::FormCreate() {
    // The application's name titles the error box; a display name would be
    // appended by Qt to every window title, so none is set.
    QApplication::setApplicationName(windowTitle());
    if (BaseFolder.isEmpty()) {
        BaseFolder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
        if (!BaseFolder.endsWith(QDir::separator()))
            BaseFolder += QDir::separator();
    }
    HelpFileEn = BaseFolder + QStringLiteral("Help - EN.chm");
    HelpFileRu = BaseFolder + QStringLiteral("Help - RU.chm");
    FormAbout = new TFormAbout(this);
    FormLanguage = new TFormLanguage(this);
    connect(FormLanguage, &TFormLanguage::LanguageChosen, this, [this](const QString& name) {
        LanguageName = name;
        Guard([this] { ApplyLanguage(LanguageName); });
    });
    OpenImageEnDialog1->setDirectory(tg::DataFolder(BaseFolder) + QStringLiteral("images"));
    SaveDialog1->setDirectory(BaseFolder + QStringLiteral("saves"));

    ReadSettings();
    ApplyLanguage(LanguageName);

    EditChar->setText(TextChar);
    EditCharBG->setText(TextCharBG);
    SelectTextType();
    CSpinEditCanvasWidth->setValue(CanvasWidth);
    CSpinEditCanvasHeight->setValue(CanvasHeight);
    CSpinEditCellWidth->setValue(CellWidth);
    CSpinEditCellHeight->setValue(CellHeight);
    StringGrid1->setColumnCount(CanvasWidth);
    StringGrid1->setRowCount(CanvasHeight);
    StringGrid1->setDefaultColumnWidth(CellWidth);
    StringGrid1->setDefaultRowHeight(CellHeight);

    PageControl1->setCurrentIndex(0);
    PageControl2->setCurrentIndex(0);
    BuildKeyboard();
    CurrentSymbol = EditSymbol->text();
    ArtWidth = TrackBarSize->value();
    EditImageSize->setText(QString::number(ArtWidth));
    EditSymbols->setText(tg::DefaultCustomSymbols());
    Brightness = Contrast = Saturation = 0;
    BackColor = QColor(255, 255, 255);
    FontSize = tg::DefaultFontSize;

    ImageOrg->SetBackground(BackColor);
    // The rendering font of every run, in the system's text colour.
    FontDialog1->SetFont(tg::DefaultRenderingFont(),
                         QApplication::palette().color(QPalette::WindowText));
    ArtFont = RenderingFont();
    Banner.Font = RenderingFont();
    SetTextColor(*StringGrid1, QPalette::Text, RenderingColor());
    StringGrid1->SetCellFont(tg::RenderingPixelFont(RenderingFont()));
    RichEdit1->setFont(RenderingFont());
    SetTextColor(*RichEdit1, QPalette::Text, RenderingColor());
    Glyphs = std::make_unique<tg::GlyphCache>(ArtFont);
    ImageASCII->SetBackground(BackColor);
    QImage blank(std::max(1, ImageASCII->width()), std::max(1, ImageASCII->height()),
                 QImage::Format_RGB32);
    blank.fill(BackColor);
    ImageASCII->SetBitmap(blank);
    ImageColorBG->Fill(BackColor);
    {
        const QSignalBlocker blocker(ComboBoxSet);
        ComboBoxSet->setCurrentIndex(0);
    }
    RenderBanner();
    DrawMode = true;
}

void TForm1::showEvent(QShowEvent* event) {
    if (!Shown) {
        Shown = true;
        Guard([this] { FormShow(); });
        CentreOnScreen(*this);
    }
    QMainWindow::showEvent(event);
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (!Closed) {
        Closed = true;
        Guard([this] { FormClose(); });
    }
    event->accept();
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Guard([this] { FormCanResize(); });
}

void TForm1::FormShow() {
    if (!FirstStart)
        return;
    FirstStart = false;
    ApplyLanguage(LanguageName);
    ExecModal(*FormLanguage);
}

void TForm1::FormClose() {
    // The dialogs are released whether or not the settings could be written.
    struct ReleaseDialogs {
        TForm1* Form;
        ~ReleaseDialogs() {
            delete Form->FormAbout;
            Form->FormAbout = nullptr;
            delete Form->FormLanguage;
            Form->FormLanguage = nullptr;
        }
    } release{this};
    WriteSettings();
}

void TForm1::FormCanResize() {
    LayoutKeyboard();
}

void TForm1::PageControl2Change() {
    QWidget* page = PageControl2->currentWidget();
    if (page == TabSheetText)
        EditText->setFocus();
    else if (page == TabSheetEditor)
        StringGrid1->setFocus();
}

void TForm1::MExitClick() {
    close();
}

void TForm1::MAboutClick() {
    ApplyLanguage(LanguageName);
    ExecModal(*FormAbout);
}
