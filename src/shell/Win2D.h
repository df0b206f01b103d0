#pragma once
// The 2D cartesian graph window: y = f(x) and parametric functions, its settings and view
// dialogs, and the zoom, axis zoom, scroll, page and centre steps of its view.

#include "shell/WinBase.h"

class TImage2D;
class TView2DZoomObj;

class TWindow2D : public TGraphWindow2D {
public:
    TWindow2D();
    ~TWindow2D() override;

    TImage2D* ImageBox2D = nullptr;

    void FormCreate() override;
    void SetMainToolBarLayout() override;
    void UpdateStatusLine() override;
    void ZoomIn() override;
    void ZoomOut() override;
    void CenterView() override;
    void ZoomXAxisIn() override;
    void ZoomXAxisOut() override;
    void ZoomYAxisIn() override;
    void ZoomYAxisOut() override;
    void ScrollViewUp() override;
    void ScrollViewDown() override;
    void ScrollViewLeft() override;
    void ScrollViewRight() override;
    void PageViewUp() override;
    void PageViewDown() override;
    void PageViewLeft() override;
    void PageViewRight() override;
    void SetXZoomEqualToY();
    void SetYZoomEqualToX();

    QMenu* Graph1;
    QAction* GraphSettings2;
    QAction* New2DFunction1;
    QAction* NewParametricFunction1;
    QAction* EditFunctionList1;
    QMenu* View1;
    QAction* ChangeView1;
    QAction* ZoomIn1;
    QAction* ZoomOut1;
    QAction* ZoomXAxisIn1;
    QAction* ZoomXAxisOut1;
    QAction* ZoomYAxisIn1;
    QAction* ZoomYAxisOut1;
    QAction* ScrollViewUp1;
    QAction* ScrollViewDown1;
    QAction* ScrollViewLeft1;
    QAction* ScrollViewRight1;
    QAction* PageViewUp1;
    QAction* PageViewDown1;
    QAction* PageViewLeft1;
    QAction* PageViewRight1;
    QAction* SetXZoomEqualToY1;
    QAction* SetYZoomEqualToX1;
    QAction* CenterFunctionView1;

protected:
    QList<QMenu*> GraphMenus() const override { return {Graph1, View1}; }

private:
    void buildGraphMenu();
    void buildViewMenu();
    TView2DZoomObj& view() const;
    void scroll(uint8_t Direction);
    void page(uint8_t Direction);
};
