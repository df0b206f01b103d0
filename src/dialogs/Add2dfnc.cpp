#include "dialogs/Add2dfnc.h"

#include "dialogs/DlgRun.h"
#include "dialogs/StringGrid.h"
#include "dialogs/ValueLst.h"
#include "math/CenterDlg.h"
#include "math/ColorSample.h"
#include "math/DialogRows.h"
#include "math/editmath.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <new>

namespace {

constexpr int kHelpContext = 1005;
constexpr std::array<int, SpecialGridColumns> kColumnWidths = {102, 103, 103, 103, 48, 51, 48};
constexpr std::initializer_list<const char*> kBehaviorItems = {
    "Automatic (Use Default)",   "Extra Accuracy (If Undefined)", "No Extra Accuracy (Normal)",
    "Draw to Positive Infinity", "Draw to Negative Infinity",     "Not Continuous"};

TMathEditBounds boundLimits() {
    return {{AllowEmpty, CheckLoBound, LoBoundCanEqual, CheckHiBound, HiBoundCanEqual},
            "-1,000,000,000,000",
            -1e12L,
            "1,000,000,000,000",
            1e12L};
}

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

TAdd2DFuncDlg::TAdd2DFuncDlg(QWidget* parent) : TDialogBase(parent, kHelpContext) {
    setWindowTitle("2D Dialog");
    PageControl1 = new QTabWidget(this);
    FuncDefTabSheet = buildFunctionPage();
    SpecialValTabSheet = buildSpecialValuesPage();
    PageControl1->addTab(FuncDefTabSheet, "Function Definition");
    PageControl1->addTab(SpecialValTabSheet, "Special X Values To Plot");
    TDialogButtons buttons = MakeDialogButtons(*this);
    OKBtn = buttons.OKBtn;
    CancelBtn = buttons.CancelBtn;
    HelpBtn = buttons.HelpBtn;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1);
    layout->addWidget(buttons.Row);

    SetExitCheck(SpecialValuesGrid, [this] { return leaveGrid(); });
    // The row buttons check the row themselves: a click leaves the focus in the grid, so
    // that leaving it does not check the row a second time. Tab still reaches them.
    for (QWidget* w : {AddButton, InsertButton, DeleteButton, MoveUpButton, MoveDownButton, ShowValuesButton})
        w->setFocusPolicy(Qt::TabFocus);
    Rows.Load(TFunc2DSpecialValues());
    refreshGrid();
}

TAdd2DFuncDlg::~TAdd2DFuncDlg() = default;

// ---- building ----

QWidget* TAdd2DFuncDlg::buildFunctionPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(buildFunctionGroup(page));
    layout->addWidget(buildPropertiesGroup(page));
    layout->addStretch(1);
    return page;
}

QGroupBox* TAdd2DFuncDlg::buildFunctionGroup(QWidget* page) {
    FuncStrBox = MakeGroupBox("Function Definition", page);
    auto* grid = new QGridLayout(FuncStrBox);
    EUserFuncStr = new QLineEdit(FuncStrBox);
    grid->addWidget(MakeLabel("Y=f(x)=", FuncStrBox), 0, 0, 1, 3);
    grid->addWidget(EUserFuncStr, 1, 0, 1, 3);
    ELoBoundStr = MakeMathEdit(FuncStrBox, "Lower Bound", boundLimits());
    EHiBoundStr = MakeMathEdit(FuncStrBox, "Upper Bound", boundLimits());
    grid->addWidget(MakeLabel("Lower Bound (Optional)", FuncStrBox), 2, 0);
    grid->addWidget(MakeLabel("Upper Bound (Optional)", FuncStrBox), 2, 2);
    grid->addWidget(ELoBoundStr, 3, 0);
    grid->addWidget(MakeLabel("<= X <=", FuncStrBox), 3, 1, Qt::AlignCenter);
    grid->addWidget(EHiBoundStr, 3, 2);
    EAsymFixUp = MakeCheckBox("Vertical Asymptote Fix Up.", FuncStrBox);
    EExtraUndefAccuracy = MakeCheckBox("Near Undefined Points.", FuncStrBox);
    grid->addWidget(MakeLabel("Attempt Positive to Negative", FuncStrBox), 4, 0);
    grid->addWidget(EAsymFixUp, 4, 1, 1, 2);
    grid->addWidget(MakeLabel("Attempt Extra Drawing Accuracy", FuncStrBox), 5, 0);
    grid->addWidget(EExtraUndefAccuracy, 5, 1, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);
    return FuncStrBox;
}

