#pragma once
// The row values dialog: the x values one special-values row of the 2D function dialog
// expands to, so that the user sees what a series produces before storing it. Read-only,
// in three number formats.

#include "math/DialogBase.h"

#include <QPlainTextEdit>

#include <cstddef>
#include <string>

class QLabel;
class QPushButton;
class QRadioButton;
class TFunc2DSpecialItem;
class TMathFunction;
struct TMathValue;

enum TRowValuesFormat : uint8_t { rvIntegerFraction, rvFraction, rvDecimal };

// Appends one value: the list separator and a blank first when the list is not empty.
void AppendRowValue(std::string& List, const TMathValue& Value, TRowValuesFormat Format);
// The list of the row's values in row order (not sorted, duplicates kept); false when it
// could not be built (f(x) does not compile, an empty series value, an arithmetic error).
bool BuildRowValuesText(const TFunc2DSpecialItem& Item, TMathFunction& ValueFunc, TRowValuesFormat Format,
                        std::string& List);

// The list's text box; like the edit control it stands for, it holds at most Capacity
// characters and takes only the start of a longer text.
class TValueListMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    static constexpr std::size_t Capacity = 65535;
    explicit TValueListMemo(QWidget* parent = nullptr);
    void SetText(const std::string& Text);
    std::size_t TextLength() const { return length_; }

private:
    std::size_t length_ = 0;
};

class TSpec2DValuesRowDlg : public TDialogBase {
    Q_OBJECT
public:
    explicit TSpec2DValuesRowDlg(QWidget* parent = nullptr);

    // Builds the list into the memo; false when it could not be built.
    bool BuildList();
    void EFormatTypeClick();
    TRowValuesFormat SelectedFormat() const;

    QLabel* Label1;
    TValueListMemo* ValueListMemo;
    QLabel* WasTruncatedLabel;
    QRadioButton* EInteger;
    QRadioButton* EFraction;
    QRadioButton* EDecimal;
    QPushButton* OKBtn;
    QPushButton* HelpBtn;

    const TFunc2DSpecialItem* Item = nullptr; // not owned
    TMathFunction* ValueFunc = nullptr;       // not owned; the one variable "X"
};

// Shows the values of Item, when their list can be built, in a modal dialog over OwnerForm.
void ShowRowValuesDlg(const TFunc2DSpecialItem& Item, TMathFunction& ValueFunc, QWidget* OwnerForm);
