#pragma once
// The Options dialog: every option object of the main window and the default label font on
// five tab pages. The main window opens it from its menu, or on the Status Line page from a
// double-click on the status bar; after OK it applies the options and writes the ini file.
// The loading, the checks and the storing live in OptDlgLogic.h.

#include "math/DialogBase.h"
#include "platform/Fonts.h"
#include "shell/OptDlgLogic.h"

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QSpinBox;
class QTabWidget;

// The controls of one 2D-like hot-key page.
struct THotKeyPage {
    QWidget* Tab = nullptr;
    std::array<QLineEdit*, 6> Zoom{}; // Edit1_2D .. Edit6_2D, or Edit1_Pol .. Edit6_Pol
    QSpinBox* EScrollAmt = nullptr;
};

class TOptionsDlg : public TDialogBase {
    Q_OBJECT
public:
    TOptionsDlg();

    void Load(const TOptionsEntries& Entries);
    TOptionsEntries Entries() const;
    // The page to show first.
    void SetActivePage(TOptionsPage Page);
    QWidget* PageOf(TOptionsPage Page) const;
    QWidget* ControlOf(int Control) const;

    // The font picker on DefaultFontCopy.
    void DefaultFontButtonClick();

    // The dialog's working copy of the default font; the holder takes it only on OK.
    TFontRecord DefaultFontCopy;
    TOptionsDlgLogic Logic;

    QTabWidget* PageControl1;
    QCheckBox* EDefaultChBox;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;

    QWidget* GeneralTab;
    QCheckBox* RepeatingTBButtons_Gen;
    QSlider* RepeatDelay_Gen;
    QSlider* RepeatRate_Gen;
    QSpinBox* DefaultBmpWidth_Gen;
    QSpinBox* DefaultBmpHeight_Gen;
    QComboBox* DefaultColorDepth_Gen;
    QCheckBox* FlatToolBars_Gen;
    QPushButton* DefaultFontButton;
    // CenterScreenRadio_Gen, CenterDesktopRadio_Gen, CenterMainWinRadio_Gen, CenterParentRadio_Gen
    std::array<QRadioButton*, 4> CenterRadios_Gen{};
    QCheckBox* CenterComnChkBox_Gen;

    QWidget* StatusLineTab;
    std::array<QRadioButton*, 4> EView2D{};  // EView2DCart, EView2DDeg, EView2DRad, EView2DPix
    std::array<QRadioButton*, 5> EMouse2D{}; // EMouse2DCart .. EMouse2DBmp
    std::array<QRadioButton*, 4> EViewPol{};
    std::array<QRadioButton*, 5> EMousePol{};
    std::array<QRadioButton*, 4> E3D{}; // E3DCart, E3DPix, E3DBmp, E3DDontShow
    QCheckBox* EShowStatusLine;

    THotKeyPage HotKeys2D;    // HotKey2DTab
    THotKeyPage HotKeysPolar; // HotKeyPolarTab

    QWidget* HotKey3DTab;
    QLineEdit* ERotAmount_3D;
    std::array<QSpinBox*, 4> SpinEdit_3D{}; // SpinEdit1_3D .. SpinEdit4_3D

protected:
    bool CanCloseOk() override;

private:
    QWidget* buildGeneralPage();
    QGroupBox* buildRepeatGroup(QWidget* page);
    QGroupBox* buildBitmapGroup(QWidget* page);
    QGroupBox* buildMiscGroup(QWidget* page);
    QGroupBox* buildPlacementGroup(QWidget* page);
    QWidget* buildStatusLinePage();
    QGroupBox* buildPlaneGroup(QWidget* page, const char* title, std::array<QRadioButton*, 4>& view,
                               std::array<QRadioButton*, 5>& mouse);
    THotKeyPage buildHotKeyPage();
    QWidget* buildHotKey3DPage();
    QWidget* buildBottomPanel();
};

// Runs the Options dialog on the five option objects and the default font, on the Status
// Line page when FromStatusBar, else on the General page. True after OK, when the objects
// (or, with "Default", their defaults) are stored; the caller then applies them and writes
// the ini file. Cancel changes nothing.
bool ShowOptionsDialog(bool FromStatusBar, TGeneralOptionsObj& GeneralOptions, TStatusLineObj& StatusLine,
                       THotKey2DObj& HotKeys2D, THotKeyPolarObj& HotKeysPolar, THotKey3DObj& HotKeys3D);
