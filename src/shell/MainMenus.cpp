// The main window's menus: File, Picture, Tools, Window and Help, with their shortcuts and
// help contexts. F1 over an open menu shows the help of the highlighted item.
#include "shell/MainForm.h"

#include "math/Calculat.h"
#include "math/ComnDlgs.h"
#include "shell/About.h"
#include "shell/GraphToolBar.h"
#include "shell/HtmlHelp.h"
#include "shell/LabelToolBar.h"
#include "shell/MenuItems.h"
#include "shell/WinBase.h"
#include "shell/WindowArrange.h"

#include <QAction>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

#include <functional>

namespace {

// F1 while a menu is open: the help of the highlighted item, when it has a context.
class TMenuHelpKey : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1)
            return false;
        auto* menu = qobject_cast<QMenu*>(watched);
        const int context = MenuItemHelpContext(menu ? menu->activeAction() : nullptr);
        if (context == 0) return false;
        menu->close();
        ApplicationHelpContext(context);
        return true;
    }
};

QMenu* addMenu(QMenuBar* Bar, const char* Name, const char* Caption, QObject* HelpKey) {
    QMenu* menu = Bar->addMenu(QLatin1String(Caption));
    menu->setObjectName(QLatin1String(Name));
    menu->installEventFilter(HelpKey);
    return menu;
}

// A recent file's caption; an "&" in a file name is a character, not a mnemonic.
QString recentCaption(const std::string& Path) {
    return QString::fromStdString(TRecentFiles::Caption(Path)).replace('&', QLatin1String("&&"));
}

} // namespace

void TMainForm::buildMenus() {
    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    menuHelpKey_ = new TMenuHelpKey(this);
    buildFileMenu();
    buildPictureMenu();
    buildToolsMenu();
    buildWindowMenu();
    buildHelpMenu();
}

void TMainForm::buildFileMenu() {
    File1 = addMenu(menuBar(), "File1", "&File", menuHelpKey_);
    New2DCartisian1 = AddMenuItem(File1, "New2DCartisian1", "New &2D Cartesian Graph", {}, 6000);
    New2DPolar1 = AddMenuItem(File1, "New2DPolar1", "New &Polar Graph", {}, 6005);
    New3DCartisian1 = AddMenuItem(File1, "New3DCartisian1", "New &3D Cartesian Graph", {}, 6010);
    AddMenuSeparator(File1);
    OpenFile1 = AddMenuItem(File1, "OpenFile1", "&Open File...", {}, 5020);
    SaveFile1 = AddMenuItem(File1, "SaveFile1", "&Save File", QKeySequence(Qt::CTRL | Qt::Key_S), 5020);
    SaveFileAs1 = AddMenuItem(File1, "SaveFileAs1", "Save File &As...", {}, 5020);
    CloseFile1 = AddMenuItem(File1, "CloseFile1", "&Close File");
    N1 = AddMenuSeparator(File1, "N1");
    SaveAsBMPFile1 = AddMenuItem(File1, "SaveAsBMPFile1", "Save As P&icture File...", {}, 5020);
    AddMenuSeparator(File1);
    PrintScale1 = AddMenuItem(File1, "PrintScale1", "Print Sca&le...");
    Print1 = AddMenuItem(File1, "Print1", "P&rint...");
    AddMenuSeparator(File1);
    Exit1 = AddMenuItem(File1, "Exit1", "E&xit");
    FileSeparatorLine = AddMenuSeparator(File1, "FileSeparatorLine");
    for (int j = 1; j <= TRecentFiles::MaxCount; ++j) {
        const std::string name = "FL" + std::to_string(j);
        QAction* item = AddMenuItem(File1, name.c_str(), std::to_string(j).c_str());
        item->setData(j); // the Tag
        connect(item, &QAction::triggered, this, [this, j] { FileListClick(j); });
        FL[size_t(j - 1)] = item;
    }
    connect(New2DCartisian1, &QAction::triggered, this, [this] { NewGraphWindow(1); });
    connect(New2DPolar1, &QAction::triggered, this, [this] { NewGraphWindow(2); });
    connect(New3DCartisian1, &QAction::triggered, this, [this] { NewGraphWindow(3); });
    connect(OpenFile1, &QAction::triggered, this, [this] { OpenFileClick(); });
    connect(SaveFile1, &QAction::triggered, this, [this] { SaveFileClick(); });
    connect(SaveFileAs1, &QAction::triggered, this, [this] { SaveFileAsClick(); });
    connect(CloseFile1, &QAction::triggered, this, [this] { CloseFileClick(); });
    connect(SaveAsBMPFile1, &QAction::triggered, this, [this] { SaveAsPictureClick(); });
    connect(PrintScale1, &QAction::triggered, this, [this] { PrintScaleClick(); });
    connect(Print1, &QAction::triggered, this, [this] { PrintClick(); });
    connect(Exit1, &QAction::triggered, this, [this] { close(); });
}

