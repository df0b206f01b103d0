#pragma once
// The view of a 3D graph: rotations parallel to the three axes (degrees) and the zoom.

#include <cstdint>

class TReadGraphFile;
class TWriteGraphFile;

class TView3DZoomObj {
public:
    bool Changed = false;
    long double RotationX = 0;
    long double RotationY = 0;
    long double RotationZ = 0;
    int32_t Zoom = 20; // pixels per graph unit

    // Copies every value but the changed flag.
    void AssignFrom(const TView3DZoomObj& source);
    void WriteToFile(TWriteGraphFile& writer) const;
    // Sets Changed and reads the record of the reader's version.
    void ReadFromFile(TReadGraphFile& reader);
};
