#pragma once
// Where dialogs open, the standard message box, and the Enter/Esc rule of the small dialogs.
// Every dialog and message box opens at the place one user option chooses; all of it runs
// on the GUI thread.

#include "platform/UiHook.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <optional>
#include <string>

class QDialog;
class QKeyEvent;
class QWidget;

enum TDialogPosition : uint8_t {
    dpScreenCenter = 0,
    dpDesktopCenter = 1,
    dpMainFormCenter = 2,
    dpSpecifiedFormCenter = 3,
};

// The placement option; the main window sets it from the general options.
extern TDialogPosition DialogPositionMode;
// When false the colour, font and printer dialogs open where the platform puts them.
extern bool CenterCommonDialogs;

// The program's main window, which the placements centre on and without which the shared
// pickers do not run. The shell registers it; it is forgotten when the window is destroyed.
void SetApplicationMainForm(QWidget* form);
QWidget* ApplicationMainForm();

// The centring rule: FormWidth x FormHeight centred on the area, kept on a screen of
// ScreenWidth x ScreenHeight (10 pixels from the right or bottom edge when it would pass
// it, 10 from the left or top when it would start before it). False when a size is not
// positive or the form is not smaller than the screen.
bool CalcCenteredPos(int FormWidth, int FormHeight, int AreaLeft, int AreaTop, int AreaWidth, int AreaHeight,
                     int ScreenWidth, int ScreenHeight, int& Left, int& Top);

// The outcome of the placement rule for one dialog.
struct TDialogPlacement {
    enum TKind : uint8_t { Unchanged, ScreenCenter, DesktopCenter, At };
    TKind Kind = Unchanged;
    QPoint Pos; // for At
};

// Placement of a dialog of the given size under Mode, over the owner form's and the main
// window's frame rectangles when there are such windows.
TDialogPlacement CalcDialogPlacement(TDialogPosition Mode, QSize Form, std::optional<QRect> Owner,
                                     std::optional<QRect> MainForm, QSize Screen);

// Placement of a common dialog (colour, font, printer); nullopt leaves it where it is.
std::optional<QPoint> CalcCommonDialogPos(TDialogPosition Mode, QSize Dialog, std::optional<QRect> Owner,
                                          std::optional<QRect> MainForm, QRect Screen, QRect Desktop);

// Places Form before it is shown. OwnerForm may be null.
void PositionDialog(QWidget* Form, QWidget* OwnerForm);
// Moves a common dialog whose window exists; nothing when CenterCommonDialogs is off.
void PositionCommonDialog(QWidget* Dialog, QWidget* OwnerForm);

// The standard message box, placed like every dialog; returns the pressed button's modal result.
int CenterMessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx,
                     QWidget* OwnerForm = nullptr);

// Enter (13) or Esc (27) while a spin edit of the active Form has the focus closes Form as
// OK (running its checks) or Cancel, and swallows the key (Key := 0). True when it did.
bool DialogEnterEscKey(QDialog* Form, int& Key);
// The same for a key event of Form's key-press handler; accepts the event when it acted.
bool DialogEnterEscKey(QDialog* Form, QKeyEvent* Event);

// "This window can not accept more than <Max> functions." as an error box.
void ShowTooManyFunctionsMsg(int Max);
// The fixed texts in the modeless error box; they never raise.
void ShowOutOfMemoryError();
void ShowUnknownError();
