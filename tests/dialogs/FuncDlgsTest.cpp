#include "dialogs/FuncDlgs.h"
#include "dialogs/Add2dfnc.h"
#include "dialogs/Add3dFnc.h"
#include "dialogs/AddParam.h"
#include "model/FILESAVE.h"
#include "model/func2d.h"
#include "model/func3dobj.h"
#include "model/funcpara.h"
#include "model/funcpolr.h"

#include "dialogs/FuncDlgTestSupport.h"

#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>

namespace {

QPushButton* button(QDialog& form, const char* text) {
    for (QPushButton* b : form.findChildren<QPushButton*>())
        if (b->text() == text) return b;
    ADD_FAILURE() << "no button " << text;
    return nullptr;
}

// One function class: how to make it, fill its add form, change something in its modify
// form, and write and read its file record.
struct TClassCase {
    const char* name;
    int32_t graphKind;
    const char* addCaption;
    const char* modifyCaption;
    std::function<std::unique_ptr<TBaseFuncObj>()> make;
    std::function<void(QDialog&)> fill;
    std::function<void(QDialog&)> change;
    std::function<void(const TBaseFuncObj&, TWriteGraphFile&)> write;
    std::function<void(TBaseFuncObj&, TReadGraphFile&)> read;
    std::function<TColor(const TBaseFuncObj&)> color;
};

template <class T> const T& as(const TBaseFuncObj& f) {
    return dynamic_cast<const T&>(f);
}
template <class T> T& as(TBaseFuncObj& f) {
    return dynamic_cast<T&>(f);
}
template <class T> T& form(QDialog& d) {
    return dynamic_cast<T&>(d);
}

const TClassCase kClasses[] = {
    {"2D", GraphKind2D, "Add 2D Function", "Modify 2D Function",
     [] { return std::make_unique<TFunc2DObj>(); },
     [](QDialog& d) { form<TAdd2DFuncDlg>(d).EUserFuncStr->setText("x^2"); },
     [](QDialog& d) { form<TAdd2DFuncDlg>(d).EUserFuncStr->setText("x^3"); },
     [](const TBaseFuncObj& f, TWriteGraphFile& w) { as<TFunc2DObj>(f).WriteToFile(w); },
     [](TBaseFuncObj& f, TReadGraphFile& r) { as<TFunc2DObj>(f).ReadFromFile(r); },
     [](const TBaseFuncObj& f) { return as<TFunc2DObj>(f).FuncColor; }},
    {"parametric", GraphKind2D, "Add Parametric Function", "Modify Parametric Function",
     [] { return std::make_unique<TFuncParametricObj>(); },
     [](QDialog& d) {
         form<TAddParametricFuncDlg>(d).EXUserFuncStr->setText("cos(t)");
         form<TAddParametricFuncDlg>(d).EYUserFuncStr->setText("sin(t)");
     },
     [](QDialog& d) {
         form<TAddParametricFuncDlg>(d).EYUserFuncStr->setText("t");
         form<TAddParametricFuncDlg>(d).ESamples->setValue(20);
     },
     [](const TBaseFuncObj& f, TWriteGraphFile& w) { as<TFuncParametricObj>(f).WriteToFile(w); },
     [](TBaseFuncObj& f, TReadGraphFile& r) { as<TFuncParametricObj>(f).ReadFromFile(r); },
     [](const TBaseFuncObj& f) { return as<TFuncParametricObj>(f).FuncColor; }},
    {"polar", GraphKindPolar, "Add Polar Function", "Modify Polar Function",
     [] { return std::make_unique<TFuncPolarObj>(); },
     [](QDialog& d) { form<TAddPolarFuncDlg>(d).EUserFuncStr->setText("1+cos(theta)"); },
     [](QDialog& d) { form<TAddPolarFuncDlg>(d).EHiBoundStr->setText("pi"); },
     [](const TBaseFuncObj& f, TWriteGraphFile& w) { as<TFuncPolarObj>(f).WriteToFile(w); },
     [](TBaseFuncObj& f, TReadGraphFile& r) { as<TFuncPolarObj>(f).ReadFromFile(r); },
     [](const TBaseFuncObj& f) { return as<TFuncPolarObj>(f).FuncColor; }},
    {"rotated", GraphKind3D, "Add 2D Function Rotated Into 3D", "Modify 2D Function Rotated Into 3D",
     [] { return std::make_unique<TFuncRotateObj>(); },
     [](QDialog& d) { form<TAddRotateDlg>(d).EUserFuncStr->setText("sqrt(x)"); },
     [](QDialog& d) { form<TAddRotateDlg>(d).ELines->setValue(100); },
     [](const TBaseFuncObj& f, TWriteGraphFile& w) { as<TFuncRotateObj>(f).WriteToFile(w); },
     [](TBaseFuncObj& f, TReadGraphFile& r) {
         EXPECT_EQ(r.ReadInteger(), Func3DKindRotate);
         as<TFuncRotateObj>(f).ReadFromFile(r);
     },
     [](const TBaseFuncObj& f) { return as<TFuncRotateObj>(f).FuncColor; }},
    {"surface", GraphKind3D, "Add 3D Function", "Modify 3D Function",
     [] { return std::make_unique<TFunc3DObj>(); },
     [](QDialog& d) { form<TAdd3DDialog>(d).EUserFuncString->setText("x*y"); },
     [](QDialog& d) {
         form<TAdd3DDialog>(d).SetDependentVariable(dvX);
         form<TAdd3DDialog>(d).EUserFuncString->setText("y*z");
     },
     [](const TBaseFuncObj& f, TWriteGraphFile& w) { as<TFunc3DObj>(f).WriteToFile(w); },
     [](TBaseFuncObj& f, TReadGraphFile& r) {
         EXPECT_EQ(r.ReadInteger(), Func3DKindSurface);
         as<TFunc3DObj>(f).ReadFromFile(r);
     },
     [](const TBaseFuncObj& f) { return as<TFunc3DObj>(f).FuncColor; }},
};

// The whole graph file that holds f's record.
QByteArray saved(const TClassCase& k, const TBaseFuncObj& f, const QString& path) {
    TWriteGraphFile writer;
    EXPECT_TRUE(writer.CreateGraphFile(path.toStdString(), k.graphKind, '.'));
    k.write(f, writer);
    EXPECT_TRUE(writer.CloseGraphFile());
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

std::unique_ptr<TBaseFuncObj> loaded(const TClassCase& k, const QString& path) {
    std::unique_ptr<TBaseFuncObj> f = k.make();
    TReadGraphFile reader;
    EXPECT_TRUE(reader.OpenGraphFile(path.toStdString(), '.'));
    k.read(*f, reader);
    EXPECT_EQ(reader.BytesLeft(), 0);
    reader.CloseGraphFile();
    return f;
}

// The next modal run: checks the caption, lets act edit the form, then presses closeWith.
void scriptForm(TScriptedUiHook& hook, const char* caption, std::function<void(QDialog&)> act,
                const char* closeWith) {
    ScriptDialog<QDialog>(hook, [=](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), caption);
        act(d);
        Click(button(d, closeWith));
        EXPECT_FALSE(d.isVisible());
    });
}

