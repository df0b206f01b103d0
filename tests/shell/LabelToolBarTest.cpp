#include "shell/LabelToolBar.h"

#include "StubWindows.h"
#include "math/ColorSample.h"
#include "shell/MainForm.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

using namespace stubs;

TEST(LabelToolBar, ControlsInOrderWithTheirHintsAndStartStates) {
    TMainFormRig rig;
    TLabelToolBar& bar = *rig.form->LabelShapeToolBar;
    std::vector<std::string> hints;
    for (QAction* action : bar.actions())
        if (QWidget* widget = bar.widgetForAction(action); widget && !action->isSeparator())
            hints.push_back(widget->objectName().toStdString() + "=" + widget->toolTip().toStdString());
    EXPECT_EQ(hints, (std::vector<std::string>{
                         "ShapeOffButton=Label Tools Off",
                         "LineButton=Draw Line",
                         "RectangleButton=Draw Rectangle",
                         "EllipseButton=Draw Ellipse",
                         "RoundRectButton=Draw Round Rectangle",
                         "FreeHandButton=Draw Free Hand",
                         "FloodFillButton=Flood Fill",
                         "TextButton=Text Label",
                         "LabelPenColorButton=Change Pen Color",
                         "LabelPenColorSample=Pen Color Sample",
                         "ClearPen=Clear Line Pen",
                         "SolidPen=Solid Line Pen",
                         "DashPen=Dash Line Pen",
                         "DotPen=Dot Line Pen",
                         "DashDotPen=Dash Dot Line Pen",
                         "DashDotDotPen=Dash Dot Dot Line Pen",
                         "LabelPenSize=Pen Width",
                         "LabelPenWidthScroll=Pen Width",
                         "LabelBrushColorButton=Change Brush Color",
                         "LabelBrushColorSample=Brush Color Sample",
                         "ClearBrush=Clear Brush",
                         "SolidBrush=Solid Brush",
                         "HorizontalBrush=Horizontal Brush",
                         "VerticalBrush=Vertical Brush",
                         "ForwardDiagonalBrush=Forward Diagonal Brush",
                         "BackwardDiagonalBrush=Backward Diagonal Brush",
                         "CrossBrush=Cross Brush",
                         "DiagonalCrossBrush=Diagonal Cross Brush",
                         "FontNameCombo=Font Name",
                         "FontSizeCombo=Font Size",
                         "BoldFontButton=Bold Font",
                         "ItalicFontButton=Italic Font",
                         "UnderlineFontButton=Underline Font",
                     }));
    EXPECT_TRUE(bar.ShapeOffButton->isChecked());
    EXPECT_TRUE(bar.SolidPen->isChecked());
    EXPECT_TRUE(bar.ClearBrush->isChecked());
    EXPECT_EQ(bar.LabelPenSize->text(), "1");
    EXPECT_EQ(bar.LabelPenWidthScroll->value(), 1);
    EXPECT_EQ(bar.LabelPenWidthScroll->minimum(), 1);
    EXPECT_EQ(bar.LabelPenWidthScroll->maximum(), 10);
    const TToolBarAttribClass& attrib = *rig.form->ToolBarAttrib;
    EXPECT_EQ(bar.LabelPenColorSample->SampleColor(), attrib.PenColor);
    EXPECT_EQ(bar.LabelBrushColorSample->SampleColor(), attrib.BrushColor);
    // The font controls show the label font: its family, its size, and sizes to pick.
    EXPECT_EQ(bar.FontNameCombo->currentText().toStdString(), attrib.Font.Name);
    EXPECT_GT(bar.FontNameCombo->count(), 0);
    EXPECT_EQ(bar.FontNameCombo->maxVisibleItems(), 12);
    EXPECT_EQ(bar.FontSizeCombo->currentText(), QString::number(attrib.Font.Size));
    EXPECT_EQ(bar.FontSizeCombo->count(), 16);
    EXPECT_EQ(bar.FontSizeCombo->itemText(0), "08");
    EXPECT_EQ(bar.FontSizeCombo->lineEdit()->maxLength(), 4);
}

