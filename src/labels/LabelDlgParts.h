#pragma once
// The pieces the label modify dialogs share: rows of style buttons whose pictures are drawn
// the way labels draw (one of a row is down), the pen group (styles, colour, width bar),
// the brush group (styles, colour) and a point group of two coordinate spin edits.

#include "labels/LabelDlgLogic.h"
#include "math/DialogRows.h"

#include <QString>

#include <optional>
#include <vector>

class QButtonGroup;
class QGroupBox;
class QSpinBox;
class QToolButton;
class QWidget;

// What a style button's picture shows.
enum TStyleGlyph : uint8_t { sgPen, sgBrush, sgShape };

// A row of buttons, one per style of a group; exactly one is down once one was put down.
// The row is one tab stop, at the button that is down; Left and Right put the next one down,
// Space the one that has the focus.
class TStyleButtons {
public:
    TStyleButtons(QWidget* parent, TStyleGroup styles, TStyleGlyph glyph);

    QWidget* Row() const { return row_; }
    const std::vector<QToolButton*>& Buttons() const { return buttons_; }
    // The button that is down (its place in the group), nullopt when none is.
    std::optional<int> Down() const;
    // Puts a button down; nullopt leaves every button up.
    void SetDown(std::optional<int> button);

private:
    QWidget* row_;
    QButtonGroup* group_;
    std::vector<QToolButton*> buttons_;
};

// "Pen Attributes": the pen styles, the pen colour and the width bar with its number.
struct TPenGroup {
    TPenGroup(QWidget* parent, TStyleGroup styles);
    QGroupBox* Box;
    TStyleButtons Styles;
    TColorRow Color;
    TScrollRow Width; // LabelPenWidthScroll and LabelPenSize

    void Load(const TShapeStyleValues& values);
    void Store(TShapeStyleValues& values) const;
};

// The brush group ("Brush Attributes" or "Brush Color"): brush styles and the colour.
struct TBrushGroup {
    TBrushGroup(QWidget* parent, const QString& title, TStyleGroup styles);
    QGroupBox* Box;
    TStyleButtons Styles;
    TColorRow Color;

    void Load(const TShapeStyleValues& values);
    void Store(TShapeStyleValues& values) const;
};

// A point in bitmap pixels: a group with an X and a Y spin edit, which carry the object
// names xName and yName.
struct TPointGroup {
    TPointGroup(QWidget* parent, const QString& title, const char* xName, const char* yName);
    QGroupBox* Box;
    QSpinBox* X;
    QSpinBox* Y;

    // Sets the limits first, so that the value is never clamped.
    void Load(const TPoint& value, const TSpinRange& xRange, const TSpinRange& yRange);
    // Load in the ranges of a label point stored at stored on a width x height bitmap.
    void LoadOnBitmap(const TPoint& value, const TPoint& stored, int width, int height);
    // Load in the fixed ranges of a free-hand or text origin.
    void LoadOrigin(const TPoint& value);
    TPoint Value() const;
};

// The help context of every label modify dialog.
inline constexpr int LabelModifyHelpContext = 5010;
