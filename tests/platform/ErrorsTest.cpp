#include "platform/Errors.h"

#include <gtest/gtest.h>

#include <new>

namespace {
template <class E> std::string textOf(E e) {
    try {
        throw e;
    } catch (...) {
        return CurrentWorkerErrorText();
    }
}
} // namespace

TEST(Errors, WorkerTextsFollowTheFixedOrder) {
    EXPECT_EQ(textOf(EOverflow()), "Floating point over flow error");
    EXPECT_EQ(textOf(EUnderflow()), "Floating point under flow error");
    EXPECT_EQ(textOf(EZeroDivide()), "Floating point divide-by-zero error");
    EXPECT_EQ(textOf(EInvalidOp()), "Invalid floating point operation error");
    EXPECT_EQ(textOf(EMathError()), "Floating point math error");
    EXPECT_EQ(textOf(EDivByZero()), "Integer divide-by-zero error");
    EXPECT_EQ(textOf(EIntOverflow()), "Integer over flow error");
    EXPECT_EQ(textOf(ERangeError()), "Integer calculation error");
    EXPECT_EQ(textOf(EIntError()), "Integer calculation error");
    EXPECT_EQ(textOf(std::bad_alloc()), "Out of memory error");
    EXPECT_EQ(textOf(EInvalidPointer()), "Invalid pointer operations error");
    EXPECT_EQ(textOf(EConvertError()), "String or object conversion error");
    EXPECT_EQ(textOf(EAssertionFailed("Incorrect array size", "x.cpp", 3)), "Unknown error");
    EXPECT_EQ(textOf(std::runtime_error("other")), "Unknown error");
    EXPECT_EQ(textOf(42), "Unknown error");
    EXPECT_EQ(WorkerErrorText(nullptr), "Unknown error");
}

TEST(Errors, AssertionNamesMessageFileAndLine) {
    try {
        QX_ASSERT(1 + 1 == 3, "Incorrect array size TMathFunction.EvaluateMathFunc");
        FAIL() << "no throw";
    } catch (const EAssertionFailed& e) {
        EXPECT_EQ(e.Message(), "Incorrect array size TMathFunction.EvaluateMathFunc");
        EXPECT_EQ(e.File(), "ErrorsTest.cpp");
        EXPECT_GT(e.Line(), 0);
        EXPECT_EQ(std::string(e.what()),
                  "Incorrect array size TMathFunction.EvaluateMathFunc (ErrorsTest.cpp, line " +
                      std::to_string(e.Line()) + ")");
    }
    EXPECT_NO_THROW(QX_ASSERT(true, "never"));
}