TEST(LabelToolBar, ToolButtonsFormOneGroupAndEndTheRegionTool) {
    TMainFormRig rig;
    TMainForm& form = *rig.form;
    TLabelToolBar& bar = *form.LabelShapeToolBar;
    form.NewGraphWindow(1); // the Picture menu's items need a window
    const std::pair<QToolButton*, TDrawingTool> tools[] = {
        {bar.LineButton, dtLine},         {bar.RectangleButton, dtRectangle},
        {bar.EllipseButton, dtEllipse},   {bar.RoundRectButton, dtRoundRect},
        {bar.FreeHandButton, dtFreeHand}, {bar.FloodFillButton, dtFloodFill},
        {bar.TextButton, dtText},         {bar.ShapeOffButton, dtOff},
    };
    for (const auto& [button, tool] : tools) {
        form.SelectBitmapRegion1->trigger();
        EXPECT_TRUE(form.SelectBitmapRegion1->isChecked());
        EXPECT_EQ(form.DrawingTool, dtSelectRegion);
        EXPECT_TRUE(bar.ShapeOffButton->isChecked());
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_FALSE(form.SelectBitmapRegion1->isChecked()) << button->objectName().toStdString();
        EXPECT_EQ(form.DrawingTool, tool);
        for (const auto& [other, otherTool] : tools)
            EXPECT_EQ(other->isChecked(), other == button);
    }
    // The picture control turns the tool off when a region drag starts.
    QTest::mouseClick(bar.EllipseButton, Qt::LeftButton);
    form.TurnDrawToolOff();
    EXPECT_EQ(form.DrawingTool, dtOff);
    EXPECT_TRUE(bar.ShapeOffButton->isChecked());
    EXPECT_EQ(bar.ToolButton(dtText), bar.TextButton);
    EXPECT_EQ(bar.ToolButton(dtSelectRegion), nullptr);
}

TEST(LabelToolBar, PenBrushAndColourControlsSetTheLabelAttributes) {
    TMainFormRig rig;
    TMainForm& form = *rig.form;
    TLabelToolBar& bar = *form.LabelShapeToolBar;
    const TToolBarAttribClass& attrib = *form.ToolBarAttrib;
    const std::pair<QToolButton*, int> pens[] = {{bar.ClearPen, 5},      {bar.DashPen, 1},
                                                 {bar.DotPen, 2},        {bar.DashDotPen, 3},
                                                 {bar.DashDotDotPen, 4}, {bar.SolidPen, 0}};
    for (const auto& [button, code] : pens) {
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(attrib.PenStyle, code) << button->objectName().toStdString();
        EXPECT_TRUE(button->isChecked());
    }
    const std::pair<QToolButton*, int> brushes[] = {{bar.SolidBrush, 0},
                                                    {bar.HorizontalBrush, 2},
                                                    {bar.VerticalBrush, 3},
                                                    {bar.ForwardDiagonalBrush, 4},
                                                    {bar.BackwardDiagonalBrush, 5},
                                                    {bar.CrossBrush, 6},
                                                    {bar.DiagonalCrossBrush, 7},
                                                    {bar.ClearBrush, 1}};
    for (const auto& [button, code] : brushes) {
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(attrib.BrushStyle, code) << button->objectName().toStdString();
        EXPECT_FALSE(bar.SolidBrush->isChecked() && button != bar.SolidBrush);
    }
    EXPECT_EQ(form.DrawingTool, dtOff); // style buttons are no tools

    bar.LabelPenWidthScroll->setValue(7);
    EXPECT_EQ(attrib.PenWidth, 7);
    EXPECT_EQ(bar.LabelPenSize->text(), "7");

    // Colours: the dialog starts from the sample's colour; Cancel changes nothing.
    rig.hook->ColorScripts.push_back([](TColorDialogRequest& r) { return r.Color = 0x123456, true; });
    QTest::mouseClick(bar.LabelPenColorButton, Qt::LeftButton);
    rig.hook->ColorScripts.push_back([](TColorDialogRequest&) { return false; });
    QTest::mouseClick(bar.LabelBrushColorSample, Qt::LeftButton);
    rig.hook->ColorScripts.push_back([](TColorDialogRequest& r) { return r.Color = 0x00FF00, true; });
    QTest::mouseClick(bar.LabelBrushColorButton, Qt::LeftButton);
    EXPECT_EQ(rig.hook->ColorDialogs, (std::vector<TColor>{0, 0xFF0000, 0xFF0000}));
    EXPECT_EQ(attrib.PenColor, 0x123456u);
    EXPECT_EQ(bar.LabelPenColorSample->SampleColor(), 0x123456u);
    EXPECT_EQ(attrib.BrushColor, 0x00FF00u);
    EXPECT_EQ(bar.LabelBrushColorSample->SampleColor(), 0x00FF00u);
}

