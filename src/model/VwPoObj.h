#pragma once
// The view of a polar graph: one zoom, the centre, and the unit in which the view dialog
// shows the centre's angle.

class TReadGraphFile;
class TWriteGraphFile;

class TViewPolarZoomObj {
public:
    bool Changed = false;
    long double Zoom = 35; // pixels per graph unit
    long double CenterX = 0;
    long double CenterY = 0;
    bool ThetaInRadians = false;

    // Copies every value but the changed flag.
    void AssignFrom(const TViewPolarZoomObj& source);
    void WriteToFile(TWriteGraphFile& writer) const;
    // Sets Changed and reads the record of the reader's version; true when an old
    // record's centre was moved into range. Records before version 4 keep ThetaInRadians.
    bool ReadFromFile(TReadGraphFile& reader);
};
