// The picture control's status, update brackets, label commands and file commands.
#include "ImageTestSupport.h"

#include "labels/dtextdlg.h"
#include "labels/labeldlg.h"
#include "model/func2d.h"
#include "plot/Imag2d.h"
#include "plot/Imag3d.h"
#include "plot/ImagPolr.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>

using namespace plottest;

TEST_F(ImageBoxTest, FirstPictureShowsThePlottedGraph) {
    EXPECT_EQ(differences(*freshRedraw()), 0);
    EXPECT_EQ(picture().Pixel(W / 2, 10), kFrameColor);
    EXPECT_EQ(events.DonePictures, 1);
    EXPECT_EQ(events.RunningStarts, 1);
    EXPECT_EQ(events.RunningEnds, 1);
    EXPECT_EQ(box->Context().Width, W);
    EXPECT_EQ(box->Context().Height, H);
}

TEST_F(ImageBoxTest, EveryStatusChangeIsReported) {
    box->ResetLabelWindowStatus(); // fires even though the status is lwNormal already
    addLabel(rect({40, 30}, {80, 70}));
    addLabel(fill({30, 100}, 0x0000FF));
    QTest::mouseClick(box->Image, Qt::LeftButton, Qt::NoModifier, QPoint(40, 50));
    drag({40, 50}, {45, 50});
    box->DeleteSelectedLabel();
    events.Tool = dtEllipse;
    drag({20, 20}, {60, 60});
    events.Tool = dtText;
    QTest::mouseClick(box->Image, Qt::LeftButton, Qt::NoModifier, QPoint(120, 30));
    QTest::keyClicks(box->TextEditor, "T");
    QTest::keyClick(box->TextEditor, Qt::Key_Return);
    events.Tool = dtSelectRegion;
    drag({110, 100}, {150, 130});
    box->ShowFloodFillLocations();
    box->EndLabelOperation(true);
    const std::vector<TLabelWindowStatus> expected = {
        lwNormal,          lwLabelSelected, lwDragResizeLabel,   lwLabelSelected, lwNormal,
        lwDrawingNewLabel, lwNormal,        lwEditingText,       lwNormal,        lwDrawingRegion,
        lwRegionSelected,  lwNormal,        lwFloodFillsVisible, lwNormal};
    EXPECT_EQ(events.Statuses, expected);
}

TEST_F(ImageBoxTest, MarksOfAPictureArrivingInsideABracketWaitForItToClose) {
    addLabel(rect({40, 30}, {80, 70}));
    box->SelectLabel(0);
    EXPECT_EQ(differences(*freshRedraw(true)), 0);
    bool checkedInside = false;
    events.InPopup = [&] { // the window's popup menu is open
        box->StartGraphDrawing();
        WaitForPicture();
        EXPECT_EQ(differences(*freshRedraw(false)), 0) << "the picture shows at once, without marks";
        EXPECT_TRUE(box->RepaintPending());
        checkedInside = true;
    };
    QTest::mouseClick(box->Image, Qt::RightButton, Qt::NoModifier, QPoint(40, 50));
    EXPECT_TRUE(checkedInside);
    EXPECT_EQ(box->UpdateCount(), 0);
    EXPECT_EQ(differences(*freshRedraw(true)), 0) << "the handles are back once the bracket closed";
}

TEST_F(ImageBoxTest, NewPicturesGetTheMarksOfTheStatus) {
    addLabel(fill({30, 100}, 0x0000FF));
    // Each status's marks are drawn again on a fresh picture; ending the status takes
    // them off again, leaving exactly the fresh picture.
    const std::function<void()> enter[] = {
        [&] { box->ShowFloodFillLocations(); },
        [&] {
            drag({110, 20}, {150, 60}, Qt::ShiftModifier);
        },
        [&] { box->SelectLabel(0); },
    };
    for (const auto& e : enter) {
        e();
        const TLabelWindowStatus status = box->LabelWindowStatus();
        box->StartGraphDrawing();
        WaitForPicture();
        EXPECT_GT(differences(*freshRedraw()), 0) << int(status);
        box->EndLabelOperation(false);
        EXPECT_EQ(differences(*freshRedraw()), 0) << int(status);
    }
}

