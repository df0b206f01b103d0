// The model's own function copies and the functions-changed flag.
#include "PlotTestSupport.h"

#include <gtest/gtest.h>

using namespace plottest;

namespace {

int liveFunctions = 0;

class TFakeFunc : public TBaseFuncObj {
public:
    explicit TFakeFunc(int value = 0) : Value(value) { ++liveFunctions; }
    ~TFakeFunc() override { --liveFunctions; }
    int Value;

    std::unique_ptr<TSequenceListObj> Clone() const override { return std::make_unique<TFakeFunc>(); }
    void Assign(const TSequenceListObj& Source) override {
        Value = SequenceSourceAs<TFakeFunc>(Source).Value;
    }
    std::string GetDescription() const override { return "f" + std::to_string(Value); }
};

int valueAt(const TPlotGraphFuncList& g, size_t i) {
    return static_cast<const TFakeFunc&>(*g.Functions().at(i)).Value;
}

} // namespace

TEST(PlotGraphFuncList, CopiesFollowTheSourceAndSetTheFlag) {
    {
        TSequenceList<TBaseFuncObj> source;
        source.push_back(std::make_unique<TFakeFunc>(1));
        source.push_back(std::make_unique<TFakeFunc>(2));
        TFakeGraph g;
        EXPECT_FALSE(g.AreFunctionsChanged());
        g.ClearFunctions(); // nothing to clear: no change
        EXPECT_FALSE(g.AreFunctionsChanged());

        g.AssignFunctions(source);
        EXPECT_TRUE(g.AreFunctionsChanged());
        ASSERT_EQ(g.Functions().size(), 2u);
        EXPECT_NE(g.Functions()[0].get(), source[0].get()); // own copies
        EXPECT_EQ(valueAt(g, 0), 1);
        EXPECT_EQ(valueAt(g, 1), 2);
        EXPECT_EQ(liveFunctions, 4);

        g.FunctionsChanged = false; // as the 3D model does after rebuilding its scene
        g.AssignFunctions(source);  // in step: nothing to do
        EXPECT_FALSE(g.AreFunctionsChanged());

        static_cast<TFakeFunc&>(*source[1]).Value = 7;
        source[1]->Modified = true;
        g.AssignFunctions(source);
        EXPECT_TRUE(g.AreFunctionsChanged());
        EXPECT_EQ(valueAt(g, 1), 7);

        g.FunctionsChanged = false;
        g.ClearFunctions();
        EXPECT_TRUE(g.AreFunctionsChanged());
        EXPECT_TRUE(g.Functions().empty());
        EXPECT_EQ(liveFunctions, 2);

        g.AssignFunctions(source);
        EXPECT_EQ(liveFunctions, 4);
    } // the destructor frees the copies
    EXPECT_EQ(liveFunctions, 0);
}
