// Scroll bars, header controls and page scrollers: positions within their
// range from keys and the mouse, section widths dragged and clicked, and a
// long control scrolled between two buttons.
#include "platform/stdctrls/ExtCtrls.h"
#include "platform/stdctrls/Header.h"
#include "platform/stdctrls/HeaderControl.h"
#include "platform/stdctrls/PageScroller.h"
#include "platform/stdctrls/ScrollBar.h"
#include "tests/platform/buttons/FormFixture.h"
#include "tests/support/ErrorMessages.h"
#include "tests/support/ImageHelpers.h"
#include "tests/support/WindowHelpers.h"

#include <gtest/gtest.h>

namespace {

struct Scrolling : TFormFixture {
    void SetUp() override
    {
        Form->SetBounds(0, 0, 400, 300);
        Form->Show();
    }
};

// --- scroll bars ---------------------------------------------------------------------------------

TEST_F(Scrolling, ScrollBarParamsStayInRangeAndReportChanges)
{
    auto* Bar = Add<TScrollBar>(Bounds(10, 10, 200, 17));
    int Changes = 0;
    Bar->SetOnChange([&](TObject*) { ++Changes; });
    Bar->SetPosition(150);
    EXPECT_EQ(Bar->Position(), 100);
    Bar->SetPosition(100);
    EXPECT_EQ(Changes, 1);
    Bar->SetParams(5, 10, 20);
    EXPECT_EQ(Bar->Position(), 10);
    EXPECT_EQ(Changes, 2);
    EXPECT_EQ(ErrorMessage<EInvalidOperation>([&] { Bar->SetMin(30); }),
              QStringLiteral("Scrollbar property out of range"));
    EXPECT_EQ(Bar->Min(), 10);
}

TEST_F(Scrolling, KeysMoveAFocusedScrollBarAndOnScrollHasTheLastWord)
{
    auto* Bar = Add<TScrollBar>(Bounds(10, 10, 200, 17));
    Bar->SetSmallChange(2);
    Bar->SetLargeChange(10);
    Bar->SetPageSize(20);
    QList<TScrollCode> Codes;
    Bar->SetOnScroll([&](TObject*, TScrollCode Code, int& Pos) {
        Codes << Code;
        if (Code == scPageDown)
            Pos += 1;
    });
    Bar->SetFocus();
    struct TCase {
        int Key;
        int Position;
    };
    // End stops where the page shows the last positions: 100 - 20 + 1.
    for (const TCase& C : {TCase{Qt::Key_Right, 2}, TCase{Qt::Key_Down, 4}, TCase{Qt::Key_PageDown, 15},
                           TCase{Qt::Key_Left, 13}, TCase{Qt::Key_End, 81}, TCase{Qt::Key_Home, 0}}) {
        PressKey(Form, C.Key);
        EXPECT_EQ(Bar->Position(), C.Position) << C.Key;
    }
    EXPECT_EQ(Codes.mid(0, 6),
              QList<TScrollCode>({scLineDown, scEndScroll, scLineDown, scEndScroll, scPageDown, scEndScroll}));
}

TEST_F(Scrolling, TheMouseOnTheArrowsTrackAndThumbOfAScrollBar)
{
    auto* Bar = Add<TScrollBar>(Bounds(10, 10, 200, 17));
    Bar->SetLargeChange(25);
    const int Arrow = GetSystemMetrics(SM_CXVSCROLL);
    auto Click = [&](TPoint P) {
        QueueMouseDown(Bar, P);
        QueueMouseUp(Bar, P);
        PumpMessages();
    };
    Click({200 - Arrow / 2, 8});
    EXPECT_EQ(Bar->Position(), 1);
    Click({150, 8});
    EXPECT_EQ(Bar->Position(), 26);
    Click({Arrow / 2, 8});
    EXPECT_EQ(Bar->Position(), 25);
    EXPECT_TRUE(Bar->Focused());
    // The thumb follows the mouse: dragged past the track's far end.
    Bar->SetPosition(0);
    QueueMouseDown(Bar, {Arrow + 2, 8});
    QueueMouseMove(Bar, {190, 8});
    QueueMouseUp(Bar, {190, 8});
    PumpMessages();
    EXPECT_EQ(Bar->Position(), 100);
}

TEST_F(Scrolling, AVerticalScrollBarTurnsAndPaintsItsArrows)
{
    auto* Bar = Add<TScrollBar>(Bounds(10, 10, 200, 17));
    Bar->SetKind(sbVertical);
    EXPECT_EQ(Bar->BoundsRect(), Bounds(10, 10, 17, 200));
    const QImage Image = PaintControlImage(Bar);
    // The up arrow's face at the top, the down arrow's at the bottom: both
    // raised buttons with a highlight at their top-left.
    const int Arrow = GetSystemMetrics(SM_CYVSCROLL);
    EXPECT_TRUE(PixelIs(Image, 0, 0, ColorToRGB(clBtnHighlight)));
    EXPECT_TRUE(PixelIs(Image, 0, 200 - Arrow, ColorToRGB(clBtnHighlight)));
    EXPECT_GT(CountColor(Image, ColorToRGB(clBtnText), Bounds(0, 0, 17, 17)), 3);
}

// --- header controls ---------------------------------------------------------------------------------

struct Headers : Scrolling {
    THeaderControl* Header = nullptr;
    QStringList Events;
    void SetUp() override
    {
        Scrolling::SetUp();
        Header = Add<THeaderControl>(Bounds(0, 0, 400, 17));
        for (const char* Text : {"Naam", "Plaats", "Telefoon"}) {
            THeaderSection* S = Header->Sections()->Add();
            S->SetText(QString::fromLatin1(Text));
        }
        Header->Sections()->Items(1)->SetMinWidth(30);
        Header->Sections()->Items(1)->SetMaxWidth(90);
        Header->SetOnSectionClick([this](THeaderControl*, THeaderSection* S) { Events << "click " + S->Text(); });
        Header->SetOnSectionResize([this](THeaderControl*, THeaderSection* S) {
            Events << QStringLiteral("resize %1 %2").arg(S->Text()).arg(S->Width());
        });
        Header->SetOnSectionTrack([this](THeaderControl*, THeaderSection*, int Width, TSectionTrackState State) {
            Events << QStringLiteral("track %1 %2").arg(Width).arg(int(State));
        });
    }
};

TEST_F(Headers, SectionsLieSideBySide)
{
    EXPECT_EQ(Header->Align(), alTop);
    EXPECT_EQ(Header->Sections()->Items(2)->Left(), 100);
    EXPECT_EQ(Header->SectionAt(99), 1);
    EXPECT_EQ(Header->SectionAt(149), 2);
    EXPECT_EQ(Header->SectionAt(150), -1);
    EXPECT_EQ(Header->SectionRect(1), Rect(50, 0, 100, 17));
    // A raised face for each section, and an empty one after the last.
    const QImage Image = PaintControlImage(Header);
    for (int X : {0, 50, 100, 150})
        EXPECT_TRUE(PixelIs(Image, X, 0, ColorToRGB(clBtnHighlight))) << X;
    EXPECT_TRUE(PixelIs(Image, 49, 16, ColorToRGB(cl3DDkShadow)));
}

TEST_F(Headers, DraggingADividerResizesItsSectionWithinItsLimits)
{
    struct TCase {
        int Section, To, Width;
    };
    for (const TCase& C : {TCase{0, 80, 80}, TCase{1, 200, 90}, TCase{1, 40, 30}}) {
        THeaderSection* S = Header->Sections()->Items(C.Section);
        const int Divider = S->Right();
        const int Before = S->Width();
        Events.clear();
        MouseDown(Header, {Divider, 8});
        MouseMove(Header, {C.To, 8}, Qt::LeftButton);
        MouseUp(Header, {C.To, 8});
        EXPECT_EQ(S->Width(), C.Width) << C.Section << " to " << C.To;
        EXPECT_EQ(Events,
                  QStringList({QStringLiteral("track %1 0").arg(Before), QStringLiteral("track %1 1").arg(C.Width),
                               QStringLiteral("track %1 2").arg(C.Width),
                               QStringLiteral("resize %1 %2").arg(S->Text()).arg(C.Width)}));
    }
}

TEST_F(Headers, AClickOnASectionIsReportedWhenReleasedOverIt)
{
    MouseDown(Header, {60, 8});
    MouseUp(Header, {60, 8});
    MouseDown(Header, {60, 8});
    MouseMove(Header, {120, 8}, Qt::LeftButton);
    MouseUp(Header, {120, 8});
    Header->Sections()->Items(2)->SetAllowClick(false);
    MouseDown(Header, {120, 8});
    MouseUp(Header, {120, 8});
    EXPECT_EQ(Events, QStringList({"click Plaats"}));
}

TEST_F(Headers, TheOldHeaderKeepsAWidthForEachSectionItLists)
{
    auto* Old = Add<THeader>(Bounds(0, 50, 300, 25));
    Old->Sections()->Add(QStringLiteral("Een"));
    Old->Sections()->Add(QStringLiteral("Twee"));
    EXPECT_EQ(Old->SectionWidth(1), THeader::DefaultSectionWidth);
    EXPECT_EQ(Old->SectionWidth(5), 0);
    int Sized = -1;
    Old->SetOnSized([&](TObject*, int Section, int Width) { Sized = Section * 1000 + Width; });
    MouseDown(Old, {49, 10});
    MouseMove(Old, {69, 10}, Qt::LeftButton);
    MouseUp(Old, {69, 10});
    EXPECT_EQ(Old->SectionWidth(0), 70);
    EXPECT_EQ(Sized, 70);
    Old->Sections()->Delete(1);
    EXPECT_EQ(Old->SectionWidth(1), 0);
}

// --- page scrollers -------------------------------------------------------------------------------------

struct PageScrollers : Scrolling {
    TPageScroller* Scroller = nullptr;
    TPanel* Long = nullptr;
    void SetUp() override
    {
        Scrolling::SetUp();
        Scroller = Add<TPageScroller>(Bounds(10, 10, 150, 30));
        Long = new TPanel(Form);
        Long->SetBounds(0, 0, 400, 30);
        Scroller->SetControl(Long);
    }
};

TEST_F(PageScrollers, ALongControlScrollsBetweenTwoButtons)
{
    EXPECT_EQ(Long->Parent(), Scroller);
    EXPECT_TRUE(Scroller->ButtonsShown());
    // The buttons take 12 pixels at each end.
    EXPECT_EQ(Scroller->ClientWidth(), 150 - 24);
    Scroller->SetPosition(1000);
    EXPECT_EQ(Scroller->Position(), 400 - 126);
    EXPECT_EQ(Long->Left(), -274);
    EXPECT_EQ(Long->Height(), 30);
    Scroller->SetPosition(0);
    int Steps = 0;
    Scroller->SetOnScroll([&](TObject*, TShiftState, int, int, TPageScrollerOrientation, int& Delta) {
        ++Steps;
        Delta = 30;
    });
    // A press on the right-hand button (outside the client area).
    MouseDown(Scroller, {126 + 5, 10});
    MouseUp(Scroller, {126 + 5, 10});
    EXPECT_EQ(Steps, 1);
    EXPECT_EQ(Scroller->Position(), 30);
    EXPECT_EQ(Long->Left(), -30);
    // The left-hand one goes back.
    MouseDown(Scroller, {-5, 10});
    MouseUp(Scroller, {-5, 10});
    EXPECT_EQ(Scroller->Position(), 0);
}

TEST_F(PageScrollers, AControlThatFitsNeedsNoButtons)
{
    Long->SetWidth(100);
    EXPECT_FALSE(Scroller->ButtonsShown());
    EXPECT_EQ(Scroller->ClientWidth(), 150);
    EXPECT_EQ(Long->Left(), 0);
    Scroller->SetMargin(3);
    EXPECT_EQ(Long->BoundsRect(), Bounds(3, 3, 100, 24));
    Scroller->SetOrientation(soVertical);
    Long->SetHeight(20);
    EXPECT_EQ(Long->BoundsRect(), Bounds(3, 3, 144, 20));
}

} // namespace
