// The main window's file commands: new and opened graph windows, save, close, picture
// export, print scale and print, and the files named on the command line.
#include "shell/MainFiles.h"

#include "dialogs/FuncDlgs.h"
#include "dialogs/PictDlgLogic.h"
#include "dialogs/PrnScale.h"
#include "math/CenterDlg.h"
#include "model/FILESAVE.h"
#include "platform/FormatSettings.h"
#include "plot/PtImage.h"
#include "shell/MainForm.h"
#include "shell/WinBase.h"

#include <QFileInfo>
#include <QMdiArea>

#include <algorithm>
#include <cctype>
#include <exception>

const char* const UnknownPictureExtensionMsg =
    "Unknown file type extension. Valid file extenions are \"bmp\", \"jpg\" and \"jpeg\".";

namespace {

// The extension of a file name with its dot, as the name was typed; empty when it has none.
std::string extensionOf(const std::string& Name) {
    const size_t dot = Name.find_last_of('.');
    const size_t slash = Name.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    return Name.substr(dot);
}

// A picture the load had to leave out would otherwise be lost without a word at the next
// save.
std::string droppedPictureMessage(const std::string& Path, const std::string& Reason) {
    const std::string name = QFileInfo(QString::fromStdString(Path)).fileName().toStdString();
    return "The background picture in " + name + " could not be read (" + Reason +
           "). The graph opens without it; saving the graph leaves the picture out.";
}

std::string upperCase(std::string S) {
    std::transform(S.begin(), S.end(), S.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    return S;
}

} // namespace

TPictureFileChoice ChoosePictureFile(const std::string& Name, int FilterIndex) {
    TPictureFileChoice choice{Name, pkUnknown};
    std::string ext = upperCase(extensionOf(Name));
    if (ext.empty()) {
        if (FilterIndex == 1) {
            choice.FileName += ".bmp";
            ext = ".BMP";
        } else if (FilterIndex == 2) {
            choice.FileName += ".jpg";
            ext = ".JPG";
        }
    }
    if (ext == ".BMP") choice.Kind = pkBitmap;
    if (ext == ".JPG" || ext == ".JPEG") choice.Kind = pkJpeg;
    return choice;
}

uint8_t NewGraphPixelFormat(uint8_t DefaultColorDepth, uint8_t ScreenFormat) {
    return DefaultColorDepth >= 2 && DefaultColorDepth <= 7 ? DefaultColorDepth : ScreenFormat;
}

uint8_t TMainForm::newGraphPixelFormat() const {
    return NewGraphPixelFormat(GeneralOptions.DefaultColorDepth, ScreenPixelFormat());
}

// ---- Graph windows made and dropped ----

// Puts a new window into the frame (which owns it from then on) and runs its creation.
void TMainForm::adoptGraphWindow(TWindowBase& Window) {
    Window.setAttribute(Qt::WA_DeleteOnClose);
    MdiArea->addSubWindow(&Window);
    Window.FormCreate();
}

// A window that failed half-made went at once, so that the count is right; the tool bar
// and the status line then follow whatever window is active.
void TMainForm::graphWindowDropped() {
    RecountGraphWindows();
    layOutForActiveChild();
}

void TMainForm::NewGraphWindow(int32_t GraphKind) {
    if (!CanOpenAnotherWindow()) return;
    if (!GraphWindowFactory) return;
    std::unique_ptr<TWindowBase> window;
    try {
        window = GraphWindowFactory(GraphKind);
        if (!window) return;
        adoptGraphWindow(*window);
        window->NewGraph(newGraphPixelFormat(), GeneralOptions.NewGraphBmpWidth(),
                         GeneralOptions.NewGraphBmpHeight());
        window->CenterBitmap();
        window->show();
        window->RedrawGraph();
        window.release(); // the frame owns it
    } catch (...) {
        window.reset();
        ShowOutOfMemoryError();
        graphWindowDropped();
    }
}

bool TMainForm::OpenGraphFile(const std::string& Path) {
    std::unique_ptr<TWindowBase> window;
    try {
        TReadGraphFile reader;
        // The window keeps the name it was opened with; an absolute one stays right when
        // the working folder changes.
        const std::string path = QFileInfo(QString::fromStdString(Path)).absoluteFilePath().toStdString();
        if (!reader.OpenGraphFile(path, FormatSettings().DecimalSeparator)) return false;
        const int32_t kind = reader.GraphKind();
        if (kind != GraphKind2D && kind != GraphKindPolar && kind != GraphKind3D) return false;
        if (!GraphWindowFactory) return false;
        window = GraphWindowFactory(kind);
        if (!window) return false;
        adoptGraphWindow(*window);
        if (window->LoadGraph(newGraphPixelFormat(), path, reader)) {
            window->CenterBitmap();
            window->show();
            window->RedrawGraph();
            TWindowBase* opened = window.release(); // the frame owns it
            if (!reader.DroppedPictureReason().empty())
                CenterMessageDlg(droppedPictureMessage(path, reader.DroppedPictureReason()), mtWarning,
                                 {mbOK}, 0, opened);
            return true;
        }
    } catch (...) {
    }
    if (window) {
        window.reset();
        graphWindowDropped();
    }
    return false;
}

void TMainForm::OpenCommandLineFiles(const QStringList& Arguments) {
    const qsizetype count = std::min<qsizetype>(Arguments.size(), MaxCommandLineFiles);
    for (qsizetype i = 0; i < count; ++i) {
        const QString& argument = Arguments[i];
        if (argument.isEmpty() || !QFileInfo(argument).isFile()) continue;
        if (!CanOpenAnotherWindow()) return;
        OpenGraphFile(argument.toStdString());
    }
}

// ---- File menu ----

void TMainForm::OpenFileClick() {
    if (!CanOpenAnotherWindow()) return;
    TFileDialogRequest request;
    request.Title = "Open A Quorix File";
    request.Filters = {{"Quorix File", "*.qxf"}};
    request.DefaultExt = "qxf";
    request.OverwritePrompt = false;
    request.Owner = this;
    if (UiHook().FileDialog(request) && !request.FileName.empty()) OpenGraphFile(request.FileName);
}

void TMainForm::SaveFileClick() {
    TWindowBase* window = ActiveGraphWindow();
    if (!window) return;
    if (window->GetFileName().empty())
        SaveFileAsClick();
    else
        window->SaveGraph();
}

void TMainForm::SaveFileAsClick() {
    TWindowBase* window = ActiveGraphWindow();
    std::string file;
    if (window && AskGraphFileName(this, file)) window->SaveGraphAs(file);
}

void TMainForm::CloseFileClick() {
    if (QMdiSubWindow* child = MdiArea->currentSubWindow()) child->close();
}

void TMainForm::SaveAsPictureClick() {
    TWindowBase* window = ActiveGraphWindow();
    if (!window) return;
    TFileDialogRequest request;
    request.Save = true;
    request.Title = "Save As Bitmap or Jpeg File";
    request.Filters = {{"Bitmap File", "*.bmp"}, {"Jpeg File", "*.jpg *.jpeg"}};
    request.Owner = this;
    if (!UiHook().FileDialog(request) || request.FileName.empty()) return;
    const TPictureFileChoice choice = ChoosePictureFile(request.FileName, request.FilterIndex);
    if (choice.Kind == pkUnknown) {
        CenterMessageDlg(UnknownPictureExtensionMsg, mtError, {mbOK}, 0, this);
        return;
    }
    window->SavePicture(choice.FileName, choice.Kind == pkBitmap);
}

void TMainForm::PrintScaleClick() {
    // The dialog's Print button prints as Print does, through the print dialog, at the
    // percentage just chosen.
    if (ActiveGraphWindow() && ExecutePrintScaleDlg()) PrintClick();
}

void TMainForm::PrintClick() {
    TWindowBase* window = ActiveGraphWindow();
    if (!window) return;
    TPrintDialogRequest request;
    request.Printer = &Printer();
    request.Owner = this;
    request.Place = [this](QWidget& dialog) { PositionCommonDialog(&dialog, this); };
    request.SelectionEnabled = window->HasSelectedRegion();
    request.PrintSelection = request.SelectionEnabled;
    if (UiHook().PrintDialog(request)) window->PrintGraph(request.PrintSelection, PrintScalePercent);
}
