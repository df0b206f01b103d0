#include "shell/StartUp.h"

#include "platform/FormatSettings.h"

#include <clocale>
#include <cstring>

bool IsExpressionSeparatorChar(char C) {
    if (C == '\0') return true;
    if ((C >= '0' && C <= '9') || (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z')) return true;
    return std::strchr("\t\n\r ()*+-/[]^{}", C) != nullptr;
}

void FixupDecimalSeparator() {
    char& separator = FormatSettings().DecimalSeparator;
    if (IsExpressionSeparatorChar(separator)) separator = '.';
}

void ResetNumericLocale() {
    std::setlocale(LC_NUMERIC, "C");
}
