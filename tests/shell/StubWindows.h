#pragma once
// Stand-in graph windows for the main window's tests: every operation the main window
// calls is written to one shared log ("2D:ZoomIn", "P:NewGraph 7 1000 1000"), and a few
// switches make a window fail the way a real one can.

#include "model/FILESAVE.h"
#include "platform/ScriptedUiHook.h"
#include "shell/MainForm.h"
#include "shell/WinBase.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMdiArea>
#include <QMenu>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace stubs {

struct TStubSwitches {
    bool CanClose = true;
    bool LoadResult = true;
    bool ThrowOnNewGraph = false;
    bool ThrowOnLoad = false;
    bool SelectedRegion = false;
    std::string FileName;
    QList<QMenu*> Menus; // the window's own menus
};

// The log and switches shared by every stub window of a test.
struct TStubWorld {
    std::vector<std::string> Log;
    TStubSwitches Next; // copied into each new window
};

template <class TBase> class TStub : public TBase {
public:
    TStub(TStubWorld& World, std::string Tag) : Switches(World.Next), world_(World), tag_(std::move(Tag)) {
        this->SetCaption(tag_);
    }
    TStubSwitches Switches;

    std::string GetFileName() const override { return Switches.FileName; }
    void CenterBitmap() override { log("CenterBitmap"); }
    bool LoadGraph(uint8_t PixelFormat, const std::string& FileName, TReadGraphFile&) override {
        log("LoadGraph " + std::to_string(PixelFormat) + " " + FileName);
        if (Switches.ThrowOnLoad) throw std::runtime_error("load fault");
        if (Switches.LoadResult) Switches.FileName = FileName;
        return Switches.LoadResult;
    }
    void NewGraph(uint8_t PixelFormat, int Width, int Height) override {
        log("NewGraph " + std::to_string(PixelFormat) + " " + std::to_string(Width) + " " +
            std::to_string(Height));
        if (Switches.ThrowOnNewGraph) throw std::bad_alloc();
    }
    void RedrawGraph() override { log("RedrawGraph"); }
    void StopDrawing() override { log("StopDrawing"); }
    void PrepareStopDrawing() override { log("PrepareStopDrawing"); }
    bool SaveGraph() override { return log("SaveGraph"), true; }
    bool SaveGraphAs(const std::string& FileName) override { return log("SaveGraphAs " + FileName), true; }
    void PrintGraph(bool RegionOnly, int ScalePercent) override {
        log("PrintGraph " + std::to_string(RegionOnly) + " " + std::to_string(ScalePercent));
    }
    void SavePicture(const std::string& FileName, bool AsBitmap) override {
        log("SavePicture " + FileName + (AsBitmap ? " bmp" : " jpeg"));
    }
    bool HasSelectedRegion() override { return Switches.SelectedRegion; }
    void ShowPictureSizeDialog() override { log("ShowPictureSizeDialog"); }
    void ShowRegionDialog() override { log("ShowRegionDialog"); }
    void CopyPictureToClipboard() override { log("CopyPictureToClipboard"); }
    bool CanCloseGraph() override { return log("CanCloseGraph"), Switches.CanClose; }
    void UpdateStatusLine() override { log("UpdateStatusLine"); }
    QList<QMenu*> WindowMenus() const override { return Switches.Menus; }

protected:
    void log(const std::string& What) { world_.Log.push_back(tag_ + ":" + What); }

private:
    TStubWorld& world_;
    std::string tag_;
};

template <class TBase> class TStubGraph : public TStub<TBase> {
public:
    using TStub<TBase>::TStub;
    void ZoomIn() override { this->log("ZoomIn"); }
    void ZoomOut() override { this->log("ZoomOut"); }
    void CenterView() override { this->log("CenterView"); }
};

// Scroll and page steps, shared by the 2D and polar stubs.
template <class TBase> class TStubPlane : public TStubGraph<TBase> {
public:
    using TStubGraph<TBase>::TStubGraph;
    void ScrollViewUp() override { this->log("ScrollViewUp"); }
    void ScrollViewDown() override { this->log("ScrollViewDown"); }
    void ScrollViewLeft() override { this->log("ScrollViewLeft"); }
    void ScrollViewRight() override { this->log("ScrollViewRight"); }
    void PageViewUp() override { this->log("PageViewUp"); }
    void PageViewDown() override { this->log("PageViewDown"); }
    void PageViewLeft() override { this->log("PageViewLeft"); }
    void PageViewRight() override { this->log("PageViewRight"); }

protected:
    // Never reached: every step above is logged instead.
    bool MoveViewCenter(uint8_t, long double) override { return false; }
    int ScrollAmount() const override { return 0; }
};

