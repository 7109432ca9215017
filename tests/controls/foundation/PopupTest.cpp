// The popup panel: where it drops down (also at the work area's edges),
// every way its loop ends and what Popup answers for each, the window
// freed afterwards, keys for the content, and a panel or remembered
// control that goes while the popup is open.  What ends a popup is queued
// before Popup runs its loop, as a user's input would be.
#include "controls/foundation/FcMessages.h"
#include "controls/foundation/FcPopupWindow.h"
#include "controls/foundation/FcPopups.h"
#include "tests/controls/foundation/ContainerFixture.h"
#include "tests/controls/foundation/PostedTasks.h"

#include "platform/classes/ComponentRef.h"
#include "platform/forms/Screen.h"
#include "platform/stdctrls/Button.h"

namespace {

struct Popup : TContainerFixture {
    TFcPopupPanel* Panel = nullptr;
    TButton* Anchor = nullptr;
    TButton* Content = nullptr;
    TPostedTasks Tasks;
    TRect Work;
    void SetUp() override
    {
        Work = Screen->WorkAreaRect();
        Form->SetBounds(Work.Left + 100, Work.Top + 100, 400, 300);
        Anchor = Add<TButton>(Bounds(150, 50, 80, 24));
        Panel = Add<TFcPopupPanel>(Bounds(10, 10, 120, 90));
        // Kept at its size: the placement is what these tests are about.
        Panel->SetAutoSize(false);
        Content = Add<TButton>(Bounds(10, 10, 60, 24), Panel);
        Form->Show();
    }
    // Where the popup window is while it is shown (screen coordinates).
    TRect Placed;
    void RecordPlaceAndClose()
    {
        Tasks.Post([this] {
            GetWindowRect(Panel->PopupWindow()->Handle(), &Placed);
            Panel->ClosePopup();
        });
    }
    TRect AnchorRect() const
    {
        const TPoint P = Anchor->ClientToScreen({0, 0});
        return Bounds(P.X, P.Y, Anchor->Width(), Anchor->Height());
    }
};

} // namespace

TEST_F(Popup, DropsDownUnderItsAnchorAsItIsAligned)
{
    const TRect A = AnchorRect();
    const struct {
        TAlignment Alignment;
        int X, Y;
        TPoint Expected;
    } Cases[] = {
        {taRightJustify, -1, -1, {A.Right - 120, A.Bottom}},
        {taLeftJustify, -1, -1, {A.Left, A.Bottom}},
        {taCenter, -1, -1, {(A.Left + A.Right - 120) / 2, A.Bottom}},
        {taRightJustify, 5, 7, {A.Left + 5, A.Top + 7}},
    };
    for (const auto& C : Cases) {
        Panel->SetAlignment(C.Alignment);
        RecordPlaceAndClose();
        EXPECT_TRUE(Panel->Popup(Anchor, C.X, C.Y));
        EXPECT_EQ(Placed, Bounds(C.Expected.X, C.Expected.Y, 120, 90)) << "alignment " << C.Alignment;
    }
}

TEST_F(Popup, AnAutoSizedPanelTakesTheSizeOfWhatItHolds)
{
    Panel->SetAutoSize(true);
    RecordPlaceAndClose();
    Panel->Popup(Anchor);
    // Border width 2 and the popup frame's 1 on every side; the button
    // moved up into the corner inside them.
    EXPECT_EQ(Placed.Width(), 60 + 2 * 3);
    EXPECT_EQ(Placed.Height(), 24 + 2 * 3);
    EXPECT_EQ(Content->BoundsRect(), Bounds(3, 3, 60, 24));
    EXPECT_EQ(Content->Parent(), Panel);
}

TEST_F(Popup, StaysInsideTheWorkArea)
{
    const struct {
        TPoint FormAt;
        TAlignment Alignment;
        std::function<TPoint(const TRect& A)> Expected;
    } Cases[] = {
        // No room below: above the anchor.
        {{Work.Left + 100, Work.Bottom - 90},
         taLeftJustify,
         [](const TRect& A) {
             return TPoint{A.Left, A.Top - 90};
         }},
        // No room to the right: against the right edge.
        {{Work.Right - 240, Work.Top + 10},
         taLeftJustify,
         [&](const TRect& A) {
             return TPoint{Work.Right - 120, A.Bottom};
         }},
        // Off the left edge: against it.
        {{Work.Left - 120, Work.Top + 10},
         taRightJustify,
         [&](const TRect& A) {
             return TPoint{Work.Left, A.Bottom};
         }},
    };
    for (const auto& C : Cases) {
        Form->SetBounds(C.FormAt.X, C.FormAt.Y, 400, 300);
        Panel->SetAlignment(C.Alignment);
        RecordPlaceAndClose();
        Panel->Popup(Anchor);
        const TPoint P = C.Expected(AnchorRect());
        EXPECT_EQ(Placed.TopLeft(), P) << "form at " << C.FormAt.X << ", " << C.FormAt.Y;
    }
}

