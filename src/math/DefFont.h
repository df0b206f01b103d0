#pragma once
// The process-wide default label font. Settings objects, labels and the label tools take
// their first font from it; the options read, write and reset it. Any thread may use it:
// every access goes through the lock, and callers only ever get copies of the record.

#include "platform/Fonts.h"

#include <mutex>

class TDefaultFontHolder {
public:
    // A copy of the held font.
    TFontRecord GetFontCopy() const;
    // Copies the held font into Font.
    void GetFontAttributes(TFontRecord* Font) const;
    // Copies Font into the held font.
    void SetFontAttributes(const TFontRecord* Font);
    // Back to the attributes of a newly made font.
    void ResetFont();

private:
    mutable std::mutex lock_;
    TFontRecord font_;
};

// The one instance, made before the first use by any thread.
TDefaultFontHolder& DefaultFontHolder();
// GetFontCopy of the one instance.
TFontRecord GetDefaultFont();
