#include "math/ComnDlgs.h"

#include "math/CenterDlg.h"
#include "platform/UiHook.h"

#include <QPointer>
#include <QWidget>

namespace {

TPlaceDialog commonDialogPlacement(QWidget* ownerForm) {
    QPointer<QWidget> owner = ownerForm;
    return [owner](QWidget& dialog) { PositionCommonDialog(&dialog, owner.data()); };
}

} // namespace

bool PickColor(TColor& Color, QWidget* OwnerForm) {
    QWidget* mainForm = ApplicationMainForm();
    if (!mainForm) return false;
    try {
        TColorDialogRequest request;
        request.Color = Color;
        request.Owner = OwnerForm ? OwnerForm : mainForm;
        request.Place = commonDialogPlacement(OwnerForm);
        if (!UiHook().ColorDialog(request)) return false;
        Color = request.Color;
        return true;
    } catch (...) {
        return false;
    }
}

TColor SelectColor(TColor Color, QWidget* OwnerForm) {
    TColor chosen = Color;
    return PickColor(chosen, OwnerForm) ? chosen : Color;
}

bool PickFont(TFontRecord& Font, QWidget* OwnerForm) {
    QWidget* mainForm = ApplicationMainForm();
    if (!mainForm) return false;
    try {
        TFontDialogRequest request;
        request.Font = Font;
        request.Owner = OwnerForm ? OwnerForm : mainForm;
        request.Place = commonDialogPlacement(OwnerForm);
        if (!UiHook().FontDialog(request)) return false;
        Font = request.Font;
        return true;
    } catch (...) {
        return false;
    }
}
