#include "plot/Selected.h"

#include "platform/UiHook.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

TUseSelectedRectDlg::TUseSelectedRectDlg() : TDialogBase(nullptr, UseSelectedRectHelpContext) {
    auto* layout = new QVBoxLayout(this);
    GroupBox1 = MakeGroupBox("Area to Use", this);
    auto* area = new QVBoxLayout(GroupBox1);
    SelectedButton = MakeRadioButton("Selected Rectangle", GroupBox1, true);
    AllButton = MakeRadioButton("All Bitmap Area", GroupBox1);
    SelectedButton->setObjectName("SelectedButton");
    AllButton->setObjectName("AllButton");
    area->addWidget(SelectedButton);
    area->addWidget(AllButton);
    layout->addWidget(GroupBox1);
    Buttons = MakeDialogButtons(*this);
    layout->addWidget(Buttons.Row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool ExecuteUseSelectedRectDlg(bool ForClipboard, bool& UseSelected) {
    TUseSelectedRectDlg dialog;
    dialog.setWindowTitle(ForClipboard ? "Area to Paste to Clipboard" : "Area to Save to File");
    if (dialog.Execute(nullptr) != mrOk) return false;
    UseSelected = dialog.SelectedButton->isChecked();
    return true;
}
