#include "shell/LabelTools.h"

#include <QFontDatabase>
#include <QList>
#include <QStringList>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

TLabelMenuEnabling LabelMenuEnabling(TLabelWindowStatus Status) {
    switch (Status) {
    case lwLabelSelected:
        return {true, true, true, true};
    case lwNormal:
    case lwFloodFillsVisible:
    case lwRegionSelected:
        return {false, true, false, false};
    case lwEditingText:
        return {false, false, false, true};
    default: // drawing a label or a region, or dragging one
        return {};
    }
}

int LabelFontSizeFromText(const std::string& Text, int Current) {
    long long size = Current;
    long long typed = 0;
    const char* first = Text.data();
    const char* last = first + Text.size();
    while (first != last && *first == ' ')
        ++first;
    while (first != last && last[-1] == ' ')
        --last;
    if (first != last && *first == '+') ++first; // a leading plus is an integer's sign too
    const auto [end, error] = std::from_chars(first, last, typed);
    if (first != last && error == std::errc() && end == last) size = typed;
    return int(std::clamp<long long>(size, MinLabelFontSize, MaxLabelFontSize));
}

std::vector<std::string> LabelFontSizeList(const std::vector<TFontFaceInfo>& Faces, int PixelsPerInch) {
    std::vector<std::string> sizes;
    for (const TFontFaceInfo& face : Faces) {
        if (face.Scalable) break;
        if (PixelsPerInch <= 0) continue;
        // nearbyint rounds halves to even in the default rounding mode.
        const double points = std::nearbyint(double(face.EmPixels) * 72.0 / PixelsPerInch);
        char text[32];
        std::snprintf(text, sizeof text, "%.2d", int(points));
        if (std::find(sizes.begin(), sizes.end(), text) == sizes.end()) sizes.emplace_back(text);
    }
    if (sizes.empty())
        sizes = {"08", "09", "10", "11", "12", "14", "16", "18",
                 "20", "22", "24", "26", "28", "36", "48", "72"};
    std::sort(sizes.begin(), sizes.end());
    return sizes;
}

std::vector<TFontFaceInfo> InstalledFontFaces(const std::string& Family, int PixelsPerInch) {
    std::vector<TFontFaceInfo> faces;
    const QString family = QString::fromStdString(Family);
    for (const QString& style : QFontDatabase::styles(family)) {
        if (QFontDatabase::isSmoothlyScalable(family, style)) {
            faces.push_back({true, 0});
            continue;
        }
        // The database gives a fixed face's sizes in points at the screen's resolution.
        for (int points : QFontDatabase::pointSizes(family, style))
            faces.push_back({false, int(std::lround(points * double(PixelsPerInch) / 72.0))});
    }
    return faces;
}
