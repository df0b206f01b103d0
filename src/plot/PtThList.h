#pragma once
// The controller level with a function list, and the template the three graph kinds'
// controllers are made from.

#include "model/SeqList.h"
#include "model/Vw2dObj.h"
#include "model/funcobj.h"
#include "platform/Colors.h"
#include "platform/Errors.h"
#include "plot/PtThGraf.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <type_traits>

// Functions a graph may hold.
inline constexpr std::size_t MaxGraphFunctions = 252;

// The colours proposed for new functions, in the order they are offered.
inline constexpr std::array<TColor, 15> DefaultFunctionColors = {
    0xFF0000, 0x0000FF, 0x008000, 0x000080, 0x800000, 0x008080, 0x800080, 0x808000,
    0x808080, 0xC0C0C0, 0x00FF00, 0xFF00FF, 0xFFFF00, 0x000000, 0xFFFFFF};

class TPlotThreadFuncList : public TPlotThreadGraph {
public:
    TPlotThreadFuncList() = default;
    ~TPlotThreadFuncList() override;

    // The graph level, then the model's copies of the functions brought in line.
    void DoAssignFieldObjects() override;
    // The background colour of the pending settings or the colour of any function.
    virtual bool IsColorAlreadyInUse(TColor Color) const = 0;
    // A graph holds at most MaxGraphFunctions functions; the callers refuse more.
    virtual bool CanAddFunction() const { return FuncList.size() < MaxGraphFunctions; }

    void AddFunction(std::unique_ptr<TBaseFuncObj> Func) { FuncList.push_back(std::move(Func)); }
    void ClearFunctions();
    // The first default colour not in use; with all in use, the one the count points at.
    TColor NextFunctionColor() const;

    // The functions in the user's order; the dialogs edit them, the model gets copies.
    TSequenceList<TBaseFuncObj> FuncList;

protected:
    // The function section of the graph file body: the count and each function, tagged as
    // the kind and the reader's version want it.
    virtual void WriteFunctions(TWriteGraphFile& Writer) const = 0;
    virtual void ReadFunctions(TReadGraphFile& Reader) = 0;

    // The body around the kind's view and settings: bitmap attributes, background picture,
    // view and settings, functions, labels; then the trailer. The old file is replaced only
    // when all of it was written.
    bool SaveGraphFile(const std::string& FileName, int32_t GraphKind,
                       const std::function<void(TWriteGraphFile&)>& WriteViewAndSettings) const;
    // Reads the body into the controller and closes the reader. ReadViewAndSettings returns
    // the loaded settings' background colour. On failure the user has seen why, and no
    // function or label of the half-read file is left.
    bool LoadGraphFile(int ColorDepth, const std::string& FileName, TReadGraphFile& Reader,
                       const std::function<TColor(TReadGraphFile&)>& ReadViewAndSettings);
    // "An error occured while calculating 2D function special values.", once per load.
    void ReportSpecialValuesError();
    // The function count: a signed word in version-1 files, an int32 later; 0 or less is none.
    // A count past MaxGraphFunctions fails the load.
    static int32_t ReadFunctionCount(TReadGraphFile& Reader);
    // The count of the functions a save writes (empty entries are left out).
    int32_t FunctionCount() const;

private:
    bool specialValuesErrorShown_ = false;
};

// A graph kind's controller: its model (created first), the pending view and settings
// that the dialogs edit, and the step that moves them into the model.
template <class TModel, class TView, class TSettings> class TPlotThreadKind : public TPlotThreadFuncList {
public:
    bool SaveToFile(const std::string& FileName) override {
        return SaveGraphFile(FileName, GraphKind(), [this](TWriteGraphFile& w) {
            viewZoom_->WriteToFile(w); // the pending objects: what the user set last
            settings_->WriteToFile(w);
        });
    }
    bool LoadFromFile(int ColorDepth, const std::string& FileName, TReadGraphFile& Reader) override {
        return LoadGraphFile(ColorDepth, FileName, Reader, [this](TReadGraphFile& r) {
            if constexpr (std::is_same_v<decltype(viewZoom_->ReadFromFile(r)), bool>) {
                if (viewZoom_->ReadFromFile(r)) ShowViewCenterChangedMsg(); // and the load goes on
            } else {
                viewZoom_->ReadFromFile(r);
            }
            settings_->ReadFromFile(r);
            return settings_->BackColor;
        });
    }

    // Pending view and settings move into the model's own copies, then the levels below.
    void DoAssignFieldObjects() override {
        ApplyPendingBackgroundColor();
        if (viewZoom_->Changed) {
            model_->ViewZoom().AssignFrom(*viewZoom_);
            viewZoom_->Changed = false;
        }
        if (settings_->Changed) {
            model_->Settings().AssignFrom(*settings_);
            settings_->Changed = false;
        }
        TPlotThreadFuncList::DoAssignFieldObjects();
    }

    TView& ViewZoom() { return *viewZoom_; }
    const TView& ViewZoom() const { return *viewZoom_; }
    TSettings& Settings() { return *settings_; }
    const TSettings& Settings() const { return *settings_; }
    // The renderer; touch it only while no graph worker runs.
    TModel& Model() { return *model_; }

protected:
    // The kind code of the graph file header: 1 2D, 2 polar, 3 3D.
    virtual int32_t GraphKind() const = 0;

    TPlotThreadKind()
        : model_(std::make_unique<TModel>()), viewZoom_(std::make_unique<TView>()),
          settings_(std::make_unique<TSettings>()) {
        SetPlotGraph(model_.get());
    }
    // The workers borrow the model: they are stopped and joined before it goes.
    ~TPlotThreadKind() override { ShutDown(); }

    void ApplyPendingBackgroundColor() override {
        TSettingBmpAttribsObj& a = BmpAttribs();
        if (!settings_->Changed || settings_->BackColor == a.BackColor) return;
        a.BackColor = settings_->BackColor;
        a.BackColorChanged = true;
    }

    // IsColorAlreadyInUse for a kind: ColorOf gives a function's colour, or false for a
    // class that is not the kind's; a nil entry fails with NilText.
    bool ColorInUse(TColor Color, const char* NilText,
                    const std::function<bool(const TBaseFuncObj&, TColor&)>& ColorOf) const {
        if (Color == settings_->BackColor) return true;
        for (const auto& f : FuncList) {
            QX_ASSERT(f != nullptr, NilText);
            TColor c = 0;
            if (ColorOf(*f, c) && c == Color) return true;
        }
        return false;
    }

private:
    std::unique_ptr<TModel> model_;
    std::unique_ptr<TView> viewZoom_;
    std::unique_ptr<TSettings> settings_;
};
