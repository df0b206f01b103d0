#pragma once
// The shared colour and font pickers. They stand for the main window's one colour dialog
// and one font dialog, so they run only once the main window exists; the dialogs open
// centred over the form that asks (PositionCommonDialog).

#include "platform/Colors.h"
#include "platform/Fonts.h"

class QWidget;

// Runs the colour dialog preset to Color; on OK Color takes the choice and the result is
// true. False, with Color unchanged, without a main window, on Cancel or when the dialog failed.
bool PickColor(TColor& Color, QWidget* OwnerForm);
// PickColor on a copy: the chosen colour, or Color unchanged.
TColor SelectColor(TColor Color, QWidget* OwnerForm);
// Runs the font dialog on Font's attributes; on OK Font takes the choice and the result is true.
bool PickFont(TFontRecord& Font, QWidget* OwnerForm);
