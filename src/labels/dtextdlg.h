#pragma once
// "Edit Text Label": the text, its font and its top-left corner. The dialog keeps a font of
// its own, which the font list, the size box, the style buttons and the font dialog edit
// and the sample shows; OK gives it to the label, whose box is measured anew.

#include "labels/LabelDlgParts.h"
#include "math/DialogBase.h"
#include "platform/Fonts.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

class TTextLabelDlg : public TDialogBase {
    Q_OBJECT
public:
    TTextLabelDlg(const TDrawText& Text, const TLabelBmpAttribs& BmpAttribs);

    TPointGroup TopLeft; // ETopLeftX, ETopLeftY
    QGroupBox* AttributesBox;
    QLineEdit* ETextString;
    QComboBox* EFontCombo;
    QComboBox* EFontSizeCombo;
    QPushButton* EBoldFontButton;
    QPushButton* EItalicFontButton;
    QPushButton* EUnderlineFontButton;
    QPushButton* FontDlgButton;
    QScrollArea* SampleBox;
    QLabel* TextSampleLabel;
    TDialogButtons Buttons;

    const TFontRecord& DialogFont() const { return font_; }
    TTextDlgValues Values() const;

protected:
    bool CanCloseOk() override;

private:
    void buildAttributesGroup();
    QWidget* buildStyleRow();
    void refreshFontControls();
    void rebuildSizeList();
    void updateSample();
    void fontChosen(int index);
    void sizeTextChanged(const QString& text);
    void leaveSizeBox();
    void styleToggled(TFontStyle style, bool on);
    void fontDialogClick();

    const TDrawText& text_;
    TLabelBmpAttribs bmpAttribs_;
    TFontRecord font_;
};

bool ExecuteModifyTextDlg(TDrawText& Text, const TLabelBmpAttribs& BmpAttribs, QWidget* Owner);
