#pragma once
// The settings dialog of a 3D graph: the background colour and, for each of the X, Y and
// Z axes, the axis line, its colour, the labels at its two ends with their signs, and the
// label font; two buttons give all three axes one colour or one font.

#include "math/DialogBase.h"
#include "model/Set3dObj.h"

#include <array>

class QCheckBox;
class QGroupBox;
class QPushButton;
class TColorSample;

// The controls of one axis; the form names them with the axis letter after the first
// letter (EXShowAxisLine is X.EShowAxisLine, XColorButton is X.ColorButton).
struct T3DAxisControls {
    QGroupBox* SettingsBox = nullptr;
    QCheckBox* EShowAxisLine = nullptr;
    QPushButton* ColorButton = nullptr;
    TColorSample* AxisColorSample = nullptr;
    QCheckBox* ELabelPos = nullptr;
    QCheckBox* ELabelNeg = nullptr;
    QCheckBox* EShowPlusSigns = nullptr;
    QCheckBox* EShowMinusSigns = nullptr;
    QPushButton* FontButton = nullptr;
    TFontRecord Font; // the working label font
};

class TSettings3DDlg : public TDialogBase {
    Q_OBJECT
public:
    explicit TSettings3DDlg(QWidget* parent = nullptr);

    void Load(const TSetting3DObj& Settings);
    void Store(TSetting3DObj& Settings) const;

    void EAllAxisLineColorsClick();
    void EAllLabelFontsClick();

    T3DAxisControls X;
    T3DAxisControls Y;
    T3DAxisControls Z;
    QGroupBox* GraphAttribsBox;
    QPushButton* EBackgroundColor;
    TColorSample* EBackGroundSample;
    QPushButton* EAllAxisLineColors;
    QPushButton* EAllLabelFonts;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;

protected:
    void FormShow() override;

private:
    QGroupBox* buildAxisBox(T3DAxisControls& a, char letter);
    QGroupBox* buildAttribsBox();
    std::array<T3DAxisControls*, 3> axes() { return {&X, &Y, &Z}; }
};

// Edits Settings in the dialog; on OK stores, sets Settings.Changed and returns true.
bool Execute3DSettingsDlg(TSetting3DObj& Settings);
