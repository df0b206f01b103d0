#pragma once
// The settings dialog of a 2D cartesian graph: axis lines, tick marks or grids and tick
// labels of each axis on three pages, the background colour and the two label fonts. OK
// checks the six constant fields and the order of each axis's end limits.

#include "dialogs/SetDlgRows.h"
#include "math/DialogBase.h"
#include "model/Set2dObj.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTabWidget;
class TColorSample;
class TEditMathConst;

// The controls of one axis; the form names them with the axis letter after the first
// letter (EXShowAxisLines is X.EShowAxisLines).
struct T2DAxisControls {
    // "Axis Lines"
    QGroupBox* AxisLineBox = nullptr;
    QCheckBox* EShowAxisLines = nullptr;
    TEditMathConst* ELimitHiAxis = nullptr;
    TEditMathConst* ELimitLoAxis = nullptr;
    QPushButton* AxisColorButton = nullptr;
    TColorSample* AxisColorSample = nullptr;
    QScrollBar* EAxisWidth = nullptr;
    QLabel* AxisWidthLabel = nullptr;
    TPenStyleButtons AxisPen;
    // "Tick Marks"
    QGroupBox* TickMarkBox = nullptr;
    QRadioButton* ENone = nullptr;
    QRadioButton* ETickMarks = nullptr;
    QRadioButton* EGridMarks = nullptr;
    QRadioButton* EGridLines = nullptr;
    QPushButton* TMColorButton = nullptr;
    TColorSample* TMColorSample = nullptr;
    TEditMathConst* ETickMarkInc = nullptr;
    QScrollBar* ETickMarkLength = nullptr;
    QLabel* TMSizeLabel = nullptr;
    TPenStyleButtons GridPen;
    // "Axis Labels"
    QGroupBox* TMLabelBox = nullptr;
    QCheckBox* EShowTMLabels = nullptr;
    TNumberFormatRows Label; // format, thousands, plus, decimal places and their caption
    QPushButton* TMLabelFontButton = nullptr;
};

class TSettings2DDlg : public TDialogBase {
    Q_OBJECT
public:
    explicit TSettings2DDlg(QWidget* parent = nullptr);

    void Load(const TSetting2DObj& Settings);
    void Store(TSetting2DObj& Settings);

    QTabWidget* PageControl1;
    QWidget* AxisLinesTab;
    QWidget* TickMarksTab;
    QWidget* LabelsTab;
    T2DAxisControls X;
    T2DAxisControls Y;
    QGroupBox* BackColorBox;
    QPushButton* BackColorButton;
    TColorSample* BackColorSample;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;
    // The working label fonts.
    TFontRecord XLabelFont;
    TFontRecord YLabelFont;

protected:
    bool CanCloseOk() override;

private:
    QWidget* buildAxisLinesPage();
    QGroupBox* buildAxisLineGroup(QWidget* page, T2DAxisControls& a, char letter);
    QWidget* buildTickMarksPage();
    QGroupBox* buildTickMarkGroup(QWidget* page, T2DAxisControls& a, char letter);
    QWidget* buildLabelsPage();
    QGroupBox* buildLabelGroup(QWidget* page, T2DAxisControls& a, char letter, TFontRecord& font);
    void loadAxis(T2DAxisControls& a, const TSetting2DAxis& s);
    void storeAxis(const T2DAxisControls& a, TSetting2DAxis& s) const;
};

// Edits Settings in the dialog; on OK stores, sets Settings.Changed and returns true.
bool Execute2DSettingsDlg(TSetting2DObj& Settings);
