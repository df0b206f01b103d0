#pragma once
// The add and modify dialog of a 2D function y = f(x): the expression, optional x bounds,
// two drawing options, colour and width on the first page, and on the second a grid of
// special x values with the curve's behaviour left of, at and right of each value.
// Every grid row is checked when the user leaves it and again when OK closes the dialog;
// on OK the function takes the form's values and its special points are computed anew.
// Cancel leaves the function as it was.

#include "dialogs/Add2dfncRows.h"
#include "math/DialogBase.h"
#include "model/func2d.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTabWidget;
class TColorSample;
class TEditMathConst;
class TStringGrid;

class TAdd2DFuncDlg : public TDialogBase {
    Q_OBJECT
public:
    explicit TAdd2DFuncDlg(QWidget* parent = nullptr);
    ~TAdd2DFuncDlg() override;

    void Load(const TFunc2DObj& Func);
    void Store(TFunc2DObj& Func);

    // Row check of a grid row; a failure has shown its message and focused the cell.
    bool ValidateGridRow(int Row);
    // Moves to a cell of the grid on the second page and opens its editor.
    void FocusCell(int Col, int Row);
    // The behaviour controls show the row's cells.
    void SetControlsFromRow(int Row);

    void AddButtonClick();
    void InsertButtonClick();
    void DeleteButtonClick();
    void MoveUpButtonClick();
    void MoveDownButtonClick();
    void ShowValuesButtonClick();

    QTabWidget* PageControl1;
    QWidget* FuncDefTabSheet;
    QWidget* SpecialValTabSheet;
    QGroupBox* FuncStrBox;
    QLineEdit* EUserFuncStr;
    TEditMathConst* ELoBoundStr;
    TEditMathConst* EHiBoundStr;
    QCheckBox* EAsymFixUp;
    QCheckBox* EExtraUndefAccuracy;
    QGroupBox* PropertiesBox;
    QScrollBar* ELineWidth;
    QLabel* LineWidthLabel;
    QPushButton* ColorButton1;
    TColorSample* EFuncColorSample;
    TStringGrid* SpecialValuesGrid;
    QPushButton* AddButton;
    QPushButton* InsertButton;
    QPushButton* DeleteButton;
    QPushButton* MoveUpButton;
    QPushButton* MoveDownButton;
    QPushButton* ShowValuesButton;
    QGroupBox* LeftSideGroupBox;
    QComboBox* ELeftBehavior;
    QGroupBox* AtValueGroupBox;
    QRadioButton* EAtValueAutoDetect;
    QRadioButton* EAtValueUndefined;
    QGroupBox* RightSideGroupBox;
    QComboBox* ERightBehavior;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;

    bool UpdatingControls = false;
    int CurrentRow = 0; // the grid row the user is in, 0 being the first under the titles
    int CurrentCol = 0;
    TSpecialGridRows Rows; // the grid's rows and row objects, ValueFunc and ConstFunc
    TMath2DFunc EditFunc;  // checks the expression; the function takes it on OK
    bool AddMode = false;
    // Special x values the graph's other functions hold; OK keeps the graph's sum within
    // MaxGraphSpecialValues.
    int64_t OtherSpecialValues = 0;

protected:
    bool CanCloseOk() override;
    void FormShow() override;

private:
    QWidget* buildFunctionPage();
    QGroupBox* buildFunctionGroup(QWidget* page);
    QGroupBox* buildPropertiesGroup(QWidget* page);
    QWidget* buildSpecialValuesPage();
    QWidget* buildGridButtons(QWidget* page);
    QWidget* buildBehaviorGroups(QWidget* page);
    void sizeGridColumns();

    bool selectCell(int row, int col);
    void editText(int row, int col, const std::string& text);
    void cellCommitted(int row, int col);
    bool leaveGrid();
    bool checkCurrentRow();
    void applyTrailingRowRule();
    void refreshGrid();
    void behaviorChosen(int col, uint8_t code);

    bool refreshing_ = false;
};

// Open the dialog on Func; true when the user pressed OK and Func was changed (its
// modified flag set). OwnerForm may be null. OtherSpecialValues: the special x values the
// graph's other functions hold.
bool AddFunction2DDialog(TFunc2DObj& Func, QWidget* OwnerForm, int64_t OtherSpecialValues = 0);
bool ModifyFunction2DDialog(TFunc2DObj& Func, QWidget* OwnerForm, int64_t OtherSpecialValues = 0);
