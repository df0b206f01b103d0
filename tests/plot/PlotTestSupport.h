#pragma once
// Fake models, pictures and pixel checks shared by the plot tests.

#include "platform/Bitmap.h"
#include "platform/Errors.h"
#include "plot/PtGrList.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace plottest {

// A function object of class F (2D, polar) with its expression compiled and its colour set.
template <class F> std::unique_ptr<F> CompiledFunction(const std::string& text, TColor color) {
    auto f = std::make_unique<F>();
    f->Func.SetExpression(text);
    EXPECT_TRUE(f->Func.CompileMathFunc()) << text;
    f->FuncColor = color;
    return f;
}

// A model whose drawing run is whatever the test wants (by default: just the background).
class TFakeGraph : public TPlotGraphFuncList {
public:
    std::function<void(TFakeGraph&, std::string&)> Body = [](TFakeGraph& g, std::string&) {
        g.FillGraphBmpBackground();
    };

    void DrawGraph(std::string& ErrorText) override {
        ErrorText.clear();
        Body(*this, ErrorText);
    }
    void BeginIncrementalDraw() override {
        std::string ignored;
        DrawGraph(ignored);
    }
    bool DrawNextIncrement() override {
        BeginIncrementalDraw();
        return true;
    }
    using TPlotGraphFuncList::FunctionsChanged;
};

// A picture whose every pixel tells where it came from: red = column, green = row, blue
// 0x80 (so no pixel can be mistaken for a background colour with another blue).
inline TColor PicturePixel(int x, int y) {
    return TColor(x & 0xFF) | TColor(y & 0xFF) << 8 | 0x800000;
}

inline std::unique_ptr<TBitmap> MakePicture(int width, int height, TPixelFormat format = pf24bit) {
    auto b = std::make_unique<TBitmap>(width, height, format);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b->SetPixel(x, y, PicturePixel(x, y));
    return b;
}

// Pixels of Bitmap that differ from Expected(x, y); the first few are reported.
inline int CountMismatches(const TBitmap& bitmap, const std::function<TColor(int, int)>& expected) {
    int bad = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) {
            const TColor want = expected(x, y), got = bitmap.Pixel(x, y);
            if (want == got) continue;
            if (++bad <= 3)
                ADD_FAILURE() << "pixel (" << x << ", " << y << "): " << std::hex << got << " not " << want;
        }
    return bad;
}

// The assertion text (without file and line) that Call fails with, or "" when it passes.
template <class F> std::string AssertionOf(F&& call) {
    try {
        call();
    } catch (const EAssertionFailed& e) {
        return e.Message();
    }
    return "";
}

} // namespace plottest
