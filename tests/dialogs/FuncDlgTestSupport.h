#pragma once
// Helpers of the function dialog tests: scripting the next modal run of a form class with
// the form shown as the active window, so that focus moves and key events act as they do
// on screen.

#include "common/DialogTestSupport.h"
#include "platform/ScriptedUiHook.h"
#include "platform/UiHook.h"

#include <QAbstractButton>
#include <QDialog>
#include <QTest>

#include <gtest/gtest.h>

// The next modal run shows a form of class TDlg, runs act on it and answers the form's
// result; a form that act left open is cancelled.
template <class TDlg, class F> void ScriptDialog(TScriptedUiHook& hook, F act) {
    hook.ScriptModal([act](QDialog& form) {
        auto* d = dynamic_cast<TDlg*>(&form);
        if (!d) {
            ADD_FAILURE() << "an unexpected form ran modally";
            return int(mrCancel);
        }
        EXPECT_TRUE(ShowActive(*d));
        act(*d);
        if (d->isVisible()) d->done(mrCancel);
        return d->result();
    });
}

inline void Click(QAbstractButton* b) {
    QTest::mouseClick(b, Qt::LeftButton);
}
