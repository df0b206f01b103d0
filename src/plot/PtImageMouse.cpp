// The mouse gestures of the picture control: picking, moving and resizing labels, drawing
// new labels with the window's tool, flood fills, text labels and the picture region.
#include "plot/PtImage.h"

#include "labels/DrawObjs.h"
#include "labels/custedit.h"
#include "math/CenterDlg.h"
#include "platform/Bitmap.h"
#include "plot/PtThread.h"

#include <cstdlib>
#include <memory>
#include <new>

namespace {

// Whole shift states: exactly these keys and buttons, nothing else.
constexpr TShiftState kShiftLeft = ssShift | ssLeft;
constexpr TShiftState kCtrlLeft = ssCtrl | ssLeft;

std::unique_ptr<TDrawBaseClass> newShapeFor(TDrawingTool Tool) {
    switch (Tool) {
    case dtLine:
        return std::make_unique<TDrawLine>();
    case dtRectangle:
        return std::make_unique<TDrawInclosedShape>(lkRectangle);
    case dtEllipse:
        return std::make_unique<TDrawInclosedShape>(lkEllipse);
    case dtRoundRect:
        return std::make_unique<TDrawInclosedShape>(lkRoundRect);
    case dtFreeHand:
        return std::make_unique<TDrawFreeHand>();
    default:
        return nullptr;
    }
}

} // namespace

// ---- The image's events ----

void TPlotImageBox::imageMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    DoMouseDown(Button, Shift, X, Y);
    lastMouseX_ = X;
    lastMouseY_ = Y;
}

void TPlotImageBox::imageMouseMove(TShiftState Shift, int X, int Y) {
    DoMouseMove(Shift, X, Y);
    lastMouseX_ = X;
    lastMouseY_ = Y;
    DoDisplayStatusMsg();
}

void TPlotImageBox::imageMouseUp(TMouseButton Button, int X, int Y) {
    DoMouseUp(Button, X, Y);
    lastMouseX_ = X;
    lastMouseY_ = Y;
}

// ---- Mouse down ----

void TPlotImageBox::DoMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TDrawingTool tool = GetDrawingTool();
    if (labelWindowStatus_ == lwEditingText) {
        if (TextEditor->Editing()) TextEditor->setFocus(Qt::MouseFocusReason);
    } else if (!hasFocus()) {
        setFocus(Qt::MouseFocusReason);
    }
    if (Button == mbLeft) {
        if (gestureActive_) { // the last release went elsewhere
            EndLabelOperation(true);
            ResetDragCursor();
        }
        gestureActive_ = true;
        if (IsInsideBitmap(X, Y)) {
            // A click anywhere on the picture commits a running text edit.
            if (EndTextEdit(true)) RedrawLabels(-1);
            if (Shift == kShiftLeft) {
                StartRegionAt(X, Y);
            } else {
                switch (tool) {
                case dtSelectRegion:
                    StartRegionAt(X, Y);
                    break;
                case dtOff:
                    if (doubleClickSeen_) {
                        EditTextLabelAt(X, Y);
                    } else {
                        moveOnly_ = !(Shift == kCtrlLeft || GetResizeLabelsMode());
                        PickLabelAt(X, Y, true);
                    }
                    break;
                case dtFloodFill:
                    AddFloodFillAt(X, Y);
                    break;
                case dtText:
                    StartNewTextLabelAt(X, Y);
                    break;
                default:
                    StartNewLabelAt(X, Y, tool);
                    break;
                }
            }
        } else {
            EndLabelOperation(true);
        }
    } else if (Button == mbRight && !gestureActive_ && IsInsideBitmap(X, Y) && tool == dtOff) {
        ResetDragCursor();
        moveOnly_ = true;
        PickLabelAt(X, Y, false);
        ShowLabelPopupAt(X, Y);
    }
    doubleClickSeen_ = false;
}

