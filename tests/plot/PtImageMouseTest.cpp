// Mouse gestures on the picture control, through real mouse and key events.
#include "ImageTestSupport.h"

#include <QScrollBar>

using namespace plottest;

namespace {

struct TKindCase {
    const char* Name;
    TDrawingTool Tool;
};

const TKindCase kKinds[] = {
    {"line", dtLine},          {"rectangle", dtRectangle},
    {"ellipse", dtEllipse},    {"round rectangle", dtRoundRect},
    {"free hand", dtFreeHand}, {"flood fill", dtFloodFill},
    {"text", dtText},
};

TPoint firstPoint(const TDrawBaseClass& l) {
    if (const auto* f = dynamic_cast<const TDrawFloodFill*>(&l)) return f->Location;
    return static_cast<const TDrawLabel&>(l).P1;
}

TPoint secondPoint(const TDrawBaseClass& l) {
    if (const auto* f = dynamic_cast<const TDrawFloodFill*>(&l)) return f->Location;
    return static_cast<const TDrawLabel&>(l).P2;
}

} // namespace

class ImageMouseTest : public ImageBoxTest {
protected:
    // Makes a label of the tool's kind with the mouse (and the keyboard for a text).
    void createWith(TDrawingTool tool) {
        events.Tool = tool;
        switch (tool) {
        case dtFloodFill:
            press(30, 30);
            release(30, 30);
            break;
        case dtText:
            press(30, 40);
            release(30, 40);
            QTest::keyClicks(box->TextEditor, "Hi");
            QTest::keyClick(box->TextEditor, Qt::Key_Return);
            break;
        case dtFreeHand:
            press(40, 30);
            for (TPoint p : {TPoint(45, 40), TPoint(55, 45), TPoint(70, 60), TPoint(80, 70)})
                moveTo(p.X, p.Y);
            release(80, 70);
            break;
        default:
            drag({40, 30}, {80, 70});
            break;
        }
        events.Tool = dtOff;
        WaitForPicture();
    }
    // A point of the label that a click picks.
    TPoint grip(const TDrawBaseClass& l) {
        if (dynamic_cast<const TDrawInclosedShape*>(&l)) return {firstPoint(l).X, 50}; // left edge
        if (dynamic_cast<const TDrawText*>(&l)) return {firstPoint(l).X + 3, firstPoint(l).Y + 3};
        return firstPoint(l);
    }
};

