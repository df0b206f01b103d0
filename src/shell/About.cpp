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

// A point of the unit cube in an oblique view: Z comes forward, down and to the left.
QPointF project(double X, double Y, double Z, double Size) {
    const double s = Size * 0.3;
    return {Size / 2 + X * s - Z * s * 0.45, Size / 2 - Y * s + Z * s * 0.3};
}

void drawAxes(QPainter& p, double Size) {
    const QColor colours[3] = {QColor(200, 30, 30), QColor(30, 150, 30), QColor(230, 140, 20)};
    const double ends[3][3] = {{1.25, 0, 0}, {0, 1.25, 0}, {0, 0, 1.25}};
    for (int i = 0; i < 3; ++i) {
        p.setPen(QPen(colours[i], qMax(1.0, Size / 48)));
        p.drawLine(project(-ends[i][0], -ends[i][1], -ends[i][2], Size),
                   project(ends[i][0], ends[i][1], ends[i][2], Size));
    }
}

// The surface Y = X^3 swept along Z: shaded strips with a wire frame over them.
void drawCubicSurface(QPainter& p, double Size) {
    constexpr int steps = 16;
    auto at = [Size](int i, double z) {
        const double x = -1 + 2.0 * i / steps;
        return project(x, x * x * x, z, Size);
    };
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(110, 160, 230, 120));
    for (int i = 0; i < steps; ++i) {
        const QPointF quad[4] = {at(i, -1), at(i + 1, -1), at(i + 1, 1), at(i, 1)};
        p.drawPolygon(quad, 4);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(20, 40, 120), qMax(1.0, Size / 96)));
    for (double z : {-1.0, 0.0, 1.0}) {
        QPainterPath curve(at(0, z));
        for (int i = 1; i <= steps; ++i)
            curve.lineTo(at(i, z));
        p.drawPath(curve);
    }
    for (int i = 0; i <= steps; i += steps / 4)
        p.drawLine(at(i, -1), at(i, 1));
}

} // namespace

QPixmap ProgramIconPixmap(int Size) {
    QPixmap pixmap(Size, Size);
    pixmap.fill(QColor(250, 250, 240));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    drawAxes(p, Size);
    drawCubicSurface(p, Size);
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
    FeatureList->setFixedHeight(FeatureList->sizeHintForRow(0) * FeatureList->count() +
                                2 * FeatureList->frameWidth());

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
