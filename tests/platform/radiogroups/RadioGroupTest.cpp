// Radio groups: where the items go in one or more columns, ItemIndex and
// OnClick, the keyboard (arrows within the group, Tab out of it,
// accelerators) and the group box's frame.
#include "platform/stdctrls/RadioGroup.h"
#include "platform/windows/Themes.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/GroupBox.h"
#include "platform/stdctrls/RadioButton.h"
#include "tests/platform/buttons/FormFixture.h"
#include "tests/support/ImageHelpers.h"
#include "tests/support/WindowHelpers.h"

#include <gtest/gtest.h>

namespace {

// The height of a line of Control's font: the caption's line.
int LineHeight(TControl* Control)
{
    HDC DC = GetDC(nullptr);
    HGDIOBJ Old = SelectObject(DC, Control->Font()->Handle());
    TEXTMETRIC M;
    GetTextMetrics(DC, &M);
    SelectObject(DC, Old);
    ReleaseDC(nullptr, DC);
    return M.tmHeight;
}

struct RadioGroups : TFormFixture {
    TRadioGroup* Group = nullptr;
    TButton* Before = nullptr;
    TButton* After = nullptr;
    int Clicks = 0;
    void SetUp() override
    {
        Form->SetBounds(0, 0, 400, 300);
        Before = Add<TButton>("Before", Bounds(220, 10, 75, 25));
        Group = Add<TRadioGroup>("Group", Bounds(10, 10, 185, 105));
        After = Add<TButton>("After", Bounds(220, 50, 75, 25));
        Group->SetCaption(QStringLiteral("&Gender"));
        Group->SetOnClick([this](TObject*) { ++Clicks; });
    }
    void SetItems(const QStringList& Items)
    {
        Group->Items()->Clear();
        Group->Items()->AddStrings(Items);
    }
    QList<bool> Checked() const
    {
        QList<bool> States;
        for (int I = 0; I < Group->Items()->Count(); ++I)
            States << Group->Buttons(I)->Checked();
        return States;
    }
};

// --- layout ----------------------------------------------------------------------------------------

// Each case gives the group a height with Spare pixels left over after
// Rows rows of 20 below the caption line, so the cells are exact.
struct TLayoutCase {
    const char* Name;
    int Columns, Items, Width, Rows, Spare;
    std::vector<std::pair<int, int>> LeftAndRow; // per item
    int CellWidth;
};

class RadioGroupLayout : public RadioGroups, public ::testing::WithParamInterface<TLayoutCase> {};

TEST_P(RadioGroupLayout, ItemsFillEqualCellsColumnAfterColumnBelowTheCaption)
{
    const TLayoutCase& C = GetParam();
    const int L = LineHeight(Group);
    Group->SetBounds(10, 10, C.Width, L + 5 + C.Rows * 20 + C.Spare);
    for (int I = 0; I < C.Items; ++I)
        Group->Items()->Add(QStringLiteral("Item %1").arg(I));
    Group->SetColumns(C.Columns);
    for (int I = 0; I < C.Items; ++I) {
        const auto [Left, Row] = C.LeftAndRow[std::size_t(I)];
        EXPECT_EQ(Group->Buttons(I)->BoundsRect(), Bounds(Left, L + 1 + C.Spare / 2 + Row * 20, C.CellWidth, 20))
            << "item " << I;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Columns, RadioGroupLayout,
    ::testing::Values(TLayoutCase{"OneColumn", 1, 3, 185, 3, 2, {{8, 0}, {8, 1}, {8, 2}}, 175},
                      TLayoutCase{"TwoColumnsSideBySide", 2, 2, 185, 1, 0, {{8, 0}, {95, 0}}, 87},
                      TLayoutCase{
                          "TwoColumnsFirstFuller", 2, 5, 185, 3, 0, {{8, 0}, {8, 1}, {8, 2}, {95, 0}, {95, 1}}, 87},
                      TLayoutCase{"ThreeColumnsOneEmpty", 3, 4, 190, 2, 1, {{8, 0}, {8, 1}, {68, 0}, {68, 1}}, 60}),
    [](const ::testing::TestParamInfo<TLayoutCase>& Info) { return std::string(Info.param.Name); });

TEST_F(RadioGroups, ColumnsStayWithinOneToSixteenAndAResizeLaysTheItemsOutAgain)
{
    SetItems({"a", "b"});
    Group->SetColumns(0);
    EXPECT_EQ(Group->Columns(), 1);
    Group->SetColumns(40);
    EXPECT_EQ(Group->Columns(), 16);
    Group->SetColumns(1);
    Group->SetBounds(10, 10, 285, 105);
    EXPECT_EQ(Group->Buttons(0)->Width(), 275);
}

// --- ItemIndex, the items and OnClick ----------------------------------------------------------------

TEST_F(RadioGroups, ItemIndexChecksItsItemAndClicksOnlyWhenAnItemBecomesChecked)
{
    SetItems({"Rood", "Groen", "Blauw"});
    const struct {
        int Set, Index, Clicks;
        QList<bool> Checked;
    } Steps[] = {{1, 1, 1, {false, true, false}},
                 {1, 1, 1, {false, true, false}},
                 {7, 2, 2, {false, false, true}}, // beyond the items: the last
                 {-5, -1, 2, {false, false, false}}}; // none: no choice, no click
    for (const auto& S : Steps) {
        Group->SetItemIndex(S.Set);
        EXPECT_EQ(Group->ItemIndex(), S.Index) << S.Set;
        EXPECT_EQ(Checked(), S.Checked) << S.Set;
        EXPECT_EQ(Clicks, S.Clicks) << S.Set;
    }
}

TEST_F(RadioGroups, ChangingTheItemsKeepsTheCheckedItemWhileItExistsAndClicksNothing)
{
    SetItems({"a", "b", "c"});
    Group->SetItemIndex(2);
    Clicks = 0;
    Group->Items()->SetStrings(0, QStringLiteral("A"));
    EXPECT_EQ(Group->Buttons(0)->Caption(), QStringLiteral("A"));
    Group->Items()->Delete(2);
    EXPECT_EQ(Checked(), QList<bool>({false, true}));
    Group->Items()->Clear();
    EXPECT_EQ(Group->ItemIndex(), -1);
    EXPECT_EQ(Group->ControlCount(), 0);
    EXPECT_EQ(Clicks, 0);
}

// --- keys --------------------------------------------------------------------------------------------

struct RadioGroupKeys : RadioGroups {
    void SetUp() override
    {
        RadioGroups::SetUp();
        SetItems({"Vrou&w", "&Man", "&Onbekend"});
        Form->Show();
    }
};

TEST_F(RadioGroupKeys, ArrowsMoveWithinTheGroupCheckingTheItemTheyReach)
{
    Group->SetItemIndex(0);
    Group->Buttons(0)->SetFocus();
    Clicks = 0;
    const struct {
        int Key, Index;
    } Steps[] = {{Qt::Key_Down, 1}, {Qt::Key_Right, 2}, {Qt::Key_Down, 0}, {Qt::Key_Up, 2}, {Qt::Key_Left, 1}};
    for (const auto& Step : Steps) {
        PressKey(Form, Step.Key);
        EXPECT_EQ(Group->ItemIndex(), Step.Index);
        EXPECT_TRUE(Group->Buttons(Step.Index)->Focused());
    }
    EXPECT_EQ(Clicks, 5);
}

TEST_F(RadioGroupKeys, TabStopsAtTheCheckedItemOnlyOrAtTheFirstWithoutChoosingIt)
{
    Before->SetFocus();
    PressKey(Form, Qt::Key_Tab);
    EXPECT_TRUE(Group->Buttons(0)->Focused());
    PressKey(Form, Qt::Key_Tab);
    EXPECT_TRUE(After->Focused());
    EXPECT_EQ(Group->ItemIndex(), -1);
    Group->SetItemIndex(1);
    PressKey(Form, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(Group->Buttons(1)->Focused());
    PressKey(Form, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(Before->Focused());
    EXPECT_EQ(Clicks, 1);
}

TEST_F(RadioGroupKeys, AnItemsAcceleratorChecksItAndTheCaptionsGoesToTheCheckedItem)
{
    const struct {
        int Key;
        const char* Text;
        int Focused, Index;
    } Steps[] = {{Qt::Key_G, "g", 0, -1}, {Qt::Key_M, "m", 1, 1}, {Qt::Key_O, "o", 2, 2}, {Qt::Key_G, "g", 2, 2}};
    for (const auto& S : Steps) {
        Before->SetFocus();
        PressKey(Form, S.Key, Qt::AltModifier, QString::fromLatin1(S.Text));
        EXPECT_TRUE(Group->Buttons(S.Focused)->Focused()) << S.Text;
        EXPECT_EQ(Group->ItemIndex(), S.Index) << S.Text;
    }
    EXPECT_EQ(Clicks, 2);
}

// --- the group box ------------------------------------------------------------------------------------

TEST_F(RadioGroups, TheGroupBoxFrameRunsThroughTheCaptionLineAndTheCaptionCutsIt)
{
    auto* Box = Add<TGroupBox>("Box", Bounds(10, 130, 120, 60));
    auto* Inside = Add<TButton>("Inside", Bounds(0, 0, 10, 10), Box);
    Inside->SetAlign(alClient);
    Box->SetCaption(QString());
    Form->Show();
    const int Mid = LineHeight(Box) / 2;
    EXPECT_EQ(Inside->BoundsRect(), Rect(2, LineHeight(Box) + 2, 118, 58));
    Inside->SetVisible(false);
    const COLORREF Shadow = ColorToRGB(clBtnShadow), Light = ColorToRGB(clBtnHighlight);
    QImage Image = PaintControlImage(Box);
    const struct {
        int X, Y;
        COLORREF Color;
    } Frame[] = {{60, Mid - 1, Shadow}, {60, Mid, Light}, {0, 30, Shadow},  {1, 30, Light},
                 {118, 30, Shadow},     {119, 30, Light}, {60, 58, Shadow}, {60, 59, Light}};
    for (const auto& P : Frame)
        EXPECT_TRUE(PixelIs(Image, P.X, P.Y, P.Color)) << P.X << "," << P.Y;
    EXPECT_TRUE(RectHasColor(Image, Rect(2, Mid + 1, 118, 58), ColorToRGB(clBtnFace)));

    Box->SetCaption(QStringLiteral("Opmerkingen"));
    Image = PaintControlImage(Box);
    EXPECT_FALSE(PixelIs(Image, 9, Mid - 1, Shadow));
    EXPECT_TRUE(PixelIs(Image, 5, Mid - 1, Shadow));
    // Themed, the caption interrupts the theme's frame the same way.
    ThemeServices().SetThemesEnabled(true);
    Image = PaintControlImage(Box);
    ThemeServices().SetThemesEnabled(false);
    const QRgb Line = Image.pixel(110, Mid - 1);
    EXPECT_NE(Line, Image.pixel(110, Mid + 4));
    EXPECT_NE(Image.pixel(10, Mid - 1), Line);
    EXPECT_EQ(Image.pixel(4, Mid - 1), Line);
}

} // namespace