TEST_F(ImageBoxTest, SelectionWrapsAndOrderCommandsRepaint) {
    for (int i = 0; i < 3; ++i)
        addLabel(line({20, 20 + 10 * i}, {90, 20 + 10 * i}));
    box->SelectTopLabel();
    EXPECT_EQ(box->SelectedIndex(), 2);
    box->SelectNextLabel();
    EXPECT_EQ(box->SelectedIndex(), 0);
    box->SelectPreviousLabel();
    EXPECT_EQ(box->SelectedIndex(), 2);
    box->SelectLabel(0);
    WaitForPicture();
    const int starts = events.RunningStarts;
    box->SendSelectedToBack(); // already at the back: no redraw
    EXPECT_EQ(events.RunningStarts, starts);
    TDrawBaseClass* moved = labels()[0].get();
    box->SendSelectedToFront();
    EXPECT_EQ(labels()[2].get(), moved);
    EXPECT_EQ(box->SelectedIndex(), 2);
    EXPECT_EQ(events.RunningStarts, starts + 1);
    WaitForPicture();
    EXPECT_EQ(differences(*freshRedraw(true)), 0);
    box->SendSelectedToBack();
    EXPECT_EQ(labels()[0].get(), moved);
    EXPECT_EQ(box->SelectedIndex(), 0);
    box->EndLabelOperation(true);
    labels().clear();
    box->SelectTopLabel();
    EXPECT_EQ(box->LabelWindowStatus(), lwNormal);
}

TEST_F(ImageBoxTest, DeleteCommandsAskFirst) {
    addLabel(line({20, 20}, {90, 20}));
    addLabel(fill({30, 100}, 0x0000FF));
    addLabel(rect({110, 20}, {150, 60}));
    ui->AnswerMessage(mrCancel);
    box->DeleteAllFloodFills();
    EXPECT_EQ(labels().size(), 3u);
    ui->AnswerMessage(mrYes);
    box->DeleteAllFloodFills();
    EXPECT_EQ(labels().size(), 2u);
    box->DeleteAllFloodFills(); // none left: no question
    ui->AnswerMessage(mrYes);
    box->DeleteAllLabels();
    EXPECT_TRUE(labels().empty());
    const std::vector<std::string> asked = {"Delete all flood fills from this graph?",
                                            "Delete all flood fills from this graph?",
                                            "Delete all labels from this graph?"};
    EXPECT_EQ(ui->MessageTexts(), asked);
    EXPECT_EQ(ui->Messages[0].Type, mtConfirmation);
    EXPECT_EQ(ui->Messages[0].Buttons, TMsgDlgButtons({mbYes, mbCancel}));
    addLabel(fill({30, 100}, 0x0000FF));
    ui->AnswerMessage(mrYes);
    box->DeleteAllLabelsAndFloodFills();
    EXPECT_TRUE(labels().empty());
    EXPECT_EQ(ui->LastMessage(), "Delete all labels and flood fills from this graph?");
    WaitForPicture();
    EXPECT_EQ(differences(*freshRedraw()), 0);
    EXPECT_TRUE(controller().Modified());
}

