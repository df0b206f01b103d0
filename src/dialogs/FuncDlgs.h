#pragma once
// The two doors through which graph windows and the function list open the add and modify
// dialog of a function: they pick the dialog by the class of the function, and nothing
// that goes wrong inside leaves them (the answer is then false). And the pixel format of
// the screen, for new pictures whose colour depth the user left to the screen.

#include "model/funcobj.h"
#include "platform/Colors.h"

#include <cstdint>

class QWidget;

// Gives a new function Color and opens the add dialog of its class. True when the user
// pressed OK and the function was filled; false for a class without a dialog.
// OtherSpecialValues: the special x values the graph's other functions hold, which a 2D
// function's dialog keeps the graph's sum within.
bool AddFunctionDialog(TBaseFuncObj& Func, TColor Color, QWidget* OwnerForm, int64_t OtherSpecialValues = 0);
// Opens the modify dialog of the function's class over ListDlg (the form that asks). True
// when the user pressed OK and the function was changed.
bool ModifyFunctionDialog(TBaseFuncObj& Func, QWidget* ListDlg, int64_t OtherSpecialValues = 0);

// The pixel format code of a screen with Bits bits per pixel (times colour planes): 4 gives
// 2, 8 gives 3, 15 gives 4, 16 gives 5, 24 gives 6, 32 gives 7, anything else 3.
uint8_t PixelFormatOfScreenBits(int Bits);
// The pixel format code of the primary screen; 3 when there is none.
uint8_t ScreenPixelFormat();
