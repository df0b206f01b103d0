// The in-place text editor: its logic directly, and the widget through real key, mouse
// and focus events on the offscreen platform.
#include "labels/custedit.h"
#include "labels/CustEditLogic.h"

#include "common/DialogTestSupport.h"

#include <QAction>
#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

TFontRecord EditFont(TColor color = 0x000080, int size = 14) {
    TFontRecord f;
    f.Name = "DejaVu Sans";
    f.Color = color;
    f.Size = size;
    return f;
}

int Advance(const TFontRecord& font, const QString& s) {
    return QFontMetrics(FontRecordToQFont(font)).horizontalAdvance(s);
}

// A stand-in for the picture control: an owner window with the editor and one more
// control the focus can go to.
struct TOwner {
    QWidget Window;
    TCustomTextEdit* Editor;
    QLineEdit* Other;
    std::vector<std::string> DoneTexts;
    struct TStart {
        TPoint Pos;
        int Width, Height;
    };
    std::vector<TStart> Starts;

    TOwner() {
        Window.resize(400, 200);
        Editor = new TCustomTextEdit(&Window);
        Other = new QLineEdit(&Window);
        Other->setGeometry(10, 150, 100, 24);
        Editor->OnEditDone = [this](QObject*) { DoneTexts.push_back(Editor->Text()); };
        Editor->OnEditStart = [this](QObject*, TPoint p, int w, int h) { Starts.push_back({p, w, h}); };
    }
    void Begin(const std::string& text, const TFontRecord& font = EditFont()) {
        Editor->BeginEdit({100, 50}, {40, 30}, font, text);
    }
};

// Characters typed one by one as key events that carry them, whatever code page they need.
void TypeChars(QWidget* w, const QString& chars) {
    for (QChar c : chars)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

} // namespace

TEST(CustEditLogic, ExtentCaretAndKeys) {
    TTextEditLogic e;
    const TFontRecord font = EditFont();
    e.SetFont(font);
    const int lineHeight = QFontMetrics(FontRecordToQFont(font)).height();
    e.UpdateExtent();
    EXPECT_EQ(e.Width(), 12) << "an empty text is 8 wide, plus 4";
    EXPECT_EQ(e.Height(), lineHeight + 4);
    e.SetText("i");
    e.UpdateExtent();
    EXPECT_EQ(e.Width(), std::max(Advance(font, "i"), 8) + 4);

    e.SetText("Hello");
    EXPECT_FALSE(e.UpdateExtent()) << "the height stays one line";
    e.PlaceCaret(-5);
    EXPECT_EQ(e.CaretIndex(), 0);
    EXPECT_EQ(e.CaretX(), 2);
    e.PlaceCaret(3);
    EXPECT_EQ(e.CaretX(), Advance(font, "Hel") + 2);
    e.PlaceCaret(99);
    EXPECT_EQ(e.CaretIndex(), 5);
    EXPECT_EQ(e.CaretX(), std::min(Advance(font, "Hello") + 2, e.Width() - 3));

    // Keys that find nothing to do where the caret stands.
    EXPECT_EQ(e.KeyDown(Qt::Key_End), TTextEditLogic::koNothing);
    EXPECT_EQ(e.KeyDown(Qt::Key_Right), TTextEditLogic::koNothing);
    EXPECT_EQ(e.KeyDown(Qt::Key_Delete), TTextEditLogic::koNothing);
    EXPECT_EQ(e.KeyDown(Qt::Key_Home), TTextEditLogic::koCaret);
    EXPECT_EQ(e.KeyPress(QChar(8)), TTextEditLogic::koNothing);
    EXPECT_EQ(e.KeyDown(Qt::Key_Left), TTextEditLogic::koNothing);
    EXPECT_EQ(e.Text(), "Hello");
    EXPECT_EQ(e.KeyDown(Qt::Key_Delete), TTextEditLogic::koText);
    EXPECT_EQ(e.Text(), "ello");
    EXPECT_EQ(e.KeyDown(Qt::Key_F5), TTextEditLogic::koNothing);

    // Characters: ignored, ending, or typed at the caret.
    for (char16_t c : {u'\0', u'\t', u'\n', u'\x7f', u'\x01', u'\x1f', u'\x85', u'\u03a9', u'\u4e2d'})
        EXPECT_EQ(e.KeyPress(QChar(c)), TTextEditLogic::koNothing) << int(c);
    EXPECT_EQ(e.KeyPress(QChar(13)), TTextEditLogic::koEnd);
    EXPECT_EQ(e.KeyPress(QChar(27)), TTextEditLogic::koEnd);
    for (char16_t c : {u'\u00e9', u'\u20ac', u'?', u' '})
        EXPECT_EQ(e.KeyPress(QChar(c)), TTextEditLogic::koText) << int(c);
    EXPECT_EQ(e.Text(), "\xc3\xa9\xe2\x82\xac? ello");
    EXPECT_EQ(e.CaretIndex(), 4);
}

