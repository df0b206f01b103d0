#pragma once
// The hands and eyes of the whole-program test. The program runs in this process on a
// real X display (Xvfb); the hands are xdotool, which sends real key presses and mouse
// moves through the X server, and the eyes are the widgets themselves and the pixels of
// the screen.
//
// A key that opens a modal window starts a nested event loop inside the program, below
// which the test waits; what the test wants to do in that window is therefore set up
// beforehand with WhenModal, whose timer runs inside the nested loop.

#include <QImage>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <functional>
#include <string>

class QWidget;

namespace e2e {

// Runs xdotool with the arguments; false (with a test failure) when it failed.
bool Xdo(const QStringList& Arguments);
// Gives the keyboard focus to the top-level window of W (there is no window manager).
void Focus(QWidget* W);
// Key chords in xdotool's words ("ctrl+x", "F3", "alt+f"), one after another, to the
// window of W.
void Keys(QWidget* W, const QStringList& Chords);
// Characters typed into the window of W.
void Type(QWidget* W, const QString& Text);
// The pointer to a point of W (widget coordinates).
void MoveTo(QWidget* W, QPoint Local);
// A click of a mouse button (1 left, 3 right) at a point of W; Count 2 is a double click.
void Click(QWidget* W, QPoint Local, int Button = 1, int Count = 1);
void ClickCentre(QWidget* W);
// A left-button drag across W.
void Drag(QWidget* W, QPoint From, QPoint To);

// Runs the event loop until Pred holds; false (with a test failure naming What) after
// Limit ms.
bool WaitFor(const std::function<bool()>& Pred, const char* What, int Limit = 30000);

// The next modal window for which Matches answers true gets Act, run from the nested
// event loop of that window. Returns a flag that turns true once Act has run.
std::shared_ptr<bool> WhenModal(std::function<bool(QWidget*)> Matches, std::function<void(QWidget*)> Act);
// The text of a message box, empty for any other window.
std::string MessageText(QWidget* W);
// Presses the button of a dialog with that text (mnemonic marks ignored).
void PressButton(QWidget* Dialog, const QString& Text);

// The screen's pixels under W.
QImage ScreenOf(QWidget* W);
// The screen's colour at a point of W, as 0xRRGGBB.
unsigned ScreenPixel(QWidget* W, QPoint Local);
// Saves the whole screen as Name.png in the folder of QUORIX_E2E_SHOTS, when it is set.
void Shot(const char* Name);

} // namespace e2e
