#include "dialogs/FuncList.h"

#include "dialogs/FuncDlgs.h"
#include "math/DialogRows.h"
#include "platform/UiHook.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kHelpContext = 4005;

QToolButton* arrowButton(Qt::ArrowType arrow, QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setArrowType(arrow);
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoRepeat(false);
    return b;
}

} // namespace

// ---- up/down button ----

TUpDownButton::TUpDownButton(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(2, 2, 2, 2);
    column->setSpacing(0);
    Up = arrowButton(Qt::UpArrow, this);
    Down = arrowButton(Qt::DownArrow, this);
    column->addWidget(Up);
    column->addWidget(Down);
    QObject::connect(Up, &QToolButton::clicked, this, [this] {
        if (OnUpClick) OnUpClick();
    });
    QObject::connect(Down, &QToolButton::clicked, this, [this] {
        if (OnDownClick) OnDownClick();
    });
}

void TUpDownButton::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up)
        Up->click();
    else if (event->key() == Qt::Key_Down)
        Down->click();
    else
        QWidget::keyPressEvent(event);
}

void TUpDownButton::paintEvent(QPaintEvent* event) {
    if (!hasFocus()) return;
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

// ---- the form ----

TFuncListDlg::TFuncListDlg() : TDialogBase(nullptr, kHelpContext) {
    setWindowTitle("Edit Function List");
    auto* grid = new QGridLayout(this);
    FListBox = new QListWidget(this);
    FListBox->setMinimumSize(380, 220);
    SpinButton1 = new TUpDownButton(this);
    ModifyButton = MakeButton("&Modify", this);
    DeleteButton = MakeButton("Delete", this);
    auto* side = new QVBoxLayout;
    side->addWidget(ModifyButton);
    side->addWidget(DeleteButton);
    side->addStretch(1);
    grid->addWidget(FListBox, 0, 0);
    grid->addWidget(SpinButton1, 0, 1, Qt::AlignVCenter);
    grid->addLayout(side, 0, 2);
    TDialogButtons buttons = MakeDialogButtons(*this);
    OKBtn = buttons.OKBtn;
    CancelBtn = buttons.CancelBtn;
    HelpBtn = buttons.HelpBtn;
    grid->addWidget(buttons.Row, 1, 0, 1, 3);

    connect(FListBox, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!Loading()) Logic.ItemIndex = row;
    });
    connect(FListBox, &QListWidget::itemDoubleClicked, this, [this] { ModifyButtonClick(); });
    connect(ModifyButton, &QPushButton::clicked, this, &TFuncListDlg::ModifyButtonClick);
    connect(DeleteButton, &QPushButton::clicked, this, &TFuncListDlg::DeleteButtonClick);
    // The Delete key deletes wherever the focus is in the form.
    auto* deleteKey = new QShortcut(QKeySequence(Qt::Key_Delete), this);
    connect(deleteKey, &QShortcut::activated, this, &TFuncListDlg::DeleteButtonClick);
    SpinButton1->OnUpClick = [this] { SpinButton1UpClick(); };
    SpinButton1->OnDownClick = [this] { SpinButton1DownClick(); };
}

void TFuncListDlg::Fill(const TSequenceList<TBaseFuncObj>& List) {
    Logic.Fill(List);
    refresh();
}

void TFuncListDlg::refresh() {
    TLoadScope loading = BeginLoad();
    FListBox->clear();
    for (const auto& row : Logic.Rows)
        FListBox->addItem(QString::fromStdString(row.Text));
    FListBox->setCurrentRow(Logic.ItemIndex);
}

void TFuncListDlg::ModifyButtonClick() {
    if (Logic.Modify(
            [this](TBaseFuncObj& f) { return ModifyFunctionDialog(f, this, Logic.SpecialValuesBesides(f)); }))
        refresh();
}

void TFuncListDlg::DeleteButtonClick() {
    if (Logic.Delete()) refresh();
}

void TFuncListDlg::SpinButton1UpClick() {
    if (Logic.MoveUp()) refresh();
}

void TFuncListDlg::SpinButton1DownClick() {
    if (Logic.MoveDown()) refresh();
}

void TFuncListDlg::FormShow() {
    OKBtn->setFocus();
}

void ExecuteFuncListDlg(TSequenceList<TBaseFuncObj>& List, bool& Modified, bool& Deleted, bool& Moved) {
    Modified = Deleted = Moved = false;
    TFuncListDlg dialog;
    dialog.Fill(List);
    const int result = dialog.Execute(nullptr);
    if (result == mrOk) {
        Deleted = dialog.Logic.FuncDeleted;
        Moved = dialog.Logic.FuncMoved;
        dialog.Logic.ApplyTo(List);
    }
    Modified = dialog.Logic.FuncModified;
}