class TUnknownFunc : public TBaseFuncObj {
public:
    std::unique_ptr<TSequenceListObj> Clone() const override { return std::make_unique<TUnknownFunc>(); }
    void Assign(const TSequenceListObj&) override {}
    std::string GetDescription() const override { return "?"; }
};

} // namespace

TEST(FuncDlgs, EveryClassAddsSavesLoadsModifiesAndCancelLeavesItAsItWas) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const TClassCase& k : kClasses) {
        SCOPED_TRACE(k.name);
        TScopedScriptedUiHook hook;
        const QString path = dir.filePath(QString(k.name) + ".qxf");
        std::unique_ptr<TBaseFuncObj> f = k.make();
        scriptForm(*hook, k.addCaption, k.fill, "OK");
        ASSERT_TRUE(AddFunctionDialog(*f, clRed, nullptr));
        EXPECT_TRUE(f->Modified);
        EXPECT_EQ(k.color(*f), clRed);

        const QByteArray bytes = saved(k, *f, path);
        std::unique_ptr<TBaseFuncObj> back = loaded(k, path);
        EXPECT_EQ(back->GetDescription(), f->GetDescription());
        EXPECT_EQ(saved(k, *back, path), bytes);

        back->Modified = false;
        const std::string description = back->GetDescription();
        scriptForm(*hook, k.modifyCaption, k.change, "Cancel");
        EXPECT_FALSE(ModifyFunctionDialog(*back, nullptr));
        EXPECT_FALSE(back->Modified);
        EXPECT_EQ(saved(k, *back, path), bytes);

        scriptForm(*hook, k.modifyCaption, k.change, "OK");
        EXPECT_TRUE(ModifyFunctionDialog(*back, nullptr));
        EXPECT_TRUE(back->Modified);
        EXPECT_NE(saved(k, *back, path), bytes);
        EXPECT_TRUE(hook->Messages.empty()) << hook->LastMessage();
        EXPECT_EQ(hook->ModalForms.size(), 3u);
    }
}

TEST(FuncDlgs, AnUnknownClassOrAFailureInsideAnswersFalse) {
    TScopedScriptedUiHook hook;
    TUnknownFunc unknown;
    EXPECT_FALSE(AddFunctionDialog(unknown, clRed, nullptr));
    EXPECT_FALSE(ModifyFunctionDialog(unknown, nullptr));
    EXPECT_TRUE(hook->ModalForms.empty()); // nothing was shown

    for (bool add : {true, false}) {
        TFuncPolarObj f;
        f.Func.SetExpression("theta");
        hook->ScriptModal([](QDialog& d) -> int {
            form<TAddPolarFuncDlg>(d).EUserFuncStr->setText("2");
            throw std::runtime_error("failure inside the dialog");
        });
        EXPECT_FALSE(add ? AddFunctionDialog(f, clRed, nullptr) : ModifyFunctionDialog(f, nullptr));
        EXPECT_FALSE(f.Modified);
        EXPECT_EQ(f.GetDescription(), "R=f(Theta)=theta");
    }
}

TEST(FuncDlgs, ScreenPixelFormatFollowsTheBitsPerPixel) {
    const std::pair<int, int> table[] = {{1, 3},  {4, 2},  {8, 3},  {12, 3}, {15, 4},
                                         {16, 5}, {24, 6}, {32, 7}, {48, 3}};
    for (auto [bits, format] : table)
        EXPECT_EQ(PixelFormatOfScreenBits(bits), format) << bits;
    ASSERT_NE(QGuiApplication::primaryScreen(), nullptr);
    EXPECT_EQ(ScreenPixelFormat(), PixelFormatOfScreenBits(QGuiApplication::primaryScreen()->depth()));
}
