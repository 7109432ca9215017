// The XP colour scheme from the registry, and the colour sets built from
// it or from the system colours.
#include "controls/foundation/FcColorScheme.h"
#include "controls/foundation/FcColors.h"
#include "platform/windows/Themes.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/Registry.h"
#include "tests/controls/foundation/FcTestSupport.h"

#include <gtest/gtest.h>

namespace {

// Notes the scheme when WM_THEMECHANGED arrives.
class TThemeListener : public TWinControl {
public:
    explicit TThemeListener(TComponent* AOwner) : TWinControl(AOwner) {}
    int Scheme = -1;

protected:
    void WndProc(TMessage& Message) override
    {
        if (Message.Msg == WM_THEMECHANGED)
            Scheme = XpColorScheme();
        TWinControl::WndProc(Message);
    }
};

void SetSchemeName(const QString& Name)
{
    TRegIniFile Reg("\\Software\\Microsoft\\Windows\\CurrentVersion");
    Reg.WriteString("ThemeManager", "ColorName", Name);
}

} // namespace

TEST(XpColorScheme, ReadFromTheCurrentUsersThemeManagerKey)
{
    TColorStateGuard Guard(false);
    const struct {
        const char* Name;
        std::uint8_t Scheme;
    } Cases[] = {{"HomeStead", XpSchemeOlive}, {"METALLIC", XpSchemeSilver}, {"NormalColor", XpSchemeBlue},
                 {"metallic", XpSchemeSilver}, {"", XpSchemeBlue}};
    for (const auto& Case : Cases) {
        SetSchemeName(Case.Name);
        EXPECT_EQ(ReadXpColorScheme(), Case.Scheme) << Case.Name;
    }
    // Only a theme change reads the registry again.
    SetSchemeName("Homestead");
    SetXpColorScheme(XpSchemeBlue);
    EXPECT_EQ(XpColorScheme(), XpSchemeBlue);
    XpColorSchemeChanged();
    EXPECT_EQ(XpColorScheme(), XpSchemeOlive);
    // No value at all is blue too.
    TRegistry Reg;
    ASSERT_TRUE(Reg.OpenKey("\\Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager", false));
    Reg.DeleteValue("ColorName");
    EXPECT_EQ(ReadXpColorScheme(), XpSchemeBlue);
}

TEST(XpColorScheme, ThisScreenShowsManyColours)
{
    EXPECT_TRUE(ScreenHasManyColors());
    TColorStateGuard Guard(false, XpSchemeBlue, false);
    EXPECT_FALSE(ManyColors());
    SetXpColorScheme(7);
    EXPECT_EQ(XpColorScheme(), XpSchemeBlue);
}

TEST(ColorSets, OfficeStyleTakesTheSchemeRow)
{
    const struct {
        std::uint8_t Scheme;
        COLORREF Slots[8];
    } Rows[] = {
        {XpSchemeBlue, {0x800000, 0xC2EEFF, 0xA0D9FF, 0xFFEFE3, 0xEABB99, 0xBF7F57, 0xE7A27B, 0xD67563}},
        {XpSchemeOlive, {0x385D3F, 0xC2EEFF, 0xA0D9FF, 0xEDFFFF, 0x92C7B8, 0x77A17F, 0xADD9CC, 0x84BDA5}},
        {XpSchemeSilver, {0x6F4B4B, 0xC2EEFF, 0xA0D9FF, 0xFFF9F9, 0xD0BCBD, 0xB19F9F, 0xD4C8C4, 0xC8B3B1}},
    };
    for (const auto& Row : Rows) {
        SCOPED_TRACE(int(Row.Scheme));
        TColorStateGuard Guard(true, Row.Scheme);
        TColor A, B, D;
        GetHotTrackColors(gcsMSOffice, A, B, D);
        EXPECT_EQ(A, C(Row.Slots[0]));
        EXPECT_EQ(B, C(Row.Slots[1]));
        EXPECT_EQ(D, C(Row.Slots[2]));
        GetPanelGradientColors(gcsMSOffice, A, B);
        EXPECT_EQ(A, C(Row.Slots[3]));
        EXPECT_EQ(B, C(Row.Slots[4]));
        EXPECT_EQ(GetPanelFrameColor(gcsMSOffice), C(Row.Slots[5]));
        GetStatusGradientColors(gcsMSOffice, A, B, D);
        EXPECT_EQ(A, C(Row.Slots[4]));
        EXPECT_EQ(B, C(Row.Slots[3]));
        EXPECT_EQ(D, C(Row.Slots[4]));
        GetGroupBarGradientColors(gcsMSOffice, A, B);
        EXPECT_EQ(A, C(Row.Slots[6]));
        EXPECT_EQ(B, C(Row.Slots[7]));
        // With few colours the light hot-track colour is the fill.
        SetManyColors(false);
        GetHotTrackColors(gcsMSOffice, A, B, D);
        EXPECT_EQ(B, C(Row.Slots[2]));
    }
}

