#include "sysinfo/SiWndProcComponent.h"

#include "platform/classes/TypInfo.h"
#include "platform/forms/Forms.h"
#include "tests/support/FormTextHelpers.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr UINT WM_PROBE = WM_USER + 7;

// Records the owner's messages it sees, and answers none of them itself.
class TRecordingHook : public TSiWndProcComponent {
public:
    using TSiWndProcComponent::TSiWndProcComponent;
    std::vector<UINT> Seen;

protected:
    void WndProc(TMessage& Message) override
    {
        if (Message.Msg >= WM_USER || Message.Msg == CM_RECREATEWND || Message.Msg == WM_DESTROY)
            Seen.push_back(Message.Msg);
        TSiWndProcComponent::WndProc(Message);
    }
};

// A form that answers the probe message itself, so the tests can tell
// that the hook passed it on.
class THookedForm : public TForm {
public:
    using TForm::TForm;
    TRecordingHook* Hook1 = nullptr;
    int Probes = 0;

protected:
    void WndProc(TMessage& Message) override
    {
        if (Message.Msg == WM_PROBE) {
            ++Probes;
            Message.Result = 99;
            return;
        }
        TForm::WndProc(Message);
    }
};

struct SiHook : ::testing::Test {
    THookedForm* Form = CreateNewForm<THookedForm>(nullptr);
    void TearDown() override { Form->Free(); }
};

} // namespace

REGISTER_COMPONENT(TRecordingHook, TComponent)
END_REGISTER
REGISTER_COMPONENT(THookedForm, TForm)
    PUBLISHED_FIELD(Hook1)
END_REGISTER

TEST_F(SiHook, TheHookSeesTheOwnersMessagesAndPassesThemOn)
{
    auto* Hook = new TRecordingHook(Form);
    Hook->Hook();
    ASSERT_TRUE(Hook->Hooked());
    EXPECT_EQ(Form->Perform(WM_PROBE, 0, 0), 99);
    EXPECT_EQ(Hook->Seen, std::vector<UINT>{WM_PROBE});
    EXPECT_EQ(Form->Probes, 1);
    Hook->Unhook();
    Form->Perform(WM_PROBE, 0, 0);
    EXPECT_EQ(Hook->Seen.size(), 1u);
    EXPECT_EQ(Form->Probes, 2);
}

TEST_F(SiHook, DestructionTakesTheHookOutCleanly)
{
    auto* Hook = new TRecordingHook(Form);
    Hook->Hook();
    Hook->Free();
    EXPECT_EQ(Form->Perform(WM_PROBE, 0, 0), 99);
    EXPECT_EQ(Form->Probes, 1);
    // And with its owner: the form frees the hook while it goes.
    auto* Second = new TRecordingHook(Form);
    Second->Hook();
}

TEST_F(SiHook, AHookPutInLaterSurvivesTheEarlierOnesUnhooking)
{
    auto* First = new TRecordingHook(Form);
    First->Hook();
    auto* Second = new TRecordingHook(Form);
    Second->Hook();
    First->Free(); // cannot take itself out from below: its link only passes on
    EXPECT_EQ(Form->Perform(WM_PROBE, 0, 0), 99);
    EXPECT_EQ(Second->Seen, std::vector<UINT>{WM_PROBE});
    Second->Free();
    EXPECT_EQ(Form->Perform(WM_PROBE, 0, 0), 99);
    EXPECT_EQ(Form->Probes, 2);
}

TEST_F(SiHook, OnlyAnEnabledHookOfAWindowedOwnerHooks)
{
    auto* Disabled = new TRecordingHook(Form);
    Disabled->SetEnabled(false);
    Disabled->Hook();
    EXPECT_FALSE(Disabled->Hooked());
    TComponent Plain(nullptr);
    auto* Ownerless = new TRecordingHook(&Plain);
    Ownerless->Hook();
    EXPECT_FALSE(Ownerless->Hooked());
    TRecordingHook NoOwner(nullptr);
    NoOwner.Hook();
    EXPECT_FALSE(NoOwner.Hooked());
}

TEST(SiHookLoading, AHookReadFromADefinitionHooksAfterLoading)
{
    auto Form = ReadRoot<THookedForm>("object HookedForm: THookedForm\n"
                                      "  object Hook1: TRecordingHook\n  end\n"
                                      "end\n");
    ASSERT_NE(Form->Hook1, nullptr);
    EXPECT_TRUE(Form->Hook1->Hooked());
    Form->Perform(WM_PROBE, 0, 0);
    EXPECT_EQ(Form->Hook1->Seen, std::vector<UINT>{WM_PROBE});
}

TEST_F(SiHook, AnMDIChildIsHookedAgainWhenItsWindowIsMadeAgain)
{
    Form->SetFormStyle(fsMDIChild);
    Form->HandleNeeded();
    auto* Hook = new TRecordingHook(Form);
    Hook->Hook();
    EXPECT_EQ(Hook->HookMode(), 1);
    Form->RecreateWnd();
    // The old window's end took the hook out; the new window has it again.
    EXPECT_EQ(Hook->Seen, (std::vector<UINT>{CM_RECREATEWND, WM_DESTROY}));
    EXPECT_TRUE(Hook->Hooked());
    EXPECT_EQ(Form->Perform(WM_PROBE, 0, 0), 99);
    EXPECT_EQ(Hook->Seen.back(), WM_PROBE);
}
