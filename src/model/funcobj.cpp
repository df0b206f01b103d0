#include "model/funcobj.h"

void TMathGraphFunc::WriteToFile(TWriteGraphFile& Writer) const {
    Writer.WriteMathString(GetExpression());
}

void TMathGraphFunc::ReadFromFile(TReadGraphFile& Reader) {
    std::string text;
    if (Reader.VersionNumber() == 1) {
        Reader.SkipBytes(1);
        text = Reader.LocalizeMathString(Reader.ReadShortString(255));
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
