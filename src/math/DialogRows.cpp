#include "math/DialogRows.h"

#include "math/ColorSample.h"
#include "math/ComnDlgs.h"
#include "math/DialogBase.h"
#include "math/editmath.h"
#include "platform/UiHook.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>

#include <algorithm>
#include <optional>

TFormRows::TFormRows(QWidget* host) : host_(host), grid_(new QGridLayout(host)) {}

int TFormRows::AddRow(const QString& caption, QWidget* control, QWidget* after) {
    return AddRow(MakeLabel(caption, host_, control), control, after);
}

int TFormRows::AddRow(QWidget* first, QWidget* control, QWidget* after) {
    if (first) grid_->addWidget(first, row_, 0);
    if (control) grid_->addWidget(control, row_, 1, 1, after ? 1 : 2);
    if (after) grid_->addWidget(after, row_, 2);
    return row_++;
}

int TFormRows::AddWide(QWidget* control) {
    grid_->addWidget(control, row_, 0, 1, 3);
    return row_++;
}

void TFormRows::AddStretch() {
    grid_->setRowStretch(row_++, 1);
}

QGroupBox* MakeGroupBox(const QString& title, QWidget* parent) {
    return new QGroupBox(title, parent);
}

QLabel* MakeLabel(const QString& text, QWidget* parent, QWidget* buddy) {
    auto* label = new QLabel(text, parent);
    if (buddy && text.contains('&')) label->setBuddy(buddy);
    if (!text.contains('&')) label->setTextFormat(Qt::PlainText);
    return label;
}

QCheckBox* MakeCheckBox(const QString& text, QWidget* parent, bool checked) {
    auto* box = new QCheckBox(text, parent);
    box->setChecked(checked);
    return box;
}

QRadioButton* MakeRadioButton(const QString& text, QWidget* parent, bool checked) {
    auto* button = new QRadioButton(text, parent);
    button->setChecked(checked);
    TabStopAtChecked(button);
    return button;
}

namespace {

QList<QAbstractButton*> exclusiveSet(QAbstractButton* button) {
    if (QButtonGroup* group = button->group()) return group->buttons();
    QList<QAbstractButton*> set;
    if (QWidget* parent = button->parentWidget())
        for (QAbstractButton* b : parent->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly))
            if (b->autoExclusive() && !b->group()) set.append(b);
    return set;
}

} // namespace

void MoveTabStopTo(QAbstractButton* checked) {
    for (QAbstractButton* b : exclusiveSet(checked)) {
        const int policy = b == checked ? b->focusPolicy() | Qt::TabFocus : b->focusPolicy() & ~Qt::TabFocus;
        b->setFocusPolicy(Qt::FocusPolicy(policy));
    }
}

void TabStopAtChecked(QAbstractButton* button) {
    QObject::connect(button, &QAbstractButton::toggled, button, [button](bool on) {
        if (on) MoveTabStopTo(button);
    });
    // A button made after the one already checked joins the set as no tab stop.
    for (QAbstractButton* b : exclusiveSet(button))
        if (b->isChecked()) {
            MoveTabStopTo(b);
            return;
        }
}

QPushButton* MakeButton(const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setAutoDefault(false);
    return button;
}

QComboBox* MakeDropDownList(QWidget* parent, std::initializer_list<const char*> items) {
    auto* box = new QComboBox(parent);
    box->setEditable(false);
    for (const char* item : items)
        box->addItem(QString::fromUtf8(item));
    return box;
}

namespace {

// A typed number: an optional sign and at least one digit, spaces around allowed. A number
// too long for an int saturates, since only the nearer limit matters then.
std::optional<long long> typedNumber(const QString& text) {
    const QString t = text.trimmed();
    int i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) negative = t[i++] == '-';
    if (i == t.size()) return std::nullopt;
    constexpr long long saturated = 1LL << 40;
    long long magnitude = 0;
    for (; i < t.size(); ++i) {
        if (!t[i].isDigit() || t[i].digitValue() < 0) return std::nullopt;
        magnitude = std::min(saturated, magnitude * 10 + t[i].digitValue());
    }
    return negative ? -magnitude : magnitude;
}

bool isSignOnly(const QString& text) {
    const QString t = text.trimmed();
    return t.isEmpty() || t == "-" || t == "+";
}

} // namespace