TEST_F(ImageBoxTest, ShrinkingThePictureDropsLabelsBeyondIt) {
    box->SetBitmapAttributes(pf24bit, 400, 300);
    box->StartGraphDrawing();
    WaitForPicture();
    addLabel(line({250, 10}, {300, 50})); // wholly beyond x = 199
    addLabel(rect({150, 10}, {250, 50})); // crosses it
    addLabel(text({300, 100}, "Gone"));   // beyond
    addLabel(fill({199, 120}, 0x0000FF)); // on the last column
    addLabel(fill({200, 120}, 0x00FF00)); // beyond
    box->SelectLabel(0);
    TSettingBmpAttribsObj& a = box->GetBitmapAttribs();
    const std::string question =
        "3 labels lie outside the new picture size and will be deleted. Change the size anyway?";
    // No keeps the size and every label, and nothing counts as changed.
    controller().ClearModified();
    a.Width = 200;
    a.SizeChanged = true;
    ui->AnswerMessage(mrNo);
    box->Replot();
    EXPECT_EQ(ui->MessageTexts(), std::vector<std::string>{question});
    EXPECT_EQ(ui->Messages[0].Buttons, TMsgDlgButtons({mbYes, mbNo}));
    EXPECT_EQ(labels().size(), 5u);
    EXPECT_EQ(std::make_tuple(a.Width, a.SizeChanged, picture().Width()), std::make_tuple(400, false, 400));
    EXPECT_FALSE(controller().Modified());

    a.Width = 200;
    a.SizeChanged = true;
    ui->AnswerMessage(mrYes);
    box->Replot();
    WaitForPicture();
    EXPECT_EQ(ui->MessageTexts(), std::vector<std::string>(2, question));
    ASSERT_EQ(labels().size(), 2u);
    EXPECT_NE(dynamic_cast<TDrawInclosedShape*>(labels()[0].get()), nullptr);
    EXPECT_NE(dynamic_cast<TDrawFloodFill*>(labels()[1].get()), nullptr);
    EXPECT_EQ(box->LabelWindowStatus(), lwNormal);
    EXPECT_EQ(picture().Width(), 200);
    EXPECT_EQ(box->Image->width(), 200);
    EXPECT_EQ(differences(*freshRedraw()), 0);
    // Growing, or shrinking past no label, asks nothing.
    for (const int width : {400, 390}) {
        a.Width = width;
        a.SizeChanged = true;
        box->Replot();
        WaitForPicture();
        EXPECT_EQ(labels().size(), 2u);
        EXPECT_EQ(box->Context().Width, width);
    }
    EXPECT_EQ(ui->Messages.size(), 2u);
}

TEST_F(ImageBoxTest, LabelLimitRefusesNewLabelsWithOneMessage) {
    for (int i = 0; i < 2000; ++i)
        labels().push_back(line({1, i % H}, {2, i % H}));
    events.Tool = dtRectangle;
    drag({40, 30}, {80, 70});
    EXPECT_EQ(labels().size(), 2000u);
    ASSERT_EQ(ui->ModelessForms.size(), 1u);
    ASSERT_NE(OpenCenterErrorMsgDlg(), nullptr);
    EXPECT_EQ(OpenCenterErrorMsgDlg()->ErrorMsgTextLabel->text(),
              "This graph can not accept more than 2000 labels.");
    EXPECT_EQ(box->LabelWindowStatus(), lwNormal);
}

TEST_F(ImageBoxTest, WorkerErrorsGoToTheErrorBox) {
    controller().Model().Fail = true;
    box->StartGraphDrawing();
    WaitForPicture();
    ASSERT_NE(OpenCenterErrorMsgDlg(), nullptr);
    EXPECT_EQ(OpenCenterErrorMsgDlg()->ErrorMsgTextLabel->text(), "Floating point divide-by-zero error");
    EXPECT_EQ(events.DonePictures, 1) << "a failed run shows no picture";
}

TEST_F(ImageBoxTest, EndingAnOperationLeavesTheRedrawToTheCallerWhenAsked) {
    events.Tool = dtLine;
    press(40, 30);
    moveTo(60, 50);
    events.Tool = dtOff;
    EXPECT_TRUE(box->EndLabelOperation(false)) << "a label made this way needs a redraw";
    const auto& l = static_cast<const TDrawLine&>(*labels()[0]);
    EXPECT_EQ(l.P2, TPoint(60, 50));
    release(60, 50);
    EXPECT_EQ(differences(*freshRedraw()), 0);
    box->SelectLabel(0);
    EXPECT_FALSE(box->EndLabelOperation(false));
    EXPECT_FALSE(box->EndLabelOperation(false)) << "nothing to end";
}

namespace {

// Scripts the text dialog: Text goes into its edit, then OK or Cancel.
std::function<int(QDialog&)> textDialog(const char* text, int result) {
    return [text, result](QDialog& d) {
        d.findChild<QLineEdit*>("ETextString")->setText(text);
        d.done(result);
        return d.result();
    };
}

} // namespace

