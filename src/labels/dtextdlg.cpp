#include "labels/dtextdlg.h"

#include "labels/CustEditLogic.h"
#include "math/ComnDlgs.h"
#include "platform/UiHook.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QValidator>

#include <algorithm>

namespace {

// Refuses characters a graph file cannot hold, so that what is typed is what is saved.
class TStorableTextValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        return std::all_of(input.begin(), input.end(), IsStorableTextChar) ? Acceptable : Invalid;
    }
};

QStringList sortedFontFamilies() {
    QStringList families = QFontDatabase::families();
    families.sort(Qt::CaseInsensitive);
    return families;
}

QPushButton* makeToggle(const QString& text, QWidget* parent) {
    QPushButton* b = MakeButton(text, parent);
    b->setCheckable(true);
    return b;
}

} // namespace

TTextLabelDlg::TTextLabelDlg(const TDrawText& Text, const TLabelBmpAttribs& BmpAttribs)
    : TDialogBase(nullptr, LabelModifyHelpContext),
      TopLeft(this, "Top Left Point (Bitmap Pixels)", "ETopLeftX", "ETopLeftY"), text_(Text),
      bmpAttribs_(BmpAttribs), font_(Text.Font) {
    setWindowTitle("Edit Text Label");
    buildAttributesGroup();
    Buttons = MakeDialogButtons(*this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(TopLeft.Box);
    layout->addWidget(AttributesBox);
    layout->addWidget(Buttons.Row);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const TTextDlgValues v = LoadTextDlg(Text);
    TopLeft.LoadOrigin(v.TopLeft);
    {
        TLoadScope loading = BeginLoad();
        ETextString->setText(QString::fromStdString(v.Text));
    }
    refreshFontControls();
}

void TTextLabelDlg::buildAttributesGroup() {
    AttributesBox = MakeGroupBox("Label Attributes", this);
    TFormRows rows(AttributesBox);
    ETextString = new QLineEdit(AttributesBox);
    ETextString->setObjectName("ETextString");
    ETextString->setMaxLength(MaxTextDlgLength);
    ETextString->setValidator(new TStorableTextValidator(ETextString));
    ETextString->setMinimumWidth(300);
    rows.AddRow("&Text", ETextString);
    EFontCombo = new QComboBox(AttributesBox);
    EFontCombo->setObjectName("EFontCombo");
    EFontCombo->addItems(sortedFontFamilies());
    rows.AddRow("&Font", EFontCombo);
    EFontSizeCombo = new QComboBox(AttributesBox);
    EFontSizeCombo->setObjectName("EFontSizeCombo");
    EFontSizeCombo->setEditable(true);
    EFontSizeCombo->setInsertPolicy(QComboBox::NoInsert);
    EFontSizeCombo->lineEdit()->setMaxLength(MaxFontSizeChars);
    rows.AddRow("&Size", EFontSizeCombo);
    rows.AddWide(buildStyleRow());
    SampleBox = new QScrollArea(AttributesBox);
    SampleBox->setToolTip("Sample Text Label");
    SampleBox->setFocusPolicy(Qt::NoFocus);
    SampleBox->setFixedHeight(80);
    TextSampleLabel = new QLabel(SampleBox);
    TextSampleLabel->setObjectName("TextSampleLabel");
    TextSampleLabel->setTextFormat(Qt::PlainText);
    TextSampleLabel->setAutoFillBackground(false);
    SampleBox->setWidget(TextSampleLabel);
    rows.AddWide(SampleBox);

    connect(ETextString, &QLineEdit::textChanged, this, [this] { updateSample(); });
    connect(EFontCombo, &QComboBox::activated, this, &TTextLabelDlg::fontChosen);
    connect(EFontSizeCombo, &QComboBox::editTextChanged, this, &TTextLabelDlg::sizeTextChanged);
    SetExitCheck(EFontSizeCombo, [this] {
        leaveSizeBox();
        return true;
    });
}

QWidget* TTextLabelDlg::buildStyleRow() {
    auto* row = new QWidget(AttributesBox);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    EBoldFontButton = makeToggle("&Bold", row);
    EItalicFontButton = makeToggle("&Italic", row);
    EUnderlineFontButton = makeToggle("&Underline", row);
    FontDlgButton = MakeButton("F&ont Dialog", row);
    EBoldFontButton->setObjectName("EBoldFontButton");
    EItalicFontButton->setObjectName("EItalicFontButton");
    EUnderlineFontButton->setObjectName("EUnderlineFontButton");
    FontDlgButton->setObjectName("FontDlgButton");
    for (QWidget* w : {EBoldFontButton, EItalicFontButton, EUnderlineFontButton})
        layout->addWidget(w);
    layout->addStretch(1);
    layout->addWidget(FontDlgButton);
    connect(EBoldFontButton, &QPushButton::toggled, this, [this](bool on) { styleToggled(fsBold, on); });
    connect(EItalicFontButton, &QPushButton::toggled, this, [this](bool on) { styleToggled(fsItalic, on); });
    connect(EUnderlineFontButton, &QPushButton::toggled, this,
            [this](bool on) { styleToggled(fsUnderline, on); });
    connect(FontDlgButton, &QPushButton::clicked, this, &TTextLabelDlg::fontDialogClick);
    return row;
}

void TTextLabelDlg::refreshFontControls() {
    {
        TLoadScope loading = BeginLoad();
        EFontCombo->setCurrentIndex(EFontCombo->findText(QString::fromStdString(font_.Name)));
        rebuildSizeList();
        EBoldFontButton->setChecked(font_.HasStyle(fsBold));
        EItalicFontButton->setChecked(font_.HasStyle(fsItalic));
        EUnderlineFontButton->setChecked(font_.HasStyle(fsUnderline));
    }
    updateSample();
}

void TTextLabelDlg::rebuildSizeList() {
    EFontSizeCombo->clear();
    for (const std::string& size : FontSizeList(font_.Name))
        EFontSizeCombo->addItem(QString::fromStdString(size));
    EFontSizeCombo->setEditText(QString::number(font_.Size));
}

void TTextLabelDlg::updateSample() {
    TextSampleLabel->setFont(FontRecordToQFont(font_));
    QPalette palette = TextSampleLabel->palette();
    palette.setColor(QPalette::WindowText, TColorToQColor(ColorToRGB(font_.Color)));
    TextSampleLabel->setPalette(palette);
    TextSampleLabel->setText(QString::fromStdString(TextSampleCaption(ETextString->text().toStdString())));
    TextSampleLabel->adjustSize();
}

void TTextLabelDlg::fontChosen(int index) {
    const std::string name = EFontCombo->itemText(index).toStdString();
    if (name.empty() || name == font_.Name) return;
    font_.Name = name;
    {
        TLoadScope loading = BeginLoad();
        rebuildSizeList();
    }
    updateSample();
}

void TTextLabelDlg::sizeTextChanged(const QString& text) {
    if (Loading()) return;
    font_.Size = ParseFontSize(text.toStdString(), font_.Size);
    updateSample();
}

void TTextLabelDlg::leaveSizeBox() {
    font_.Size = ParseFontSize(EFontSizeCombo->currentText().toStdString(), font_.Size);
    {
        TLoadScope loading = BeginLoad();
        EFontSizeCombo->setEditText(QString::number(font_.Size));
    }
    updateSample();
}

void TTextLabelDlg::styleToggled(TFontStyle style, bool on) {
    if (on)
        font_.Style |= style;
    else
        font_.Style &= static_cast<TFontStyles>(~style);
    updateSample();
}

void TTextLabelDlg::fontDialogClick() {
    if (PickFont(font_, this)) refreshFontControls();
}

TTextDlgValues TTextLabelDlg::Values() const {
    return {TopLeft.Value(), ETextString->text().toStdString(), font_};
}

bool TTextLabelDlg::CanCloseOk() {
    if (CheckTextDlg(Values(), text_, bmpAttribs_).Ok()) return true;
    ShowLabelNotOnBitmapMsg();
    TopLeft.X->setFocus();
    return false;
}

bool ExecuteModifyTextDlg(TDrawText& Text, const TLabelBmpAttribs& BmpAttribs, QWidget* Owner) {
    TTextLabelDlg dialog(Text, BmpAttribs);
    if (dialog.Execute(Owner) != mrOk) return false;
    StoreTextDlg(dialog.Values(), Text);
    return true;
}
