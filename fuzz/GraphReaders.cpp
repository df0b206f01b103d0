// Every record reader of the graph file body, registered for the graph file targets, each
// with a seed written by its own writer. A reader runs again while body bytes are left, so
// one input can hold several records.
#include "fuzz/FuzzSupport.h"

#include "labels/DrawObjs.h"
#include "model/FILESAVE.h"
#include "model/Set2dObj.h"
#include "model/Set3dObj.h"
#include "model/SetGraph.h"
#include "model/SetPoObj.h"
#include "model/Vw2dObj.h"
#include "model/Vw3dObj.h"
#include "model/VwPoObj.h"
#include "model/func2d.h"
#include "model/func3dobj.h"
#include "model/funcpara.h"
#include "model/funcpolr.h"
#include "platform/Bitmap.h"

namespace {

constexpr int kRepeats = 4;

template <class T> void repeated(TReadGraphFile& reader) {
    for (int i = 0; i < kRepeats && reader.BytesLeft() > 0; ++i) {
        T object;
        object.ReadFromFile(reader);
    }
}

template <class T> std::function<void(TWriteGraphFile&)> defaultSeed() {
    return [](TWriteGraphFile& writer) {
        T object;
        object.WriteToFile(writer);
    };
}

void readLabels(TReadGraphFile& reader) {
    const TLabelBmpAttribs attribs{clWhite, 200, 150};
    for (int i = 0; i < kRepeats && reader.BytesLeft() > 0; ++i) {
        TSequenceList<TDrawBaseClass> list;
        ReadLabelList(reader, attribs, list);
    }
}

void writeLabelsSeed(TWriteGraphFile& writer) {
    TSequenceList<TDrawBaseClass> list;
    for (int32_t kind = 1; kind <= 7; ++kind)
        if (auto label = NewLabelOfKind(kind)) list.push_back(std::move(label));
    WriteLabelList(writer, list);
}

// Typed values in an order the input chooses: each step reads a byte that picks the next.
void readTypedValues(TReadGraphFile& reader) {
    for (int i = 0; i < 64 && reader.BytesLeft() > 0; ++i) {
        uint8_t op = 0;
        reader.ReadRecord(&op, 1);
        TFontRecord font;
        TPoint point;
        std::string text;
        TMathValue value;
        switch (op % 12) {
        case 0:
            (void)reader.ReadString();
            break;
        case 1:
            (void)reader.ReadMathString();
            break;
        case 2:
            (void)reader.ReadShortString(1 + op % 255);
            break;
        case 3:
            reader.ReadFont(font);
            break;
        case 4:
            reader.ReadFontV1(font);
            break;
        case 5:
            (void)reader.ReadBitmap();
            break;
        case 6:
            (void)reader.ReadJPEG();
            break;
        case 7:
            reader.ReadPoint(point);
            break;
        case 8:
            (void)reader.ReadPackedMathValue();
            break;
        case 9:
            (void)reader.ReadExtended();
            break;
        case 10:
            reader.ReadMathConstString(text, value, (op & 0x80) != 0);
            break;
        default:
            reader.SkipBytes(1 + op % 16);
            break;
        }
    }
}

void writeTypedSeed(TWriteGraphFile& writer) {
    TBitmap picture(3, 2, pf8bit);
    picture.SetPixel(1, 1, clRed);
    const uint8_t op = 5;
    writer.WriteRecord(&op, 1);
    writer.WriteBitmap(picture);
    const uint8_t opText = 10;
    writer.WriteRecord(&opText, 1);
    writer.WriteMathString("3/4+SIN(PI)");
}

// The sections every body starts with, as the graph's kind has them; the function and label
// lists follow in a whole load.
void readFirstSections(TReadGraphFile& reader) {
    TSettingBmpAttribsObj attribs;
    attribs.ReadFromFile(reader);
    TSettingGrBGPictObj picture;
    picture.ReadFromFile(reader);
    switch (reader.GraphKind()) {
    case GraphKindPolar: {
        TViewPolarZoomObj view;
        view.ReadFromFile(reader);
        TSettingPolarObj settings;
        settings.ReadFromFile(reader);
        break;
    }
    case GraphKind3D: {
        TView3DZoomObj view;
        view.ReadFromFile(reader);
        TSetting3DObj settings;
        settings.ReadFromFile(reader);
        break;
    }
    default: {
        TView2DZoomObj view;
        view.ReadFromFile(reader);
        TSetting2DObj settings;
        settings.ReadFromFile(reader);
        break;
    }
    }
}

void writeFirstSections2D(TWriteGraphFile& writer) {
    TSettingBmpAttribsObj attribs;
    attribs.Width = 300, attribs.Height = 200;
    attribs.WriteToFile(writer);
    TSettingGrBGPictObj picture;
    picture.Bitmap = std::make_unique<TBitmap>(4, 4, pf4bit);
    picture.WriteToFile(writer);
    TView2DZoomObj().WriteToFile(writer);
    TSetting2DObj().WriteToFile(writer);
}

TRegisterBodyReader first("first sections", readFirstSections, writeFirstSections2D, GraphKind2D, true);
TRegisterBodyReader attribs("bitmap attributes", repeated<TSettingBmpAttribsObj>,
                            defaultSeed<TSettingBmpAttribsObj>());
TRegisterBodyReader picture("background picture", repeated<TSettingGrBGPictObj>,
                            defaultSeed<TSettingGrBGPictObj>());
TRegisterBodyReader view2D("2D view", repeated<TView2DZoomObj>, defaultSeed<TView2DZoomObj>());
TRegisterBodyReader viewPolar("polar view", repeated<TViewPolarZoomObj>, defaultSeed<TViewPolarZoomObj>(), 2);
TRegisterBodyReader view3D("3D view", repeated<TView3DZoomObj>, defaultSeed<TView3DZoomObj>(), 3);
TRegisterBodyReader settings2D("2D settings", repeated<TSetting2DObj>, defaultSeed<TSetting2DObj>());
TRegisterBodyReader settingsPolar("polar settings", repeated<TSettingPolarObj>,
                                  defaultSeed<TSettingPolarObj>(), 2);
TRegisterBodyReader settings3D("3D settings", repeated<TSetting3DObj>, defaultSeed<TSetting3DObj>(), 3);
TRegisterBodyReader func2D("2D function", repeated<TFunc2DObj>, defaultSeed<TFunc2DObj>());
// Only the tagged function lists of version 3 on can hold a parametric curve; its reader
// asserts that it is never asked for one in an older file.
TRegisterBodyReader parametric(
    "parametric function",
    [](TReadGraphFile& reader) {
        if (reader.VersionNumber() >= 3) repeated<TFuncParametricObj>(reader);
    },
    defaultSeed<TFuncParametricObj>());
TRegisterBodyReader polar("polar function", repeated<TFuncPolarObj>, defaultSeed<TFuncPolarObj>(), 2);
TRegisterBodyReader rotate("rotated curve", repeated<TFuncRotateObj>, defaultSeed<TFuncRotateObj>(), 3);
TRegisterBodyReader func3D("3D function", repeated<TFunc3DObj>, defaultSeed<TFunc3DObj>(), 3);
TRegisterBodyReader labels("label list", readLabels, writeLabelsSeed);
TRegisterBodyReader typed("typed values", readTypedValues, writeTypedSeed);

} // namespace