void TPlotImageBox::PickLabelAt(int X, int Y, bool SetCursor) {
    bool redraw = false;
    const TLabelWindowStatus status = labelWindowStatus_;
    if (status != lwNormal && status != lwLabelSelected && status != lwFloodFillsVisible)
        redraw = EndLabelOperation(false);
    auto& list = MasterLabelList();
    const bool fillsVisible = labelWindowStatus_ == lwFloodFillsVisible;
    int best = 32000;
    int index = -1;
    // Ties go to the later label, the one painted on top.
    for (int i = 0; i < static_cast<int>(list.size()); ++i) {
        const TDrawBaseClass* label = list[static_cast<std::size_t>(i)].get();
        if (!label || (!fillsVisible && dynamic_cast<const TDrawFloodFill*>(label))) continue;
        const int d = std::abs(label->HitDistance(X, Y));
        if (d <= best) {
            best = d;
            index = i;
        }
    }
    if (labelWindowStatus_ == lwLabelSelected && dynamic_cast<const TDrawFloodFill*>(selectedLabel_)) {
        const int d = selectedLabel_->HitDistance(X, Y);
        if (d <= best) {
            best = d;
            index = selectedIndex_;
        }
    }
    if (best < 6) {
        if (!(labelWindowStatus_ == lwLabelSelected && index == selectedIndex_)) {
            redraw = EndLabelOperation(false) || redraw;
            SetLabelWindowStatus(lwLabelSelected);
            setSelection(index);
        }
        labelMouseEdit(*selectedLabel_, X, Y, moveOnly_ ? moMoveBegin : moSizeBegin);
        if (SetCursor) SetDragCursor(selectedLabel_->GetCursor());
    } else {
        redraw = EndLabelOperation(false) || redraw;
    }
    if (redraw) RedrawLabels(-1);
}

void TPlotImageBox::EditTextLabelAt(int X, int Y) {
    if (labelWindowStatus_ != lwLabelSelected) return;
    auto* text = dynamic_cast<TDrawText*>(selectedLabel_);
    if (!text || text->HitDistance(X, Y) > 5) return;
    beginTextEditOf(*text);
}

void TPlotImageBox::ShowLabelPopupAt(int X, int Y) {
    if (labelWindowStatus_ != lwLabelSelected) return;
    const QPoint screen = Image->mapToGlobal(QPoint(X, Y));
    DoShowLabelPopupMenu(screen.x(), screen.y(), dynamic_cast<TDrawText*>(selectedLabel_) != nullptr);
}

void TPlotImageBox::AddFloodFillAt(int X, int Y) {
    plotThread_->SetModified();
    bool redraw = EndLabelOperation(false);
    const TToolBarAttribClass* attribs = GetToolBarAttrib();
    const TColor fillColor = attribs ? attribs->BrushColor : TColor(0xFF0000);
    if (CanAddLabel()) {
        ClampToBitmap(X, Y);
        // The colour as this picture's depth stores it: that is what a fill would leave.
        const TPixelCodec codec = Image->Picture().Codec();
        if (Image->Picture().Pixel(X, Y) != codec.Decode(codec.Encode(ColorToRGB(fillColor)))) {
            try {
                auto fill = std::make_unique<TDrawFloodFill>();
                fill->SetDefaults(attribs);
                TDrawFloodFill* added = fill.get();
                MasterLabelList().push_back(std::move(fill));
                labelMouseEdit(*added, X, Y, moNewBegin);
                redraw = true;
            } catch (const std::bad_alloc&) {
                ShowOutOfMemoryError();
            }
        }
    }
    if (redraw) RedrawLabels(-1);
}

void TPlotImageBox::StartNewLabelAt(int X, int Y, TDrawingTool Tool) {
    plotThread_->SetModified();
    EndLabelOperation(true);
    if (!CanAddLabel()) return;
    TDrawBaseClass* added = nullptr;
    try {
        std::unique_ptr<TDrawBaseClass> label = newShapeFor(Tool);
        if (!label) return;
        label->SetDefaults(GetToolBarAttrib());
        added = label.get();
        MasterLabelList().push_back(std::move(label));
    } catch (const std::bad_alloc&) {
        ShowOutOfMemoryError();
        return;
    }
    SetLabelWindowStatus(lwDrawingNewLabel);
    selectedIndex_ = static_cast<int>(MasterLabelList().size()) - 1;
    selectedLabel_ = added;
    labelMouseEdit(*added, X, Y, moNewBegin);
}