TEST_F(ImageBoxTest, EditingATextToNothingRemovesIt) {
    addLabel(text({60, 40}, "Text"));
    box->SelectLabel(0);
    ui->ScriptModal(textDialog("", mrOk));
    box->EditSelectedLabel();
    EXPECT_TRUE(labels().empty());
    EXPECT_EQ(box->LabelWindowStatus(), lwNormal);
    addLabel(text({60, 40}, "Text"));
    box->SelectLabel(0);
    ui->ScriptModal(textDialog("Changed", mrOk));
    box->EditSelectedLabel();
    EXPECT_EQ(static_cast<TDrawText&>(*labels()[0]).Text, "Changed");
    EXPECT_EQ(box->LabelWindowStatus(), lwLabelSelected);
    ui->ScriptModal(textDialog("Dropped", mrCancel));
    box->EditSelectedLabel();
    EXPECT_EQ(static_cast<TDrawText&>(*labels()[0]).Text, "Changed");
    EXPECT_EQ(box->LabelWindowStatus(), lwLabelSelected);
    WaitForPicture();
    EXPECT_EQ(differences(*freshRedraw(true)), 0);
}

// The modify dialog opened on a text being typed: a text still empty when it closes is
// removed, also when the dialog was cancelled.
TEST_F(ImageBoxTest, EmptyTextLeftByTheDialogWhileTypingIsRemoved) {
    for (int result : {mrCancel, mrOk}) {
        events.Tool = dtText;
        QTest::mouseClick(box->Image, Qt::LeftButton, Qt::NoModifier, QPoint(30, 40));
        ASSERT_EQ(box->LabelWindowStatus(), lwEditingText);
        ui->ScriptModal(textDialog("", result));
        box->EditSelectedLabel();
        EXPECT_TRUE(labels().empty()) << result;
        EXPECT_EQ(box->LabelWindowStatus(), lwNormal);
    }
    events.Tool = dtText;
    QTest::mouseClick(box->Image, Qt::LeftButton, Qt::NoModifier, QPoint(30, 40));
    QTest::keyClicks(box->TextEditor, "Kept");
    ui->ScriptModal(textDialog("Kept", mrCancel));
    box->EditSelectedLabel();
    ASSERT_EQ(labels().size(), 1u);
    EXPECT_EQ(box->LabelWindowStatus(), lwLabelSelected);
    events.Tool = dtOff;
}

TEST_F(ImageBoxTest, LabelListDialogSelectsAndRedrawsChangedLabels) {
    addLabel(line({20, 20}, {90, 20}));
    addLabel(rect({110, 20}, {150, 60}));
    ui->ScriptModal([](QDialog& d) {
        auto& list = static_cast<TLabelListDlg&>(d);
        list.SelectLine(1);
        list.OkSelectButton->click();
        return d.result();
    });
    box->ShowLabelListDialog();
    EXPECT_EQ(box->LabelWindowStatus(), lwLabelSelected);
    EXPECT_EQ(box->SelectedIndex(), 1);
    // A label modified in the list stays modified when the list is cancelled; the graph is
    // then changed and shows it.
    controller().SaveAs((QDir::tempPath() + "/quorix_picture_list.qxf").toStdString());
    controller().ClearModified();
    ui->ScriptModal([&](QDialog& d) {
        auto& list = static_cast<TLabelListDlg&>(d);
        list.SelectLine(0);
        ui->ScriptModal([](QDialog& lineDlg) {
            lineDlg.findChild<QSpinBox*>("EEndPointY")->setValue(80);
            lineDlg.done(mrOk);
            return lineDlg.result();
        });
        list.ModifyButtonClick();
        d.done(mrCancel);
        return d.result();
    });
    box->ShowLabelListDialog();
    EXPECT_EQ(static_cast<TDrawLine&>(*labels()[0]).P2.Y, 80);
    EXPECT_TRUE(controller().Modified());
    WaitForPicture();
    EXPECT_EQ(differences(*freshRedraw(true)), 0);
    QFile::remove(QDir::tempPath() + "/quorix_picture_list.qxf");
}