TEST(CustEditLogic, ATextTakesAtMost250Characters) {
    TTextEditLogic e;
    e.SetFont(EditFont(0, 4));
    e.SetText(std::string(249, 'x'));
    e.UpdateExtent();
    e.PlaceCaret(249);
    EXPECT_EQ(e.KeyPress(QChar('y')), TTextEditLogic::koText);
    EXPECT_EQ(e.Chars().size(), 250);
    EXPECT_EQ(e.KeyPress(QChar('z')), TTextEditLogic::koNothing);
    EXPECT_EQ(e.Chars().size(), 250);
    EXPECT_EQ(e.Text().back(), 'y');

    // A very long text keeps the editor within its limit.
    e.SetFont(EditFont(0, 1638));
    e.SetText(std::string(250, 'W'));
    e.UpdateExtent();
    EXPECT_EQ(e.Width(), TTextEditLogic::MaxExtent);
    e.PlaceCaret(250);
    EXPECT_EQ(e.CaretX(), TTextEditLogic::MaxExtent - 3);
}

TEST(CustEditLogic, ClicksGoToTheNearestBoundaryTiesToTheLater) {
    TTextEditLogic e;
    const TFontRecord font = EditFont();
    e.SetFont(font);
    e.SetText("WiWlm.");
    e.UpdateExtent();
    e.PlaceCaret(0);
    EXPECT_FALSE(e.ClickAt(-40)) << "left of the text: index 0, where the caret already is";
    ASSERT_TRUE(e.ClickAt(e.BoundaryX(1) + 1));
    EXPECT_EQ(e.CaretIndex(), 1);
    // Exactly halfway between two boundaries: the later one.
    int ties = 0;
    for (int i = 0; i < 6; ++i) {
        const int a = e.BoundaryX(i), b = e.BoundaryX(i + 1);
        if ((b - a) % 2 != 0) continue;
        e.PlaceCaret(i == 0 ? 6 : 0);
        e.ClickAt((a + b) / 2);
        EXPECT_EQ(e.CaretIndex(), i + 1) << i;
        ++ties;
    }
    EXPECT_GT(ties, 0) << "no two boundaries an even distance apart in this font";
    e.ClickAt(10000);
    EXPECT_EQ(e.CaretIndex(), 6);
}

