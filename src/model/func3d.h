#pragma once
// The 3D function objects: a curve rotated into a surface, and a surface in two variables.

#include "model/FILESAVE.h"
#include "model/Fg3dline.h"
#include "model/funcobj.h"

#include <cstdint>

// A function of a 3D graph: it turns itself into segments of the 3D line store and, unlike
// the 2D-side objects, writes and reads its file record through virtual operations (the
// record starts with its kind tag; the loader reads the tag and creates the object).
class TBaseFunc3DObj : public TBaseFuncObj {
public:
    // lrDone, lrStoreFull (the lines added so far stay) or lrOutOfMemory.
    virtual int GenerateLines(uint8_t ColorIndex, TLineObj& LineStore) = 0;
    virtual void WriteToFile(TWriteGraphFile& Writer) const = 0;
    // Sets Modified, then reads the record that follows the kind tag.
    virtual void ReadFromFile(TReadGraphFile& Reader) = 0;
};

// The curve y = f(x) that is rotated: one variable, "X".
class TMathRotateFunc : public TMathGraphFunc {
public:
    TMathRotateFunc();
};

// Dependent-variable codes of a surface.
enum : uint8_t { dvX = 1, dvY = 2, dvZ = 3 };

// A surface: one coordinate as a function of the other two. The two variables follow the
// dependent one: X gives "Y", "Z"; Y gives "X", "Z"; Z gives "X", "Y".
class TMath3DFunc : public TMathGraphFunc {
public:
    TMath3DFunc();

    uint8_t DependentVar() const { return dependentVar_; }
    // 1 and 3 as named, any other code gives 2; the variables follow.
    void SetDependentVar(int Code);

    // The engine's copy, then the dependent variable when Source is a surface expression.
    void Assign(const TMathFunction& Source) override;
    // int32 code, then the expression.
    void WriteToFile(TWriteGraphFile& Writer) const override;
    // From version 2 on an int32 code first (1 to 3 taken, others ignored), then the expression.
    void ReadFromFile(TReadGraphFile& Reader) override;

private:
    uint8_t dependentVar_ = dvZ;
};
