#include "math/CenterDlg.h"

#include "math/CenterErrorMsgDlg.h"

#include <QDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QSpinBox>
#include <QWidget>

TDialogPosition DialogPositionMode = dpSpecifiedFormCenter;
bool CenterCommonDialogs = true;

namespace {

QPointer<QWidget>& mainFormPointer() {
    static QPointer<QWidget> form;
    return form;
}

QRect screenRect() {
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry() : QRect();
}

QRect desktopRect() {
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->virtualGeometry() : QRect();
}

std::optional<QRect> frameOf(QWidget* w) {
    if (!w) return std::nullopt;
    return w->frameGeometry();
}

QPoint centreIn(const QRect& area, QSize size) {
    int left = area.left() + (area.width() - size.width()) / 2;
    int top = area.top() + (area.height() - size.height()) / 2;
    // A dialog larger than the area still keeps its title bar reachable.
    return {std::max(left, area.left()), std::max(top, area.top())};
}

// Centring over a rectangle by the shared rule; nullopt when the rule refuses.
std::optional<QPoint> centreOver(QSize form, const QRect& area, QSize screen) {
    int left = 0, top = 0;
    if (!CalcCenteredPos(form.width(), form.height(), area.left(), area.top(), area.width(), area.height(),
                         screen.width(), screen.height(), left, top))
        return std::nullopt;
    return QPoint(left, top);
}

// One axis of the centring rule.
int centredCoordinate(int size, int areaStart, int areaSize, int screenSize) {
    int pos = areaStart + (areaSize - size) / 2;
    if (pos + size > screenSize) pos = screenSize - size - 10;
    if (pos < 0) pos = 10;
    return pos;
}

bool isSpinEdit(QWidget* w) {
    if (!w) return false;
    if (qobject_cast<QSpinBox*>(w)) return true;
    // The editor inside a spin box may hold the focus itself.
    return qobject_cast<QSpinBox*>(w->parentWidget()) != nullptr;
}

} // namespace

void SetApplicationMainForm(QWidget* form) {
    mainFormPointer() = form;
}

QWidget* ApplicationMainForm() {
    return mainFormPointer().data();
}

bool CalcCenteredPos(int FormWidth, int FormHeight, int AreaLeft, int AreaTop, int AreaWidth, int AreaHeight,
                     int ScreenWidth, int ScreenHeight, int& Left, int& Top) {
    if (FormWidth <= 0 || FormHeight <= 0 || AreaWidth <= 0 || AreaHeight <= 0) return false;
    if (ScreenWidth <= 0 || ScreenHeight <= 0) return false;
    if (FormWidth >= ScreenWidth || FormHeight >= ScreenHeight) return false;
    Left = centredCoordinate(FormWidth, AreaLeft, AreaWidth, ScreenWidth);
    Top = centredCoordinate(FormHeight, AreaTop, AreaHeight, ScreenHeight);
    return true;
}

TDialogPlacement CalcDialogPlacement(TDialogPosition Mode, QSize Form, std::optional<QRect> Owner,
                                     std::optional<QRect> MainForm, QSize Screen) {
    TDialogPlacement out;
    std::optional<QRect> area;
    switch (Mode) {
    case dpScreenCenter:
        out.Kind = TDialogPlacement::ScreenCenter;
        return out;
    case dpDesktopCenter:
        out.Kind = TDialogPlacement::DesktopCenter;
        return out;
    case dpMainFormCenter:
        area = MainForm;
        break;
    case dpSpecifiedFormCenter:
        area = Owner ? Owner : MainForm;
        break;
    default:
        return out;
    }
    out.Kind = TDialogPlacement::ScreenCenter;
    if (area) {
        if (auto pos = centreOver(Form, *area, Screen)) {
            out.Kind = TDialogPlacement::At;
            out.Pos = *pos;
        }
    }
    return out;
}

