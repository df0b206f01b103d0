#pragma once
// Error classes shared by every subsystem.
//
// A broken internal invariant throws EAssertionFailed instead of aborting, so a worker
// can report it and a compile can turn it into an error code. The worker error classes
// stand for the failures the drawing workers name in their fixed messages.

#include <exception>
#include <stdexcept>
#include <string>

class EAssertionFailed : public std::logic_error {
public:
    EAssertionFailed(const std::string& message, const char* file, int line);
    // The message as given, without file and line.
    const std::string& Message() const { return message_; }
    const std::string& File() const { return file_; }
    int Line() const { return line_; }

private:
    std::string message_;
    std::string file_;
    int line_;
};

// QX_ASSERT(condition, "Incorrect array size TMathFunction.EvaluateMathFunc")
#define QX_ASSERT(cond, msg)                                                                                 \
    do {                                                                                                     \
        if (!(cond)) throw EAssertionFailed((msg), __FILE__, __LINE__);                                      \
    } while (0)
#define QX_FAIL(msg) throw EAssertionFailed((msg), __FILE__, __LINE__)

// Base of every error the program raises itself (besides assertions).
class EQuorixError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Floating-point family.
class EMathError : public EQuorixError {
public:
    explicit EMathError(const std::string& m = "Floating point math error") : EQuorixError(m) {}
};
class EOverflow : public EMathError {
public:
    explicit EOverflow(const std::string& m = "Floating point overflow") : EMathError(m) {}
};
class EUnderflow : public EMathError {
public:
    explicit EUnderflow(const std::string& m = "Floating point underflow") : EMathError(m) {}
};
class EZeroDivide : public EMathError {
public:
    explicit EZeroDivide(const std::string& m = "Floating point division by zero") : EMathError(m) {}
};
class EInvalidOp : public EMathError {
public:
    explicit EInvalidOp(const std::string& m = "Invalid floating point operation") : EMathError(m) {}
};

// Integer family.
class EIntError : public EQuorixError {
public:
    explicit EIntError(const std::string& m = "Integer error") : EQuorixError(m) {}
};
class EDivByZero : public EIntError {
public:
    explicit EDivByZero(const std::string& m = "Integer division by zero") : EIntError(m) {}
};
class EIntOverflow : public EIntError {
public:
    explicit EIntOverflow(const std::string& m = "Integer overflow") : EIntError(m) {}
};
class ERangeError : public EIntError {
public:
    explicit ERangeError(const std::string& m = "Range check error") : EIntError(m) {}
};

class EInvalidPointer : public EQuorixError {
public:
    explicit EInvalidPointer(const std::string& m = "Invalid pointer operation") : EQuorixError(m) {}
};
class EConvertError : public EQuorixError {
public:
    explicit EConvertError(const std::string& m = "Conversion error") : EQuorixError(m) {}
};

// Raised by the graph file reader and writer to end a whole load or save.
class EFileLoadError : public EQuorixError {
public:
    explicit EFileLoadError(const std::string& m = "Error loading file") : EQuorixError(m) {}
};
class EFileSaveError : public EQuorixError {
public:
    explicit EFileSaveError(const std::string& m = "Error saving file") : EQuorixError(m) {}
};

// The fixed worker message for a caught exception, testing the specific kinds before
// the general kinds that contain them ("Floating point over flow error" ... "Unknown
// error"). std::bad_alloc is "Out of memory error"; assertions are "Unknown error".
std::string WorkerErrorText(const std::exception_ptr& error);

// Convenience for catch blocks: WorkerErrorText(std::current_exception()).
std::string CurrentWorkerErrorText();
