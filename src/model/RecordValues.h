#pragma once
// Values of the engine and checked enumerations inside the fixed-size records of the
// graph file, on top of the reader's and writer's record helpers.

#include "math/MathCalc.h"
#include "model/FILESAVE.h"
#include "model/SettingCodes.h"

#include <cstddef>
#include <cstdint>

// Puts a value into a record as its packed form. An inexact value's fraction fields are
// whatever the computation that made it left there; they go out as 0/1, so that one value
// always gives the same bytes however it was computed (a loaded text evaluates again).
void SetPackedValue(TRecordBuilder& rec, std::size_t offset, const TMathValue& value);

// A constant of a record: a packed value from file version 3 on, an 80-bit float of
// version 2 (which becomes an inexact value).
TMathValue ConstantField(const TRecordReader& rec, std::size_t offset, bool packed);

// An inexact value holding an 80-bit float of an old record.
TMathValue FloatMathValue(long double value);
// A cleared value (no value).
TMathValue EmptyMathValue();
// An exact integer.
TMathValue ExactMathValue(int32_t value);
