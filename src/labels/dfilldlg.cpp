#include "labels/dfilldlg.h"

#include "math/ColorSample.h"
#include "platform/UiHook.h"

#include <QGroupBox>
#include <QSpinBox>
#include <QVBoxLayout>

TFloodFillDlg::TFloodFillDlg(const TDrawFloodFill& FloodFill, const TLabelBmpAttribs& BmpAttribs)
    : TDialogBase(nullptr, LabelModifyHelpContext), Brush(this, "Brush Attributes", BrushStylesFill),
      Location(this, "Location Point (Bitmap Pixels)", "EPointX", "EPointY"),
      Buttons(MakeDialogButtons(*this)) {
    setWindowTitle("Edit Flood Fill Label");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Brush.Box);
    layout->addWidget(Location.Box);
    layout->addWidget(Buttons.Row);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const TFloodFillDlgValues v = LoadFloodFillDlg(FloodFill);
    Brush.Styles.SetDown(v.BrushButton);
    Brush.Color.Sample->SetSampleColor(v.FillColor);
    Location.Load(v.Location, FloodFillSpinRange(BmpAttribs.Width), FloodFillSpinRange(BmpAttribs.Height));
}

TFloodFillDlgValues TFloodFillDlg::Values() const {
    return {Brush.Styles.Down(), Brush.Color.Sample->SampleColor(), Location.Value()};
}

bool ExecuteModifyFloodFillDlg(TDrawFloodFill& FloodFill, const TLabelBmpAttribs& BmpAttribs,
                               QWidget* Owner) {
    TFloodFillDlg dialog(FloodFill, BmpAttribs);
    if (dialog.Execute(Owner) != mrOk) return false;
    StoreFloodFillDlg(dialog.Values(), FloodFill);
    return true;
}
