// The spin buttons: the two buttons' layout in each orientation, their
// arrows and custom glyphs, the focus handed over on a press and the press
// called off when the focus is refused, keys, and what a form definition
// holds.
#include "controls/lists/FcEdit.h"
#include "controls/lists/FcSpinButtons.h"
#include "platform/classes/Filer.h"
#include "platform/graphics/Bitmap.h"
#include "tests/controls/lists/ListsFixture.h"

namespace {

struct SpinButtons : ListsForm {
    TFcSpinButtons* Spin = nullptr;
    QStringList Heard;
    void SetUp() override
    {
        ListsForm::SetUp();
        Spin = Make<TFcSpinButtons>(Bounds(10, 10, 16, 25));
        Spin->SetOnUpRightClick([this](TObject*) { Heard << QStringLiteral("up"); });
        Spin->SetOnDownLeftClick([this](TObject*) { Heard << QStringLiteral("down"); });
    }
    static void Tick(TFcControlButton* B)
    {
        if (B->RepeatTimer() != nullptr && B->RepeatTimer()->Enabled())
            B->RepeatTimer()->OnTimer()(B->RepeatTimer());
    }
    static std::unique_ptr<TBitmap> Glyph(int W, int H)
    {
        auto B = std::make_unique<TBitmap>();
        B->SetSize(W, H);
        B->Canvas()->Brush()->SetColor(clRed);
        B->Canvas()->FillRect(Rect(0, 0, W, H));
        return B;
    }
};

struct TLayoutCase {
    const char* Name;
    TOrientation Orientation;
    int Width;
    int Height;
    TRect UpRight;
    TRect DownLeft;
};

TEST_F(SpinButtons, TheButtonsShareTheControlTheUpRightOneOnTopOrOnTheRight)
{
    const TLayoutCase Cases[] = {
        {"odd height", orVertical, 16, 25, Bounds(0, 0, 16, 12), Bounds(0, 12, 16, 13)},
        {"even height", orVertical, 17, 20, Bounds(0, 0, 17, 10), Bounds(0, 10, 17, 10)},
        {"side by side", orHorizontal, 32, 20, Bounds(16, 0, 16, 20), Bounds(0, 0, 16, 20)},
        {"odd width", orHorizontal, 33, 17, Bounds(16, 0, 17, 17), Bounds(0, 0, 16, 17)},
    };
    for (const TLayoutCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        Spin->SetOrientation(C.Orientation);
        Spin->SetBounds(10, 10, C.Width, C.Height);
        EXPECT_EQ(Spin->UpRightButton()->BoundsRect(), C.UpRight);
        EXPECT_EQ(Spin->DownLeftButton()->BoundsRect(), C.DownLeft);
    }
}

TEST_F(SpinButtons, AChangeOfOrientationKeepsEachButtonsSizeAndTheSameOneChangesNothing)
{
    EXPECT_EQ(TFcSpinButtons(nullptr).BoundsRect(), Bounds(0, 0, 16, 25));
    Spin->SetOrientation(orVertical);
    EXPECT_EQ(Spin->Width(), 16);
    Spin->SetOrientation(orHorizontal);
    EXPECT_EQ(Spin->Width(), 32);
    EXPECT_EQ(Spin->UpRightButton()->BoundsRect(), Bounds(16, 0, 16, 25));
    Spin->SetOrientation(orHorizontal);
    EXPECT_EQ(Spin->Width(), 32) << "the value it has";
    Spin->SetOrientation(orVertical);
    EXPECT_EQ(Spin->Width(), 16);
    EXPECT_EQ(Spin->Height(), 25);
}

TEST_F(SpinButtons, ArrowsFollowTheDirectionAndADirectionDropsCustomGlyphs)
{
    auto Style = [&] { return std::pair(Spin->UpRightButton()->Style(), Spin->DownLeftButton()->Style()); };
    EXPECT_EQ(Style(), std::pair(cbsUp, cbsDown));
    EXPECT_EQ(Spin->NumGlyphsUpRight(), 2);
    const auto Red = Glyph(18, 9);
    Spin->SetGlyphUpRight(Red.get());
    EXPECT_TRUE(Spin->UpRightGlyphCustom());
    EXPECT_EQ(Style(), std::pair(cbsNone, cbsDown));
    // A glyph given to the button itself counts as well.
    Spin->DownLeftButton()->Glyph()->Assign(Red.get());
    EXPECT_TRUE(Spin->DownLeftGlyphCustom());
    EXPECT_EQ(Style(), std::pair(cbsNone, cbsNone));
    EXPECT_EQ(Spin->NumGlyphsDownLeft(), 2) << "the spin buttons keep two cells";

    Spin->SetDirection(sdLeftRight);
    EXPECT_FALSE(Spin->UpRightGlyphCustom());
    EXPECT_FALSE(Spin->DownLeftGlyphCustom());
    EXPECT_TRUE(Spin->GlyphUpRight()->Empty());
    EXPECT_EQ(Style(), std::pair(cbsRight, cbsLeft));

    // An empty bitmap is no glyph: the arrow stays.
    TBitmap Empty;
    Spin->SetGlyphDownLeft(&Empty);
    EXPECT_FALSE(Spin->DownLeftGlyphCustom());
    EXPECT_EQ(Style(), std::pair(cbsRight, cbsLeft));
}

TEST_F(SpinButtons, APressHandsTheFocusToTheFocusControlAndRepeatsWhileHeld)
{
    auto* Edit = Make<TFcEdit>(Bounds(40, 10, 80, 21));
    auto* Other = Make<TFcEdit>(Bounds(40, 60, 80, 21));
    Spin->SetFocusControl(Edit);
    Other->SetFocus();
    MouseDown(Spin->UpRightButton(), {4, 4});
    EXPECT_TRUE(Edit->Focused());
    Tick(Spin->UpRightButton());
    Tick(Spin->UpRightButton());
    MouseUp(Spin->UpRightButton(), {4, 4});
    EXPECT_EQ(Heard, QStringList({"up", "up", "up"}));
    MouseClick(Spin->DownLeftButton(), {4, 4});
    EXPECT_EQ(Heard.size(), 4);
    EXPECT_EQ(Heard.last(), QStringLiteral("down"));
}

TEST_F(SpinButtons, AFocusRefusedCallsThePressOffWithoutAClick)
{
    auto* Edit = Make<TFcEdit>(Bounds(40, 10, 80, 21));
    auto* Other = Make<TFcEdit>(Bounds(40, 60, 80, 21));
    Spin->SetFocusControl(Edit);
    Other->SetFocus();
    // The edit sends the focus away as it arrives.
    Edit->SetOnEnter([&](TObject*) { Other->SetFocus(); });
    MouseDown(Spin->UpRightButton(), {4, 4});
    EXPECT_FALSE(Spin->UpRightButton()->IsDown());
    Tick(Spin->UpRightButton());
    MouseUp(Spin->UpRightButton(), {4, 4});
    EXPECT_TRUE(Heard.isEmpty());
    EXPECT_TRUE(Unexpected.Asked().empty()) << "called off silently";

    // Without a focus control the spin buttons take the focus themselves
    // when they are a tab stop.
    Spin->SetFocusControl(nullptr);
    Spin->SetTabStop(true);
    MouseClick(Spin->DownLeftButton(), {4, 4});
    EXPECT_TRUE(Spin->Focused());
    EXPECT_EQ(Heard, QStringList({"down"}));
}

TEST_F(SpinButtons, TheArrowKeysClickTheButtons)
{
    EXPECT_EQ(Spin->Perform(WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
    Spin->SetTabStop(true);
    Spin->SetFocus();
    PressKey(Spin, Qt::Key_Up);
    PressKey(Spin, Qt::Key_Down);
    PressKey(Spin, Qt::Key_Down);
    EXPECT_EQ(Heard, QStringList({"up", "down", "down"}));
}

TEST_F(SpinButtons, AFormDefinitionHoldsCustomGlyphsButNeverTheArrows)
{
    Spin->SetName(QStringLiteral("SpinJaar"));
    Spin->SetDirection(sdLeftRight);
    Spin->SetOrientation(orHorizontal);
    Spin->SetDelay(60);
    const QByteArray Plain = WriteComponentToText(Spin);
    EXPECT_FALSE(Plain.contains("Glyph")) << Plain.toStdString();
    EXPECT_FALSE(Plain.contains("NumGlyphs"));
    EXPECT_FALSE(Plain.contains("TFcControlButton")) << "the buttons are parts";

    const auto Red = Glyph(9, 9);
    Spin->SetGlyphDownLeft(Red.get());
    Spin->SetNumGlyphsDownLeft(1);
    const QByteArray Text = WriteComponentToText(Spin);
    EXPECT_TRUE(Text.contains("GlyphDownLeft.Data")) << Text.toStdString();
    EXPECT_TRUE(Text.contains("NumGlyphsDownLeft = 1"));
    EXPECT_FALSE(Text.contains("GlyphUpRight"));
    const std::unique_ptr<TFcSpinButtons, TComponentDeleter> Back(new TFcSpinButtons(nullptr));
    ReadComponentFromText(Text, Back.get(), QStringLiteral("spin.form"));
    EXPECT_EQ(Back->Direction(), sdLeftRight);
    EXPECT_TRUE(Back->DownLeftGlyphCustom());
    EXPECT_EQ(Back->DownLeftButton()->Style(), cbsNone);
    EXPECT_EQ(Back->UpRightButton()->Style(), cbsRight);
    EXPECT_EQ(Back->Width(), Spin->Width());
    EXPECT_EQ(WriteComponentToText(Back.get()).toStdString(), Text.toStdString());
}

} // namespace
