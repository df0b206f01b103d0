#pragma once
// The view of a 2D cartesian graph: pixels per graph unit on each axis and the point
// shown at the middle of the bitmap. The controller keeps a pending copy that the view
// dialog and the keyboard steps edit; the model takes it over before a drawing run.

class TReadGraphFile;
class TWriteGraphFile;

class TView2DZoomObj {
public:
    bool Changed = false;
    long double ZoomX = 35; // pixels per graph unit along X
    long double ZoomY = 35;
    // Scaled coordinates (world times zoom) of the point at the bitmap's middle pixel.
    long double CenterX = 0;
    long double CenterY = 0;

    // Copies every value but the changed flag.
    void AssignFrom(const TView2DZoomObj& source);
    void WriteToFile(TWriteGraphFile& writer) const;
    // Sets Changed and reads the record of the reader's version. True when an old
    // record's centre had to be moved into the range the view dialog can show.
    bool ReadFromFile(TReadGraphFile& reader);
};

// Centres of the first file version beyond this are moved onto it when read.
inline constexpr long double ViewCenterLimitV1 = 100000;

// Clamps both coordinates into -ViewCenterLimitV1 .. ViewCenterLimitV1; true when either moved.
bool ClampViewCenterV1(long double& centerX, long double& centerY);

// "The graph view center has been changed for compatibility reasons."
void ShowViewCenterChangedMsg();