TEST_F(ImageBoxTest, ClosingAsksForAModifiedGraph) {
    EXPECT_TRUE(box->CanCloseGraph()) << "an untouched new graph closes without asking";
    EXPECT_TRUE(ui->Messages.empty());
    addLabel(line({20, 20}, {90, 20}));
    // A graph never saved is asked about under its caption; Yes asks for its file first.
    QTemporaryDir dir;
    const std::string file = (dir.path() + "/saved.qxf").toStdString();
    for (int answer : {mrCancel, mrYes}) {
        ui->AnswerMessage(answer);
        ui->FileAnswers.push_back(""); // the file box cancelled keeps the window too
        EXPECT_FALSE(box->CanCloseGraph());
        EXPECT_EQ(ui->LastMessage(), "Save changes to graph: Test Graph ?");
    }
    EXPECT_EQ(ui->FileAnswers.size(), 1u) << "Cancel in the question opens no file box";
    ui->FileAnswers.clear();
    ui->AnswerMessage(mrNo);
    EXPECT_TRUE(box->CanCloseGraph());
    EXPECT_TRUE(controller().Modified()) << "No discards, it does not save";
    ui->AnswerMessage(mrYes);
    ui->FileAnswers.push_back(file);
    EXPECT_TRUE(box->CanCloseGraph());
    EXPECT_EQ(ui->FileDialogs.back().Title, "Save File As");
    EXPECT_EQ(controller().FileName(), file);
    EXPECT_TRUE(QFile::exists(QString::fromStdString(file)));
    EXPECT_TRUE(box->CanCloseGraph()) << "nothing changed since";
    const std::size_t before = ui->Messages.size();
    box->SelectLabel(0);
    box->DeleteSelectedLabel();
    ui->AnswerMessage(mrCancel);
    EXPECT_FALSE(box->CanCloseGraph());
    ASSERT_EQ(ui->Messages.size(), before + 1);
    EXPECT_EQ(ui->LastMessage(), "Save changes to graph: saved.qxf ?");
    EXPECT_EQ(ui->Messages.back().Buttons, TMsgDlgButtons({mbYes, mbNo, mbCancel}));
    ui->AnswerMessage(mrNo);
    EXPECT_TRUE(box->CanCloseGraph());
    ui->AnswerMessage(mrYes);
    EXPECT_TRUE(box->CanCloseGraph());
    EXPECT_FALSE(controller().Modified());
    std::string caption;
    box->GetCaption(caption);
    EXPECT_EQ(caption, "Test Graph - [saved.qxf]");
}

TEST_F(ImageBoxTest, BadPictureAttributesAreAssertions) {
    EXPECT_EQ(AssertionOf([&] { box->SetBitmapAttributes(8, 100, 100); }), "Invalid picture color depth");
    EXPECT_EQ(AssertionOf([&] { box->SetBitmapAttributes(pf24bit, 2001, 100); }), "Bitmap width to large");
    EXPECT_EQ(AssertionOf([&] { box->SetBitmapAttributes(pf24bit, 100, 2001); }), "Bitmap height to large");
    EXPECT_EQ(AssertionOf([&] { box->SetBitmapAttributes(pf24bit, 15, 100); }), "Bitmap width to small");
    EXPECT_EQ(AssertionOf([&] { box->SetBitmapAttributes(pf24bit, 100, 15); }), "Bitmap height to small");
}

TEST(ImageBoxLeafTest, A3DBoxCentresItsPictureAndOwnsA3DController) {
    TScopedScriptedUiHook ui;
    TImage3D box;
    box.SetBitmapAttributes(pf32bit, 1000, 800);
    box.CenterBitmap();
    box.resize(300, 200);
    ASSERT_TRUE(ShowActive(box));
    EXPECT_EQ(box.horizontalScrollBar()->value(), (1000 - box.viewport()->width()) / 2);
    EXPECT_EQ(box.verticalScrollBar()->value(), (800 - box.viewport()->height()) / 2);
    EXPECT_EQ(box.ImageToClientX(600), 600 - box.horizontalScrollBar()->value());
    box.GetViewZoom().Changed = true;
    EXPECT_TRUE(box.CanAddFunction());
    box.Replot();
    pumpUntil([&] { return !box.PlotThread()->IsBusy(); });
    EXPECT_FALSE(box.GetViewZoom().Changed) << "the pending view went to the model";
}

