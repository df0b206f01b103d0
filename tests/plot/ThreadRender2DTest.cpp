// A 2D graph drawn by the graph worker and stopped in the middle of a long curve (the
// curve alone takes seconds here): the stop must end the run, which reports nothing.
#include "Plot2DTestSupport.h"
#include "model/funcpara.h"
#include "plot/PtBuffer.h"
#include "plot/PtThGraf.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace plottest;

TEST(ThreadRender2D, AStopEndsALongCurveWithoutReportOrError) {
    TGraph2DFixture f;
    TSequenceList<TBaseFuncObj> functions;
    auto curve = std::make_unique<TFuncParametricObj>();
    curve->FuncX.SetExpression("10*COS(T)");
    curve->FuncY.SetExpression("10*SIN(7*T)");
    ASSERT_TRUE(curve->FuncX.CompileMathFunc() && curve->FuncY.CompileMathFunc());
    curve->Samples = MaxDrawnSamples; // far longer than the wait below
    curve->FuncColor = 0x0080FF;
    functions.push_back(std::move(curve));
    f.Graph.AssignFunctions(functions);
    TSafeBmpBuffer buffer;
    buffer.SetBitmapAttributes(pf32bit, 1000, 1000);

    bool reported = false;
    TGraphDrawingThread worker;
    worker.Model = &f.Graph;
    worker.BmpBuffer = &buffer;
    worker.OnDone = [&](TGraphDrawingThread&) { reported = true; };
    worker.Resume();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    worker.Terminate();
    ASSERT_TRUE(worker.WaitFor(std::chrono::seconds(30)));
    EXPECT_FALSE(reported);
    EXPECT_EQ(worker.ErrorText, "");
}