QGroupBox* TAdd2DFuncDlg::buildPropertiesGroup(QWidget* page) {
    PropertiesBox = MakeGroupBox("Properties", page);
    TFormRows rows(PropertiesBox);
    TScrollRow width = MakeScrollRow(PropertiesBox, 1, 10);
    ELineWidth = width.Bar;
    LineWidthLabel = width.Label;
    rows.AddRow("Line Width", ELineWidth, LineWidthLabel);
    TColorRow color = MakeColorRow(PropertiesBox, "Color", "Function Color Sample");
    ColorButton1 = color.Button;
    EFuncColorSample = color.Sample;
    rows.AddRow(ColorButton1, EFuncColorSample);
    return PropertiesBox;
}

QWidget* TAdd2DFuncDlg::buildSpecialValuesPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    for (const char* line :
         {"There are three ways to enter values here. A single value can be entered into the \"First Value\" "
          "Column.",
          "A series of values can be entered as the first, second and end values. The integers 1 through 10 "
          "can be "
          "entered as 1, 2.. 10.",
          "A function f(x) can be used to calculate a series of values. If the series is 1, 2 .. 5 then the "
          "values "
          "will be f(1) f(2) f(3) f(4) f(5)."}) {
        QLabel* label = MakeLabel(line, page);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    SpecialValuesGrid = new TStringGrid(0, SpecialGridColumns, page);
    for (int c = 0; c < SpecialGridColumns; ++c)
        SpecialValuesGrid->setHorizontalHeaderItem(c, new QTableWidgetItem(SpecialGridTitles[size_t(c)]));
    sizeGridColumns();
    SpecialValuesGrid->OnSelectCell = [this](int row, int col) { return selectCell(row, col); };
    SpecialValuesGrid->OnEditText = [this](int row, int col, const std::string& text) {
        editText(row, col, text);
    };
    connect(SpecialValuesGrid, &QTableWidget::cellChanged, this, &TAdd2DFuncDlg::cellCommitted);
    auto* middle = new QHBoxLayout;
    middle->addWidget(SpecialValuesGrid, 1);
    middle->addWidget(buildGridButtons(page));
    layout->addLayout(middle, 1);
    layout->addWidget(buildBehaviorGroups(page));
    return page;
}

void TAdd2DFuncDlg::sizeGridColumns() {
    // The designed widths, widened where a title needs more in the font in use.
    QHeaderView* header = SpecialValuesGrid->horizontalHeader();
    int total = 0;
    for (int c = 0; c < SpecialGridColumns; ++c) {
        const int width = std::max(kColumnWidths[size_t(c)], header->sectionSizeHint(c));
        SpecialValuesGrid->setColumnWidth(c, width);
        total += width;
    }
    const int rowHeight = std::max(16, SpecialValuesGrid->fontMetrics().height() + 6);
    SpecialValuesGrid->verticalHeader()->setDefaultSectionSize(rowHeight);
    SpecialValuesGrid->verticalHeader()->setMinimumSectionSize(rowHeight);
    const int frame = 2 * SpecialValuesGrid->frameWidth();
    SpecialValuesGrid->setMinimumSize(total + frame +
                                          SpecialValuesGrid->verticalScrollBar()->sizeHint().width(),
                                      header->sizeHint().height() + 8 * rowHeight + frame);
}

QWidget* TAdd2DFuncDlg::buildGridButtons(QWidget* page) {
    auto* box = new QWidget(page);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    AddButton = MakeButton("&Add", box);
    InsertButton = MakeButton("&Insert", box);
    DeleteButton = MakeButton("D&elete", box);
    MoveUpButton = MakeButton("Move &Up", box);
    MoveDownButton = MakeButton("Move &Down", box);
    ShowValuesButton = MakeButton("Show &Values", box);
    const std::pair<QPushButton*, void (TAdd2DFuncDlg::*)()> actions[] = {
        {AddButton, &TAdd2DFuncDlg::AddButtonClick},
        {InsertButton, &TAdd2DFuncDlg::InsertButtonClick},
        {DeleteButton, &TAdd2DFuncDlg::DeleteButtonClick},
        {MoveUpButton, &TAdd2DFuncDlg::MoveUpButtonClick},
        {MoveDownButton, &TAdd2DFuncDlg::MoveDownButtonClick},
        {ShowValuesButton, &TAdd2DFuncDlg::ShowValuesButtonClick},
    };
    for (auto [button, action] : actions) {
        connect(button, &QPushButton::clicked, this, action);
        column->addWidget(button);
    }
    column->addStretch(1);
    return box;
}