TEST(ImageBoxLeafTest, EachLeafMakesTheControllerOfItsKind) {
    const auto captionOf = [](TPlotImageFuncList& box) {
        std::string caption;
        box.GetCaption(caption);
        return caption;
    };
    TImage2D box2D;
    TImagePolar boxPolar;
    TImage3D box3D;
    EXPECT_EQ(captionOf(box2D), "2D Cartesian");
    EXPECT_EQ(captionOf(boxPolar), "Polar");
    EXPECT_EQ(captionOf(box3D), "3D Cartesian");
    EXPECT_EQ(box2D.GetNextFunctionColor(), TColor(0xFF0000));
    EXPECT_TRUE(boxPolar.GetFunctionList().empty());
}

// A 2D graph with functions and one label of each kind, drawn with the mouse, as the
// window shows it; the screenshot is kept as quorix-picture-control.png in the temporary
// folder (or at $QUORIX_SCREENSHOT).
TEST(ImageBoxLeafTest, ScreenshotOfA2DGraphWithEveryLabelKind) {
    TScopedScriptedUiHook ui;
    TImage2D box;
    TBoxEvents events;
    events.Hook(box);
    box.SetBitmapAttributes(pf24bit, 520, 400);
    for (auto [text, color] : {std::pair{"3*SIN(X)", TColor(0xC00000)},
                               std::pair{"X*X/4-3", TColor(0x0000C0)}, std::pair{"1/X", TColor(0x008000)}}) {
        auto f = std::make_unique<TFunc2DObj>();
        f->Func.SetExpression(text);
        ASSERT_TRUE(f->Func.CompileMathFunc());
        f->FuncColor = color;
        f->LineWidth = 2;
        box.AddFunction(std::move(f));
    }
    box.resize(560, 440);
    ASSERT_TRUE(ShowActive(box));
    box.Replot();
    const auto idle = [&] { pumpUntil([&] { return !box.PlotThread()->IsBusy(); }); };
    idle();
    const auto gesture = [&](TDrawingTool tool, std::vector<QPoint> points) {
        events.Tool = tool;
        QTest::mousePress(box.Image, Qt::LeftButton, Qt::NoModifier, points.front());
        for (const QPoint& p : points)
            QTest::mouseMove(box.Image, p);
        QTest::mouseRelease(box.Image, Qt::LeftButton, Qt::NoModifier, points.back());
        idle();
    };
    TToolBarAttribClass& a = events.Attribs;
    a.PenWidth = 2;
    a.PenColor = 0x0000FF;
    gesture(dtLine, {{30, 40}, {90, 70}, {160, 95}});
    a.PenColor = 0x006000;
    gesture(dtRectangle, {{330, 40}, {400, 90}, {490, 125}});
    a.PenColor = 0x800080;
    gesture(dtEllipse, {{50, 250}, {120, 300}, {210, 355}});
    a.PenColor = 0x404040;
    a.BrushColor = 0x80FFFF;
    a.BrushStyle = bsSolid;
    gesture(dtRoundRect, {{330, 255}, {400, 300}, {495, 360}});
    a.PenColor = 0xC08000;
    gesture(dtFreeHand, {{230, 300}, {245, 280}, {260, 320}, {275, 280}, {290, 320}, {305, 285}});
    a.BrushColor = 0xFFD0A0;
    gesture(dtFloodFill, {{130, 330}});
    a.Font.Size = 14;
    a.Font.Color = 0x000000;
    gesture(dtText, {{330, 160}});
    QTest::keyClicks(box.TextEditor, "Quorix labels");
    QTest::keyClick(box.TextEditor, Qt::Key_Return);
    idle();
    events.Tool = dtOff;
    ASSERT_EQ(box.MasterLabelList().size(), 7u);
    EXPECT_EQ(box.Image->Picture().Pixel(130, 330), TColor(0xFFD0A0)) << "the fill inside the ellipse";
    EXPECT_EQ(box.Image->Picture().Pixel(410, 330), TColor(0x80FFFF)) << "the solid round rectangle";

    const QString path = qEnvironmentVariableIsSet("QUORIX_SCREENSHOT")
                             ? qEnvironmentVariable("QUORIX_SCREENSHOT")
                             : QDir::tempPath() + "/quorix-picture-control.png";
    const QImage shot = box.grab().toImage();
    EXPECT_TRUE(shot.save(path));
    EXPECT_EQ(shot.pixelColor(box.Image->mapTo(&box, QPoint(130, 330))), TColorToQColor(0xFFD0A0));
}
