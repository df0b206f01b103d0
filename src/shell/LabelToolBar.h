#pragma once
// The "Label Shape" tool bar of the main window: the label tools in one exclusive group,
// the pen and brush colours with their samples, the pen and brush styles, the pen width,
// and the font name, size and style of new text labels. It edits the main window's label
// attributes in place; the tool itself is the main window's, reported through OnToolClick.

#include "labels/GrDraw.h"

#include <QToolBar>

#include <functional>
#include <vector>

class QButtonGroup;
class QComboBox;
class QLabel;
class QScrollBar;
class QToolButton;
class TColorSample;

class TLabelToolBar : public QToolBar {
public:
    explicit TLabelToolBar(QWidget* parent = nullptr);

    // The attributes the bar edits; set once they exist, before the bar is used.
    void SetAttrib(TToolBarAttribClass* Attrib);
    // A tool button was clicked; the tool it stands for.
    std::function<void(TDrawingTool Tool)> OnToolClick;
    // The owner of the colour dialogs.
    QWidget* DialogOwner = nullptr;

    QToolButton* ShapeOffButton;
    QToolButton* LineButton;
    QToolButton* RectangleButton;
    QToolButton* EllipseButton;
    QToolButton* RoundRectButton;
    QToolButton* FreeHandButton;
    QToolButton* FloodFillButton;
    QToolButton* TextButton;
    QToolButton* LabelPenColorButton;
    TColorSample* LabelPenColorSample;
    QToolButton* ClearPen;
    QToolButton* SolidPen;
    QToolButton* DashPen;
    QToolButton* DotPen;
    QToolButton* DashDotPen;
    QToolButton* DashDotDotPen;
    QLabel* LabelPenSize;
    QScrollBar* LabelPenWidthScroll;
    QToolButton* LabelBrushColorButton;
    TColorSample* LabelBrushColorSample;
    QToolButton* ClearBrush;
    QToolButton* SolidBrush;
    QToolButton* HorizontalBrush;
    QToolButton* VerticalBrush;
    QToolButton* ForwardDiagonalBrush;
    QToolButton* BackwardDiagonalBrush;
    QToolButton* CrossBrush;
    QToolButton* DiagonalCrossBrush;
    QComboBox* FontNameCombo;
    QComboBox* FontSizeCombo;
    QToolButton* BoldFontButton;
    QToolButton* ItalicFontButton;
    QToolButton* UnderlineFontButton;

    // The tool button of a tool; null for the region tool, which has none.
    QToolButton* ToolButton(TDrawingTool Tool) const;
    // Puts "Label Tools Off" down.
    void ShapeOffDown();
    // The colour samples show the attributes' colours.
    void ShowAttribColors();
    // The font name list: the screen's font families.
    void FillFontNames();
    // The size list of the label font's family, then the size box shows the font's size.
    void FillFontSizeCombo(int PixelsPerInch);
    // Name, sizes and style buttons follow the label font.
    void SyncLabelFontControls(int PixelsPerInch);
    // Flat buttons show their frame only under the mouse.
    void SetFlat(bool Flat);

    // The control handlers, public so that a test can run them as the controls do.
    void FontNameComboChange();
    void FontSizeComboChange();
    void FontSizeComboExit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QToolButton* addButton(const char* Name, const char* Hint, const QIcon& Icon, bool Checkable = true);
    void buildToolGroup();
    void buildPenControls();
    void buildBrushControls();
    void buildFontControls();
    void pickColor(bool Pen);
    void setFontStyle(uint8_t Style, bool On);

    TToolBarAttribClass* attrib_ = nullptr;
    int pixelsPerInch_ = 96;
    QButtonGroup* toolGroup_;
    QButtonGroup* penGroup_;
    QButtonGroup* brushGroup_;
    std::vector<QToolButton*> buttons_;
};
