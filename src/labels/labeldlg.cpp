#include "labels/labeldlg.h"

#include "labels/dfilldlg.h"
#include "labels/dfreedlg.h"
#include "labels/dlinedlg.h"
#include "labels/drectdlg.h"
#include "labels/dtextdlg.h"
#include "platform/UiHook.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kLabelListHelpContext = 4080;

} // namespace

bool ModifyDrawObject(TDrawBaseClass& Obj, const TLabelBmpAttribs& BmpAttribs, QWidget* Owner) {
    try {
        if (auto* fill = dynamic_cast<TDrawFloodFill*>(&Obj))
            return ExecuteModifyFloodFillDlg(*fill, BmpAttribs, Owner);
        if (auto* free = dynamic_cast<TDrawFreeHand*>(&Obj))
            return ExecuteModifyFreeHandDlg(*free, BmpAttribs, Owner);
        if (auto* shape = dynamic_cast<TDrawInclosedShape*>(&Obj))
            return ExecuteModifyInclosedDlg(*shape, BmpAttribs, Owner);
        if (auto* line = dynamic_cast<TDrawLine*>(&Obj))
            return ExecuteModifyLineDlg(*line, BmpAttribs, Owner);
        if (auto* text = dynamic_cast<TDrawText*>(&Obj))
            return ExecuteModifyTextDlg(*text, BmpAttribs, Owner);
    } catch (...) {
        // A dialog that could not be made or run changed nothing the user agreed to.
    }
    return false;
}

TLabelListDlg::TLabelListDlg(TLabelListLogic& Logic, const TLabelBmpAttribs& BmpAttribs)
    : TDialogBase(nullptr, kLabelListHelpContext), logic_(Logic), bmpAttribs_(BmpAttribs) {
    setWindowTitle("Edit Label List");
    FListBox = new QListWidget(this);
    FListBox->setObjectName("FListBox");
    FListBox->setMinimumSize(460, 220);
    QWidget* side = buildSideButtons();
    Buttons = MakeDialogButtons(*this);
    OkSelectButton = MakeButton("OK/&Select", Buttons.Row);
    OkSelectButton->setObjectName("OkSelectButton");
    static_cast<QHBoxLayout*>(Buttons.Row->layout())->insertWidget(1, OkSelectButton);
    ExemptFromExitChecks(OkSelectButton);
    setTabOrder(SpinButtonDown, OkSelectButton);

    auto* top = new QHBoxLayout;
    top->addWidget(FListBox, 1);
    top->addWidget(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(Buttons.Row);

    connect(FListBox, &QListWidget::itemDoubleClicked, this, [this] { ModifyButtonClick(); });
    connect(OkSelectButton, &QPushButton::clicked, this, [this] {
        selectWanted_ = true;
        done(mrOk);
    });
    fillLines(Logic.Count() > 0 ? 0 : -1);
}

QWidget* TLabelListDlg::buildSideButtons() {
    auto* side = new QWidget(this);
    auto* layout = new QVBoxLayout(side);
    layout->setContentsMargins(0, 0, 0, 0);
    ModifyButton = MakeButton("&Modify", side);
    ModifyButton->setObjectName("ModifyButton");
    DeleteButton = MakeButton("Delete", side);
    DeleteButton->setObjectName("DeleteButton");
    SpinButtonUp = new QToolButton(side);
    SpinButtonUp->setObjectName("SpinButtonUp");
    SpinButtonUp->setArrowType(Qt::UpArrow);
    SpinButtonUp->setToolTip("Move Up");
    SpinButtonDown = new QToolButton(side);
    SpinButtonDown->setObjectName("SpinButtonDown");
    SpinButtonDown->setArrowType(Qt::DownArrow);
    SpinButtonDown->setToolTip("Move Down");
    auto* spin = new QVBoxLayout;
    spin->setSpacing(0);
    spin->addWidget(SpinButtonUp, 0, Qt::AlignHCenter);
    spin->addWidget(SpinButtonDown, 0, Qt::AlignHCenter);
    layout->addWidget(ModifyButton);
    layout->addWidget(DeleteButton);
    layout->addSpacing(12);
    layout->addLayout(spin);
    layout->addStretch(1);
    connect(ModifyButton, &QPushButton::clicked, this, &TLabelListDlg::ModifyButtonClick);
    connect(DeleteButton, &QPushButton::clicked, this, &TLabelListDlg::DeleteButtonClick);
    connect(SpinButtonUp, &QToolButton::clicked, this, &TLabelListDlg::MoveUpClick);
    connect(SpinButtonDown, &QToolButton::clicked, this, &TLabelListDlg::MoveDownClick);
    return side;
}

void TLabelListDlg::fillLines(int select) {
    FListBox->clear();
    for (const std::string& line : logic_.LineTexts())
        FListBox->addItem(QString::fromStdString(line));
    SelectLine(select);
}

int TLabelListDlg::CurrentLine() const {
    const QListWidgetItem* item = FListBox->currentItem();
    return item && item->isSelected() ? FListBox->row(item) : -1;
}

void TLabelListDlg::SelectLine(int Line) {
    if (Line < 0 || Line >= FListBox->count()) {
        FListBox->setCurrentRow(-1);
        return;
    }
    FListBox->setCurrentRow(Line);
}

void TLabelListDlg::ModifyButtonClick() {
    const int line = CurrentLine();
    if (line < 0) return;
    fillLines(logic_.ModifyLine(
        line, [this](TDrawBaseClass& label) { return ModifyDrawObject(label, bmpAttribs_, this); }));
}

void TLabelListDlg::DeleteButtonClick() {
    const int line = CurrentLine();
    if (line < 0) return;
    fillLines(logic_.DeleteLine(line));
}

void TLabelListDlg::MoveDownClick() {
    const int line = CurrentLine();
    if (line >= 0) fillLines(logic_.MoveLineDown(line));
}

void TLabelListDlg::MoveUpClick() {
    const int line = CurrentLine();
    if (line >= 0) fillLines(logic_.MoveLineUp(line));
}

void TLabelListDlg::keyPressEvent(QKeyEvent* event) {
    // The form sees the Delete key wherever the focus is.
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        DeleteButtonClick();
        return;
    }
    TDialogBase::keyPressEvent(event);
}

bool ExecuteLabelListDlg(TSequenceList<TDrawBaseClass>& List, const TLabelBmpAttribs& BmpAttribs,
                         bool& SelectFlag, int& ItemIndex, bool* LabelsModified) {
    const bool selected = SelectFlag;
    SelectFlag = false;
    TLabelListLogic logic(List);
    TLabelListDlg dialog(logic, BmpAttribs);
    if (selected && ItemIndex >= 0 && ItemIndex < logic.Count()) dialog.SelectLine(ItemIndex);
    const int result = dialog.Execute(nullptr);
    if (LabelsModified) *LabelsModified = logic.LabelsModified();
    if (result != mrOk) {
        logic.Cancel();
        return false;
    }
    const int line = dialog.CurrentLine();
    const bool changed = logic.Accept();
    if (dialog.SelectWanted() && line >= 0) {
        SelectFlag = true;
        ItemIndex = line;
    }
    return changed;
}