void TPlotImageBox::StartNewTextLabelAt(int X, int Y) {
    plotThread_->SetModified();
    EndLabelOperation(true);
    const TToolBarAttribClass* attribs = GetToolBarAttrib();
    if (!CanAddLabel()) return;
    TDrawText* added = nullptr;
    try {
        auto text = std::make_unique<TDrawText>();
        text->SetText(TPoint(X, Y), std::string(), attribs ? &attribs->Font : nullptr);
        added = text.get();
        MasterLabelList().push_back(std::move(text));
    } catch (const std::bad_alloc&) {
        ShowOutOfMemoryError();
        return;
    }
    SetLabelWindowStatus(lwEditingText);
    selectedIndex_ = static_cast<int>(MasterLabelList().size()) - 1;
    selectedLabel_ = added;
    TextEditor->BeginEdit(TPoint(X, Y), TPoint(X, Y), added->Font, std::string());
    ensureWidgetVisible(TextEditor);
}

void TPlotImageBox::StartRegionAt(int X, int Y) {
    EndLabelOperation(true);
    // The region tool acts once.
    DoTurnDrawToolOff();
    ClampToBitmap(X, Y);
    regionCorner1_ = regionCorner2_ = TPoint(X, Y);
    SetLabelWindowStatus(lwDrawingRegion);
    DrawRegionRect(regionCorner1_, regionCorner2_);
}

// ---- Mouse move and up ----

void TPlotImageBox::DoMouseMove(TShiftState Shift, int X, int Y) {
    if (!gestureActive_) return;
    if (X == lastMouseX_ && Y == lastMouseY_) return;
    if (!(Shift & ssLeft)) { // the release went elsewhere: the gesture ends here
        EndLabelOperation(true);
        ResetDragCursor();
        gestureActive_ = false;
        return;
    }
    switch (labelWindowStatus_) {
    case lwDrawingNewLabel:
        labelMouseEdit(*selectedLabel_, X, Y, moNewDrag);
        break;
    case lwLabelSelected:
        SetLabelWindowStatus(lwDragResizeLabel);
        labelMouseEdit(*selectedLabel_, X, Y, moveOnly_ ? moMoveFirstStep : moSizeFirstStep);
        // The picture is painted again without the dragged label, which follows the mouse
        // as an outline.
        RedrawLabels(selectedIndex_);
        break;
    case lwDragResizeLabel:
        labelMouseEdit(*selectedLabel_, X, Y, moveOnly_ ? moMoveStep : moSizeStep);
        break;
    case lwFloodFillsVisible:
    case lwRegionSelected:
        EndLabelOperation(true);
        break;
    case lwDrawingRegion:
        DrawRegionRect(regionCorner1_, regionCorner2_);
        ClampToBitmap(X, Y);
        regionCorner2_ = TPoint(X, Y);
        DrawRegionRect(regionCorner1_, regionCorner2_);
        break;
    default:
        break;
    }
}

void TPlotImageBox::DoMouseUp(TMouseButton Button, int X, int Y) {
    if (!gestureActive_ || Button != mbLeft) return;
    gestureActive_ = false;
    ResetDragCursor();
    switch (labelWindowStatus_) {
    case lwDrawingNewLabel:
        SetLabelWindowStatus(lwNormal);
        labelMouseEdit(*selectedLabel_, X, Y, moNewEnd);
        RedrawLabels(-1);
        break;
    case lwDragResizeLabel:
        SetLabelWindowStatus(lwLabelSelected);
        labelMouseEdit(*selectedLabel_, X, Y, moveOnly_ ? moMoveEnd : moSizeEnd);
        RedrawLabels(-1);
        break;
    case lwFloodFillsVisible:
    case lwRegionSelected:
        EndLabelOperation(true);
        break;
    case lwDrawingRegion:
        SetLabelWindowStatus(lwRegionSelected);
        DrawRegionRect(regionCorner1_, regionCorner2_);
        ClampToBitmap(X, Y);
        regionCorner2_ = TPoint(X, Y);
        OrderCornerPoints(regionCorner1_, regionCorner2_);
        DrawRegionRect(regionCorner1_, regionCorner2_);
        break;
    default:
        break;
    }
}
