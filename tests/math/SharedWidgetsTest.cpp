#include "math/CenterDlg.h"
#include "math/ColorSample.h"
#include "math/ComnDlgs.h"
#include "math/DefFont.h"
#include "platform/Errors.h"
#include "platform/ScriptedUiHook.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

class CountingSample : public TColorSample {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent* e) override {
        ++paints;
        TColorSample::paintEvent(e);
    }
};

struct MainFormGuard {
    explicit MainFormGuard(QWidget* w) { SetApplicationMainForm(w); }
    ~MainFormGuard() { SetApplicationMainForm(nullptr); }
};

} // namespace

TEST(ColorSample, PaintsTheColourInABlackFrame) {
    TColorSample sample;
    EXPECT_EQ(sample.SampleColor(), clWhite);
    sample.resize(30, 16);
    sample.SetSampleColor(RGBColor(10, 200, 30));
    QImage img = sample.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(img.size(), QSize(30, 16));
    for (QPoint p :
         {QPoint(0, 0), QPoint(29, 0), QPoint(0, 15), QPoint(29, 15), QPoint(15, 0), QPoint(29, 8)})
        EXPECT_EQ(img.pixel(p), qRgb(0, 0, 0)) << p.x() << "," << p.y();
    for (QPoint p : {QPoint(1, 1), QPoint(28, 14), QPoint(15, 8)})
        EXPECT_EQ(img.pixel(p), qRgb(10, 200, 30)) << p.x() << "," << p.y();
    // System colours are resolved.
    sample.SetSampleColor(clBtnFace);
    img = sample.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(QColor(img.pixel(5, 5)), TColorToQColor(clBtnFace));
}

TEST(ColorSample, RepaintsOnlyForANewColourAndReportsClicks) {
    CountingSample sample;
    sample.resize(30, 16);
    sample.show();
    QApplication::processEvents();
    sample.paints = 0;
    sample.SetSampleColor(clWhite);
    QApplication::processEvents();
    EXPECT_EQ(sample.paints, 0);
    sample.SetSampleColor(clRed);
    QApplication::processEvents();
    EXPECT_GE(sample.paints, 1);
    EXPECT_EQ(sample.SampleColor(), clRed);

    int clicks = 0;
    QObject::connect(&sample, &TColorSample::clicked, [&] { ++clicks; });
    auto mouse = [&](QEvent::Type type, QPointF at) {
        QMouseEvent e(type, at, sample.mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&sample, &e);
    };
    mouse(QEvent::MouseButtonPress, {5, 5});
    mouse(QEvent::MouseButtonRelease, {6, 6});
    EXPECT_EQ(clicks, 1);
    // Released outside: no click.
    mouse(QEvent::MouseButtonPress, {5, 5});
    mouse(QEvent::MouseButtonRelease, {100, 6});
    EXPECT_EQ(clicks, 1);
}