class TStub2D : public TStubPlane<TGraphWindow2D> {
public:
    TStub2D(TStubWorld& World) : TStubPlane(World, "2D") {}
    void SetMainToolBarLayout() override { MainForm->SetToolBarLayout2D(); }
    void ZoomXAxisIn() override { log("ZoomXAxisIn"); }
    void ZoomXAxisOut() override { log("ZoomXAxisOut"); }
    void ZoomYAxisIn() override { log("ZoomYAxisIn"); }
    void ZoomYAxisOut() override { log("ZoomYAxisOut"); }
};

class TStubPolar : public TStubPlane<TGraphWindowPolar> {
public:
    TStubPolar(TStubWorld& World) : TStubPlane(World, "P") {}
    void SetMainToolBarLayout() override { MainForm->SetToolBarLayoutPolar(); }
};

class TStub3D : public TStubGraph<TGraphWindow3D> {
public:
    TStub3D(TStubWorld& World) : TStubGraph(World, "3D") {}
    void SetMainToolBarLayout() override { MainForm->SetToolBarLayout3D(); }
    void RotatePosX() override { log("RotatePosX"); }
    void RotateNegX() override { log("RotateNegX"); }
    void RotatePosY() override { log("RotatePosY"); }
    void RotateNegY() override { log("RotateNegY"); }
    void RotatePosZ() override { log("RotatePosZ"); }
    void RotateNegZ() override { log("RotateNegZ"); }
};

// A window of none of the graph classes, to check that commands pass it by.
class TStubOther : public TStub<TWindowBase> {
public:
    TStubOther(TStubWorld& World) : TStub(World, "O") {}
    void SetMainToolBarLayout() override { MainForm->SetToolBarLayoutNone(); }
};

// A factory of stub windows by graph kind (4 makes a TStubOther).
inline TMainForm::TGraphWindowFactory StubFactory(TStubWorld& World) {
    return [&World](int32_t kind) -> std::unique_ptr<TWindowBase> {
        switch (kind) {
        case 1:
            return std::make_unique<TStub2D>(World);
        case 2:
            return std::make_unique<TStubPolar>(World);
        case 3:
            return std::make_unique<TStub3D>(World);
        default:
            return std::make_unique<TStubOther>(World);
        }
    };
}

// A main window with stub graph windows, a scripted UI hook and an ini path in a folder
// of its own (no ini file unless the test writes one).
struct TMainFormRig {
    TScopedScriptedUiHook hook;
    QTemporaryDir dir;
    TStubWorld world;
    std::unique_ptr<TMainForm> form;

    explicit TMainFormRig(bool WithIniFile = false, const std::string& IniText = "") {
        const std::string ini = dir.filePath("quorix.ini").toStdString();
        if (WithIniFile) writeText(ini, IniText);
        form = std::make_unique<TMainForm>(ini);
        form->GraphWindowFactory = StubFactory(world);
    }
    std::string path(const char* Name) const { return dir.filePath(Name).toStdString(); }
    static void writeText(const std::string& Path, const std::string& Text) {
        FILE* f = std::fopen(Path.c_str(), "wb");
        std::fwrite(Text.data(), 1, Text.size(), f);
        std::fclose(f);
    }
    // A graph file of the kind with an empty body, as far as the stub windows care.
    std::string graphFile(const char* Name, int32_t Kind) const {
        const std::string file = path(Name);
        TWriteGraphFile writer;
        EXPECT_TRUE(writer.CreateGraphFile(file, Kind, '.'));
        writer.WriteInteger(0);
        EXPECT_TRUE(writer.CloseGraphFile());
        return file;
    }
    int windows() const { return int(form->MdiArea->subWindowList().size()); }
    // Lets windows closed with deleteLater go.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

} // namespace stubs
