#include "shell/About.h"

#include "platform/ScriptedUiHook.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>

TEST(AboutBox, FixedTextsAndTheIconsDoubleClick) {
    TScopedScriptedUiHook hook;
    TAboutBox box;
    EXPECT_EQ(box.windowTitle(), "About");
    EXPECT_EQ(box.ProductName->text(), "Quorix Version 4");
    EXPECT_TRUE(box.ProductName->font().bold());
    EXPECT_FALSE(box.PlatformLine->text().contains("Windows"));
    EXPECT_TRUE(box.PlatformLine->text().contains("Linux"));
    EXPECT_GT(box.FeatureList->count(), 0);
    EXPECT_EQ(box.OKButton->text(), "OK");
    EXPECT_TRUE(box.OKButton->isDefault());

    // A single click says nothing; a double click tells what the picture shows.
    const QPointF at(5, 5);
    QMouseEvent press(QEvent::MouseButtonPress, at, box.ProgramIcon->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box.ProgramIcon, &press);
    EXPECT_TRUE(hook->Messages.empty());
    QMouseEvent dbl(QEvent::MouseButtonDblClick, at, box.ProgramIcon->mapToGlobal(at), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box.ProgramIcon, &dbl);
    ASSERT_EQ(hook->Messages.size(), 1u);
    EXPECT_EQ(hook->Messages[0].Text, "This is a 3D graph of Y=X^3");
    EXPECT_EQ(hook->Messages[0].Type, mtInformation);
    EXPECT_EQ(hook->Messages[0].Buttons, TMsgDlgButtons{mbOK});
    EXPECT_EQ(hook->Messages[0].HelpContext, 0);

    // The OK button closes the box with OK.
    box.OKButton->click();
    EXPECT_EQ(box.result(), QDialog::Accepted);
}

TEST(AboutBox, ShowsModallyThroughTheHookWithItsPicture) {
    TScopedScriptedUiHook hook;
    bool sawBox = false;
    hook->ScriptModal([&](QDialog& dialog) {
        auto* box = dynamic_cast<TAboutBox*>(&dialog);
        sawBox = box && !box->ProgramIcon->pixmap().isNull();
        return int(mrOk);
    });
    ShowAboutBox();
    EXPECT_TRUE(sawBox);

    // The picture draws a wire frame on its plain background.
    const QImage icon = ProgramIconPixmap(64).toImage();
    ASSERT_EQ(icon.size(), QSize(64, 64));
    int dark = 0;
    for (int y = 1; y < 63; ++y)
        for (int x = 1; x < 63; ++x)
            if (qGray(icon.pixel(x, y)) < 128) ++dark;
    EXPECT_GT(dark, 60);
    EXPECT_LT(dark, 64 * 64 / 2);
}
