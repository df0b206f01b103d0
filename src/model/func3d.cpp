#include "model/func3d.h"

TMathRotateFunc::TMathRotateFunc() {
    SetVariableCount(1);
    SetVariableName(0, "X");
}

TMath3DFunc::TMath3DFunc() {
    SetVariableCount(2);
    SetVariableName(0, "X");
    SetVariableName(1, "Y");
}

void TMath3DFunc::SetDependentVar(int Code) {
    SetVariableCount(2);
    if (Code == dependentVar_) return;
    switch (Code) {
    case dvX:
        SetVariableName(0, "Y");
        SetVariableName(1, "Z");
        dependentVar_ = dvX;
        break;
    case dvZ:
        SetVariableName(0, "X");
        SetVariableName(1, "Y");
        dependentVar_ = dvZ;
        break;
    default:
        SetVariableName(0, "X");
        SetVariableName(1, "Z");
        dependentVar_ = dvY;
        break;
    }
}

void TMath3DFunc::Assign(const TMathFunction& Source) {
    TMathGraphFunc::Assign(Source);
    if (const auto* surface = dynamic_cast<const TMath3DFunc*>(&Source))
        dependentVar_ = surface->dependentVar_;
}

void TMath3DFunc::WriteToFile(TWriteGraphFile& Writer) const {
    Writer.WriteInteger(dependentVar_ == dvX || dependentVar_ == dvZ ? int32_t(dependentVar_) : int32_t(dvY));
    TMathGraphFunc::WriteToFile(Writer);
}

void TMath3DFunc::ReadFromFile(TReadGraphFile& Reader) {
    if (Reader.VersionNumber() >= 2) {
        const int32_t code = Reader.ReadInteger();
        if (code >= dvX && code <= dvZ) SetDependentVar(code);
    }
    TMathGraphFunc::ReadFromFile(Reader);
}
