// Shortcuts and their classic names, both ways.
#include "platform/actions/Menus.h"

#include <gtest/gtest.h>

namespace {

struct TNamed {
    TShortCut Key;
    const char* Text;
};

const TNamed Named[] = {
    {TShortCut(unsigned(scAlt) | 'X'), "Alt+X"},
    {TShortCut(VK_F(1)), "F1"},
    {TShortCut(VK_F(12) | unsigned(scShift)), "Shift+F12"},
    {TShortCut(unsigned(scCtrl) | 'F'), "Ctrl+F"},
    {TShortCut(unsigned(scCtrl) | VK_PRIOR), "Ctrl+PgUp"},
    {TShortCut(unsigned(scCtrl) | VK_NEXT), "Ctrl+PgDn"},
    {TShortCut(unsigned(scCtrl) | VK_RETURN), "Ctrl+Enter"},
    {TShortCut(unsigned(scCtrl) | VK_DELETE), "Ctrl+Del"},
    {TShortCut(unsigned(scShift) | unsigned(scCtrl) | unsigned(scAlt) | '5'), "Shift+Ctrl+Alt+5"},
    {TShortCut(VK_INSERT), "Ins"},
    {TShortCut(VK_ESCAPE), "Esc"},
    {TShortCut(VK_BACK | unsigned(scAlt)), "Alt+BkSp"},
    {TShortCut(VK_SPACE | unsigned(scCtrl)), "Ctrl+Space"},
    {TShortCut(VK_TAB), "Tab"},
    {TShortCut(VK_HOME), "Home"},
    {TShortCut(VK_END), "End"},
    {TShortCut(VK_LEFT), "Left"},
    {TShortCut(VK_DOWN | unsigned(scShift)), "Shift+Down"},
    {TShortCut(VK_NUMPAD0 + 7), "Num 7"},
    {TShortCut(VK_ADD | unsigned(scCtrl)), "Ctrl+Num +"},
};

TEST(ShortCuts, TextAndShortCutRoundTrip)
{
    for (const TNamed& N : Named) {
        EXPECT_EQ(ShortCutToText(N.Key), QString::fromLatin1(N.Text));
        EXPECT_EQ(TextToShortCut(QString::fromLatin1(N.Text)), N.Key) << N.Text;
    }
}

TEST(ShortCuts, ReadingIgnoresCaseAndAcceptsTheLongNames)
{
    const std::pair<const char*, TShortCut> Read[] = {
        {"ctrl+f", TShortCut(unsigned(scCtrl) | 'F')},
        {"Ctrl+PageUp", TShortCut(unsigned(scCtrl) | VK_PRIOR)},
        {"Ctrl+PageDown", TShortCut(unsigned(scCtrl) | VK_NEXT)},
        {"Ctrl+Delete", TShortCut(unsigned(scCtrl) | VK_DELETE)},
        {"  Alt+X ", TShortCut(unsigned(scAlt) | 'X')},
        {"Ctrl+", 0},
        {"Ctrl+Nothing", 0},
        {"", 0},
    };
    for (const auto& [Text, Key] : Read)
        EXPECT_EQ(TextToShortCut(QString::fromLatin1(Text)), Key) << Text;
    EXPECT_EQ(ShortCutToText(0), QString());
}

TEST(ShortCuts, ShortCutPacksKeyAndShiftState)
{
    EXPECT_EQ(ShortCut('S', false, true, false), TShortCut(unsigned(scCtrl) | 'S'));
    WORD Key = 0;
    bool Shift = false, Ctrl = false, Alt = false;
    ShortCutToKey(TShortCut(unsigned(scShift) | unsigned(scAlt) | VK_F(4)), Key, Shift, Ctrl, Alt);
    EXPECT_EQ(Key, WORD(VK_F(4)));
    EXPECT_TRUE(Shift && Alt && !Ctrl);
}

TEST(ShortCuts, HotkeysOfCaptions)
{
    EXPECT_EQ(GetHotkey(QStringLiteral("&Open")), QChar('O'));
    EXPECT_EQ(GetHotkey(QStringLiteral("Save && &Close")), QChar('C'));
    EXPECT_EQ(GetHotkey(QStringLiteral("No hotkey &")), QChar());
    EXPECT_TRUE(IsAccel('o', QStringLiteral("&Open")));
    EXPECT_EQ(StripHotkey(QStringLiteral("Save && &Close")), QStringLiteral("Save & Close"));
}

} // namespace