TEST(Pickers, ColourAndFontGoThroughTheHook) {
    TScopedScriptedUiHook hook;
    QWidget owner;
    TColor color = clRed;
    // No main window yet: nothing runs, nothing changes.
    EXPECT_FALSE(PickColor(color, &owner));
    EXPECT_EQ(color, clRed);
    EXPECT_EQ(SelectColor(clRed, &owner), clRed);
    TFontRecord font;
    font.Name = "Serif";
    EXPECT_FALSE(PickFont(font, &owner));
    EXPECT_EQ(font.Name, "Serif");
    EXPECT_TRUE(hook->ColorDialogs.empty());
    EXPECT_TRUE(hook->FontDialogs.empty());

    QWidget mainForm;
    MainFormGuard guard(&mainForm);
    hook->ColorScripts.push_back([](TColorDialogRequest& r) {
        r.Color = clBlue;
        return true;
    });
    EXPECT_TRUE(PickColor(color, &owner));
    EXPECT_EQ(color, clBlue);
    ASSERT_EQ(hook->ColorDialogs.size(), 1u);
    EXPECT_EQ(hook->ColorDialogs[0], clRed); // preset to the given colour

    // Cancel keeps the colour; so does a dialog that fails.
    hook->ColorScripts.push_back([](TColorDialogRequest& r) {
        r.Color = clLime;
        return false;
    });
    EXPECT_FALSE(PickColor(color, &owner));
    EXPECT_EQ(color, clBlue);
    hook->ColorScripts.push_back([](TColorDialogRequest&) -> bool { throw std::runtime_error("no dialog"); });
    EXPECT_FALSE(PickColor(color, &owner));
    EXPECT_EQ(color, clBlue);
    hook->ColorScripts.push_back([](TColorDialogRequest& r) {
        r.Color = clYellow;
        return true;
    });
    EXPECT_EQ(SelectColor(clBlue, nullptr), clYellow);
    EXPECT_EQ(SelectColor(clBlue, nullptr), clBlue); // unscripted: cancelled

    hook->FontScripts.push_back([](TFontDialogRequest& r) {
        r.Font.Size = 14;
        r.Font.Style = fsBold;
        return true;
    });
    font.Color = clMaroon;
    EXPECT_TRUE(PickFont(font, &owner));
    EXPECT_EQ(font.Size, 14);
    EXPECT_EQ(font.Style, fsBold);
    EXPECT_EQ(font.Name, "Serif");
    EXPECT_EQ(font.Color, clMaroon);
    ASSERT_EQ(hook->FontDialogs.size(), 1u);
    EXPECT_EQ(hook->FontDialogs[0].Name, "Serif");
    TFontRecord before = font;
    EXPECT_FALSE(PickFont(font, &owner)); // unscripted: cancelled
    EXPECT_EQ(font, before);
}

TEST(DefaultFont, HolderHandsOutCopies) {
    TDefaultFontHolder& holder = DefaultFontHolder();
    holder.ResetFont();
    EXPECT_EQ(GetDefaultFont(), TFontRecord());
    TFontRecord f;
    f.Name = "Liberation Serif";
    f.Size = 12;
    f.Style = fsItalic | fsUnderline;
    f.Color = clNavy;
    holder.SetFontAttributes(&f);
    TFontRecord copy = GetDefaultFont();
    EXPECT_EQ(copy, f);
    copy.Size = 30; // a copy: the held font does not change
    TFontRecord again;
    holder.GetFontAttributes(&again);
    EXPECT_EQ(again.Size, 12);
    EXPECT_THROW(holder.GetFontAttributes(nullptr), EAssertionFailed);
    try {
        holder.SetFontAttributes(nullptr);
        ADD_FAILURE() << "no assertion";
    } catch (const EAssertionFailed& e) {
        EXPECT_EQ(e.Message(), "Null value in TDefaultFontHolder.SetFontAttributes()");
    }
    holder.ResetFont();
    EXPECT_EQ(GetDefaultFont(), TFontRecord());
}

TEST(DefaultFont, ReadersNeverSeeAHalfWrittenFont) {
    TDefaultFontHolder& holder = DefaultFontHolder();
    TFontRecord a, b;
    a.Name = "A font with a long enough name to live on the heap";
    a.Size = 10;
    b.Name = "B";
    b.Size = 20;
    holder.SetFontAttributes(&a);
    std::atomic<bool> stop{false};
    std::atomic<int> torn{0};
    std::vector<std::thread> readers;
    for (int i = 0; i < 3; ++i)
        readers.emplace_back([&] {
            while (!stop) {
                TFontRecord r = GetDefaultFont();
                if (!(r == a) && !(r == b)) ++torn;
            }
        });
    for (int i = 0; i < 2000; ++i)
        holder.SetFontAttributes(i % 2 ? &a : &b);
    stop = true;
    for (auto& t : readers)
        t.join();
    EXPECT_EQ(torn, 0);
    holder.ResetFont();
}
