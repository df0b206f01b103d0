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
    QAction* SetXZoomEqualToY1;
    QAction* SetYZoomEqualToX1;
    QAction* CenterFunctionView1;

protected:
    QList<QMenu*> GraphMenus() const override { return {Graph1, View1}; }
    bool MoveViewCenter(uint8_t Direction, long double Delta) override;
    int ScrollAmount() const override;

private:
    void buildGraphMenu();
    void buildViewMenu();
    TView2DZoomObj& view() const;
};
