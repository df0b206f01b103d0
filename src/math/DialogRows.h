#pragma once
// Shared builders of the dialog forms: group boxes, caption-and-control rows, the OK,
// Cancel and Help row, colour rows, scroll-bar rows, spin edits and constant-expression
// edits. A form is a row of small build...Group() steps made of these, so that every
// dialog gets the same spacing, the same button behaviour and the same wiring.
//
//   QGroupBox* box = MakeGroupBox("Properties", page);
//   TFormRows rows(box);
//   TScrollRow width = MakeScrollRow(box, 1, 10);
//   rows.AddRow("Line Width", width.Bar, width.Label);
//   TColorRow color = MakeColorRow(box, "Color", "Function Color Sample");
//   rows.AddRow(color.Button, color.Sample);

#include "math/MathConst.h"
#include "platform/Colors.h"

#include <QSpinBox>
#include <QString>

#include <functional>
#include <initializer_list>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QWidget;
class TColorSample;
class TDialogBase;
class TEditMathConst;

// Rows of a two- or three-column grid on a host widget (a group box or a page).
class TFormRows {
public:
    explicit TFormRows(QWidget* host);
    QGridLayout* Layout() const { return grid_; }
    // A caption, its control and an optional control after it; returns the row.
    int AddRow(const QString& caption, QWidget* control, QWidget* after = nullptr);
    int AddRow(QWidget* first, QWidget* control, QWidget* after = nullptr);
    // One control over the whole width.
    int AddWide(QWidget* control);
    // Free space below the rows.
    void AddStretch();

private:
    QWidget* host_;
    QGridLayout* grid_;
    int row_ = 0;
};

QGroupBox* MakeGroupBox(const QString& title, QWidget* parent);
// A plain caption; "&" marks an accelerator that focuses buddy.
QLabel* MakeLabel(const QString& text, QWidget* parent, QWidget* buddy = nullptr);
QCheckBox* MakeCheckBox(const QString& text, QWidget* parent, bool checked = false);
// A radio button; the radio buttons of one parent are one exclusive set (TabStopAtChecked).
QRadioButton* MakeRadioButton(const QString& text, QWidget* parent, bool checked = false);
// Makes button's exclusive set (the buttons of its button group, else the auto-exclusive
// buttons of its parent) one tab stop, at the button that is checked: Tab enters the set
// there, and the arrow keys move on and check the next button, as in every radio group.
// Without this Tab enters a set at its first button, from where an arrow key only moves
// the focus, since the button it leaves was not checked.
void TabStopAtChecked(QAbstractButton* button);
// Makes checked the one tab stop of its exclusive set now. A dialog does this for every
// checked button when it is shown, since forms are loaded with their signals blocked.
void MoveTabStopTo(QAbstractButton* checked);
// A push button that is never auto-default.
QPushButton* MakeButton(const QString& text, QWidget* parent);
// A non-editable drop-down list.
QComboBox* MakeDropDownList(QWidget* parent, std::initializer_list<const char*> items);
// The spin edit of every dialog. It takes any sign and digits the field's length allows,
// also a number outside its limits, and holds the nearest limit as its value meanwhile
// (5000 in a 16..2000 field holds 2000, -100 holds 16); leaving the field, or Enter,
// writes that value back as the text. QSpinBox itself refuses the key that would pass a
// limit and puts a value below it back to the previous one, so what the user typed
// became some other number without a word.
class TSpinEdit : public QSpinBox {
public:
    using QSpinBox::QSpinBox;

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
    int valueFromText(const QString& text) const override;
};

// A spin edit (a TSpinEdit); maxLength limits the characters typed (0 for no limit).
QSpinBox* MakeSpinEdit(QWidget* parent, int min, int max, int value, int maxLength = 0);
// A constant-expression edit with its error name and bounds.
struct TMathEditBounds {
    TEditMathBounds Check;
    QString LoStr;
    long double LoVal = 0;
    QString HiStr;
    long double HiVal = 0;
};
TEditMathConst* MakeMathEdit(QWidget* parent, const QString& errorName, const TMathEditBounds& bounds = {});

// The OK, Cancel and Help buttons of a dialog: OK is the default button (Enter), Cancel
// closes as mrCancel, Help shows the dialog's help context. Cancel and Help never start a
// check. The row is a widget to put at the bottom of the dialog's layout.
struct TDialogButtons {
    QWidget* Row;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;
};
// withCancel false makes a dialog with only OK and Help.
TDialogButtons MakeDialogButtons(TDialogBase& dialog, bool withCancel = true);

// A colour button with its sample; a click on either runs the shared colour picker over
// the dialog and shows the choice in the sample. before runs first, when given.
struct TColorRow {
    QPushButton* Button;
    TColorSample* Sample;
};
TColorRow MakeColorRow(QWidget* parent, const QString& buttonText, const QString& sampleHint,
                       std::function<void()> before = {});

// A horizontal scroll bar whose position a label shows as a number.
struct TScrollRow {
    QScrollBar* Bar;
    QLabel* Label;
};
TScrollRow MakeScrollRow(QWidget* parent, int min, int max);
