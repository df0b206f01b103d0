#include "shell/About.h"

#include "math/CenterDlg.h"
#include "platform/UiHook.h"

#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QtGlobal>

namespace {

// A point of the unit cube in an oblique view: Z recedes up and to the left.
QPointF project(double X, double Y, double Z, double Size) {
    const double s = Size * 0.3;
    return {Size / 2 + X * s - Z * s * 0.5, Size / 2 - Y * s + Z * s * 0.35};
}

void drawAxes(QPainter& p, double Size) {
    const QColor colours[3] = {QColor(200, 30, 30), QColor(30, 150, 30), QColor(30, 30, 200)};
    const double ends[3][3] = {{1.2, 0, 0}, {0, 1.2, 0}, {0, 0, 1.2}};
    for (int i = 0; i < 3; ++i) {
        p.setPen(QPen(colours[i], qMax(1.0, Size / 40)));
        p.drawLine(project(-ends[i][0], -ends[i][1], -ends[i][2], Size),
                   project(ends[i][0], ends[i][1], ends[i][2], Size));
    }
}

// The ribbon Y = X^3 swept along Z, as a wire frame.
void drawCubicRibbon(QPainter& p, double Size) {
    p.setPen(QPen(QColor(20, 40, 120), qMax(1.0, Size / 48)));
    for (int k = -2; k <= 2; ++k) {
        const double z = k / 2.0;
        QPainterPath curve(project(-1, -1, z, Size));
        for (int i = -19; i <= 20; ++i) {
            const double x = i / 20.0;
            curve.lineTo(project(x, x * x * x, z, Size));
        }
        p.drawPath(curve);
    }
    for (int i = -2; i <= 2; ++i) {
        const double x = i / 2.0;
        p.drawLine(project(x, x * x * x, -1, Size), project(x, x * x * x, 1, Size));
    }
}

} // namespace

QPixmap ProgramIconPixmap(int Size) {
    QPixmap pixmap(Size, Size);
    pixmap.fill(QColor(250, 250, 240));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    drawAxes(p, Size);
    drawCubicRibbon(p, Size);
    p.setPen(QColor(120, 120, 120));
    p.drawRect(0, 0, Size - 1, Size - 1);
    return pixmap;
}

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle("About");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    ProgramIcon = new QLabel(panel);
    ProgramIcon->setPixmap(ProgramIconPixmap(96));
    ProgramIcon->installEventFilter(this);
    ProductName = new QLabel("Quorix Version 4", panel);
    QFont bold = ProductName->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.4);
    ProductName->setFont(bold);
    PlatformLine = new QLabel("Designed For Linux Desktops With Qt 6.", panel);
    auto* purpose =
        new QLabel("Graphs functions typed as expressions in 2D cartesian, polar and 3D views.", panel);
    purpose->setWordWrap(true);
    auto* libraries = new QLabel(QString("Uses Qt %1 and libjpeg.").arg(qVersion()), panel);
    FeatureList = new QListWidget(panel);
    FeatureList->addItems({"2D cartesian functions y = f(x)", "Parametric curves X(t), Y(t)",
                           "Polar functions r = f(theta)", "3D surfaces z = f(x, y)",
                           "Curves rotated into 3D", "Labels drawn over the picture",
                           "Exact fraction arithmetic", "Function calculator"});
    FeatureList->setFixedHeight(110);

    auto* text = new QVBoxLayout;
    for (QWidget* w : {(QWidget*)ProductName, (QWidget*)PlatformLine, (QWidget*)purpose, (QWidget*)libraries})
        text->addWidget(w);
    text->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(ProgramIcon, 0, Qt::AlignTop);
    top->addLayout(text, 1);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->addLayout(top);
    panelLayout->addWidget(FeatureList);

    OKButton = new QPushButton("OK", this);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addLayout(buttons);
    setFixedWidth(420);
    OKButton->setFocus();
}

void TAboutBox::ProgramIconDblClick() {
    CenterMessageDlg("This is a 3D graph of Y=X^3", mtInformation, {mbOK}, 0, this);
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ProgramIcon && event->type() == QEvent::MouseButtonDblClick) {
        ProgramIconDblClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void ShowAboutBox() {
    TAboutBox box;
    box.adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        box.move(area.center() - QPoint(box.width() / 2, box.height() / 2));
    }
    UiHook().ExecModal(box);
}
