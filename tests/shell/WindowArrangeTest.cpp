// The Window menu's Cascade, Tile and Arrange Icons on the main window's MDI area: what
// the user sees of each window afterwards.
#include "shell/WindowArrange.h"

#include "StubWindows.h"

#include <gtest/gtest.h>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include <algorithm>
#include <vector>

using namespace stubs;

namespace {

// A shown main window of the size it takes on a 1400 x 900 screen, with Count graph windows.
struct TArrangeRig : TMainFormRig {
    explicit TArrangeRig(int Count) {
        form->resize(1260, 810);
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get(), 20000));
        for (int i = 0; i < Count; ++i)
            form->NewGraphWindow(1 + i % 3);
    }
    QMdiArea& area() const { return *form->MdiArea; }
    QRect room() const { return area().viewport()->rect(); }
    std::vector<QMdiSubWindow*> windows(bool Minimised) const {
        std::vector<QMdiSubWindow*> out;
        for (QMdiSubWindow* child : area().subWindowList(QMdiArea::StackingOrder))
            if (child->isMinimized() == Minimised) out.push_back(child);
        return out;
    }
    // The window the user reaches at a point of the area.
    QWidget* windowAt(QPoint Point) const {
        QWidget* hit = area().viewport()->childAt(Point);
        while (hit && !qobject_cast<QMdiSubWindow*>(hit))
            hit = hit->parentWidget();
        return hit;
    }
};

// How many windows centred their pictures since the log was cleared.
int centred(const TArrangeRig& Rig) {
    return int(std::count_if(Rig.world.Log.begin(), Rig.world.Log.end(),
                             [](const std::string& Entry) { return Entry.ends_with(":CenterBitmap"); }));
}

} // namespace

TEST(WindowArrange, CascadeAndTileKeepWindowsUsableAndIconsInSight) {
    for (const int count : {3, 12}) {
        SCOPED_TRACE(count);
        TArrangeRig rig(count);
        const QList<QMdiSubWindow*> made = rig.area().subWindowList();
        QMdiSubWindow* active = made.back();
        active->showMaximized();

        rig.world.Log.clear();
        rig.form->Cascade1->trigger();
        const std::vector<QMdiSubWindow*> cascaded = rig.windows(false);
        EXPECT_EQ(centred(rig), count);
        ASSERT_EQ(int(cascaded.size()), count);
        EXPECT_EQ(cascaded.back(), active);
        EXPECT_EQ(rig.area().currentSubWindow(), active);
        for (size_t i = 0; i < cascaded.size(); ++i) {
            const QRect frame = cascaded[i]->geometry();
            const int titleBar = cascaded[i]->contentsMargins().top();
            EXPECT_FALSE(cascaded[i]->isMaximized());
            EXPECT_GE(frame.width(), 400) << i;
            EXPECT_GE(frame.height(), 300) << i;
            EXPECT_TRUE(rig.room().contains(frame)) << i;
            // The whole title bar answers the mouse: its ends, top and bottom, reach this window.
            for (const int x : {frame.left() + 4, frame.center().x(), frame.right() - 4})
                for (const int y : {frame.top() + 2, frame.top() + titleBar - 2})
                    EXPECT_EQ(rig.windowAt(QPoint(x, y)), cascaded[i]) << i << " at " << x << "," << y;
        }
        // As large as the area allows: the top window reaches its bottom right corner.
        EXPECT_EQ(cascaded.back()->geometry().bottomRight(), rig.room().bottomRight());

        // Some windows minimised, then tiled.
        for (int i = 0; i < count / 3; ++i)
            made[i * 3 + 1]->showMinimized();
        rig.area().setActiveSubWindow(active);
        const std::vector<QMdiSubWindow*> icons = rig.windows(true);
        ASSERT_EQ(int(icons.size()), count / 3);
        rig.world.Log.clear();
        rig.form->Tile1->trigger();
        EXPECT_EQ(centred(rig), count - count / 3); // the icons keep what they showed
        int iconTop = rig.room().height();
        for (QMdiSubWindow* icon : icons) {
            EXPECT_TRUE(icon->isMinimized());
            EXPECT_TRUE(rig.room().contains(icon->geometry()));
            EXPECT_EQ(rig.windowAt(icon->geometry().center()), icon);
            iconTop = std::min(iconTop, icon->geometry().top());
        }
        EXPECT_EQ(icons.front()->geometry().bottom(), rig.room().bottom());
        // The tiled windows cover the area above the icons, without gaps or overlaps.
        const std::vector<QMdiSubWindow*> tiled = rig.windows(false);
        long long covered = 0;
        for (size_t i = 0; i < tiled.size(); ++i) {
            const QRect frame = tiled[i]->geometry();
            EXPECT_TRUE(QRect(0, 0, rig.room().width(), iconTop).contains(frame)) << i;
            covered += (long long)frame.width() * frame.height();
            for (size_t j = i + 1; j < tiled.size(); ++j)
                EXPECT_FALSE(frame.intersects(tiled[j]->geometry())) << i << " " << j;
        }
        EXPECT_EQ(covered, (long long)rig.room().width() * iconTop);
        EXPECT_EQ(rig.area().currentSubWindow(), active);

        // Arrange Icons puts the icons where Tile left room for them.
        std::vector<QRect> places;
        for (QMdiSubWindow* icon : icons)
            places.push_back(icon->geometry());
        for (QMdiSubWindow* icon : icons)
            icon->move(300, 10);
        rig.form->ArrangeAll1->trigger();
        for (size_t i = 0; i < icons.size(); ++i)
            EXPECT_EQ(icons[i]->geometry(), places[i]) << i;

        // The area changes size under the icons, or the windows are cascaded over them: the
        // icons keep to the area's bottom, in sight.
        for (const char* change : {"label tool bar shown", "frame made smaller", "cascaded"}) {
            SCOPED_TRACE(change);
            if (change[0] == 'l')
                rig.form->ShowShapeToolBar1->trigger();
            else if (change[0] == 'f')
                rig.form->resize(1000, 640);
            else
                rig.form->Cascade1->trigger();
            QTest::qWait(50);
            for (QMdiSubWindow* icon : icons) {
                EXPECT_TRUE(rig.room().contains(icon->geometry()));
                EXPECT_EQ(rig.windowAt(icon->geometry().center()), icon);
            }
            EXPECT_EQ(icons.front()->geometry().bottom(), rig.room().bottom());
        }
    }
    // A frame too small for a whole cascade of usable windows starts over at the top left.
    const std::vector<QRect> small = CascadeRects(5, QSize(500, 400), 30);
    EXPECT_EQ(small[0], QRect(0, 0, 410, 310));
    EXPECT_EQ(small[3], QRect(90, 90, 410, 310));
    EXPECT_EQ(small[4], QRect(0, 0, 410, 310));
}