TEST(CustomTextEdit, StartsHiddenAndReportsItsPlace) {
    TOwner o;
    ASSERT_TRUE(ShowActive(o.Window));
    EXPECT_FALSE(o.Editor->isVisible());
    EXPECT_FALSE(o.Editor->isEnabled());
    EXPECT_FALSE(o.Editor->Editing());
    EXPECT_EQ(o.Editor->geometry(), QRect(1, 1, 0, 0));
    EXPECT_EQ(o.Editor->focusPolicy(), Qt::ClickFocus) << "no tab stop";

    o.Begin("Abc");
    EXPECT_TRUE(o.Editor->Editing());
    EXPECT_TRUE(o.Editor->isVisible());
    EXPECT_TRUE(o.Editor->hasFocus());
    EXPECT_TRUE(o.Editor->CaretCreated());
    EXPECT_EQ(o.Editor->pos(), QPoint(38, 28));
    EXPECT_EQ(o.Editor->CaretIndex(), 0);
    EXPECT_EQ(o.Editor->CaretX(), 2);
    ASSERT_EQ(o.Starts.size(), 1u);
    EXPECT_EQ(o.Starts[0].Pos, (TPoint{98, 48}));
    EXPECT_EQ(o.Starts[0].Width, o.Editor->width());
    EXPECT_EQ(o.Starts[0].Height, o.Editor->height());

    // A second BeginEdit ends the first edit before it starts.
    o.Begin("Next");
    EXPECT_EQ(o.DoneTexts, std::vector<std::string>{"Abc"});
    EXPECT_TRUE(o.Editor->Editing());
    o.Editor->EndEdit();
    o.Editor->EndEdit();
    EXPECT_EQ(o.DoneTexts, (std::vector<std::string>{"Abc", "Next"})) << "a second EndEdit does nothing";
    EXPECT_EQ(o.Editor->geometry(), QRect(1, 1, 0, 0));
    EXPECT_EQ(o.Editor->Text(), "Next") << "the text stays readable";
}

TEST(CustomTextEdit, TypingThroughKeyEvents) {
    TOwner o;
    ASSERT_TRUE(ShowActive(o.Window));
    o.Begin("");
    EXPECT_EQ(o.Editor->width(), 12);
    TypeChars(o.Editor, QString::fromUtf8("Caf\xc3\xa9 \xce\xa9!"));
    EXPECT_EQ(o.Editor->Text(), "Caf\xc3\xa9 !") << "the Greek letter has no place in the file's code page";
    EXPECT_EQ(o.Editor->width(), std::max(Advance(EditFont(), QString::fromUtf8("Caf\xc3\xa9 !")), 8) + 4);
    QTest::keyClick(o.Editor, Qt::Key_Home);
    QTest::keyClick(o.Editor, Qt::Key_Backspace);
    QTest::keyClick(o.Editor, Qt::Key_Right);
    QTest::keyClick(o.Editor, Qt::Key_Delete);
    EXPECT_EQ(o.Editor->Text(), "Cf\xc3\xa9 !");
    QTest::keyClick(o.Editor, Qt::Key_End);
    QTest::keyClick(o.Editor, Qt::Key_Delete);
    QTest::keyClick(o.Editor, Qt::Key_Backspace);
    EXPECT_EQ(o.Editor->Text(), "Cf\xc3\xa9 ");
    QTest::keyClick(o.Editor, Qt::Key_Left);
    QTest::keyClicks(o.Editor, "x");
    EXPECT_EQ(o.Editor->Text(), "Cf\xc3\xa9x ");
    // Tab is ignored: no character, and the focus stays.
    QTest::keyClick(o.Editor, Qt::Key_Tab);
    EXPECT_TRUE(o.Editor->hasFocus());
    EXPECT_EQ(o.Editor->Text(), "Cf\xc3\xa9x ");

    // The 250th character is the last one typed.
    o.Begin(std::string(249, 'a'));
    QTest::keyClick(o.Editor, Qt::Key_End);
    QTest::keyClicks(o.Editor, "bc");
    EXPECT_EQ(o.Editor->Text(), std::string(249, 'a') + "b");
}