TEST_F(ImageMouseTest, EveryKindIsCreatedMovedAndResizedByGestures) {
    events.Attribs.BrushColor = 0x00C000;
    events.Attribs.BrushStyle = bsSolid;
    for (const TKindCase& k : kKinds) {
        SCOPED_TRACE(k.Name);
        labels().clear();
        box->RedrawLabels(-1);
        WaitForPicture();

        createWith(k.Tool);
        ASSERT_EQ(labels().size(), 1u);
        TDrawBaseClass& label = *labels()[0];
        EXPECT_EQ(box->LabelWindowStatus(), lwNormal);
        EXPECT_EQ(differences(*freshRedraw()), 0) << "after creating";
        if (k.Tool != dtFloodFill && k.Tool != dtText) {
            EXPECT_EQ(firstPoint(label), TPoint(40, 30));
            EXPECT_EQ(secondPoint(label), TPoint(80, 70));
        }

        // A flood fill is picked only while the fill locations show.
        if (k.Tool == dtFloodFill) box->ShowFloodFillLocations();
        const TPoint from = grip(label), first = firstPoint(label), second = secondPoint(label);
        drag(from, {from.X + 10, from.Y + 5});
        WaitForPicture();
        EXPECT_EQ(box->LabelWindowStatus(), lwLabelSelected);
        EXPECT_EQ(firstPoint(label), TPoint(first.X + 10, first.Y + 5)) << "moved";
        EXPECT_EQ(secondPoint(label), TPoint(second.X + 10, second.Y + 5));
        EXPECT_EQ(differences(*freshRedraw(true)), 0) << "after moving";

        // Ctrl and the left button grab a handle: the second corner or end point of two-point
        // shapes; labels without handles move again.
        const bool resizable = k.Tool != dtFreeHand && k.Tool != dtFloodFill && k.Tool != dtText;
        const TPoint handle = resizable ? secondPoint(label) : grip(label);
        const TPoint before1 = firstPoint(label), before2 = secondPoint(label);
        drag(handle, {handle.X + 15, handle.Y + 10}, Qt::ControlModifier);
        WaitForPicture();
        EXPECT_EQ(firstPoint(label), resizable ? before1 : TPoint(before1.X + 15, before1.Y + 10))
            << "resized";
        EXPECT_EQ(secondPoint(label), TPoint(before2.X + 15, before2.Y + 10));
        EXPECT_EQ(differences(*freshRedraw(true)), 0) << "after resizing";

        box->EndLabelOperation(true);
        WaitForPicture();
        EXPECT_EQ(differences(*freshRedraw()), 0) << "after ending the selection";
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
}

// A picture that arrives while a label is being drawn (a graph run ending, say) must not
// leave stray outlines behind: the shape being made is drawn again from its own points.
TEST_F(ImageMouseTest, PictureArrivingWhileDrawingLeavesNoStrayFigures) {
    addLabel(line({10, 100}, {90, 120}));
    for (const TKindCase& k : kKinds) {
        if (k.Tool == dtFloodFill || k.Tool == dtText) continue;
        SCOPED_TRACE(k.Name);
        events.Tool = k.Tool;
        press(40, 30);
        moveTo(50, 40);
        moveTo(60, 55);
        box->StartGraphDrawing(); // the picture is replaced under the gesture
        WaitForPicture();
        EXPECT_EQ(box->LabelWindowStatus(), lwDrawingNewLabel);
        moveTo(70, 60);
        moveTo(80, 70);
        release(80, 70);
        // The final shape stands on the picture before the label worker repaints it.
        EXPECT_EQ(differences(*freshRedraw()), 0) << "at the end of the gesture";
        WaitForPicture();
        EXPECT_EQ(differences(*freshRedraw()), 0) << "after the redraw";
        labels().pop_back();
        box->RedrawLabels(-1);
        WaitForPicture();
    }
    events.Tool = dtOff;
}

TEST_F(ImageMouseTest, PickingTakesTheNearestLabelAndTiesGoToTheLaterOne) {
    // Horizontal lines at rows 47 and 54: a click at row 50 is 3 from the first and 4 from
    // the second.
    auto& first = addLabel(line({20, 47}, {90, 47}));
    addLabel(line({20, 54}, {90, 54}));
    QTest::mouseClick(box->Image, Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    EXPECT_EQ(box->SelectedIndex(), 0);
    EXPECT_EQ(box->LabelWindowStatus(), lwLabelSelected);
    // Nothing within 5 pixels: the selection ends.
    QTest::mouseClick(box->Image, Qt::LeftButton, Qt::NoModifier, QPoint(50, 120));
    EXPECT_EQ(box->LabelWindowStatus(), lwNormal);
    // 4 from both: the later label, painted on top, wins.
    first.P1.Y = first.P2.Y = 46;
    first.Modified = true;
    box->RedrawLabels(-1);
    QTest::mouseClick(box->Image, Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    EXPECT_EQ(box->SelectedIndex(), 1);
    WaitForPicture();
    EXPECT_EQ(differences(*freshRedraw(true)), 0);
}

TEST_F(ImageMouseTest, FloodFillsArePickedOnlyWhileShownOrSelected) {
    auto& f = addLabel(fill({30, 30}, 0x00C000));
    press(30, 30);
    release(30, 30);
    EXPECT_EQ(box->LabelWindowStatus(), lwNormal) << "hidden fills are not picked";
    box->ShowFloodFillLocations();
    EXPECT_EQ(box->LabelWindowStatus(), lwFloodFillsVisible);
    press(31, 31);
    release(31, 31);
    EXPECT_EQ(box->LabelWindowStatus(), lwLabelSelected);
    EXPECT_EQ(box->SelectedLabel(), &f);
    press(30, 30); // the selected fill stays pickable
    release(30, 30);
    EXPECT_EQ(box->SelectedLabel(), &f);
    WaitForPicture();
    EXPECT_EQ(differences(*freshRedraw(true)), 0);
}

TEST_F(ImageMouseTest, DragsMoveOnlyUnlessCtrlOrResizeMode) {
    auto& r = addLabel(rect({40, 30}, {80, 70}));
    const auto dragCorner = [&](Qt::KeyboardModifiers m) {
        drag({80, 70}, {90, 75}, m);
        WaitForPicture();
    };
    dragCorner(Qt::NoModifier); // a plain drag on the corner moves the whole rectangle
    EXPECT_EQ(r.P1, TPoint(50, 35));
    EXPECT_EQ(r.P2, TPoint(90, 75));
    dragCorner(Qt::NoModifier); // from (80, 70), now on the bottom edge: moves again
    EXPECT_EQ(r.P1, TPoint(60, 40));
    drag({100, 80}, {110, 85}, Qt::ControlModifier); // Ctrl: the corner alone
    WaitForPicture();
    EXPECT_EQ(r.P1, TPoint(60, 40));
    EXPECT_EQ(r.P2, TPoint(110, 85));
    events.ResizeMode = true; // resize mode: a plain drag resizes too
    drag({110, 85}, {100, 80});
    WaitForPicture();
    EXPECT_EQ(r.P1, TPoint(60, 40));
    EXPECT_EQ(r.P2, TPoint(100, 80));
    // Shift or Alt with Ctrl is not "exactly Ctrl": a move.
    events.ResizeMode = false;
    drag({100, 80}, {105, 80}, Qt::ControlModifier | Qt::AltModifier);
    WaitForPicture();
    EXPECT_EQ(r.P1, TPoint(65, 40));
}

TEST_F(ImageMouseTest, FirstDragStepRepaintsWithoutTheDraggedLabel) {
    addLabel(line({20, 100}, {90, 100}));
    auto& r = addLabel(rect({40, 30}, {80, 70}));
    press(40, 50);
    moveTo(40, 50); // the same pixel: no step
    EXPECT_EQ(box->LabelWindowStatus(), lwLabelSelected);
    moveTo(45, 52);
    EXPECT_EQ(box->LabelWindowStatus(), lwDragResizeLabel);
    EXPECT_EQ(controller().PlotLabelsBuffer().ExcludedIndex(), 1);
    WaitForPicture();
    // The repainted picture lacks the rectangle; its outline follows the mouse.
    EXPECT_EQ(picture().Pixel(40, 31), clWhite);
    EXPECT_NE(picture().Pixel(45, 33), clWhite);
    EXPECT_EQ(picture().Pixel(50, 100), clBlack) << "the other label stays";
    release(45, 52);
    WaitForPicture();
    EXPECT_EQ(r.P1, TPoint(45, 32));
    EXPECT_EQ(differences(*freshRedraw(true)), 0);
}

TEST_F(ImageMouseTest, RegionsAreDraggedNormalisedAndClamped) {
    events.Tool = dtSelectRegion;
    drag({50, 40}, {10, 90});
    EXPECT_EQ(box->LabelWindowStatus(), lwRegionSelected);
    EXPECT_EQ(box->RegionCorner1(), TPoint(10, 40));
    EXPECT_EQ(box->RegionCorner2(), TPoint(50, 90));
    EXPECT_EQ(events.ToolOff, 1);
    EXPECT_EQ(events.Tool, dtOff) << "the region tool acts once";
    // The dotted not-xor rectangle is on the picture; ending the selection takes it off.
    EXPECT_GT(differences(*freshRedraw()), 0);
    // Shift and the left button start a region whatever the tool; beyond the picture the
    // corner is clamped.
    events.Tool = dtRectangle;
    drag({100, 100}, {500, 400}, Qt::ShiftModifier);
    EXPECT_EQ(box->RegionCorner1(), TPoint(100, 100));
    EXPECT_EQ(box->RegionCorner2(), TPoint(W - 1, H - 1));
    EXPECT_TRUE(labels().empty());
    EXPECT_EQ(events.ToolOff, 2);
    box->EndLabelOperation(true);
    EXPECT_EQ(differences(*freshRedraw()), 0);
}

TEST_F(ImageMouseTest, FloodFillOnItsOwnColourAddsNothing) {
    events.Tool = dtFloodFill;
    events.Attribs.BrushColor = 0x00C000;
    press(30, 30);
    release(30, 30);
    ASSERT_EQ(labels().size(), 1u);
    press(40, 40); // already green
    release(40, 40);
    EXPECT_EQ(labels().size(), 1u);
    press(150, 40); // the other half of the frame is still white
    release(150, 40);
    EXPECT_EQ(labels().size(), 2u);
    WaitForPicture();
    EXPECT_EQ(differences(*freshRedraw()), 0);
    EXPECT_EQ(picture().Pixel(150, 40), TColor(0x00C000));
}

TEST_F(ImageMouseTest, RightClickSelectsAndRaisesThePopupAtTheScreen) {
    addLabel(rect({40, 30}, {80, 70}));
    addLabel(text({120, 40}, "Label"));
    press(40, 50, Qt::NoModifier, Qt::RightButton);
    release(40, 50, Qt::RightButton);
    ASSERT_EQ(events.Popups.size(), 1u);
    const QPoint screen = box->Image->mapToGlobal(QPoint(40, 50));
    EXPECT_EQ(events.Popups[0].X, screen.x());
    EXPECT_EQ(events.Popups[0].Y, screen.y());
    EXPECT_FALSE(events.Popups[0].Editor);
    EXPECT_EQ(box->SelectedIndex(), 0);
    press(123, 43, Qt::NoModifier, Qt::RightButton);
    release(123, 43, Qt::RightButton);
    ASSERT_EQ(events.Popups.size(), 2u);
    EXPECT_TRUE(events.Popups[1].Editor) << "the in-place editor item only for texts";
    // Nothing under the mouse: no popup.
    press(150, 120, Qt::NoModifier, Qt::RightButton);
    release(150, 120, Qt::RightButton);
    EXPECT_EQ(events.Popups.size(), 2u);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(ImageMouseTest, LostReleaseEndsTheGestureAtTheLastPosition) {
    QWidget elsewhere;
    events.Tool = dtLine;
    press(40, 30);
    moveTo(60, 50);
    moveTo(70, 55);
    // The button goes up over another window; back over the picture the mouse moves
    // without it.
    QTest::mouseRelease(&elsewhere, Qt::LeftButton, Qt::NoModifier, QPoint(1, 1));
    moveTo(120, 100);
    ASSERT_EQ(labels().size(), 1u);
    const auto& l = static_cast<const TDrawLine&>(*labels()[0]);
    EXPECT_EQ(l.P2, TPoint(70, 55));
    EXPECT_EQ(box->LabelWindowStatus(), lwNormal);
    EXPECT_FALSE(box->GestureActive());
    WaitForPicture();
    EXPECT_EQ(differences(*freshRedraw()), 0);

    // A lost release noticed only at the next press ends the drag first.
    events.Tool = dtOff;
    press(55, 42);
    moveTo(60, 42);
    QTest::mouseRelease(&elsewhere, Qt::LeftButton, Qt::NoModifier, QPoint(1, 1));
    press(150, 130);
    release(150, 130);
    EXPECT_EQ(l.P1, TPoint(40, 30)) << "an abandoned drag keeps the label's place";
    EXPECT_EQ(box->LabelWindowStatus(), lwNormal);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(ImageMouseTest, OneOverrideCursorFollowsTheGrabbedPart) {
    addLabel(rect({40, 30}, {80, 70}));
    press(80, 70, Qt::ControlModifier); // the bottom-right corner
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::SizeFDiagCursor);
    EXPECT_EQ(box->DragCursor(), crSizeNWSE);
    moveTo(85, 75);
    release(85, 75);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    press(60, 30, Qt::ControlModifier); // the top edge
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::SizeVerCursor);
    // A new pointer replaces the one in place instead of stacking on it.
    box->SetDragCursor(crDrag);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::DragMoveCursor);
    release(60, 30);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(ImageMouseTest, DoubleClickOnASelectedTextEditsItInPlace) {
    auto& t = addLabel(text({60, 40}, "Old"));
    QTest::mouseClick(box->Image, Qt::LeftButton, Qt::NoModifier, QPoint(62, 42));
    EXPECT_EQ(box->LabelWindowStatus(), lwLabelSelected);
    // Qt sends the second press of a double click as a double click of its own.
    QTest::mouseDClick(box->Image, Qt::LeftButton, Qt::NoModifier, QPoint(62, 42));
    QTest::mouseRelease(box->Image, Qt::LeftButton, Qt::NoModifier, QPoint(62, 42));
    ASSERT_EQ(box->LabelWindowStatus(), lwEditingText);
    EXPECT_TRUE(box->TextEditor->Editing());
    EXPECT_FALSE(box->DoubleClickSeen());
    // The old text leaves the picture while it is typed.
    WaitForPicture();
    EXPECT_EQ(controller().PlotLabelsBuffer().ExcludedIndex(), 0);
    QTest::keyClick(box->TextEditor, Qt::Key_End);
    QTest::keyClicks(box->TextEditor, "er");
    // A click elsewhere on the picture commits the edit.
    press(150, 120);
    release(150, 120);
    EXPECT_EQ(t.Text, "Older");
    EXPECT_FALSE(box->TextEditor->Editing());
    WaitForPicture();
    EXPECT_EQ(differences(*freshRedraw()), 0);
}

TEST_F(ImageMouseTest, NewTextTypedNothingLeavesNoLabel) {
    events.Tool = dtText;
    press(30, 40);
    release(30, 40);
    ASSERT_EQ(labels().size(), 1u);
    EXPECT_EQ(box->LabelWindowStatus(), lwEditingText);
    QTest::keyClick(box->TextEditor, Qt::Key_Escape);
    EXPECT_TRUE(labels().empty());
    EXPECT_EQ(box->LabelWindowStatus(), lwNormal);
}

TEST_F(ImageMouseTest, KeysGoOnToTheWindow) {
    QWidget window;
    int keys = 0;
    struct TKeyCounter : QObject {
        int& n;
        explicit TKeyCounter(int& count) : n(count) {}
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::KeyPress) ++n;
            return false;
        }
    } counter(keys);
    box->setParent(&window);
    window.installEventFilter(&counter);
    box->setFocus();
    const int before = box->horizontalScrollBar()->value();
    QTest::keyClick(box.get(), Qt::Key_Right);
    EXPECT_EQ(keys, 1) << "the key reached the window";
    EXPECT_EQ(box->horizontalScrollBar()->value(), before);
    box->setParent(nullptr);
}

TEST_F(ImageMouseTest, StatusLineFollowsTheMouse) {
    moveTo(10, 20);
    moveTo(11, 21);
    EXPECT_GE(events.StatusMsgs, 1);
    EXPECT_EQ(box->LastMouseX(), 11);
    EXPECT_EQ(box->LastMouseY(), 21);
    box->ForgetMousePosition();
    EXPECT_EQ(box->LastMouseX(), -1);
}
