#pragma once
// The Window menu's arrangements of the graph windows in the main window's MDI area:
// cascade, tile and the icons of minimised windows. The places are computed by plain
// functions of sizes, so that the rules read (and test) apart from the widgets.
//
// Cascade keeps every window usable: each is as large as the area allows while the title
// bars of all of them stay visible, one title bar apart. Both leave the rows of icons at
// the bottom free, so that minimised windows can still be reached.

#include <QPoint>
#include <QRect>
#include <QSize>

#include <vector>

class QMdiArea;
class QMdiSubWindow;

// Below this a cascaded window is too small to work in; a cascade that would go below it
// starts over at the top left.
inline constexpr QSize MinCascadeSize{400, 300};

// The places of icons of the given sizes: rows along the bottom of an area of Area's size,
// left to right, a new row above a full one. Top is the top of the highest row (Area's
// height when there are no icons): tiled windows stay above it.
struct TIconRows {
    std::vector<QPoint> Places;
    int Top = 0;
};
TIconRows IconRowPlaces(const std::vector<QSize>& Icons, const QSize& Area);

// Count windows cascaded in an area of Area's size, each Step further right and down than
// the one before and all of one size: the largest that keeps the last title bar inside
// the area, but not below MinSize (then the cascade starts over at the top left after as
// many windows as fit).
std::vector<QRect> CascadeRects(int Count, const QSize& Area, int Step,
                                const QSize& MinSize = MinCascadeSize);

// Count windows tiled over Area without gaps: rows of equal height, as many columns as
// rows or one more; the windows of a last row that is not full share its width.
std::vector<QRect> TileRects(int Count, const QRect& Area);

// How far a cascade steps from one window to the next: the height of the window's title
// bar with its frame, so that each title bar stays in sight.
int CascadeStep(const QMdiSubWindow& Window);

// The arrangements on the windows of an MDI area. Minimised windows keep their icons;
// maximised ones are restored to take their places; the active window stays active.
void CascadeSubWindows(QMdiArea& Area);
void TileSubWindows(QMdiArea& Area);
// Puts the icons of the minimised windows into their rows, above every other window, and
// returns the rows' top.
int ArrangeIconRows(QMdiArea& Area);
