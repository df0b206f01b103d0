#include "platform/Errors.h"

#include <new>

namespace {
std::string fileName(const char* path) {
    std::string p = path ? path : "";
    auto slash = p.find_last_of("/\\");
    return slash == std::string::npos ? p : p.substr(slash + 1);
}
} // namespace

EAssertionFailed::EAssertionFailed(const std::string& message, const char* file, int line)
    : std::logic_error(message + " (" + fileName(file) + ", line " + std::to_string(line) + ")"),
      message_(message), file_(fileName(file)), line_(line) {}

std::string WorkerErrorText(const std::exception_ptr& error) {
    if (!error) return "Unknown error";
    try {
        std::rethrow_exception(error);
    } catch (const EOverflow&) {
        return "Floating point over flow error";
    } catch (const EUnderflow&) {
        return "Floating point under flow error";
    } catch (const EZeroDivide&) {
        return "Floating point divide-by-zero error";
    } catch (const EInvalidOp&) {
        return "Invalid floating point operation error";
    } catch (const EMathError&) {
        return "Floating point math error";
    } catch (const EDivByZero&) {
        return "Integer divide-by-zero error";
    } catch (const EIntOverflow&) {
        return "Integer over flow error";
    } catch (const EIntError&) {
        return "Integer calculation error";
    } catch (const std::bad_alloc&) {
        return "Out of memory error";
    } catch (const EInvalidPointer&) {
        return "Invalid pointer operations error";
    } catch (const EConvertError&) {
        return "String or object conversion error";
    } catch (...) {
        return "Unknown error";
    }
}

std::string CurrentWorkerErrorText() {
    return WorkerErrorText(std::current_exception());
}