std::optional<QPoint> CalcCommonDialogPos(TDialogPosition Mode, QSize Dialog, std::optional<QRect> Owner,
                                          std::optional<QRect> MainForm, QRect Screen, QRect Desktop) {
    auto overArea = [&](const QRect& a) -> std::optional<QPoint> {
        int left = 0, top = 0;
        if (!CalcCenteredPos(Dialog.width(), Dialog.height(), 0, 0, a.width(), a.height(), a.width(),
                             a.height(), left, top))
            return std::nullopt;
        return QPoint(a.left() + left, a.top() + top);
    };
    switch (Mode) {
    case dpScreenCenter:
        return overArea(Screen);
    case dpDesktopCenter:
        return overArea(Desktop);
    case dpMainFormCenter:
        if (!MainForm) return overArea(Screen);
        return centreOver(Dialog, *MainForm, Screen.size());
    case dpSpecifiedFormCenter:
        if (Owner) return centreOver(Dialog, *Owner, Screen.size());
        if (MainForm) return centreOver(Dialog, *MainForm, Screen.size());
        return overArea(Screen);
    default:
        return std::nullopt;
    }
}

void PositionDialog(QWidget* Form, QWidget* OwnerForm) {
    if (!Form) return;
    try {
        if (!Form->testAttribute(Qt::WA_Resized)) Form->adjustSize();
        TDialogPlacement p = CalcDialogPlacement(DialogPositionMode, Form->size(), frameOf(OwnerForm),
                                                 frameOf(ApplicationMainForm()), screenRect().size());
        switch (p.Kind) {
        case TDialogPlacement::ScreenCenter:
            Form->move(centreIn(screenRect(), Form->size()));
            break;
        case TDialogPlacement::DesktopCenter:
            Form->move(centreIn(desktopRect(), Form->size()));
            break;
        case TDialogPlacement::At:
            Form->move(p.Pos);
            break;
        case TDialogPlacement::Unchanged:
            break;
        }
    } catch (...) {
        Form->move(centreIn(desktopRect(), Form->size()));
    }
}

void PositionCommonDialog(QWidget* Dialog, QWidget* OwnerForm) {
    if (!CenterCommonDialogs || !Dialog) return;
    try {
        QSize size = Dialog->frameGeometry().size();
        if (auto pos = CalcCommonDialogPos(DialogPositionMode, size, frameOf(OwnerForm),
                                           frameOf(ApplicationMainForm()), screenRect(), desktopRect()))
            Dialog->move(*pos);
    } catch (...) {
        // The dialog stays where the platform put it.
    }
}

int CenterMessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx,
                     QWidget* OwnerForm) {
    TMessageRequest request;
    request.Text = Msg;
    request.Type = DlgType;
    request.Buttons = Buttons;
    request.HelpContext = HelpCtx;
    request.Owner = OwnerForm;
    QPointer<QWidget> owner = OwnerForm;
    request.Place = [owner](QWidget& dialog) { PositionDialog(&dialog, owner.data()); };
    return UiHook().MessageDlg(request);
}

bool DialogEnterEscKey(QDialog* Form, int& Key) {
    if (Key != 13 && Key != 27) return false;
    if (!Form || !Form->isActiveWindow()) return false;
    if (!isSpinEdit(Form->focusWidget())) return false;
    int result = Key == 13 ? mrOk : mrCancel;
    Key = 0;
    Form->done(result);
    return true;
}

bool DialogEnterEscKey(QDialog* Form, QKeyEvent* Event) {
    if (!Event) return false;
    int key = 0;
    switch (Event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        key = 13;
        break;
    case Qt::Key_Escape:
        key = 27;
        break;
    default:
        return false;
    }
    if (!DialogEnterEscKey(Form, key)) return false;
    Event->accept();
    return true;
}

void ShowTooManyFunctionsMsg(int Max) {
    CenterMessageDlg("This window can not accept more than " + std::to_string(Max) + " functions.", mtError,
                     {mbOK}, 0, nullptr);
}

void ShowOutOfMemoryError() {
    try {
        ShowCenterErrorMsg("Out of memory error", nullptr);
    } catch (...) {
    }
}

void ShowUnknownError() {
    try {
        ShowCenterErrorMsg("Unknown error", nullptr);
    } catch (...) {
    }
}
