// The Label menu and the label popup of a real graph window: labels drawn with the mouse
// and the main window's tools, the menu items following the picture's label status, and
// the popup's command running after the popup closed.
#include "GraphWindowRig.h"
#include "labels/DrawObjs.h"
#include "platform/Bitmap.h"
#include "shell/LabelToolBar.h"

#include <QMenu>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

using namespace wintest;

namespace {

// The enabled state of the thirteen Label items, in menu order, as 0 and 1.
std::string enabledItems(const TWindowBase& W) {
    std::string out;
    for (QAction* item :
         {W.SelectTopLabel1, W.SelectNext1, W.SelectPrevious1, W.SendSelectedtoFront1, W.SendSelectedtoBack1,
          W.ShowFloodFillLocations1, W.EditSelected1, W.InPlaceTextLabelEditor1, W.LabelListDialog1,
          W.DeleteSelected1, W.DeleteAllLabels1, W.DeleteAllFloodFills1, W.DeleteAllLabelsAndFloodFills1})
        out += item->isEnabled() ? '1' : '0';
    return out;
}

void drag(QWidget* Image, QPoint From, QPoint To, const std::function<void()>& Midway = nullptr) {
    QTest::mousePress(Image, Qt::LeftButton, Qt::NoModifier, From);
    QTest::mouseMove(Image, (From + To) / 2);
    if (Midway) Midway();
    QTest::mouseMove(Image, To);
    QTest::mouseRelease(Image, Qt::LeftButton, Qt::NoModifier, To);
}

} // namespace

TEST(GraphWindowLabels, MenuItemsCaptionsAndShortcuts) {
    TGraphWindowRig rig;
    TWindowBase& window = rig.open(2);
    std::vector<std::string> items;
    for (QAction* item : window.Label1->actions())
        items.push_back(item->isSeparator()
                            ? "-"
                            : item->text().toStdString() + "|" + item->shortcut().toString().toStdString());
    EXPECT_EQ(items, (std::vector<std::string>{
                         "Select &Top|Ctrl+T", "Select &Next|Ctrl+N", "Select &Previous|Ctrl+P", "-",
                         "Send Selected to &Front|Ctrl+F", "Send Selected to &Back|Ctrl+B", "-",
                         "&Show Flood Fill Locations|Ctrl+L", "&Edit Selected...|Ctrl+E",
                         "&In Place Text Label Editor...|Ctrl+I", "Label &List Dialog...|", "-",
                         "Delete Selected|Ctrl+Del", "Delete All Labels|", "Delete All Flood Fills|",
                         "Delete All Labels And Flood Fills|"}));
    std::vector<std::string> popup;
    for (QAction* item : window.LabelPopup->actions())
        popup.push_back(item->isSeparator() ? "-" : item->text().toStdString());
    EXPECT_EQ(popup,
              (std::vector<std::string>{"Send Label To &Front", "Send Label To &Back", "-", "&Edit Label...",
                                        "&In Place Text Label Editor...", "-", "Delete Label"}));
    EXPECT_FALSE(window.InPlaceEditor1->isVisible());
    // A new picture: nothing selected.
    EXPECT_EQ(enabledItems(window), "1000010010111");
}

