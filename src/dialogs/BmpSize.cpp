#include "dialogs/BmpSize.h"

#include "dialogs/PictDlgLogic.h"
#include "math/DialogRows.h"
#include "platform/UiHook.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
constexpr int kHelpContext = 4000;
} // namespace

TBmpSizeDlg::TBmpSizeDlg() : TDialogBase(nullptr, kHelpContext) {
    setWindowTitle("Picture Size and Colors");
    auto* layout = new QVBoxLayout(this);
    BmpSizeBox = MakeGroupBox("Picture Size", this);
    auto* sizeLayout = new QVBoxLayout(BmpSizeBox);
    sizeLayout->addWidget(MakeLabel("Values Must be in (16 <= Size <= 2000)", BmpSizeBox));
    auto* sides = new QHBoxLayout;
    TheBmpWidth = MakeSpinEdit(BmpSizeBox, MinBmpSize, MaxBmpSize, MinBmpSize, 4);
    TheBmpHeight = MakeSpinEdit(BmpSizeBox, MinBmpSize, MaxBmpSize, MinBmpSize, 4);
    sides->addWidget(MakeLabel("Width", BmpSizeBox));
    sides->addWidget(TheBmpWidth, 1);
    sides->addSpacing(12);
    sides->addWidget(MakeLabel("Height", BmpSizeBox));
    sides->addWidget(TheBmpHeight, 1);
    sizeLayout->addLayout(sides);
    layout->addWidget(BmpSizeBox);

    ColorDepthGroup = MakeGroupBox("Picture Color Depth (Colors Per Pixel)", this);
    auto* depthLayout = new QVBoxLayout(ColorDepthGroup);
    EColorDepthCombo = MakeDropDownList(ColorDepthGroup, {});
    for (const char* item : ColorDepthItems)
        EColorDepthCombo->addItem(item);
    depthLayout->addWidget(EColorDepthCombo);
    layout->addWidget(ColorDepthGroup);

    TDialogButtons buttons = MakeDialogButtons(*this);
    OKBtn = buttons.OKBtn;
    CancelBtn = buttons.CancelBtn;
    HelpBtn = buttons.HelpBtn;
    layout->addWidget(buttons.Row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool ExecuteBmpSizeDlg(TSettingBmpAttribsObj& Attribs) {
    TBmpSizeDlg dialog;
    dialog.TheBmpHeight->setValue(Attribs.Height);
    dialog.TheBmpWidth->setValue(Attribs.Width);
    dialog.EColorDepthCombo->setCurrentIndex(ColorDepthIndex(Attribs.PixelFormat));
    if (dialog.Execute(nullptr) != mrOk) return false;
    return ApplyBmpSize(Attribs, dialog.TheBmpWidth->value(), dialog.TheBmpHeight->value(),
                        dialog.EColorDepthCombo->currentIndex());
}
