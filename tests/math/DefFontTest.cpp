// The default label font holder.
#include "math/DefFont.h"
#include "platform/Errors.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

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