void TMainForm::buildPictureMenu() {
    Picture1 = addMenu(menuBar(), "Picture1", "&Picture", menuHelpKey_);
    BitmapSize1 = AddMenuItem(Picture1, "BitmapSize1", "Picture &Size and Colors...");
    SelectBitmapRegion1 = AddMenuItem(Picture1, "SelectBitmapRegion1", "Select Picture &Region", {}, 5015);
    SelectBitmapRegion1->setCheckable(true);
    BitmapRegionDialog1 = AddMenuItem(Picture1, "BitmapRegionDialog1", "Picture Region &Dialog...");
    CopyBitmaptoClopboard1 = AddMenuItem(Picture1, "CopyBitmaptoClopboard1", "&Copy Picture to Clipboard",
                                         QKeySequence(Qt::CTRL | Qt::Key_Insert));
    const auto onWindow = [this](void (TWindowBase::*operation)()) {
        return [this, operation] {
            if (TWindowBase* window = ActiveGraphWindow()) (window->*operation)();
        };
    };
    connect(BitmapSize1, &QAction::triggered, this, onWindow(&TWindowBase::ShowPictureSizeDialog));
    connect(SelectBitmapRegion1, &QAction::triggered, this, [this] { SelectBitmapRegionClick(); });
    connect(BitmapRegionDialog1, &QAction::triggered, this, onWindow(&TWindowBase::ShowRegionDialog));
    connect(CopyBitmaptoClopboard1, &QAction::triggered, this,
            onWindow(&TWindowBase::CopyPictureToClipboard));
}

void TMainForm::buildToolsMenu() {
    Tools1 = addMenu(menuBar(), "Tools1", "&Tools", menuHelpKey_);
    ShowHideGraphViewToolBar1 = AddMenuItem(Tools1, "ShowHideGraphViewToolBar1", "Show/Hide &Graph Tool Bar");
    ShowShapeToolBar1 = AddMenuItem(Tools1, "ShowShapeToolBar1", "Show/Hide &Label Tool Bar");
    ResizeLabelsMode1 =
        AddMenuItem(Tools1, "ResizeLabelsMode1", "&Resize Labels Mode", QKeySequence(Qt::CTRL | Qt::Key_R));
    ResizeLabelsMode1->setCheckable(true);
    OpenTextLabelFontDialog1 =
        AddMenuItem(Tools1, "OpenTextLabelFontDialog1", "Label Tool Bar Text &Font...");
    AddMenuSeparator(Tools1);
    FunctionCalculator1 = AddMenuItem(Tools1, "FunctionCalculator1", "Function &Calculator...",
                                      QKeySequence(Qt::CTRL | Qt::Key_C));
    Options1 = AddMenuItem(Tools1, "Options1", "&Options...");
    connect(ShowHideGraphViewToolBar1, &QAction::triggered, this,
            [this] { GraphToolBar->setVisible(GraphToolBar->isHidden()); });
    connect(ShowShapeToolBar1, &QAction::triggered, this,
            [this] { LabelShapeToolBar->setVisible(LabelShapeToolBar->isHidden()); });
    connect(OpenTextLabelFontDialog1, &QAction::triggered, this, [this] { OpenTextLabelFontDialogClick(); });
    connect(FunctionCalculator1, &QAction::triggered, this, [] { ShowFunctionCalculator(); });
    connect(Options1, &QAction::triggered, this, [this] { ShowOptions(false); });
}

void TMainForm::buildWindowMenu() {
    Window1 = addMenu(menuBar(), "Window1", "&Window", menuHelpKey_);
    Tile1 = AddMenuItem(Window1, "Tile1", "&Tile");
    Cascade1 = AddMenuItem(Window1, "Cascade1", "Casca&de");
    ArrangeAll1 = AddMenuItem(Window1, "ArrangeAll1", "&Arrange Icons");
    AddMenuSeparator(Window1);
    CenterBitmap1 =
        AddMenuItem(Window1, "CenterBitmap1", "&Center Bitmap In Window", QKeySequence(Qt::Key_F2), 5000);
    StopDrawingWindow1 = AddMenuItem(Window1, "StopDrawingWindow1", "&Stop Drawing Window");
    RedrawWindow1 =
        AddMenuItem(Window1, "RedrawWindow1", "&Redraw Window", QKeySequence(Qt::CTRL | Qt::Key_F2));
    connect(Tile1, &QAction::triggered, this, [this] {
        TileSubWindows(*MdiArea);
        centreArrangedPictures();
    });
    connect(Cascade1, &QAction::triggered, this, [this] {
        CascadeSubWindows(*MdiArea);
        centreArrangedPictures();
    });
    connect(ArrangeAll1, &QAction::triggered, this, [this] { ArrangeIconsClick(); });
    const auto onWindow = [this](void (TWindowBase::*operation)()) {
        return [this, operation] {
            if (TWindowBase* window = ActiveGraphWindow()) (window->*operation)();
        };
    };
    connect(CenterBitmap1, &QAction::triggered, this, onWindow(&TWindowBase::CenterBitmap));
    connect(StopDrawingWindow1, &QAction::triggered, this, onWindow(&TWindowBase::StopDrawing));
    connect(RedrawWindow1, &QAction::triggered, this, onWindow(&TWindowBase::RedrawGraph));
    connect(Window1, &QMenu::aboutToShow, this, [this] { fillWindowList(); });
}

