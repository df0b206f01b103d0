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

namespace {

// Calls f with Func as the first of the five function classes it belongs to; false for
// any other class.
template <class F> bool withFunctionClass(TBaseFuncObj& Func, F&& f) {
    if (auto* p = dynamic_cast<TFunc2DObj*>(&Func)) return f(*p);
    if (auto* p = dynamic_cast<TFuncParametricObj*>(&Func)) return f(*p);
    if (auto* p = dynamic_cast<TFuncPolarObj*>(&Func)) return f(*p);
    if (auto* p = dynamic_cast<TFuncRotateObj*>(&Func)) return f(*p);
    if (auto* p = dynamic_cast<TFunc3DObj*>(&Func)) return f(*p);
    return false;
}

bool addDialog(TFunc2DObj& f, QWidget* owner) {
    return AddFunction2DDialog(f, owner);
}
bool addDialog(TFuncParametricObj& f, QWidget* owner) {
    return AddParametricFunctionDialog(f, owner);
}
bool addDialog(TFuncPolarObj& f, QWidget* owner) {
    return AddPolarFunctionDialog(f, owner);
}
bool addDialog(TFuncRotateObj& f, QWidget* owner) {
    return AddRotateFunctionDialog(f, owner);
}
bool addDialog(TFunc3DObj& f, QWidget* owner) {
    return Add3DFunctionDialog(f, owner);
}

bool modifyDialog(TFunc2DObj& f, QWidget* owner) {
    return ModifyFunction2DDialog(f, owner);
}
bool modifyDialog(TFuncParametricObj& f, QWidget* owner) {
    return ModifyParametricFunctionDialog(f, owner);
}
bool modifyDialog(TFuncPolarObj& f, QWidget* owner) {
    return ModifyPolarFunctionDialog(f, owner);
}
bool modifyDialog(TFuncRotateObj& f, QWidget* owner) {
    return ModifyRotateFunctionDialog(f, owner);
}
bool modifyDialog(TFunc3DObj& f, QWidget* owner) {
    return Modify3DFunctionDialog(f, owner);
}

} // namespace

bool AddFunctionDialog(TBaseFuncObj& Func, TColor Color, QWidget* OwnerForm) {
    try {
        return withFunctionClass(Func, [&](auto& f) {
            f.FuncColor = Color;
            return addDialog(f, OwnerForm);
        });
    } catch (...) {
        return false;
    }
}

bool ModifyFunctionDialog(TBaseFuncObj& Func, QWidget* ListDlg) {
    try {
        return withFunctionClass(Func, [&](auto& f) { return modifyDialog(f, ListDlg); });
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
