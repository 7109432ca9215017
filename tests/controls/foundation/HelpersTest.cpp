// The shared helpers: obsolete properties dropped from a streamed form,
// accelerator marks, text and font measures, monitors, the Windows-version
// test and the settings-location component.
#include "controls/foundation/FcPlatformHelpers.h"
#include "controls/foundation/FcRegIniFile.h"
#include "controls/foundation/FcTextHelpers.h"
#include "tests/controls/foundation/FcTestControls.h"
#include "tests/support/FormTextHelpers.h"

#include <gtest/gtest.h>

TEST(OldProperties, ObsoleteNamesOfEveryKindAreReadAndDropped)
{
    const auto Form = ReadRoot<TTestFcForm>("object F: TTestFcForm\n"
                                            "  object Old: TTestOldProps\n"
                                            "    OldBoolean = True\n"
                                            "    Tag = 7\n"
                                            "    OldIdent = fsBump\n"
                                            "    OldInteger = -12\n"
                                            "    OldSet = [akLeft, akTop]\n"
                                            "    OldSet = []\n"
                                            "    OldString = 'gone'\n"
                                            "    Hint = 'kept'\n"
                                            "  end\n"
                                            "end\n");
    auto* Old = dynamic_cast<TTestOldProps*>(Form->FindComponent(QStringLiteral("Old")));
    ASSERT_NE(Old, nullptr);
    EXPECT_EQ(Old->Tag(), 7);
    EXPECT_EQ(Old->Hint(), QStringLiteral("kept"));
    EXPECT_FALSE(WriteComponentToText(Form.get()).contains("Old" + QByteArray("Boolean")));
    // A value of the wrong kind is an error with the form's name and line.
    EXPECT_TRUE(ReadRootError<TTestFcForm>("object F: TTestFcForm\n  object Old: TTestOldProps\n"
                                           "    OldInteger = 'text'\n  end\nend\n")
                    .contains(QStringLiteral("bad.form(3)")));
}

TEST(TextHelpers, StripAccelChars)
{
    const struct {
        const char* In;
        const char* Out;
    } Cases[] = {
        {"&Open", "Open"},
        {"Save &as", "Save as"},
        {"Fish && Chips", "Fish & Chips"},
        {"&&&x", "&x"},
        {"Ends in &", "Ends in &"},
        {"&", "&"},
        {"&&", "&"},
        {"", ""},
        {"a&b&c", "abc"},
        {"&&&", "&&"},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(StripAccelChars(QString::fromUtf8(C.In)), QString::fromUtf8(C.Out)) << C.In;
}

TEST(TextHelpers, CountCharCentredRectAndMinMax)
{
    EXPECT_EQ(CountChar(QLatin1Char('&'), QString()), 0);
    EXPECT_EQ(CountChar(QLatin1Char('&'), QStringLiteral("a&&b&")), 3);
    EXPECT_EQ(CenteredRect(Rect(0, 0, 10, 10), 4, 4), Rect(3, 3, 7, 7));
    EXPECT_EQ(CenteredRect(Rect(0, 0, 10, 9), 3, 4), Rect(3, 2, 6, 6));
    // Halves round towards zero, also left of the origin.
    EXPECT_EQ(CenteredRect(Rect(-10, -10, 0, 0), 3, 3), Rect(-6, -6, -3, -3));
    EXPECT_EQ(MinInteger(-3, 2), -3);
    EXPECT_EQ(MaxInteger(-3, 2), 2);
}

TEST(TextHelpers, FontMeasuresAndTheRotatedFont)
{
    TFont Font;
    Font.SetName(QStringLiteral("DejaVu Sans"));
    Font.SetHeight(-13);
    TEXTMETRIC M;
    HDC DC = GetDC(nullptr);
    HGDIOBJ Old = SelectObject(DC, Font.Handle());
    GetTextMetrics(DC, &M);
    TSize Letters;
    GetTextExtentPoint32(DC, QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"), &Letters);
    SelectObject(DC, Old);
    ReleaseDC(nullptr, DC);
    EXPECT_EQ(GetFontHeight(&Font), M.tmHeight + 2);
    EXPECT_EQ(GetAverageCharWidth(&Font), int(std::nearbyint(Letters.cx / 52.0)));
    EXPECT_EQ(IsTrueTypeFont(&Font), (M.tmPitchAndFamily & TMPF_TRUETYPE) != 0);

    Font.SetStyle({fsBold, fsItalic, fsStrikeOut});
    Font.SetPitch(fpFixed);
    HFONT Rotated = CreateRotatedFont(&Font, 90);
    LOGFONT L;
    ASSERT_TRUE(GetObject(Rotated, L));
    EXPECT_EQ(L.lfHeight, -13);
    EXPECT_EQ(L.lfEscapement, 900);
    EXPECT_EQ(L.lfOrientation, 0);
    EXPECT_EQ(L.lfWeight, FW_BOLD);
    EXPECT_TRUE(L.lfItalic && L.lfStrikeOut && !L.lfUnderline);
    EXPECT_EQ(L.lfPitchAndFamily, FIXED_PITCH);
    EXPECT_EQ(L.lfFaceName, QStringLiteral("DejaVu Sans"));
    DeleteObject(Rotated);
}

TEST(PlatformHelpers, NoWindowsVersionRuns)
{
    for (int Code = -1; Code <= 8; ++Code)
        EXPECT_FALSE(IsWindowsVersion(Code)) << Code;
}

TEST(PlatformHelpers, MonitorsAndWorkAreas)
{
    ASSERT_GT(Screen->MonitorCount(), 0);
    TMonitor* First = Screen->Monitors(0);
    TRect Bounds, Work;
    GetMonitorBounds(First, Bounds);
    GetMonitorWorkArea(First, Work);
    EXPECT_EQ(FindMonitorAtPoint(Bounds.TopLeft()), First);
    EXPECT_EQ(FindMonitorAtPoint({-100000, -100000}), nullptr);
    // A control without a window of its own: the primary monitor's work area.
    TTestSeeThrough Loose(nullptr);
    TRect R;
    GetWorkAreaOfControl(&Loose, R);
    EXPECT_EQ(R, Screen->PrimaryMonitor()->WorkareaRect());
    EXPECT_EQ(GetWorkAreaWidth(nullptr), R.Width());
    TRect None;
    GetMonitorBounds(nullptr, None);
    EXPECT_TRUE(IsRectEmpty(None));
}

TEST(RegIniFile, SettingsChangedOnlyByAChange)
{
    std::unique_ptr<TFcRegIniFile, TComponentDeleter> Ini(new TFcRegIniFile(nullptr));
    Ini->SetRegKey(hkeyCurrentUser);
    Ini->SetRegAccess(TFcRegAccess{keyAllAccess});
    EXPECT_FALSE(Ini->SettingsChanged());
    Ini->SetSpecialFolder(sfUserDocuments);
    EXPECT_TRUE(Ini->SettingsChanged());
}