QWidget* TAdd2DFuncDlg::buildBehaviorGroups(QWidget* page) {
    auto* row = new QWidget(page);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto sideGroup = [&](const char* title, const char* side, QComboBox*& combo, int col) {
        QGroupBox* box = MakeGroupBox(title, row);
        auto* v = new QVBoxLayout(box);
        v->addWidget(MakeLabel("What happens when function", box));
        v->addWidget(MakeLabel(side, box));
        combo = MakeDropDownList(box, kBehaviorItems);
        connect(combo, &QComboBox::currentIndexChanged, this, [this, col](int index) {
            if (!UpdatingControls)
                behaviorChosen(col, uint8_t(index >= 1 && index <= 5 ? index : int(sbAutomatic)));
        });
        v->addWidget(combo);
        return box;
    };
    LeftSideGroupBox = sideGroup("Left Side, Function Behavior", "goes to value from lower (left) side.",
                                 ELeftBehavior, gcLeft);
    AtValueGroupBox = MakeGroupBox("At Value, Function Behavior", row);
    auto* at = new QVBoxLayout(AtValueGroupBox);
    EAtValueAutoDetect = MakeRadioButton("Auto Detect", AtValueGroupBox, true);
    EAtValueUndefined = MakeRadioButton("Undefined", AtValueGroupBox);
    for (QRadioButton* b : {EAtValueAutoDetect, EAtValueUndefined}) {
        at->addWidget(b);
        connect(b, &QRadioButton::clicked, this, [this] {
            if (!UpdatingControls)
                behaviorChosen(gcAt, EAtValueUndefined->isChecked() ? sbAtUndefined : sbAtAutoDetect);
        });
    }
    at->addStretch(1);
    RightSideGroupBox = sideGroup("Right Side, Function Behavior", "goes to value from upper (right) side.",
                                  ERightBehavior, gcRight);
    layout->addWidget(LeftSideGroupBox, 1);
    layout->addWidget(AtValueGroupBox);
    layout->addWidget(RightSideGroupBox, 1);
    return row;
}

// ---- load and store ----

void TAdd2DFuncDlg::Load(const TFunc2DObj& Func) {
    TLoadScope loading = BeginLoad();
    EditFunc.Assign(Func.Func);
    EUserFuncStr->setText(qs(Func.Func.GetExpression()));
    ELoBoundStr->setText(qs(Func.LoBoundStr));
    EHiBoundStr->setText(qs(Func.HiBoundStr));
    EAsymFixUp->setChecked(Func.AsymFixUp);
    EExtraUndefAccuracy->setChecked(Func.ExtraUndefAccuracy);
    EFuncColorSample->SetSampleColor(Func.FuncColor);
    ELineWidth->setValue(std::clamp(Func.LineWidth, 1, 10));
    LineWidthLabel->setText(QString::number(ELineWidth->value()));
    Rows.Load(Func.SpecialValues);
    CurrentRow = 0;
    CurrentCol = 0;
    refreshGrid();
    SpecialValuesGrid->setCurrentCell(0, 0);
    SetControlsFromRow(0);
}

void TAdd2DFuncDlg::Store(TFunc2DObj& Func) {
    Func.Func.Assign(EditFunc);
    for (auto [edit, text, empty, value] :
         {std::tuple{ELoBoundStr, &Func.LoBoundStr, &Func.LoBoundEmpty, &Func.LoBound},
          std::tuple{EHiBoundStr, &Func.HiBoundStr, &Func.HiBoundEmpty, &Func.HiBound}}) {
        edit->EvaluateText();
        *text = edit->text().toStdString();
        *empty = edit->Empty;
        if (edit->Empty)
            ClearMathValue(*value);
        else
            *value = edit->Value;
    }
    Func.AsymFixUp = EAsymFixUp->isChecked();
    Func.ExtraUndefAccuracy = EExtraUndefAccuracy->isChecked();
    Func.FuncColor = EFuncColorSample->SampleColor();
    Func.LineWidth = ELineWidth->value();
    Rows.StoreInto(Func.SpecialValues);
    refreshGrid();
    if (!Func.SpecialValues.CalculateValues(Rows.ValueFunc))
        CenterMessageDlg("Error calculating special X values to plot.", mtError, {mbOK}, 0, nullptr);
}

