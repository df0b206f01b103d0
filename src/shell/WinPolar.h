#pragma once
// The polar graph window: r = f(theta) functions, its settings and view dialogs, and the
// zoom, scroll, page and centre steps of its view.

#include "shell/WinBase.h"

class TImagePolar;
class TViewPolarZoomObj;

class TWindowPolar : public TGraphWindowPolar {
public:
    TWindowPolar();
    ~TWindowPolar() override;

    TImagePolar* ImageBoxPolar = nullptr;

    void FormCreate() override;
    void SetMainToolBarLayout() override;
    void UpdateStatusLine() override;
    void ZoomIn() override;
    void ZoomOut() override;
    void CenterView() override;

    QMenu* Graph1;
    QAction* GraphSettings2;
    QAction* NewPolarFunction1;
    QAction* EditFunctionList1;
    QMenu* View1;
    QAction* ChangeView1;
    QAction* ZoomIn1;
    QAction* ZoomOut1;
    QAction* CenterFunctionView1;

protected:
    QList<QMenu*> GraphMenus() const override { return {Graph1, View1}; }
    bool MoveViewCenter(uint8_t Direction, long double Delta) override;
    int ScrollAmount() const override;

private:
    void buildGraphMenu();
    void buildViewMenu();
    TViewPolarZoomObj& view() const;
};
