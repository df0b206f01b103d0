// The Label menu of every graph window and its right-click popup: each command is a label
// operation of the picture control, and the menu items follow the control's label status.
#include "plot/PtImage.h"
#include "shell/LabelTools.h"
#include "shell/MenuItems.h"
#include "shell/WinBase.h"

#include <QMenu>

#include <utility>
#include <vector>

void TWindowBase::labelCommand(void (TPlotImageBox::*Command)()) {
    if (ImageBox) (ImageBox->*Command)();
}

void TWindowBase::buildLabelMenu() {
    Label1 = new QMenu(QStringLiteral("&Label"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    SelectTopLabel1 =
        AddMenuItem(Label1, "SelectTopLabel1", "Select &Top", QKeySequence(Qt::CTRL | Qt::Key_T));
    SelectNext1 = AddMenuItem(Label1, "SelectNext1", "Select &Next", QKeySequence(Qt::CTRL | Qt::Key_N));
    SelectPrevious1 =
        AddMenuItem(Label1, "SelectPrevious1", "Select &Previous", QKeySequence(Qt::CTRL | Qt::Key_P));
    AddMenuSeparator(Label1);
    SendSelectedtoFront1 = AddMenuItem(Label1, "SendSelectedtoFront1", "Send Selected to &Front",
                                       QKeySequence(Qt::CTRL | Qt::Key_F));
    SendSelectedtoBack1 = AddMenuItem(Label1, "SendSelectedtoBack1", "Send Selected to &Back",
                                      QKeySequence(Qt::CTRL | Qt::Key_B));
    AddMenuSeparator(Label1);
    ShowFloodFillLocations1 = AddMenuItem(Label1, "ShowFloodFillLocations1", "&Show Flood Fill Locations",
                                          QKeySequence(Qt::CTRL | Qt::Key_L));
    EditSelected1 =
        AddMenuItem(Label1, "EditSelected1", "&Edit Selected...", QKeySequence(Qt::CTRL | Qt::Key_E));
    InPlaceTextLabelEditor1 = AddMenuItem(Label1, "InPlaceTextLabelEditor1", "&In Place Text Label Editor...",
                                          QKeySequence(Qt::CTRL | Qt::Key_I));
    LabelListDialog1 = AddMenuItem(Label1, "LabelListDialog1", "Label &List Dialog...");
    AddMenuSeparator(Label1);
    DeleteSelected1 =
        AddMenuItem(Label1, "DeleteSelected1", "Delete Selected", QKeySequence(Qt::CTRL | Qt::Key_Delete));
    DeleteAllLabels1 = AddMenuItem(Label1, "DeleteAllLabels1", "Delete All Labels");
    DeleteAllFloodFills1 = AddMenuItem(Label1, "DeleteAllFloodFills1", "Delete All Flood Fills");
    DeleteAllLabelsAndFloodFills1 =
        AddMenuItem(Label1, "DeleteAllLabelsAndFloodFills1", "Delete All Labels And Flood Fills");

    const std::pair<QAction*, void (TPlotImageBox::*)()> commands[] = {
        {SelectTopLabel1, &TPlotImageBox::SelectTopLabel},
        {SelectNext1, &TPlotImageBox::SelectNextLabel},
        {SelectPrevious1, &TPlotImageBox::SelectPreviousLabel},
        {SendSelectedtoFront1, &TPlotImageBox::SendSelectedToFront},
        {SendSelectedtoBack1, &TPlotImageBox::SendSelectedToBack},
        {ShowFloodFillLocations1, &TPlotImageBox::ShowFloodFillLocations},
        {EditSelected1, &TPlotImageBox::EditSelectedLabel},
        {InPlaceTextLabelEditor1, &TPlotImageBox::StartInPlaceTextEdit},
        {LabelListDialog1, &TPlotImageBox::ShowLabelListDialog},
        {DeleteSelected1, &TPlotImageBox::DeleteSelectedLabel},
        {DeleteAllLabels1, &TPlotImageBox::DeleteAllLabels},
        {DeleteAllFloodFills1, &TPlotImageBox::DeleteAllFloodFills},
        {DeleteAllLabelsAndFloodFills1, &TPlotImageBox::DeleteAllLabelsAndFloodFills},
    };
    for (const auto& [item, command] : commands)
        connect(item, &QAction::triggered, this, [this, command = command] { labelCommand(command); });
    ImageBoxLabelWinStatusChange(lwNormal);
}

// The popup's items are not connected: the chosen command runs only after the popup
// closed and the picture control's update bracket around it ended (see below).
void TWindowBase::buildLabelPopup() {
    LabelPopup = new QMenu(this);
    LabelPopup->setObjectName(QStringLiteral("LabelPopup"));
    SendToFront1 = AddMenuItem(LabelPopup, "SendToFront1", "Send Label To &Front");
    SendToBack1 = AddMenuItem(LabelPopup, "SendToBack1", "Send Label To &Back");
    AddMenuSeparator(LabelPopup);
    EditLabel1 = AddMenuItem(LabelPopup, "EditLabel1", "&Edit Label...");
    InPlaceEditor1 = AddMenuItem(LabelPopup, "InPlaceEditor1", "&In Place Text Label Editor...");
    InPlaceEditor1->setVisible(false);
    AddMenuSeparator(LabelPopup);
    Delete1 = AddMenuItem(LabelPopup, "Delete1", "Delete Label");
}

void TWindowBase::ImageBoxLabelWinStatusChange(TLabelWindowStatus LabelWindowStatus) {
    const TLabelMenuEnabling enabling = LabelMenuEnabling(LabelWindowStatus);
    InPlaceTextLabelEditor1->setEnabled(enabling.InPlaceEditor);
    for (QAction* item : {SelectTopLabel1, ShowFloodFillLocations1, LabelListDialog1, DeleteAllLabels1,
                          DeleteAllFloodFills1, DeleteAllLabelsAndFloodFills1})
        item->setEnabled(enabling.General);
    for (QAction* item :
         {SelectNext1, SelectPrevious1, SendSelectedtoFront1, SendSelectedtoBack1, DeleteSelected1})
        item->setEnabled(enabling.Selection);
    EditSelected1->setEnabled(enabling.EditSelected);
}

void TWindowBase::ImageBoxShowLabelPopupMenu(int ScreenX, int ScreenY, bool ShowInPlaceEditorItem) {
    InPlaceEditor1->setVisible(ShowInPlaceEditorItem);
    // The popup runs here, inside the picture control's update bracket; the command it
    // chose runs from the event loop, once the bracket has closed and the picture shows
    // its marks again.
    QAction* chosen = LabelPopup->exec(QPoint(ScreenX, ScreenY));
    const std::pair<QAction*, void (TPlotImageBox::*)()> commands[] = {
        {SendToFront1, &TPlotImageBox::SendSelectedToFront},
        {SendToBack1, &TPlotImageBox::SendSelectedToBack},
        {EditLabel1, &TPlotImageBox::EditSelectedLabel},
        {InPlaceEditor1, &TPlotImageBox::StartInPlaceTextEdit},
        {Delete1, &TPlotImageBox::DeleteSelectedLabel},
    };
    for (const auto& [item, command] : commands)
        if (chosen == item)
            QMetaObject::invokeMethod(
                this, [this, command = command] { labelCommand(command); }, Qt::QueuedConnection);
}