void TMainForm::buildHelpMenu() {
    Help1 = addMenu(menuBar(), "Help1", "&Help", menuHelpKey_);
    hlp1 = AddMenuItem(Help1, "hlp1", "Help &Contents...", QKeySequence(Qt::Key_F1));
    About1 = AddMenuItem(Help1, "About1", "&About...");
    connect(hlp1, &QAction::triggered, this, [] { ApplicationHelpCommand(HELP_CONTENTS, 0); });
    connect(About1, &QAction::triggered, this, [] { ShowAboutBox(); });
}

// The open windows at the end of the Window menu, the active one checked. Only the first
// nine get a key, so that no key stands for two windows.
void TMainForm::fillWindowList() {
    for (QAction* item : std::as_const(windowListActions_)) {
        Window1->removeAction(item);
        item->deleteLater();
    }
    windowListActions_.clear();
    const QList<QMdiSubWindow*> children = MdiArea->subWindowList();
    if (children.isEmpty()) return;
    windowListActions_.append(Window1->addSeparator());
    for (qsizetype i = 0; i < children.size(); ++i) {
        QMdiSubWindow* child = children[i];
        auto* window = dynamic_cast<TWindowBase*>(child);
        const QString title = window ? QString::fromStdString(window->ShownCaption()) : child->windowTitle();
        const QString caption = QString(title).replace('&', QLatin1String("&&"));
        const QString number = i < 9 ? QStringLiteral("&%1").arg(i + 1) : QString::number(i + 1);
        QAction* item = Window1->addAction(number + ' ' + caption);
        item->setCheckable(true);
        item->setChecked(child == MdiArea->currentSubWindow());
        connect(item, &QAction::triggered, this, [this, child = QPointer<QMdiSubWindow>(child)] {
            if (child) MdiArea->setActiveSubWindow(child);
        });
        windowListActions_.append(item);
    }
}

// A window that Tile or Cascade resized would show the top left corner of its picture,
// often bare paper; each shows the middle instead, as Center Bitmap In Window does.
void TMainForm::centreArrangedPictures() {
    for (QMdiSubWindow* child : MdiArea->subWindowList())
        if (auto* window = dynamic_cast<TWindowBase*>(child); window && !child->isMinimized())
            window->CenterBitmap();
}

// Minimised windows in rows along the bottom of the frame, left to right: the rows that
// Tile leaves free.
void TMainForm::ArrangeIconsClick() {
    ArrangeIconRows(*MdiArea);
}

void TMainForm::refreshRecentFiles() {
    for (int j = 1; j <= TRecentFiles::MaxCount; ++j) {
        QAction* item = FL[size_t(j - 1)];
        const bool used = j <= RecentFiles.Count();
        item->setText(used ? recentCaption(RecentFiles.Path(j)) : QString());
        item->setVisible(used);
    }
    FileSeparatorLine->setVisible(RecentFiles.Count() > 0);
}

void TMainForm::AddRecentFile(const std::string& Path) {
    if (RecentFiles.Add(Path)) refreshRecentFiles();
}

void TMainForm::FileListClick(int Tag) {
    if (!CanOpenAnotherWindow()) return;
    if (Tag < 1 || Tag > RecentFiles.Count()) return;
    // The entry goes only once its file opened; a failed open leaves the list as it was.
    const std::string path = RecentFiles.Path(Tag);
    if (OpenGraphFile(path) && RecentFiles.Path(Tag) == path) {
        RecentFiles.Remove(Tag);
        refreshRecentFiles();
    }
}

void TMainForm::OpenTextLabelFontDialogClick() {
    TFontRecord font = ToolBarAttrib->Font;
    if (!PickFont(font, this)) return;
    ToolBarAttrib->Font = font;
    SyncLabelFontControls();
}