TEST(LabelToolBar, FontControlsEditTheLabelFont) {
    TMainFormRig rig;
    TMainForm& form = *rig.form;
    form.show();
    TLabelToolBar& bar = *form.LabelShapeToolBar;
    TToolBarAttribClass& attrib = *form.ToolBarAttrib;
    QLineEdit& sizeEdit = *bar.FontSizeCombo->lineEdit();

    // Typing: whole numbers become the size at once, anything else keeps it, 4 characters at most.
    sizeEdit.setFocus();
    sizeEdit.selectAll();
    QTest::keyClicks(&sizeEdit, "14");
    EXPECT_EQ(attrib.Font.Size, 14);
    QTest::keyClicks(&sizeEdit, "abcdef");
    EXPECT_EQ(sizeEdit.text(), "14ab");
    EXPECT_EQ(attrib.Font.Size, 14);
    bar.FontSizeComboExit(); // leaving the box shows the size again
    EXPECT_EQ(sizeEdit.text(), "14");
    sizeEdit.selectAll();
    QTest::keyClicks(&sizeEdit, "-120");
    EXPECT_EQ(attrib.Font.Size, -120);
    bar.FontSizeCombo->setEditText("9999");
    EXPECT_EQ(attrib.Font.Size, 9999);
    bar.FontSizeCombo->setCurrentIndex(bar.FontSizeCombo->findText("36"));
    EXPECT_EQ(attrib.Font.Size, 36);

    // Styles follow the three buttons.
    QTest::mouseClick(bar.BoldFontButton, Qt::LeftButton);
    QTest::mouseClick(bar.UnderlineFontButton, Qt::LeftButton);
    EXPECT_EQ(attrib.Font.Style, fsBold | fsUnderline);
    QTest::mouseClick(bar.BoldFontButton, Qt::LeftButton);
    QTest::mouseClick(bar.ItalicFontButton, Qt::LeftButton);
    EXPECT_EQ(attrib.Font.Style, fsItalic | fsUnderline);

    // Another family: the name changes and the size list is made again, the size stays.
    const int other = bar.FontNameCombo->findText("DejaVu Serif");
    ASSERT_GE(other, 0);
    bar.FontNameCombo->setCurrentIndex(other);
    EXPECT_EQ(attrib.Font.Name, "DejaVu Serif");
    EXPECT_EQ(attrib.Font.Size, 36);
    EXPECT_EQ(bar.FontSizeCombo->count(), 16);
    EXPECT_EQ(bar.FontSizeCombo->currentText(), "36");

    // The label font dialog: on OK every font control follows the chosen font.
    rig.hook->FontScripts.push_back([](TFontDialogRequest& r) {
        r.Font.Name = "DejaVu Sans Mono";
        r.Font.Size = 11;
        r.Font.Style = fsBold;
        return true;
    });
    form.OpenTextLabelFontDialog1->trigger();
    EXPECT_EQ(rig.hook->FontDialogs.back().Name, "DejaVu Serif");
    EXPECT_EQ(attrib.Font.Name, "DejaVu Sans Mono");
    EXPECT_EQ(bar.FontNameCombo->currentText(), "DejaVu Sans Mono");
    EXPECT_EQ(bar.FontSizeCombo->currentText(), "11");
    EXPECT_TRUE(bar.BoldFontButton->isChecked());
    EXPECT_FALSE(bar.ItalicFontButton->isChecked());
    EXPECT_FALSE(bar.UnderlineFontButton->isChecked());
    rig.hook->FontScripts.push_back([](TFontDialogRequest& r) { return r.Font.Size = 50, false; });
    form.OpenTextLabelFontDialog1->trigger();
    EXPECT_EQ(attrib.Font.Size, 11);
}
