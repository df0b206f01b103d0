#include "plot/PtThList.h"

#include "math/CenterDlg.h"
#include "model/FILESAVE.h"
#include "platform/Errors.h"
#include "platform/FormatSettings.h"
#include "plot/PtGrList.h"
#include "plot/PtLabel.h"
#include "plot/PtShared.h"

#include <algorithm>

TPlotThreadFuncList::~TPlotThreadFuncList() {
    ShutDown();
    ClearFunctions();
}

void TPlotThreadFuncList::DoAssignFieldObjects() {
    TPlotThreadGraph::DoAssignFieldObjects();
    auto* model = dynamic_cast<TPlotGraphFuncList*>(PlotGraph());
    QX_ASSERT(model != nullptr, "Invalid PlotGraph object type in DoAssignFieldObjects");
    model->AssignFunctions(FuncList);
}

void TPlotThreadFuncList::ClearFunctions() {
    for (auto& f : FuncList)
        f.reset();
    FuncList.clear();
}

TColor TPlotThreadFuncList::NextFunctionColor() const {
    for (TColor c : DefaultFunctionColors)
        if (!IsColorAlreadyInUse(c)) return c;
    return DefaultFunctionColors[FuncList.size() % DefaultFunctionColors.size()];
}

// ---- The graph file body ----

bool TPlotThreadFuncList::SaveGraphFile(
    const std::string& FileName, int32_t GraphKind,
    const std::function<void(TWriteGraphFile&)>& WriteViewAndSettings) const {
    TWriteGraphFile writer; // an unfinished file is discarded with it
    try {
        if (!writer.CreateGraphFile(FileName, GraphKind, FormatSettings().DecimalSeparator)) return false;
        WriteBitmapAttribs(writer);
        WriteBackgroundPicture(writer);
        WriteViewAndSettings(writer);
        WriteFunctions(writer);
        WriteLabels(writer);
        return writer.CloseGraphFile();
    } catch (const EFileSaveError&) {
        return false; // the writer has told the user
    } catch (...) {
        CurrentDrawingErrorText("Saving a graph"); // the cause goes to the log
        CenterMessageDlg("Error saving file", mtError, {mbOK}, 0);
        return false;
    }
}

bool TPlotThreadFuncList::LoadGraphFile(int ColorDepth, const std::string& FileName, TReadGraphFile& Reader,
                                        const std::function<TColor(TReadGraphFile&)>& ReadViewAndSettings) {
    specialValuesErrorShown_ = false;
    bool loaded = false;
    TColor backColor = clWhite;
    // The graph is shown at this depth: a JPEG background decoded at it is never converted.
    if (IsValidPixelFormat(ColorDepth)) Reader.PictureDepth = TPixelFormat(ColorDepth);
    try {
        ReadBitmapAttribs(Reader);
        if (Reader.VersionNumber() >= 4) ReadBackgroundPicture(Reader);
        backColor = ReadViewAndSettings(Reader);
        ReadFunctions(Reader);
        ReadLabels(Reader);
        loaded = true;
    } catch (const EFileLoadError&) {
        // The reader has told the user, or the user gave up mending a text.
    } catch (...) {
        CurrentDrawingErrorText("Loading a graph");
        CenterMessageDlg("Error loading file", mtError, {mbOK}, 0);
    }
    Reader.CloseGraphFile();
    if (!loaded) {
        ClearFunctions();
        MasterLabelList().clear();
        PlotLabelsBuffer().ClearLabels();
        return false;
    }
    BmpAttribs().BackColor = backColor;
    BmpAttribs().PixelFormat = static_cast<uint8_t>(ColorDepth);
    SetFileName(FileName);
    ClearModified();
    return true;
}

void TPlotThreadFuncList::ReportSpecialValuesError() {
    if (specialValuesErrorShown_) return;
    specialValuesErrorShown_ = true;
    CenterMessageDlg("An error occured while calculating 2D function special values.", mtError, {mbOK}, 0);
}

int32_t TPlotThreadFuncList::ReadFunctionCount(TReadGraphFile& Reader) {
    const int32_t count =
        Reader.VersionNumber() == 1 ? static_cast<int16_t>(Reader.ReadWord()) : Reader.ReadInteger();
    // A graph never holds more: such a count is no file of ours, refused before a function is read.
    if (count > int32_t(MaxGraphFunctions)) Reader.RaiseLoadError();
    return count;
}

int32_t TPlotThreadFuncList::FunctionCount() const {
    return static_cast<int32_t>(
        std::count_if(FuncList.begin(), FuncList.end(), [](const auto& f) { return f != nullptr; }));
}