TEST(ColorSets, WithoutThemesOrOfficeStyleTheSystemColoursApply)
{
    // Office style asks for themes: with themes off it is the system set,
    // and so is every other style with themes on.
    const struct {
        bool Themes;
        TFcGradientColorStyle Style;
    } Cases[] = {{false, gcsMSOffice}, {true, gcsSystem}, {true, gcsCustom}};
    for (const auto& Case : Cases) {
        TColorStateGuard Guard(Case.Themes, XpSchemeOlive);
        TColor A, B, D;
        GetHotTrackColors(Case.Style, A, B, D);
        EXPECT_EQ(A, clHighlight);
        EXPECT_EQ(D, MixColors(clHighlight, clWindow, 77));
        EXPECT_EQ(B, LightenColor(D, 20));
        GetPanelGradientColors(Case.Style, A, B);
        EXPECT_EQ(A, clWindow);
        EXPECT_EQ(B, DarkenColor(clBtnFace, 10));
        EXPECT_EQ(GetPanelFrameColor(Case.Style), LightenColor(clBtnShadow, 30));
        GetStatusGradientColors(Case.Style, A, B, D);
        EXPECT_EQ(A, DarkenColor(clBtnFace, 20));
        EXPECT_EQ(B, clWindow);
        EXPECT_EQ(D, DarkenColor(clBtnFace, 40));
        GetGroupBarGradientColors(Case.Style, A, B);
        EXPECT_EQ(A, MixColors(clBlack, clBtnFace, 40));
        EXPECT_EQ(B, MixColors(clBlack, clBtnFace, 80));
        SetManyColors(false);
        GetHotTrackColors(Case.Style, A, B, D);
        EXPECT_EQ(B, D);
    }
}

TEST(ColorSets, GroupPalettesPerScheme)
{
    const auto Palette = [](TFcGradientColorStyle Style, bool Special) {
        std::array<TColor, 10> P;
        GetGroupColors(Style, Special, P[0], P[1], P[2], P[3], P[4], P[5], P[6], P[7], P[8], P[9]);
        return P;
    };
    {
        TColorStateGuard Guard(true, XpSchemeBlue);
        EXPECT_EQ(Palette(gcsMSOffice, true),
                  (std::array<TColor, 10>{C(0xC56A31), C(0xBE500F), C(0xCE5D29), C(0xFFFFFF), C(0xF7DFD6),
                                          C(0xC35E2F), C(0xDE9A6A), C(0xC56A31), C(0xFFF3EF), C(0xFFFFFF)}));
        SetXpColorScheme(XpSchemeSilver);
        EXPECT_EQ(Palette(gcsMSOffice, false),
                  (std::array<TColor, 10>{C(0xE0D7D6), C(0xFCFBFB), C(0xE0D7D6), C(0x3D3D3F), C(0x7C7C7E),
                                          C(0xFCFCFC), C(0xD1C5C3), C(0xBFB4B2), C(0xF5F1F0), C(0xFFFFFF)}));
        SetXpColorScheme(XpSchemeOlive);
        EXPECT_EQ(Palette(gcsMSOffice, false)[3], C(0x1C674B));
    }
    TColorStateGuard Guard(false, XpSchemeBlue);
    EXPECT_EQ(Palette(gcsMSOffice, true),
              (std::array<TColor, 10>{clHighlight, clHighlight, DarkenColor(clHighlight, 20), clHighlightText,
                                      LightenColor(clHighlight, 30), clHighlight, LightenColor(clHighlight, 30),
                                      clHighlight, clBtnFace, clWhite}));
    EXPECT_EQ(Palette(gcsSystem, false),
              (std::array<TColor, 10>{clBtnFace, clWindow, DarkenColor(clBtnFace, 10), DarkenColor(clHighlight, 30),
                                      clHighlight, clWindow, DarkenColor(clBtnFace, 20), clHighlight, clBtnFace,
                                      clWhite}));
    // The silver scheme greys the texts even outside Office style.
    SetXpColorScheme(XpSchemeSilver);
    const auto Silver = Palette(gcsSystem, false);
    EXPECT_EQ(Silver[3], clBlack);
    EXPECT_EQ(Silver[4], C(0x555556));
}

