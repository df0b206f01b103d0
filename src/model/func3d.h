#pragma once
// The 3D function objects: a curve rotated into a surface, and a surface in two variables.

#include "model/Fg3dline.h"
#include "model/FILESAVE.h"
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
