#pragma once
// Program start: the decimal separator the expressions can live with, and the C library's
// number locale.

// True for a decimal separator that would clash with the expression language: NUL, TAB,
// LF, CR, space, ( ) * + - /, a digit, a letter, [ ] ^ { }.
bool IsExpressionSeparatorChar(char C);

// Makes the process-wide decimal separator "." when it is such a character; any other
// (",", for example) stays. The format settings are read once at start and never follow
// later changes of the system's settings.
void FixupDecimalSeparator();

// Qt's application object set the C library's locale from the environment; numbers in
// C library calls must read and print with '.', so LC_NUMERIC goes back to "C".
void ResetNumericLocale();
