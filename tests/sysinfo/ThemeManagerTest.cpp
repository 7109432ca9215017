#include "sysinfo/SiXPThemeManager.h"

#include "sysinfo/SiIniCtrl.h"
#include "sysinfo/SiLibrary.h"
#include "sysinfo/SiTimerPool.h"
#include "tests/sysinfo/ThemeListener.h"

#include <gtest/gtest.h>

namespace {

// Hears which of the library's objects go, in order.
class TGoneLog : public TComponent {
public:
    using TComponent::TComponent;
    QStringList Gone;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        TComponent::Notification(AComponent, Operation);
        if (Operation == opRemove)
            Gone << AComponent->ClassName();
    }
};

// The library running; the platform's themes as they were afterwards.
struct SiLibraryTest : ::testing::Test {
    TPlatformThemesGuard Themes;
    void SetUp() override { InitializeSiLibrary(); }
    void TearDown() override { FinalizeSiLibrary(); }
};

} // namespace

TEST_F(SiLibraryTest, StartsWithApplicationAndThemeManagerAndEndsInReverse)
{
    ASSERT_NE(SiApplication, nullptr);
    ASSERT_NE(SiXPThemeManager, nullptr);
    EXPECT_FALSE(SiXPThemeManager->Hooked()); // nothing to hook: inert
    EXPECT_TRUE(SiApplication->ThemesEnabled());
    EXPECT_EQ(SiApplication->TimerPool()->MinInterval(), 50);
    EXPECT_EQ(SiApplication->TimerPool()->Count(), 0);
    EXPECT_FALSE(SiApplication->TimerPool()->TimerRunning());
    EXPECT_NE(SiApplication->IniCtrl(), nullptr);
    EXPECT_EQ(SiApplication->PerformanceFrequency(), 1000000000);
    EXPECT_EQ(SiApplication->CheckWidth(), 13);
    TGoneLog Log(nullptr);
    SiApplication->FreeNotification(&Log);
    SiXPThemeManager->FreeNotification(&Log);
    FinalizeSiLibrary();
    EXPECT_EQ(Log.Gone, (QStringList{"TSiXPThemeManager", "TSiApplication"}));
    EXPECT_EQ(SiApplication, nullptr);
    EXPECT_EQ(SiXPThemeManager, nullptr);
}

TEST_F(SiLibraryTest, TheThemeManagerAnswersAThemeChangeOnce)
{
    TListeningForm Shown;
    auto* Manager = new TSiXPThemeManager(Shown.Form);
    Manager->Hook();
    ASSERT_TRUE(Manager->Hooked());

    // Themes off on the platform: not active, nothing to answer.
    ThemeServices().SetThemesEnabled(false);
    SiApplication->UpdateThemesActive();
    Shown.Form->Perform(WM_THEMECHANGED, 0, 0);
    EXPECT_EQ(Shown.Child->LibraryNotices, 0);

    // Active: switched off and on again, and the notices that causes are
    // not answered once more.
    ThemeServices().SetThemesEnabled(true);
    SiApplication->UpdateThemesActive();
    const int Before = Shown.Child->LibraryNotices;
    Shown.Form->Perform(WM_THEMECHANGED, 0, 0);
    EXPECT_EQ(Shown.Child->LibraryNotices - Before, 2);
    EXPECT_TRUE(SiApplication->ThemesEnabled());
    EXPECT_TRUE(ThemeServices().ThemesEnabled());
}

TEST_F(SiLibraryTest, TheThemeManagerReadsTheThemesAgainWhenItsWindowIsMade)
{
    TListeningForm Shown;
    auto* Manager = new TSiXPThemeManager(Shown.Form);
    Manager->Hook();
    ThemeServices().SetThemesEnabled(false);
    SiApplication->UpdateThemesActive();
    Manager->Unhook();
    ThemeServices().SetThemesEnabled(true); // unheard
    EXPECT_FALSE(SiApplication->ThemesActive());
    Manager->Hook();
    Shown.Form->RecreateWnd();
    EXPECT_TRUE(SiApplication->ThemesActive());
}