QValidator::State TSpinEdit::validate(QString& input, int&) const {
    if (isSignOnly(input)) return QValidator::Intermediate;
    // Acceptable also outside the limits: the value follows the typing (clamped), so that
    // OK reads the nearest limit however the dialog is closed.
    return typedNumber(input) ? QValidator::Acceptable : QValidator::Invalid;
}

void TSpinEdit::fixup(QString& input) const {
    if (typedNumber(input)) input = textFromValue(valueFromText(input));
}

int TSpinEdit::valueFromText(const QString& text) const {
    const std::optional<long long> typed = typedNumber(text);
    if (!typed) return value();
    return int(std::clamp<long long>(*typed, minimum(), maximum()));
}

QSpinBox* MakeSpinEdit(QWidget* parent, int min, int max, int value, int maxLength) {
    auto* spin = new TSpinEdit(parent);
    spin->setRange(min, max);
    spin->setValue(value);
    if (maxLength > 0)
        if (auto* edit = spin->findChild<QLineEdit*>()) edit->setMaxLength(maxLength);
    return spin;
}

TEditMathConst* MakeMathEdit(QWidget* parent, const QString& errorName, const TMathEditBounds& bounds) {
    auto* edit = new TEditMathConst(parent);
    edit->emCtrlErrorName = errorName.toStdString();
    edit->emBoundsCheck = bounds.Check;
    edit->emLoBoundStr = bounds.LoStr.toStdString();
    edit->emLoBoundVal = bounds.LoVal;
    edit->emHiBoundStr = bounds.HiStr.toStdString();
    edit->emHiBoundVal = bounds.HiVal;
    return edit;
}

TDialogButtons MakeDialogButtons(TDialogBase& dialog, bool withCancel) {
    TDialogButtons b{};
    b.Row = new QWidget(&dialog);
    auto* layout = new QHBoxLayout(b.Row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch(1);
    b.OKBtn = MakeButton("OK", b.Row);
    b.OKBtn->setDefault(true);
    QObject::connect(b.OKBtn, &QPushButton::clicked, &dialog, [d = &dialog] { d->done(mrOk); });
    layout->addWidget(b.OKBtn);
    dialog.ExemptFromExitChecks(b.OKBtn);
    if (withCancel) {
        b.CancelBtn = MakeButton("Cancel", b.Row);
        QObject::connect(b.CancelBtn, &QPushButton::clicked, &dialog, [d = &dialog] { d->done(mrCancel); });
        layout->addWidget(b.CancelBtn);
        dialog.ExemptFromExitChecks(b.CancelBtn);
    }
    b.HelpBtn = MakeButton("&Help", b.Row);
    QObject::connect(b.HelpBtn, &QPushButton::clicked, &dialog, [d = &dialog] { d->ShowHelp(); });
    layout->addWidget(b.HelpBtn);
    dialog.ExemptFromExitChecks(b.HelpBtn);
    return b;
}

TColorRow MakeColorRow(QWidget* parent, const QString& buttonText, const QString& sampleHint,
                       std::function<void()> before) {
    TColorRow r{};
    r.Button = MakeButton(buttonText, parent);
    r.Sample = new TColorSample(parent);
    r.Sample->setToolTip(sampleHint);
    r.Sample->setMinimumSize(40, 20);
    auto pick = [sample = r.Sample, before = std::move(before)] {
        if (before) before();
        sample->SetSampleColor(SelectColor(sample->SampleColor(), sample->window()));
    };
    QObject::connect(r.Button, &QPushButton::clicked, r.Sample, pick);
    QObject::connect(r.Sample, &TColorSample::clicked, r.Sample, pick);
    return r;
}

TScrollRow MakeScrollRow(QWidget* parent, int min, int max) {
    TScrollRow r{};
    r.Bar = new QScrollBar(Qt::Horizontal, parent);
    r.Bar->setRange(min, max);
    r.Bar->setPageStep(1);
    // Qt's scroll bars answer the arrow keys backwards (right and up lower the value); a bar
    // that sets a number goes up with right and up.
    r.Bar->setInvertedControls(false);
    r.Bar->setMinimumWidth(120);
    r.Label = new QLabel(QString::number(min), parent);
    r.Label->setMinimumWidth(r.Label->fontMetrics().horizontalAdvance(QString::number(max)) + 4);
    QObject::connect(r.Bar, &QScrollBar::valueChanged, r.Label,
                     [label = r.Label](int v) { label->setText(QString::number(v)); });
    return r;
}
