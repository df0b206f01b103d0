// The label worker with fake labels: what it paints, a stop while it paints, failures and
// the size check of the hand-over.
#include "WorkerTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>

using namespace plottest;

namespace {

constexpr TColor kPlot = 0x00607080;

struct LabelRun {
    TSafeBmpBuffer buffer;
    TPlotLabelsBuffer labels;
    TLabelDrawingThread worker;
    std::shared_ptr<TLabelProbe> probe = std::make_shared<TLabelProbe>();
    int done = 0;

    explicit LabelRun(int labelCount, int excluded = -1) {
        buffer.SetBitmapAttributes(pf32bit, 40, 30);
        labels.SetBitmapAttributes(pf32bit, 40, 30);
        TBitmap plot(40, 30, pf32bit);
        plot.Fill(kPlot);
        buffer.SetBufferBitmap(plot);
        auto master = MakeFakeLabels(labelCount, probe);
        labels.SetLabels(master, excluded);
        worker.LabelsBuffer = &labels;
        worker.BmpBuffer = &buffer;
        worker.OnDone = [this](TBitmap& b) {
            EXPECT_EQ(&b, &labels.LabelBitmap());
            ++done;
        };
    }
    void run() {
        worker.Resume();
        finishOrDie(worker);
    }
    TColor pixel(int x, int y) { return labels.LabelBitmap().Pixel(x, y); }
};

TColor labelColor(int id) {
    return TColor(0x000100 * id + 0x40);
}

} // namespace

TEST(ThreadLabelWorker, PaintsEveryLabelButTheExcludedInOrder) {
    for (int excluded : {-1, 0, 2, 4}) {
        SCOPED_TRACE(excluded);
        LabelRun r(5, excluded);
        r.run();
        EXPECT_EQ(r.done, 1);
        EXPECT_EQ(r.worker.ErrorText, "");
        std::vector<int> want;
        for (int i = 0; i < 5; ++i)
            if (i != excluded) want.push_back(i + 1);
        EXPECT_EQ(r.probe->TakePainted(), want);
        for (int id = 1; id <= 5; ++id)
            EXPECT_EQ(r.pixel(id, 0), id - 1 == excluded ? kPlot : labelColor(id)) << id;
        EXPECT_EQ(r.pixel(0, 1), labelColor(want.back())) << "the last label lies on top";
        EXPECT_EQ(r.pixel(39, 29), kPlot) << "painted over the buffered plot";
    }
}

TEST(ThreadLabelWorker, StopWhilePaintingDeliversNothing) {
    LabelRun r(6);
    r.probe->OnDraw = [&](int id) {
        if (id == 3) r.worker.Terminate();
    };
    r.run();
    EXPECT_EQ(r.done, 0);
    EXPECT_EQ(r.probe->TakePainted(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(r.worker.LabelsBuffer, nullptr);
}

TEST(ThreadLabelWorker, FailuresAreReportedWithTheirText) {
    TLogCapture log;
    LabelRun r(3);
    r.probe->OnDraw = [](int id) {
        if (id == 2) throw EZeroDivide();
    };
    r.run();
    EXPECT_EQ(r.done, 1);
    EXPECT_EQ(r.worker.ErrorText, "Floating point divide-by-zero error");

    LabelRun mismatch(3);
    mismatch.labels.SetSize(41, 30);
    mismatch.run();
    EXPECT_EQ(mismatch.worker.ErrorText, "Unknown error");
    EXPECT_TRUE(mismatch.probe->TakePainted().empty());
    EXPECT_NE(TLogCapture::Text().find("Width not equal in procedure TSafeBmpBuffer.GetBufferBitmap"),
              std::string::npos)
        << TLogCapture::Text();
}
