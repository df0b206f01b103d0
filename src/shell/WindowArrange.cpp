#include "shell/WindowArrange.h"

#include <QList>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace {

// The I-th of Parts pieces of Length, from Start: the pieces meet without gaps, and
// rounding leaves no strip at the end.
std::pair<int, int> piece(int Start, int Length, int Parts, int I) {
    const int from = int(int64_t(Length) * I / Parts);
    const int to = int(int64_t(Length) * (I + 1) / Parts);
    return {Start + from, to - from};
}

// The windows an arrangement moves: shown and not minimised, in the given order.
QList<QMdiSubWindow*> arrangedWindows(const QMdiArea& Area, QMdiArea::WindowOrder Order) {
    QList<QMdiSubWindow*> out;
    for (QMdiSubWindow* child : Area.subWindowList(Order))
        if (!child->isHidden() && !child->isMinimized()) out.append(child);
    return out;
}

void place(QMdiSubWindow& Window, const QRect& Rect) {
    if (Window.isMaximized()) Window.showNormal();
    Window.setGeometry(Rect);
}

// Lays the icons out in their rows and gives the area above them, which the other
// windows may take.
QRect roomAboveIcons(QMdiArea& Area) {
    const int iconTop = ArrangeIconRows(Area);
    return QRect(0, 0, Area.viewport()->width(), std::max(iconTop, 1));
}

// Moving and restoring windows may hand the activation on; the user's window keeps it.
void keepActive(QMdiArea& Area, QMdiSubWindow* Active) {
    if (Active && !Active->isMinimized() && Area.currentSubWindow() != Active)
        Area.setActiveSubWindow(Active);
}

} // namespace

TIconRows IconRowPlaces(const std::vector<QSize>& Icons, const QSize& Area) {
    TIconRows rows;
    rows.Top = Area.height();
    int x = 0;
    int bottom = Area.height();
    int rowHeight = 0;
    for (const QSize& icon : Icons) {
        if (x > 0 && x + icon.width() > Area.width()) {
            x = 0;
            bottom -= rowHeight;
            rowHeight = 0;
        }
        rows.Places.emplace_back(x, bottom - icon.height());
        rows.Top = std::min(rows.Top, bottom - icon.height());
        rowHeight = std::max(rowHeight, icon.height());
        x += icon.width();
    }
    return rows;
}

std::vector<QRect> CascadeRects(int Count, const QSize& Area, int Step, const QSize& MinSize) {
    std::vector<QRect> rects;
    if (Count <= 0) return rects;
    Step = std::max(Step, 1);
    // An area smaller than the least usable size is all that a window can get.
    const QSize least = MinSize.boundedTo(Area);
    const int room = std::min(Area.width() - least.width(), Area.height() - least.height());
    const int run = std::clamp(room / Step + 1, 1, Count);
    const QSize size(std::max(Area.width() - (run - 1) * Step, 1),
                     std::max(Area.height() - (run - 1) * Step, 1));
    for (int i = 0; i < Count; ++i) {
        const int offset = (i % run) * Step;
        rects.emplace_back(QPoint(offset, offset), size);
    }
    return rects;
}

std::vector<QRect> TileRects(int Count, const QRect& Area) {
    std::vector<QRect> rects;
    if (Count <= 0) return rects;
    const int columns = int(std::ceil(std::sqrt(double(Count))));
    const int rows = (Count + columns - 1) / columns;
    for (int row = 0; row < rows; ++row) {
        const int inRow = std::min(columns, Count - row * columns);
        const auto [top, height] = piece(Area.top(), Area.height(), rows, row);
        for (int column = 0; column < inRow; ++column) {
            const auto [left, width] = piece(Area.left(), Area.width(), inRow, column);
            rects.emplace_back(left, top, width, height);
        }
    }
    return rects;
}

int CascadeStep(const QMdiSubWindow& Window) {
    // The frame keeps its title bar as the top margin of its contents.
    const int top = Window.contentsMargins().top();
    if (top > 0) return top;
    return Window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &Window) + 4;
}

void CascadeSubWindows(QMdiArea& Area) {
    const QRect room = roomAboveIcons(Area);
    // In stacking order, so that the window on top stays on top, at the bottom right.
    const QList<QMdiSubWindow*> windows = arrangedWindows(Area, QMdiArea::StackingOrder);
    if (windows.isEmpty()) return;
    QMdiSubWindow* const active = Area.currentSubWindow();
    const std::vector<QRect> rects =
        CascadeRects(int(windows.size()), room.size(), CascadeStep(*windows.front()));
    for (qsizetype i = 0; i < windows.size(); ++i) {
        place(*windows[i], rects[size_t(i)]);
        windows[i]->raise();
    }
    keepActive(Area, active);
}

void TileSubWindows(QMdiArea& Area) {
    const QRect room = roomAboveIcons(Area);
    const QList<QMdiSubWindow*> windows = arrangedWindows(Area, QMdiArea::CreationOrder);
    if (windows.isEmpty()) return;
    QMdiSubWindow* const active = Area.currentSubWindow();
    const std::vector<QRect> rects = TileRects(int(windows.size()), room);
    for (qsizetype i = 0; i < windows.size(); ++i)
        place(*windows[i], rects[size_t(i)]);
    keepActive(Area, active);
}

int ArrangeIconRows(QMdiArea& Area) {
    QList<QMdiSubWindow*> icons;
    std::vector<QSize> sizes;
    for (QMdiSubWindow* child : Area.subWindowList())
        if (!child->isHidden() && child->isMinimized()) {
            icons.append(child);
            sizes.push_back(child->size());
        }
    const TIconRows rows = IconRowPlaces(sizes, Area.viewport()->size());
    // Raised, so that no window left over the bottom rows hides them.
    for (qsizetype i = 0; i < icons.size(); ++i) {
        icons[i]->move(rows.Places[size_t(i)]);
        icons[i]->raise();
    }
    return rows.Top;
}