// ---- checks ----

bool TAdd2DFuncDlg::CanCloseOk() {
    // The row the user is in has not been checked yet: an error there must keep the
    // dialog open, or the row would be stored stale or lost.
    if (!ValidateGridRow(CurrentRow)) return false;
    if (TRowCheck check = Rows.CheckGraphValues(OtherSpecialValues); !check.Ok) {
        CenterMessageDlg(check.Message, mtError, {mbOK}, 0, this);
        FocusCell(check.Col, CurrentRow);
        return false;
    }
    if (!ELoBoundStr->ValidateAndFocus() || !EHiBoundStr->ValidateAndFocus()) return false;
    if (!ELoBoundStr->Empty && !EHiBoundStr->Empty &&
        ELoBoundStr->Value.FloatValue > EHiBoundStr->Value.FloatValue) {
        CenterMessageDlg("Lower Bound must be <= Upper Bound.", mtError, {mbOK}, 0, this);
        PageControl1->setCurrentWidget(FuncDefTabSheet);
        ELoBoundStr->setFocus();
        return false;
    }
    EditFunc.SetExpression(EUserFuncStr->text().toStdString());
    if (!EditFunc.CompileMathFunc()) {
        TEditMathConst::ShowMathError(EditFunc.GetErrorText(), "Function Definition", this);
        PageControl1->setCurrentWidget(FuncDefTabSheet);
        EUserFuncStr->setFocus();
        return false;
    }
    return true;
}

bool TAdd2DFuncDlg::ValidateGridRow(int Row) {
    if (Row < 0 || Row >= Rows.Count()) return true;
    SpecialValuesGrid->CommitEditor();
    TRowCheck check = Rows.ValidateRow(Row);
    refreshGrid();
    SetControlsFromRow(Row);
    if (check.Ok) return true;
    if (check.OutOfMemory)
        ShowOutOfMemoryError();
    else if (!check.MathErrorName.empty())
        TEditMathConst::ShowMathError(check.Message, check.MathErrorName, this);
    else
        CenterMessageDlg(check.Message, mtError, {mbOK}, 0, this);
    FocusCell(check.Col, Row);
    return false;
}

bool TAdd2DFuncDlg::checkCurrentRow() {
    return RunCheck([this] { return ValidateGridRow(CurrentRow); });
}

// ---- grid ----

void TAdd2DFuncDlg::FocusCell(int Col, int Row) {
    CurrentRow = Row;
    CurrentCol = Col;
    PageControl1->setCurrentWidget(SpecialValTabSheet);
    SpecialValuesGrid->FocusCell(Row, Col);
}

void TAdd2DFuncDlg::SetControlsFromRow(int Row) {
    if (Row < 0 || Row >= Rows.Count()) return;
    UpdatingControls = true;
    const uint8_t left = ReadSideBehavior(Rows.Cell(Row, gcLeft));
    const uint8_t right = ReadSideBehavior(Rows.Cell(Row, gcRight));
    ELeftBehavior->setCurrentIndex(left);
    ERightBehavior->setCurrentIndex(right);
    if (ReadAtBehavior(Rows.Cell(Row, gcAt)) == sbAtUndefined)
        EAtValueUndefined->setChecked(true);
    else
        EAtValueAutoDetect->setChecked(true);
    UpdatingControls = false;
}

bool TAdd2DFuncDlg::selectCell(int row, int col) {
    if (Loading() || refreshing_) return true;
    SpecialValuesGrid->CommitEditor();
    bool allowed = true;
    if (row == CurrentRow) {
        if (col != CurrentCol && CurrentCol >= gcLeft && CurrentRow < Rows.Count()) {
            Rows.NormalizeBehaviorCell(CurrentRow, CurrentCol);
            SetControlsFromRow(CurrentRow);
        }
    } else {
        allowed = RunCheck([this] { return ValidateGridRow(CurrentRow); });
        if (allowed) SetControlsFromRow(row);
    }
    if (allowed) {
        CurrentRow = row;
        CurrentCol = col;
    }
    applyTrailingRowRule();
    refreshGrid();
    return allowed;
}

void TAdd2DFuncDlg::editText(int row, int col, const std::string& text) {
    if (row < 0 || row >= Rows.Count()) return;
    Rows.Cell(row, col) = text;
    applyTrailingRowRule();
}