TEST(CustomTextEdit, EnterEscAndFocusLossEndTheEditOnce) {
    TOwner o;
    ASSERT_TRUE(ShowActive(o.Window));
    const std::pair<const char*, std::function<void()>> endings[] = {
        {"Enter", [&] { QTest::keyClick(o.Editor, Qt::Key_Return); }},
        {"Esc", [&] { QTest::keyClick(o.Editor, Qt::Key_Escape); }},
        {"a click elsewhere", [&] { QTest::mouseClick(o.Other, Qt::LeftButton); }},
    };
    for (const auto& [name, end] : endings) {
        o.DoneTexts.clear();
        o.Begin("Kept");
        QTest::keyClicks(o.Editor, "!");
        end();
        EXPECT_EQ(o.DoneTexts, std::vector<std::string>{"!Kept"}) << name;
        EXPECT_FALSE(o.Editor->Editing()) << name;
        EXPECT_FALSE(o.Editor->isVisible()) << name;
        EXPECT_FALSE(o.Editor->CaretCreated()) << name;
        EXPECT_EQ(o.Editor->CaretX(), 2);
        EXPECT_EQ(o.Editor->CaretIndex(), 0);
    }
    // The done event may start the next edit at once; that edit stays as it was begun.
    o.DoneTexts.clear();
    o.Editor->OnEditDone = [&](QObject*) {
        o.DoneTexts.push_back(o.Editor->Text());
        if (o.DoneTexts.size() == 1) o.Begin("again");
    };
    o.Begin("first");
    QTest::keyClick(o.Editor, Qt::Key_Return);
    EXPECT_TRUE(o.Editor->Editing());
    EXPECT_TRUE(o.Editor->isVisible());
    EXPECT_EQ(o.Editor->pos(), QPoint(38, 28));
    EXPECT_EQ(o.DoneTexts, std::vector<std::string>{"first"});
}

TEST(CustomTextEdit, ClicksPlaceTheCaret) {
    TOwner o;
    ASSERT_TRUE(ShowActive(o.Window));
    o.Begin("WWiW");
    TTextEditLogic probe;
    probe.SetFont(EditFont());
    probe.SetText("WWiW");
    const int b2 = probe.BoundaryX(2), b3 = probe.BoundaryX(3);
    QTest::mouseClick(o.Editor, Qt::LeftButton, {}, QPoint(b3 + 1, 5));
    EXPECT_EQ(o.Editor->CaretIndex(), 3);
    EXPECT_EQ(o.Editor->CaretX(), b3);
    QTest::mouseClick(o.Editor, Qt::RightButton, {}, QPoint(b2, 5));
    EXPECT_EQ(o.Editor->CaretIndex(), 3) << "only the left button places the caret";
    QTest::mouseClick(o.Editor, Qt::LeftButton, {}, QPoint(0, 5));
    EXPECT_EQ(o.Editor->CaretIndex(), 0);
    for (int i = 0; i < 4; ++i) {
        const int a = probe.BoundaryX(i), b = probe.BoundaryX(i + 1);
        if ((b - a) % 2 != 0) continue;
        QTest::mouseClick(o.Editor, Qt::LeftButton, {}, QPoint((a + b) / 2, 5));
        EXPECT_EQ(o.Editor->CaretIndex(), i + 1) << "halfway takes the later boundary";
        break;
    }
    QTest::mouseClick(o.Editor, Qt::LeftButton, {}, QPoint(-3, 5));
    QTest::keyClick(o.Editor, Qt::Key_Right);
    EXPECT_EQ(o.Editor->CaretIndex(), 1);
}

TEST(CustomTextEdit, WhiteTextShowsOnBlack) {
    TOwner o;
    ASSERT_TRUE(ShowActive(o.Window));
    auto countIn = [](const QImage& img, QRgb rgb) {
        int n = 0;
        for (int y = 1; y < img.height() - 1; ++y)
            for (int x = 1; x < img.width() - 1; ++x)
                if ((img.pixel(x, y) & 0xFFFFFF) == (rgb & 0xFFFFFF)) ++n;
        return n;
    };
    for (TColor color : {TColor(clWhite), TColor(0x0000FF)}) {
        o.Begin("WWW", EditFont(color, 20));
        const QImage img = o.Editor->grab().toImage();
        const bool white = color == clWhite;
        EXPECT_EQ(img.pixel(0, 0) & 0xFFFFFF, white ? 0xFFFFFFu : 0u) << "frame";
        const int field = countIn(img, white ? 0x000000 : 0xFFFFFF);
        const int text = countIn(img, white ? 0xFFFFFF : 0xFF0000);
        EXPECT_GT(field, text) << color;
        EXPECT_GT(text, 20) << color;
    }
}

