#pragma once
// Form pieces that the settings and view dialogs of the three graph kinds share: the row of
// pen-style buttons, the number-format group of tick labels, and the exit of a view zoom
// edit with its OK / Cancel / Ignore question.

#include "math/DialogRows.h"
#include "math/Floatstr.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QWidget;
class TColorSample;
class TEditMathConst;
class TStyleButtons;

// The pen-style buttons of an axis or grid in their group box: solid, dash, dot, dash-dot
// and dash-dot-dot (the codes 0..4), one of them down, each picturing its line.
struct TPenStyleButtons {
    TPenStyleButtons();
    ~TPenStyleButtons();
    TPenStyleButtons(TPenStyleButtons&&) noexcept;
    TPenStyleButtons& operator=(TPenStyleButtons&&) noexcept;

    QGroupBox* Box = nullptr;
    std::unique_ptr<TStyleButtons> Styles; // the label dialogs' style buttons
};
TPenStyleButtons MakePenStyleButtons(QWidget* parent, const QString& title);
// Puts the button of Code down; a code outside 0..4 puts the solid one down.
void SetPenStyle(const TPenStyleButtons& Pen, uint8_t Code);
// The code of the button that is down; 0 when none is.
uint8_t PenStyleOf(const TPenStyleButtons& Pen);

// The "Background Color" group of the 2D and polar settings: the colour button and its sample.
QGroupBox* MakeBackColorBox(QWidget* parent, QPushButton*& Button, TColorSample*& Sample);

// A scroll bar of 1..10 pixels with the number beside it; Tab reaches it and the arrow
// keys move it.
TScrollRow MakeSizeBar(QWidget* parent);

// The number format of tick labels: the format list, the thousands and plus check boxes,
// the digits and the caption of the digits, which reads "Decimal Places" or "Precision".
struct TNumberFormatRows {
    QComboBox* Format = nullptr;
    QCheckBox* Comma = nullptr;
    QCheckBox* Plus = nullptr;
    QSpinBox* Digits = nullptr;
    QLabel* DigitsCaption = nullptr;
};
// A change of the format (by the user; loading blocks it) refreshes the options and gives
// the digits the format's default.
TNumberFormatRows MakeNumberFormatRows(QWidget* parent, const QString& commaCaption,
                                       const QString& plusCaption, int maxDigits, int maxLength);
// Enables the check boxes that apply to the chosen format and names the digits.
void RefreshLabelOptions(const TNumberFormatRows& Rows);
// The tick label format of a settings record in the rows and back. Loading runs no change
// handler when the form blocks its signals; the caller refreshes the options afterwards.
void LoadNumberFormatRows(const TNumberFormatRows& Rows, TNumberFormatKind Format, bool Thousands, bool Plus,
                          int32_t Digits);
void StoreNumberFormatRows(const TNumberFormatRows& Rows, TNumberFormatKind& Format, bool& Thousands,
                           bool& Plus, int32_t& Digits);

// The pixel centre of the 2D and polar view dialogs: the group with the X and Y fields of
// -ViewPixelLimit .. ViewPixelLimit.
QGroupBox* MakePixelCenterBox(QWidget* parent, QSpinBox*& X, QSpinBox*& Y);

// The note under the zoom fields of the 2D and polar view dialogs.
QLabel* MakeZoomNote(QWidget* parent);

// A number field of the view dialogs wide enough for the longest number they show.
TEditMathConst* MakeNumberEdit(QWidget* parent, const QString& errorName);
// Shows X in Edit as a trimmed number, its beginning in sight.
void ShowNumber(TEditMathConst* Edit, long double X);

// The exit of a zoom edit: a value in range becomes Kept; any other shows Message (error,
// OK, Cancel and Ignore) over Form. Cancel shows Kept again, Ignore keeps the nearest end of
// the range and shows it, OK leaves the typed text. The focus then returns to the edit.
// Taken runs whenever Kept took a value (in range, or the end of the range by Ignore), so that
// the dialog derives and shows its centre again. True only for a value in range, which lets
// the user leave the edit.
bool LeaveZoomEdit(TEditMathConst& Edit, long double& Kept, const std::string& Message, QWidget* Form,
                   const std::function<void()>& Taken);
