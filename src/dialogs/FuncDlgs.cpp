#include "dialogs/FuncDlgs.h"

#include "dialogs/Add2dfnc.h"
#include "dialogs/Add3dFnc.h"
#include "dialogs/AddParam.h"
#include "model/func2d.h"
#include "model/func3dobj.h"
#include "model/funcpara.h"
#include "model/funcpolr.h"

#include <QGuiApplication>
#include <QScreen>

#include <tuple>

namespace {

// The add and modify dialogs of one function class; the last argument is the special x
// values the graph's other functions hold.
template <class TFunc> struct TFuncDialogs {
    bool (*Add)(TFunc&, QWidget*, int64_t);
    bool (*Modify)(TFunc&, QWidget*, int64_t);
};

// A dialog of a class that holds no special x values.
template <class TFunc, bool (*Dialog)(TFunc&, QWidget*)>
bool withoutSpecialValues(TFunc& f, QWidget* w, int64_t) {
    return Dialog(f, w);
}
template <class TFunc, bool (*Add)(TFunc&, QWidget*), bool (*Modify)(TFunc&, QWidget*)>
constexpr TFuncDialogs<TFunc> plainDialogs() {
    return {withoutSpecialValues<TFunc, Add>, withoutSpecialValues<TFunc, Modify>};
}

// The five function classes with their dialogs, in the order a function is matched.
constexpr std::tuple kFuncDialogs{
    TFuncDialogs<TFunc2DObj>{AddFunction2DDialog, ModifyFunction2DDialog},
    plainDialogs<TFuncParametricObj, AddParametricFunctionDialog, ModifyParametricFunctionDialog>(),
    plainDialogs<TFuncPolarObj, AddPolarFunctionDialog, ModifyPolarFunctionDialog>(),
    plainDialogs<TFuncRotateObj, AddRotateFunctionDialog, ModifyRotateFunctionDialog>(),
    plainDialogs<TFunc3DObj, Add3DFunctionDialog, Modify3DFunctionDialog>(),
};

// When Func is a TFunc: result takes f(Func as a TFunc, its dialogs), and true.
template <class TFunc, class F>
bool matchClass(TBaseFuncObj& Func, const TFuncDialogs<TFunc>& dialogs, F& f, bool& result) {
    auto* p = dynamic_cast<TFunc*>(&Func);
    if (p) result = f(*p, dialogs);
    return p != nullptr;
}

// Calls f with Func as the first of the five function classes it belongs to and that
// class's dialogs; false for any other class.
template <class F> bool withFunctionClass(TBaseFuncObj& Func, F&& f) {
    bool result = false;
    std::apply(
        [&](const auto&... dialogs) { static_cast<void>((matchClass(Func, dialogs, f, result) || ...)); },
        kFuncDialogs);
    return result;
}

} // namespace

bool AddFunctionDialog(TBaseFuncObj& Func, TColor Color, QWidget* OwnerForm, int64_t OtherSpecialValues) {
    try {
        return withFunctionClass(Func, [&](auto& f, const auto& dialogs) {
            f.FuncColor = Color;
            return dialogs.Add(f, OwnerForm, OtherSpecialValues);
        });
    } catch (...) {
        return false;
    }
}

bool ModifyFunctionDialog(TBaseFuncObj& Func, QWidget* ListDlg, int64_t OtherSpecialValues) {
    try {
        return withFunctionClass(Func, [&](auto& f, const auto& dialogs) {
            return dialogs.Modify(f, ListDlg, OtherSpecialValues);
        });
    } catch (...) {
        return false;
    }
}

uint8_t PixelFormatOfScreenBits(int Bits) {
    switch (Bits) {
    case 4:
        return 2;
    case 15:
        return 4;
    case 16:
        return 5;
    case 24:
        return 6;
    case 32:
        return 7;
    default:
        return 3;
    }
}

uint8_t ScreenPixelFormat() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return PixelFormatOfScreenBits(screen ? screen->depth() : 8);
}
