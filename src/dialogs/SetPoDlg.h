#pragma once
// The settings dialog of a polar graph: the axis angles typed one a line (or taken from a
// standard list), axis and tick-mark appearance, labels, the radius restriction and the
// label font. Leaving the axis list reads it; OK reads it again when it was changed since.

#include "dialogs/SetDlgRows.h"
#include "dialogs/SetPoLogic.h"
#include "math/DialogBase.h"
#include "model/SetPoObj.h"

#include <string>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class TColorSample;
class TEditMathConst;

class TSettingsPolarDlg : public TDialogBase {
    Q_OBJECT
public:
    explicit TSettingsPolarDlg(QWidget* parent = nullptr);

    void Load(const TSettingPolarObj& Settings);
    void Store(TSettingPolarObj& Settings);

    // Leaving the axis list: false when a line was wrong (its message was shown).
    bool EAxisListExit();
    void Button1Click();

    QGroupBox* AxisBox;
    QPlainTextEdit* EAxisList;
    QPushButton* Button1;
    QPushButton* AxisColorButton;
    TColorSample* EAxisColorSample;
    QScrollBar* EAxisWidth;
    QLabel* EAxisWidthLabel;
    TPenStyleButtons AxisStyle; // ASolidPen .. ADashDotDotPen
    QGroupBox* BackColorBox;
    QPushButton* BackColorButton;
    TColorSample* EBackColorSample;
    QGroupBox* RaidusBox1;
    QCheckBox* ERestrict;
    TEditMathConst* ERestrictAmt;
    QGroupBox* TickMarkBox;
    TEditMathConst* ETickMarkIncrements;
    QPushButton* TickMarkColorButton;
    TColorSample* ETickMarkColorSample;
    QGroupBox* TickTypeBox;
    QRadioButton* EDashes;
    QRadioButton* ECircles;
    QRadioButton* ENoTicks;
    TPenStyleButtons CricleStyle; // CSolidPen .. CDashDotDotPen
    QScrollBar* ETickMarkSize;
    QLabel* SizeTypeLabel;
    QLabel* ETMSizeLabel;
    QGroupBox* LabelBox;
    QCheckBox* ELabelTickMarks;
    TNumberFormatRows Label; // ETMLabelFormat, EShowTMLabelComa, EShowTMLabelPlus, ELabelDecimalPlaces
    QPushButton* LabelFontButton;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;

    TFontRecord LabelFont; // the working label font
    TAxisList Working;     // the list the dialog edits
    TAxisList Loaded;      // the list at load, for a reset
    TPolarTickSizes TickSizes;

protected:
    bool CanCloseOk() override;

private:
    QGroupBox* buildAxisBox();
    QGroupBox* buildBackColorBox();
    QGroupBox* buildRadiusBox();
    QGroupBox* buildTickMarkBox();
    QGroupBox* buildTickTypeBox(QWidget* parent);
    QGroupBox* buildLabelBox();
    std::vector<std::string> memoLines() const;
    void fillMemo();
    void tickTypeChange();
    void showTickSize(TPolarTickSizes::TShown shown);
    uint8_t checkedTickType() const;
};

// Edits Settings in the dialog; on OK stores, sets Settings.Changed and returns true.
bool ExecutePolarSettingsDlg(TSettingPolarObj& Settings);