TEST(GraphWindowLabels, ALabelDrawnWithTheMouseIsSelectedWithCtrlTAndTheMenuFollows) {
    TGraphWindowRig rig;
    TMainForm& form = *rig.form;
    TWindowBase& window = rig.open(1);
    TPlotImageBox& box = *window.ImageBox;
    form.LabelShapeToolBar->SolidPen->click();
    form.LabelShapeToolBar->LabelPenWidthScroll->setValue(3);
    form.ToolBarAttrib->PenColor = 0x0000FF;
    QTest::mouseClick(form.LabelShapeToolBar->RectangleButton, Qt::LeftButton);

    std::string whileDrawing;
    drag(box.Image, {40, 30}, {120, 90}, [&] { whileDrawing = enabledItems(window); });
    EXPECT_EQ(whileDrawing, "0000000000000");
    TGraphWindowRig::idle(window);
    ASSERT_EQ(box.MasterLabelList().size(), 1u);
    auto* label = dynamic_cast<TDrawInclosedShape*>(box.MasterLabelList()[0].get());
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->PenWidth, 3);
    EXPECT_EQ(box.Image->Picture().Pixel(40, 60), 0x0000FFu);
    EXPECT_EQ(enabledItems(window), "1000010010111");

    // Ctrl+T reaches the active window's Label menu through the menu bar.
    QTest::mouseClick(form.LabelShapeToolBar->ShapeOffButton, Qt::LeftButton);
    QTest::keyClick(&form, Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(box.LabelWindowStatus(), lwLabelSelected);
    EXPECT_EQ(box.SelectedIndex(), 0);
    EXPECT_EQ(enabledItems(window), "1111111111111");

    // Editing text: only Edit Selected.
    window.ImageBoxLabelWinStatusChange(lwEditingText);
    EXPECT_EQ(enabledItems(window), "0000001000000");
    for (TLabelWindowStatus status : {lwDragResizeLabel, lwDrawingRegion, lwDrawingNewLabel}) {
        window.ImageBoxLabelWinStatusChange(status);
        EXPECT_EQ(enabledItems(window), "0000000000000");
    }
    for (TLabelWindowStatus status : {lwNormal, lwFloodFillsVisible, lwRegionSelected}) {
        window.ImageBoxLabelWinStatusChange(status);
        EXPECT_EQ(enabledItems(window), "1000010010111");
    }
}

TEST(GraphWindowLabels, ThePopupCommandRunsAfterThePopupClosed) {
    TGraphWindowRig rig;
    TMainForm& form = *rig.form;
    TWindowBase& window = rig.open(3);
    TPlotImageBox& box = *window.ImageBox;
    QTest::mouseClick(form.LabelShapeToolBar->LineButton, Qt::LeftButton);
    drag(box.Image, {20, 20}, {150, 20});
    TGraphWindowRig::idle(window);
    ASSERT_EQ(box.MasterLabelList().size(), 1u);
    QTest::mouseClick(form.LabelShapeToolBar->ShapeOffButton, Qt::LeftButton);

    // A right click on the line selects it and opens the popup there; Delete Label is chosen.
    bool editorItemShown = true;
    size_t labelsWhilePopupOpen = 0;
    QTimer::singleShot(50, [&] {
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_EQ(popup, window.LabelPopup);
        editorItemShown = window.InPlaceEditor1->isVisible();
        labelsWhilePopupOpen = box.MasterLabelList().size();
        popup->setActiveAction(window.Delete1);
        QTest::keyClick(popup, Qt::Key_Return);
    });
    // Whatever happens, the popup does not stay open.
    QTimer::singleShot(20000, [] {
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    });
    QTest::mouseClick(box.Image, Qt::RightButton, Qt::NoModifier, QPoint(80, 20));
    EXPECT_FALSE(editorItemShown);
    EXPECT_EQ(labelsWhilePopupOpen, 1u);
    EXPECT_EQ(box.MasterLabelList().size(), 1u); // not yet: the popup's bracket just closed
    EXPECT_TRUE(QTest::qWaitFor([&] { return box.MasterLabelList().empty(); }, 10000));
    TGraphWindowRig::idle(window);
    EXPECT_EQ(box.LabelWindowStatus(), lwNormal);

    // Over a text label the popup offers the in-place editor, which then edits the text.
    auto text = std::make_unique<TDrawText>();
    text->SetText({30, 60}, "Abc", nullptr);
    box.MasterLabelList().push_back(std::move(text));
    box.RedrawLabels(-1);
    TGraphWindowRig::idle(window);
    QTimer::singleShot(50, [&] {
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_EQ(popup, window.LabelPopup);
        editorItemShown = window.InPlaceEditor1->isVisible();
        popup->setActiveAction(window.InPlaceEditor1);
        QTest::keyClick(popup, Qt::Key_Return);
    });
    QTest::mouseClick(box.Image, Qt::RightButton, Qt::NoModifier, QPoint(35, 63));
    EXPECT_TRUE(editorItemShown);
    EXPECT_TRUE(QTest::qWaitFor([&] { return box.LabelWindowStatus() == lwEditingText; }, 10000));
    EXPECT_EQ(enabledItems(window), "0000001000000");
}
