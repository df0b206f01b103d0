#include "platform/Colors.h"

#include <QColor>

namespace {
// The classic Windows standard scheme, indexed by system colour number.
constexpr TColor kSystemColors[] = {
    0xC8D0D4, // scroll bar
    0xA56E3A, // desktop background
    0x6A240A, // active caption
    0x808080, // inactive caption
    0xC8D0D4, // menu
    0xFFFFFF, // window
    0x000000, // window frame
    0x000000, // menu text
    0x000000, // window text
    0xFFFFFF, // caption text
    0xC8D0D4, // active border
    0xC8D0D4, // inactive border
    0x808080, // application work space
    0x6A240A, // highlight
    0xFFFFFF, // highlight text
    0xC8D0D4, // button face
    0x808080, // button shadow
    0x808080, // grey text
    0x000000, // button text
    0xC8D0D4, // inactive caption text
    0xFFFFFF, // button highlight
    0x404040, // 3D dark shadow
    0xC8D0D4, // 3D light
    0x000000, // info text
    0xE1FFFF, // info background
};
} // namespace

TColor ColorToRGB(TColor color) {
    if (color & clSystemColor) {
        unsigned index = color & 0xFF;
        if (index < sizeof kSystemColors / sizeof kSystemColors[0]) return kSystemColors[index];
        return clBlack;
    }
    return color & 0x00FFFFFF;
}

QColor TColorToQColor(TColor color) {
    TColor c = ColorToRGB(color);
    return QColor(int(GetRValue(c)), int(GetGValue(c)), int(GetBValue(c)));
}

TColor QColorToTColor(const QColor& color) {
    return RGBColor(unsigned(color.red()), unsigned(color.green()), unsigned(color.blue()));
}
