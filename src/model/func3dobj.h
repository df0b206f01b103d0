#pragma once
// The two function objects of 3D graphs: a curve y = f(x) rotated about an axis into a
// surface of revolution, and a surface giving one coordinate in terms of the other two.
// Both are drawn as wire frames that GenerateLines puts into the 3D line store, with a
// number of wire lines in each direction and a detail count of intermediate points that
// makes the wires smooth.

#include "math/MathCalc.h"
#include "model/FILESAVE.h"
#include "model/Fg3dline.h"
#include "model/func3d.h"
#include "platform/Colors.h"

#include <cstdint>
#include <memory>
#include <string>

// Kind tags that start the file record of a 3D function.
inline constexpr int32_t Func3DKindRotate = 1;
inline constexpr int32_t Func3DKindSurface = 2;

// RotationAxis codes.
inline constexpr uint8_t RotateAboutX = 0;
inline constexpr uint8_t RotateAboutY = 1;
inline constexpr uint8_t RotateAboutLine = 2;

// Function values beyond this are clipped or not drawn ("Values > 700").
inline constexpr long double Func3DValueLimit = 700;

// The largest detail n that keeps Count + (Count - 1) * n <= 100: 100 for Count <= 0, 98
// for Count = 1. The dialogs cap the detail of one direction by the other's line count.
int32_t MaxLineDetail(int32_t Count);

class TFuncRotateObj : public TBaseFunc3DObj {
public:
    TFuncRotateObj();
    ~TFuncRotateObj() override;

    std::unique_ptr<TSequenceListObj> Clone() const override;
    void Assign(const TSequenceListObj& Source) override;
    // "Y=f(x)=" + the expression.
    std::string GetDescription() const override;
    int GenerateLines(uint8_t ColorIndex, TLineObj& LineStore) override;
    void WriteToFile(TWriteGraphFile& Writer) const override;
    void ReadFromFile(TReadGraphFile& Reader) override;

    const std::unique_ptr<TMathRotateFunc> Func; // the curve y = f(x)
    std::string LoBoundStr = "0";
    std::string HiBoundStr = "1";
    TMathValue LoBound;
    TMathValue HiBound;
    uint8_t RotationAxis = RotateAboutX; // any code but 1 and 2 rotates about the X axis
    // Two points of the specified rotation line.
    std::string P1XStr = "0";
    std::string P1YStr = "0";
    std::string P2XStr = "1";
    std::string P2YStr = "1";
    TMathValue P1X;
    TMathValue P1Y;
    TMathValue P2X;
    TMathValue P2Y;
    int32_t Circles = 12;     // rings around the axis
    int32_t CircleDetail = 6; // angular steps between two lines
    int32_t Lines = 12;       // rotated copies of the curve
    int32_t LineDetail = 6;   // samples between two circles
    TColor FuncColor = clBlue;
    bool LimitTo700 = false; // true "Round Down" to +-700, false "Don't Draw"

private:
    void readVersion1(TReadGraphFile& Reader);
    // The record of version 2 or later, its texts and the expression.
    void readRecord(TReadGraphFile& Reader);
};

class TFunc3DObj : public TBaseFunc3DObj {
public:
    TFunc3DObj();
    ~TFunc3DObj() override;

    std::unique_ptr<TSequenceListObj> Clone() const override;
    void Assign(const TSequenceListObj& Source) override;
    // "X=f(y,z)=", "Y=f(x,z)=" or "Z=f(x,y)=" by the dependent variable, + the expression.
    std::string GetDescription() const override;
    int GenerateLines(uint8_t ColorIndex, TLineObj& LineStore) override;
    void WriteToFile(TWriteGraphFile& Writer) const override;
    void ReadFromFile(TReadGraphFile& Reader) override;

    // Variables 1 and 2 are the expression's variables 0 and 1 (x and y for dependent Z).
    const std::unique_ptr<TMath3DFunc> Func;
    TColor FuncColor = clBlue;
    std::string Var1LoStr = "-1";
    std::string Var1HiStr = "1";
    TMathValue Var1Lo;
    TMathValue Var1Hi;
    int32_t Var1Lines = 12; // wire lines parallel to variable 1
    int32_t Var1Detail = 6; // points on those lines between two crossings
    std::string Var2LoStr = "-1";
    std::string Var2HiStr = "1";
    TMathValue Var2Lo;
    TMathValue Var2Hi;
    int32_t Var2Lines = 12;
    int32_t Var2Detail = 6;
    bool LimitTo700 = false;

private:
    void readVersion1(TReadGraphFile& Reader);
    // The record of version 2 or later, its texts and the expression.
    void readRecord(TReadGraphFile& Reader);
};
