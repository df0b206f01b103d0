// The label commands and file commands of the picture control.
#include "plot/PtImage.h"

#include "labels/DrawObjs.h"
#include "labels/custedit.h"
#include "labels/labeldlg.h"
#include "math/CenterDlg.h"
#include "math/CenterErrorMsgDlg.h"
#include "platform/Canvas.h"
#include "platform/UiHook.h"
#include "plot/PtThread.h"

#include <algorithm>
#include <string>

namespace {

bool isFloodFill(const TDrawBaseClass& l) {
    return dynamic_cast<const TDrawFloodFill*>(&l) != nullptr;
}
bool isNotFloodFill(const TDrawBaseClass& l) {
    return !isFloodFill(l);
}
bool isAnyLabel(const TDrawBaseClass&) {
    return true;
}

std::string withoutFolder(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

// ---- Ending an operation ----

bool TPlotImageBox::EndLabelOperation(bool Redraw) {
    bool needRedraw = false;
    switch (labelWindowStatus_) {
    case lwNormal:
        return false;
    case lwEditingText:
        needRedraw = EndTextEdit(true);
        break;
    case lwDrawingNewLabel:
        SetLabelWindowStatus(lwNormal);
        plotThread_->SetModified();
        if (selectedLabel_) {
            selectedLabel_->ForgetSelectionHandles();
            // Creation ends where the shape stands now.
            if (auto* two = dynamic_cast<TDrawLabel*>(selectedLabel_))
                labelMouseEdit(*two, two->P2.X, two->P2.Y, moNewEnd);
        }
        needRedraw = true;
        break;
    case lwLabelSelected:
        SetLabelWindowStatus(lwNormal);
        if (selectedLabel_ && selectedLabel_->HandlesShown) toggleHandles(*selectedLabel_);
        break;
    case lwDragResizeLabel:
        // The drag is abandoned: the label keeps its real points.
        SetLabelWindowStatus(lwNormal);
        plotThread_->SetModified();
        if (selectedLabel_) selectedLabel_->ForgetSelectionHandles();
        needRedraw = true;
        break;
    case lwFloodFillsVisible:
        SetLabelWindowStatus(lwNormal);
        drawFloodFillMarks();
        break;
    case lwDrawingRegion:
    case lwRegionSelected:
        SetLabelWindowStatus(lwNormal);
        DrawRegionRect(regionCorner1_, regionCorner2_);
        break;
    }
    ResetDragCursor();
    SetLabelWindowStatus(lwNormal);
    if (needRedraw && Redraw) {
        RedrawLabels(-1);
        return false;
    }
    return needRedraw;
}

bool TPlotImageBox::drawFloodFillMarks() {
    bool any = false;
    for (const auto& label : MasterLabelList()) {
        auto* fill = dynamic_cast<TDrawFloodFill*>(label.get());
        if (!fill) continue;
        fill->DrawLocationMark(Image->Picture(), context_);
        updateLabelArea(*fill);
        any = true;
    }
    return any;
}

// ---- Text editing ----

bool TPlotImageBox::storeTypedText(bool DeleteIfEmpty) {
    SetLabelWindowStatus(lwNormal);
    plotThread_->SetModified();
    auto* text = dynamic_cast<TDrawText*>(selectedLabel_);
    if (!text) return false;
    const std::string typed = TextEditor->Text();
    bool needRedraw = !text->Text.empty() || !typed.empty();
    if (!typed.empty()) {
        text->Modified = true;
        text->Text = typed;
        text->P2 = TDrawText::CalcTextExtent(text->P1, typed, text->Font);
        if (text->KeepOnBitmap(context_)) needRedraw = true;
    } else if (DeleteIfEmpty) {
        auto& list = MasterLabelList();
        if (selectedIndex_ >= 0 && selectedIndex_ < static_cast<int>(list.size()) &&
            list[static_cast<std::size_t>(selectedIndex_)].get() == text)
            list.erase(list.begin() + selectedIndex_);
        selectedLabel_ = nullptr;
        selectedIndex_ = -1;
    }
    return needRedraw;
}

bool TPlotImageBox::EndTextEdit(bool DeleteIfEmpty) {
    if (labelWindowStatus_ != lwEditingText) return false;
    const bool needRedraw = storeTypedText(DeleteIfEmpty);
    // Its done event then finds the edit over and does nothing.
    TextEditor->EndEdit();
    return needRedraw;
}

void TPlotImageBox::TextEditDone() {
    if (labelWindowStatus_ != lwEditingText) return;
    if (storeTypedText(true)) RedrawLabels(-1);
}

void TPlotImageBox::TextEditStarted(TPoint BitmapPos, int Width, int Height) {
    if (labelWindowStatus_ != lwEditingText) return;
    plotThread_->SetModified();
    const auto* text = dynamic_cast<const TDrawText*>(selectedLabel_);
    if (!text || text->Text.empty()) return;
    // The old text goes from the picture at once; the labels follow without it.
    const TRect area(std::clamp(BitmapPos.X, 0, context_.Width), std::clamp(BitmapPos.Y, 0, context_.Height),
                     std::clamp(BitmapPos.X + Width, 0, context_.Width),
                     std::clamp(BitmapPos.Y + Height, 0, context_.Height));
    TCanvas& c = Image->Picture().Canvas();
    c.Brush.Color = context_.BackgroundColor;
    c.Brush.Style = bsSolid;
    c.FillRect(area);
    Image->UpdateArea(area);
    RedrawLabels(selectedIndex_);
}

void TPlotImageBox::beginTextEditOf(TDrawBaseClass& Label) {
    auto& text = dynamic_cast<TDrawText&>(Label);
    SetLabelWindowStatus(lwEditingText);
    plotThread_->SetModified();
    if (text.HandlesShown) toggleHandles(text);
    // The editor lives on the picture and scrolls with it, so its place is the label's
    // place on the picture.
    TextEditor->BeginEdit(text.P1, text.P1, text.Font, text.Text);
    ensureWidgetVisible(TextEditor);
}

void TPlotImageBox::StartInPlaceTextEdit() {
    if (labelWindowStatus_ != lwLabelSelected || !dynamic_cast<TDrawText*>(selectedLabel_)) return;
    beginTextEditOf(*selectedLabel_);
}

// ---- Selection and order ----

void TPlotImageBox::setSelection(int Index) {
    selectedIndex_ = Index;
    selectedLabel_ = MasterLabelList()[static_cast<std::size_t>(Index)].get();
}

void TPlotImageBox::SelectLabel(int Index) {
    if (labelWindowStatus_ == lwLabelSelected && Index == selectedIndex_) return;
    const bool redraw = EndLabelOperation(false);
    if (Index >= 0 && Index < static_cast<int>(MasterLabelList().size())) {
        SetLabelWindowStatus(lwLabelSelected);
        setSelection(Index);
        if (!selectedLabel_->HandlesShown) toggleHandles(*selectedLabel_);
    }
    if (redraw) RedrawLabels(-1);
}

void TPlotImageBox::SelectNextLabel() {
    if (labelWindowStatus_ != lwLabelSelected) return;
    const int count = static_cast<int>(MasterLabelList().size());
    SelectLabel(selectedIndex_ + 1 >= count ? 0 : selectedIndex_ + 1);
}

void TPlotImageBox::SelectPreviousLabel() {
    if (labelWindowStatus_ != lwLabelSelected) return;
    const int count = static_cast<int>(MasterLabelList().size());
    SelectLabel(selectedIndex_ - 1 < 0 ? count - 1 : selectedIndex_ - 1);
}

void TPlotImageBox::SelectTopLabel() {
    const int count = static_cast<int>(MasterLabelList().size());
    if (count == 0)
        EndLabelOperation(true);
    else
        SelectLabel(count - 1);
}

void TPlotImageBox::SendSelectedToBack() {
    auto& list = MasterLabelList();
    if (labelWindowStatus_ != lwLabelSelected || selectedIndex_ <= 0) return;
    std::rotate(list.begin(), list.begin() + selectedIndex_, list.begin() + selectedIndex_ + 1);
    selectedIndex_ = 0;
    RedrawLabels(-1);
}

void TPlotImageBox::SendSelectedToFront() {
    auto& list = MasterLabelList();
    const int last = static_cast<int>(list.size()) - 1;
    if (labelWindowStatus_ != lwLabelSelected || selectedIndex_ < 0 || selectedIndex_ >= last) return;
    std::rotate(list.begin() + selectedIndex_, list.begin() + selectedIndex_ + 1, list.end());
    selectedIndex_ = last;
    RedrawLabels(-1);
}

// ---- Deleting ----

void TPlotImageBox::DeleteSelectedLabel() {
    if (labelWindowStatus_ != lwLabelSelected) return;
    SetLabelWindowStatus(lwNormal);
    auto& list = MasterLabelList();
    if (selectedIndex_ >= 0 && selectedIndex_ < static_cast<int>(list.size()))
        list.erase(list.begin() + selectedIndex_);
    selectedLabel_ = nullptr;
    selectedIndex_ = -1;
    plotThread_->SetModified();
    RedrawLabels(-1);
}

void TPlotImageBox::deleteLabelsWhere(const char* Question, bool (*Matches)(const TDrawBaseClass&)) {
    auto& list = MasterLabelList();
    if (std::none_of(list.begin(), list.end(), [&](const auto& l) { return l && Matches(*l); })) return;
    if (CenterMessageDlg(Question, mtConfirmation, {mbYes, mbCancel}, 0, window()) != mrYes) return;
    EndLabelOperation(false);
    plotThread_->SetModified();
    std::erase_if(list, [&](const auto& l) { return !l || Matches(*l); });
    selectedLabel_ = nullptr;
    selectedIndex_ = -1;
    RedrawLabels(-1);
}

void TPlotImageBox::DeleteAllLabels() {
    deleteLabelsWhere("Delete all labels from this graph?", isNotFloodFill);
}

void TPlotImageBox::DeleteAllFloodFills() {
    deleteLabelsWhere("Delete all flood fills from this graph?", isFloodFill);
}

void TPlotImageBox::DeleteAllLabelsAndFloodFills() {
    deleteLabelsWhere("Delete all labels and flood fills from this graph?", isAnyLabel);
}

void TPlotImageBox::ShowFloodFillLocations() {
    EndLabelOperation(true);
    if (drawFloodFillMarks()) SetLabelWindowStatus(lwFloodFillsVisible);
}

// ---- Dialogs ----

void TPlotImageBox::ShowLabelListDialog() {
    bool selectFlag = labelWindowStatus_ == lwLabelSelected;
    int itemIndex = selectedIndex_;
    EndLabelOperation(true);
    bool labelsModified = false;
    const bool changed =
        ExecuteLabelListDlg(MasterLabelList(), context_, selectFlag, itemIndex, &labelsModified);
    const bool validIndex = itemIndex >= 0 && itemIndex < static_cast<int>(MasterLabelList().size());
    // A label changed through Modify stays changed even when the list was cancelled: the
    // graph is then modified and its picture must show it.
    if (changed || labelsModified) {
        plotThread_->SetModified();
        if (selectFlag && validIndex) {
            SetLabelWindowStatus(lwLabelSelected);
            setSelection(itemIndex);
        }
        RedrawLabels(-1);
    } else if (selectFlag) {
        SelectLabel(itemIndex);
    }
}

void TPlotImageBox::EditSelectedLabel() {
    if (labelWindowStatus_ == lwEditingText) {
        editTextBeingTyped();
        return;
    }
    if (labelWindowStatus_ != lwLabelSelected || !selectedLabel_) return;
    TDrawBaseClass* label = selectedLabel_;
    const int index = selectedIndex_;
    EndLabelOperation(true);
    if (!ModifyDrawObject(*label, context_, window())) {
        SelectLabel(index);
        return;
    }
    plotThread_->SetModified();
    const auto* text = dynamic_cast<const TDrawText*>(label);
    if (text && text->Text.empty()) {
        MasterLabelList().erase(MasterLabelList().begin() + index);
        selectedLabel_ = nullptr;
        selectedIndex_ = -1;
        SetLabelWindowStatus(lwNormal);
    } else {
        SetLabelWindowStatus(lwLabelSelected);
        setSelection(index);
    }
    RedrawLabels(-1);
}

void TPlotImageBox::editTextBeingTyped() {
    plotThread_->SetModified();
    auto* text = dynamic_cast<TDrawText*>(selectedLabel_);
    const int index = selectedIndex_;
    if (EndTextEdit(false)) RedrawLabels(-1);
    if (!text) return;
    ModifyDrawObject(*text, context_, window());
    if (!text->Text.empty()) {
        SetLabelWindowStatus(lwLabelSelected);
        setSelection(index);
    } else {
        // A text label without text could never be found again on the picture, whether
        // the dialog was accepted or cancelled.
        SetLabelWindowStatus(lwNormal);
        MasterLabelList().erase(MasterLabelList().begin() + index);
        selectedLabel_ = nullptr;
        selectedIndex_ = -1;
    }
    RedrawLabels(-1);
}

// ---- Limits and mouse memory ----

bool TPlotImageBox::CanAddLabel() {
    if (MasterLabelList().size() < MaxGraphLabels) return true;
    ShowCenterErrorMsg("This graph can not accept more than " + std::to_string(MaxGraphLabels) + " labels.",
                       window());
    return false;
}

void TPlotImageBox::ForgetMousePosition() {
    lastMouseX_ = -1;
    lastMouseY_ = -1;
}

// ---- File commands ----

bool TPlotImageBox::SaveGraph() {
    EndLabelOperation(true);
    TUpdateScope scope(*this);
    return plotThread_->Save();
}

bool TPlotImageBox::SaveGraphAs(const std::string& FileName) {
    EndLabelOperation(true);
    TUpdateScope scope(*this);
    return plotThread_->SaveAs(FileName);
}

bool TPlotImageBox::HasUnsavedChanges() {
    EndLabelOperation(true);
    return plotThread_->Modified();
}

bool TPlotImageBox::CanCloseGraph() {
    if (!HasUnsavedChanges()) return true;
    // A new graph's work is as much at stake as a stored one's, so it is asked about too,
    // under its caption, and saving it asks for its file.
    const bool unnamed = plotThread_->FileName().empty();
    std::string name;
    if (unnamed)
        GetCaption(name);
    else
        name = withoutFolder(plotThread_->FileName());
    const int answer = CenterMessageDlg("Save changes to graph: " + name + " ?", mtConfirmation,
                                        {mbYes, mbNo, mbCancel}, 0, window());
    if (answer == mrNo) return true;
    if (answer != mrYes) return false;
    if (!unnamed) return SaveGraph();
    std::string file;
    return AskGraphFileName(window(), file) && SaveGraphAs(file);
}

bool AskGraphFileName(QWidget* Owner, std::string& FileName) {
    TFileDialogRequest request;
    request.Save = true;
    request.Title = "Save File As";
    request.Filters = {{"Quorix File", "*.qxf"}};
    request.DefaultExt = "qxf";
    request.Owner = Owner;
    if (!UiHook().FileDialog(request) || request.FileName.empty()) return false;
    FileName = request.FileName;
    return true;
}