void TAdd2DFuncDlg::cellCommitted(int row, int col) {
    if (refreshing_ || Loading() || row < 0 || row >= Rows.Count()) return;
    Rows.Cell(row, col) = SpecialValuesGrid->CellText(row, col);
    applyTrailingRowRule();
}

bool TAdd2DFuncDlg::leaveGrid() {
    const bool ok = ValidateGridRow(CurrentRow);
    applyTrailingRowRule();
    return ok;
}

void TAdd2DFuncDlg::applyTrailingRowRule() {
    if (Rows.ApplyTrailingRowRule()) refreshGrid();
}

void TAdd2DFuncDlg::refreshGrid() {
    refreshing_ = true;
    {
        QSignalBlocker block(SpecialValuesGrid);
        if (SpecialValuesGrid->rowCount() != Rows.Count()) SpecialValuesGrid->setRowCount(Rows.Count());
        for (int r = 0; r < Rows.Count(); ++r)
            for (int c = 0; c < SpecialGridColumns; ++c)
                SpecialValuesGrid->SetCellText(r, c, Rows.Cell(r, c));
    }
    refreshing_ = false;
}

void TAdd2DFuncDlg::behaviorChosen(int col, uint8_t code) {
    if (CurrentRow < 0 || CurrentRow >= Rows.Count()) return;
    Rows.SetBehavior(CurrentRow, col, code);
    refreshGrid();
}

// ---- buttons ----

void TAdd2DFuncDlg::AddButtonClick() {
    if (!checkCurrentRow()) return;
    applyTrailingRowRule();
    const int last = Rows.Count() - 1;
    FocusCell(gcFirst, last);
    SetControlsFromRow(last);
}

void TAdd2DFuncDlg::InsertButtonClick() {
    if (!checkCurrentRow() || !Rows.InsertRow(CurrentRow)) return;
    applyTrailingRowRule();
    refreshGrid();
    SetControlsFromRow(CurrentRow);
    FocusCell(gcFirst, CurrentRow);
}

void TAdd2DFuncDlg::DeleteButtonClick() {
    if (!checkCurrentRow()) return;
    const int row = CurrentRow;
    Rows.DeleteRow(row);
    applyTrailingRowRule();
    refreshGrid();
    SetControlsFromRow(row);
    FocusCell(gcFirst, row);
}

void TAdd2DFuncDlg::MoveDownButtonClick() {
    if (!checkCurrentRow()) return;
    applyTrailingRowRule();
    if (!Rows.MoveDown(CurrentRow)) return;
    refreshGrid();
    FocusCell(CurrentCol, CurrentRow + 1);
}

void TAdd2DFuncDlg::MoveUpButtonClick() {
    if (!checkCurrentRow()) return;
    applyTrailingRowRule();
    if (!Rows.MoveUp(CurrentRow)) return;
    refreshGrid();
    FocusCell(CurrentCol, CurrentRow - 1);
}

void TAdd2DFuncDlg::ShowValuesButtonClick() {
    if (!checkCurrentRow()) return;
    if (TFunc2DSpecialItem* item = Rows.Item(CurrentRow)) ShowRowValuesDlg(*item, Rows.ValueFunc, this);
}

// ---- launchers ----

namespace {

bool runFunction2DDialog(TFunc2DObj& Func, QWidget* OwnerForm, bool addMode, int64_t otherSpecialValues) {
    TAdd2DFuncDlg dialog(OwnerForm);
    dialog.OtherSpecialValues = otherSpecialValues;
    dialog.PageControl1->setCurrentIndex(0);
    dialog.AddMode = addMode;
    dialog.setWindowTitle(addMode ? "Add 2D Function" : "Modify 2D Function");
    dialog.Load(Func);
    if (dialog.Execute(OwnerForm) != mrOk) return false;
    dialog.Store(Func);
    Func.Modified = true;
    return true;
}

} // namespace

bool AddFunction2DDialog(TFunc2DObj& Func, QWidget* OwnerForm, int64_t OtherSpecialValues) {
    return runFunction2DDialog(Func, OwnerForm, true, OtherSpecialValues);
}

bool ModifyFunction2DDialog(TFunc2DObj& Func, QWidget* OwnerForm, int64_t OtherSpecialValues) {
    return runFunction2DDialog(Func, OwnerForm, false, OtherSpecialValues);
}

void TAdd2DFuncDlg::FormShow() {
    PageControl1->setCurrentIndex(0);
}