TEST(CustomTextEdit, KeysAreItsOwnWhileEditingClipboardKeysActOnTheText) {
    TOwner o;
    // Short-cuts of the window around the editor, as its menus carry them.
    int fired = 0;
    for (QKeyCombination key : {Qt::CTRL | Qt::Key_C, Qt::CTRL | Qt::Key_X, Qt::CTRL | Qt::Key_Z,
                                Qt::CTRL | Qt::Key_V, Qt::CTRL | Qt::Key_T, QKeyCombination(Qt::Key_F3)}) {
        auto* action = new QAction(&o.Window);
        action->setShortcut(key);
        QObject::connect(action, &QAction::triggered, [&fired] { ++fired; });
        o.Window.addAction(action);
    }
    ASSERT_TRUE(ShowActive(o.Window));
    const std::string full(248, 'a');
    struct TRow {
        const char* name;
        std::string text;
        bool atEnd;
        QString clipboard;
        QKeyCombination key;
        std::string wantText;
        int wantCaret;
        QString wantClipboard;
    };
    const TRow rows[] = {
        {"copy", "abc", true, "old", Qt::CTRL | Qt::Key_C, "abc", 3, "abc"},
        {"cut", "abc", true, "old", Qt::CTRL | Qt::Key_X, "", 0, "abc"},
        {"paste at the caret", "abc", false, "12", Qt::CTRL | Qt::Key_V, "12abc", 2, "12"},
        {"paste of lines", "abc", true, QString::fromUtf8("x\ty\r\nz\xce\xa9\n"), Qt::CTRL | Qt::Key_V,
         "abcx y z", 8, QString::fromUtf8("x\ty\r\nz\xce\xa9\n")},
        {"paste up to the limit", full, true, "xyz", Qt::CTRL | Qt::Key_V, full + "xy", 250, "xyz"},
        {"undo key", "abc", true, "old", Qt::CTRL | Qt::Key_Z, "abc", 3, "old"},
        {"label key", "abc", true, "old", Qt::CTRL | Qt::Key_T, "abc", 3, "old"},
        {"Ctrl+M", "abc", true, "old", Qt::CTRL | Qt::Key_M, "abc", 3, "old"},
        {"Alt+F", "abc", true, "old", Qt::ALT | Qt::Key_F, "abc", 3, "old"},
        {"function key", "abc", true, "old", QKeyCombination(Qt::Key_F3), "abc", 3, "old"},
    };
    for (const TRow& row : rows) {
        o.Begin(row.text);
        o.DoneTexts.clear();
        if (row.atEnd) QTest::keyClick(o.Editor, Qt::Key_End);
        QGuiApplication::clipboard()->setText(row.clipboard);
        QTest::keyClick(o.Editor, row.key.key(), row.key.keyboardModifiers());
        EXPECT_EQ(fired, 0) << row.name;
        EXPECT_TRUE(o.Editor->Editing()) << row.name;
        EXPECT_TRUE(o.DoneTexts.empty()) << row.name;
        EXPECT_EQ(o.Editor->Text(), row.wantText) << row.name;
        EXPECT_EQ(o.Editor->CaretIndex(), row.wantCaret) << row.name;
        EXPECT_EQ(o.Editor->width(),
                  std::max(Advance(EditFont(), QString::fromStdString(row.wantText)), 8) + 4)
            << row.name;
        EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), row.wantClipboard.toStdString())
            << row.name;
    }
    // Between edits the window's short-cuts are its own again.
    o.Editor->EndEdit();
    o.Window.setFocus();
    for (const TRow& row : rows) {
        if (row.key.keyboardModifiers() == Qt::AltModifier || row.key.key() == Qt::Key_M) continue;
        fired = 0;
        QTest::keyClick(&o.Window, row.key.key(), row.key.keyboardModifiers());
        EXPECT_EQ(fired, 1) << row.name;
    }
}