TEST_F(Popup, TheContentMovesInAndBackAndTheWindowGoesAfterwards)
{
    bool Popped = false, Closed = false;
    Panel->SetOnPopup([&](TObject*) { Popped = true; });
    Panel->SetOnClose([&](TObject*) { Closed = true; });
    Tasks.Post([&] {
        EXPECT_EQ(Content->Parent(), Panel->PopupWindow());
        EXPECT_EQ(Panel->PopupWindow()->KeyTarget(), Content);
        EXPECT_TRUE(IsWindowVisible(Panel->PopupWindow()->Handle()));
        // A second Popup while one is shown answers false at once.
        EXPECT_FALSE(Panel->Popup(Anchor));
        Panel->ClosePopup();
    });
    EXPECT_TRUE(Panel->Popup(Anchor));
    EXPECT_TRUE(Popped);
    EXPECT_TRUE(Closed);
    EXPECT_EQ(Content->Parent(), Panel);
    EXPECT_FALSE(Panel->IsPopupShown());
    EXPECT_EQ(Panel->ComponentCount(), 1);
    PumpMessages();
    EXPECT_EQ(Panel->ComponentCount(), 0);
}

TEST_F(Popup, EscapeClosesItAndKeysGoToTheContent)
{
    std::vector<UINT> Heard;
    Content->SetWindowProc([&, Old = Content->WindowProc()](TMessage& M) {
        if (M.Msg == WM_KEYDOWN)
            Heard.push_back(UINT(M.WParam));
        Old(M);
    });
    Tasks.Post([&] {
        PostMessage(Form->Handle(), WM_KEYDOWN, 'A', 0);
        PostMessage(Form->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    });
    EXPECT_FALSE(Panel->Popup(Anchor));
    EXPECT_EQ(Heard, (std::vector<UINT>{'A', VK_ESCAPE}));
    PumpMessages();
    EXPECT_EQ(Panel->ComponentCount(), 0);
}

TEST_F(Popup, AClickInsideStaysAClickOutsideClosesAndGoesNoFurther)
{
    int Outside = 0, Inside = 0;
    Anchor->SetOnClick([&](TObject*) { ++Outside; });
    Content->SetOnClick([&](TObject*) { ++Inside; });
    Tasks.Post([&] {
        QueueMouseDown(Content, {5, 5});
        QueueMouseUp(Content, {5, 5});
        Tasks.Post([&] {
            EXPECT_TRUE(Panel->IsPopupShown());
            QueueMouseDown(Anchor, {5, 5});
            QueueMouseUp(Anchor, {5, 5});
        });
    });
    EXPECT_FALSE(Panel->Popup(Anchor));
    PumpMessages();
    EXPECT_EQ(Inside, 1);
    EXPECT_EQ(Outside, 0);
}

TEST_F(Popup, TheContentCanCloseItWithTrue)
{
    Content->SetOnClick([&](TObject*) { Panel->ClosePopup(); });
    Tasks.Post([&] {
        QueueMouseDown(Content, {5, 5});
        QueueMouseUp(Content, {5, 5});
    });
    EXPECT_TRUE(Panel->Popup(Anchor));
}

TEST_F(Popup, OtherWaysOutAllFreeTheWindow)
{
    const struct {
        const char* Way;
        std::function<void()> End;
    } Cases[] = {
        {"the program is deactivated", [] { PostMessage(nullptr, CM_DEACTIVATE, 0, 0); }},
        {"another program is activated", [&] { PostMessage(Form->Handle(), WM_ACTIVATEAPP, FALSE, 0); }},
        {"the focus goes", [&] { PostMessage(Panel->PopupWindow()->Handle(), WM_KILLFOCUS, 0, 0); }},
        {"a system command", [&] { SendMessage(Panel->PopupWindow()->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Way);
        Tasks.Post(C.End);
        EXPECT_FALSE(Panel->Popup(Anchor));
        EXPECT_EQ(Content->Parent(), Panel);
        PumpMessages();
        EXPECT_EQ(Panel->ComponentCount(), 0);
    }
}

TEST_F(Popup, TerminatingTheProgramEndsTheLoop)
{
    Tasks.Post([] { Application->Terminate(); });
    EXPECT_FALSE(Panel->Popup(Anchor));
    EXPECT_TRUE(Application->Terminated());
    RestartApplication();
    PumpMessages();
    EXPECT_EQ(Panel->ComponentCount(), 0);
}

TEST_F(Popup, APanelThatGoesWhileItIsOpenIsLeftAlone)
{
    // The content goes with the panel: only its name is asked after.
    const String ContentName = Content->Name();
    const TComponentRef<> ContentLeft(Content);
    Tasks.Post([&] { Panel->Free(); });
    EXPECT_FALSE(Panel->Popup(Anchor));
    PumpMessages();
    EXPECT_FALSE(ContentLeft);
    EXPECT_EQ(Form->FindComponent(ContentName), nullptr);
}

TEST_F(Popup, TheRememberedControlGetsTheFocusBackUnlessItWent)
{
    auto* Other = Add<TButton>(Bounds(250, 50, 80, 24));
    Other->SetFocus();
    Tasks.Post([&] { Panel->ClosePopup(); });
    Panel->Popup(Anchor);
    EXPECT_EQ(Form->ActiveControl(), Other);
    Tasks.Post([&] {
        Other->Free();
        Panel->ClosePopup();
    });
    EXPECT_TRUE(Panel->Popup(Anchor));
    EXPECT_NE(Form->ActiveControl(), Other);
}