TEST(ColorSets, GroupItemAndTextColours)
{
    TColor C1, C2, Text, Hot, C5, C6;
    {
        TColorStateGuard Guard(true, XpSchemeOlive);
        GetGroupItemColors(gcsMSOffice, C1, C2, Text, Hot, C5, C6);
        EXPECT_EQ(C1, C(0xEDFFFF));
        EXPECT_EQ(C2, C(0x92C7B8));
        EXPECT_EQ(C5, C1);
        EXPECT_EQ(C6, C2);
        EXPECT_EQ(Text, C(0x1C674B));
        EXPECT_EQ(Hot, C(0x1D9272));
        GetGroupTextColors(gcsMSOffice, Text, Hot);
        EXPECT_EQ(Text, C(0x2D6656));
        EXPECT_EQ(Hot, C(0x1D9272));
        SetXpColorScheme(XpSchemeBlue);
        GetGroupTextColors(gcsMSOffice, Text, Hot);
        EXPECT_EQ(Text, C(0xC65D21));
    }
    TColorStateGuard Guard(false, XpSchemeBlue);
    GetGroupItemColors(gcsMSOffice, C1, C2, Text, Hot, C5, C6);
    EXPECT_EQ(C1, clWindow);
    EXPECT_EQ(Text, DarkenColor(clHighlight, 30));
    EXPECT_EQ(Hot, clHighlight);
    GetGroupTextColors(gcsSystem, Text, Hot);
    EXPECT_EQ(Text, DarkenColor(clHighlight, 30));
    SetXpColorScheme(XpSchemeSilver);
    GetGroupItemColors(gcsSystem, C1, C2, Text, Hot, C5, C6);
    EXPECT_EQ(Text, clBlack);
    EXPECT_EQ(Hot, C(0x555556));
    GetGroupTextColors(gcsSystem, Text, Hot);
    EXPECT_EQ(Text, C(0x3D3D3F));
    EXPECT_EQ(Hot, C(0x7C7C7E));
}

TEST(XpColorScheme, AThemeChangeReadsTheSchemeBeforeTheWindowsHearOfIt)
{
    TColorStateGuard Guard(false);
    TForm* Form = CreateNewForm<TForm>(nullptr);
    auto* Window = new TThemeListener(Form);
    Window->SetParent(Form);
    Form->Show();
    SetSchemeName("Metallic");
    ThemeServices().ApplyThemeChange();
    EXPECT_EQ(XpColorScheme(), XpSchemeSilver);
    EXPECT_EQ(Window->Scheme, XpSchemeSilver);
    SetSchemeName("");
    ThemeServices().ApplyThemeChange();
    EXPECT_EQ(Window->Scheme, XpSchemeBlue);
    Form->Free();
}

TEST(ThemeBridge, AnswersComeFromTheThemeServices)
{
    TColorStateGuard Guard(false);
    FcThemeBridge() = TFcThemeBridge();
    EXPECT_FALSE(FcThemesEnabled());
    EXPECT_EQ(GetThemedColor(0), clBtnFace);
    ThemeServices().SetThemesEnabled(true);
    ASSERT_TRUE(ThemeServices().ThemesEnabled());
    EXPECT_TRUE(FcThemesEnabled());
    EXPECT_EQ(GetThemedColor(0),
              ThemeServices().GetThemeColor(TThemeServices::GetElementDetails(teEditRoot), TMT_BORDERCOLOR));
    EXPECT_EQ(GetThemedColor(6),
              ThemeServices().GetThemeColor(TThemeServices::GetElementDetails(tbGroupBoxNormal), TMT_TEXTCOLOR));
    ThemeServices().SetThemesEnabled(false);
}
