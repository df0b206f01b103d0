#include "model/funcobj.h"

#include <algorithm>

void TMathGraphFunc::WriteToFile(TWriteGraphFile& Writer) const {
    Writer.WriteMathString(GetExpression());
}

void TMathGraphFunc::ReadFromFile(TReadGraphFile& Reader) {
    std::string text;
    if (Reader.VersionNumber() == 1) {
        Reader.SkipBytes(1);
        text = Reader.ReadShortString(255);
        const char separator = Reader.DecimalSeparator();
        if (static_cast<unsigned char>(separator) < 0x80)
            std::replace(text.begin(), text.end(), '.', separator);
    } else {
        text = Reader.ReadMathString();
    }
    SetExpression(text);
    bool compiled = CompileMathFunc();
    while (!compiled && Reader.EditIncompatibleString(GetErrorText(), text)) {
        SetExpression(text);
        compiled = CompileMathFunc();
    }
    if (!compiled) Reader.RaiseLoadError();
}
