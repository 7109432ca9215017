// Radio groups: where the items go in one or more columns, ItemIndex and
// OnClick, the keyboard (arrows within the group, Tab out of it,
// accelerators) and the group box's frame.
#include "platform/stdctrls/RadioGroup.h"
#include "platform/controls/Themes.h"
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
    int Clicks = 0;
    void SetUp() override
    {
        Form->SetBounds(0, 0, 400, 300);
        Group = Add<TRadioGroup>("Group", Bounds(10, 10, 185, 105));
        Group->SetOnClick([this](TObject*) { ++Clicks; });
    }
    void SetItems(const QStringList& Items)
    {
        Group->Items()->Clear();
        Group->Items()->AddStrings(Items);
    }
    QList<bool> CheckedStates() const
    {
        QList<bool> States;
        for (int I = 0; I < Group->Items()->Count(); ++I)
            States << Group->Buttons(I)->Checked();
        return States;
    }
    QList<bool> TabStops() const
    {
        QList<bool> Stops;
        for (int I = 0; I < Group->Items()->Count(); ++I)
            Stops << Group->Buttons(I)->TabStop();
        return Stops;
    }
};

// --- layout ----------------------------------------------------------------------------------------

// Each case gives the group a height with Spare pixels left over after
// Rows rows of 20 below the caption line, so the cells are exact.
struct TLayoutCase {
    const char* Name;
    int Columns;
    int Items;
    int Width;
    int Rows;
    int Spare;
    // Per item: column left and row, the cell width.
    std::vector<std::pair<int, int>> LeftAndRow;
    int CellWidth;
};

class RadioGroupLayout : public RadioGroups, public ::testing::WithParamInterface<TLayoutCase> {};

TEST_P(RadioGroupLayout, ItemsFillEqualCellsColumnAfterColumnBelowTheCaption)
{
    const TLayoutCase& C = GetParam();
    const int L = LineHeight(Group);
    Group->SetBounds(10, 10, C.Width, L + 5 + C.Rows * 20 + C.Spare);
    QStringList Items;
    for (int I = 0; I < C.Items; ++I)
        Items << QStringLiteral("Item %1").arg(I);
    SetItems(Items);
    Group->SetColumns(C.Columns);
    ASSERT_EQ(Group->Items()->Count(), int(C.LeftAndRow.size()));
    const int Top = L + 1 + C.Spare / 2;
    for (int I = 0; I < C.Items; ++I) {
        const auto [Left, Row] = C.LeftAndRow[std::size_t(I)];
        EXPECT_EQ(Group->Buttons(I)->BoundsRect(), Bounds(Left, Top + Row * 20, C.CellWidth, 20)) << "item " << I;
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

TEST_F(RadioGroups, ColumnsStayWithinOneToSixteenAndResizingLaysTheItemsOutAgain)
{
    SetItems({"a", "b"});
    Group->SetColumns(0);
    EXPECT_EQ(Group->Columns(), 1);
    Group->SetColumns(40);
    EXPECT_EQ(Group->Columns(), 16);
    Group->SetColumns(1);
    Group->SetBounds(10, 10, 285, 105);
    EXPECT_EQ(Group->Buttons(0)->Width(), 275);
    Form->Show();
    Group->SetBounds(10, 10, 145, 105);
    EXPECT_EQ(Group->Buttons(1)->Width(), 135);
}

// --- ItemIndex and OnClick ----------------------------------------------------------------------------

TEST_F(RadioGroups, ItemIndexChecksItsButtonAndClicksOnlyWhenAnItemBecomesChecked)
{
    SetItems({"Rood", "Groen", "Blauw"});
    EXPECT_EQ(Group->ItemIndex(), -1);
    EXPECT_EQ(Clicks, 0);
    Group->SetItemIndex(1);
    EXPECT_EQ(CheckedStates(), QList<bool>({false, true, false}));
    EXPECT_EQ(Clicks, 1);
    Group->SetItemIndex(1);
    EXPECT_EQ(Clicks, 1);
    // Beyond the items: the last one.
    Group->SetItemIndex(7);
    EXPECT_EQ(Group->ItemIndex(), 2);
    EXPECT_EQ(CheckedStates(), QList<bool>({false, false, true}));
    EXPECT_EQ(Clicks, 2);
    // None checked: nothing was chosen, so no click.
    Group->SetItemIndex(-5);
    EXPECT_EQ(Group->ItemIndex(), -1);
    EXPECT_EQ(CheckedStates(), QList<bool>({false, false, false}));
    EXPECT_EQ(Clicks, 2);
}

TEST_F(RadioGroups, ChangingTheItemsKeepsTheCheckedItemWhileItExists)
{
    SetItems({"a", "b", "c"});
    Group->SetItemIndex(2);
    Clicks = 0;
    Group->Items()->SetStrings(0, QStringLiteral("A"));
    EXPECT_EQ(Group->Buttons(0)->Caption(), QStringLiteral("A"));
    EXPECT_EQ(Group->ItemIndex(), 2);
    Group->Items()->Delete(2);
    EXPECT_EQ(Group->ItemIndex(), 1);
    EXPECT_EQ(CheckedStates(), QList<bool>({false, true}));
    Group->Items()->Clear();
    EXPECT_EQ(Group->ItemIndex(), -1);
    EXPECT_EQ(Group->ControlCount(), 0);
    EXPECT_EQ(Clicks, 0);
}

TEST_F(RadioGroups, AClickOnAnItemChoosesIt)
{
    SetItems({"Vrouw", "Man"});
    Form->Show();
    MouseClick(Group->Buttons(1), {5, 5});
    EXPECT_EQ(Group->ItemIndex(), 1);
    EXPECT_TRUE(Group->Buttons(1)->Focused());
    EXPECT_EQ(Clicks, 1);
}

TEST_F(RadioGroups, TheItemsAreEnabledAsTheGroupIs)
{
    SetItems({"a"});
    Group->SetEnabled(false);
    Group->Items()->Add(QStringLiteral("b"));
    EXPECT_FALSE(Group->Buttons(0)->Enabled());
    EXPECT_FALSE(Group->Buttons(1)->Enabled());
    Group->SetEnabled(true);
    EXPECT_TRUE(Group->Buttons(0)->Enabled() && Group->Buttons(1)->Enabled());
}

TEST_F(RadioGroups, OnlyTheCheckedItemOrElseTheFirstIsATabStop)
{
    SetItems({"a", "b", "c"});
    EXPECT_EQ(TabStops(), QList<bool>({true, false, false}));
    Group->SetItemIndex(2);
    EXPECT_EQ(TabStops(), QList<bool>({false, false, true}));
    Group->SetItemIndex(-1);
    EXPECT_EQ(TabStops(), QList<bool>({true, false, false}));
}

// --- keys --------------------------------------------------------------------------------------------

struct RadioGroupKeys : RadioGroups {
    TButton* Before = nullptr;
    TButton* After = nullptr;
    void SetUp() override
    {
        RadioGroups::SetUp();
        Before = Add<TButton>("Before", Bounds(220, 10, 75, 25));
        Before->SetTabOrder(0);
        Group->SetTabOrder(1);
        After = Add<TButton>("After", Bounds(220, 50, 75, 25));
        After->SetTabOrder(2);
        Group->SetCaption(QStringLiteral("&Gender"));
        Group->SetColumns(2);
        SetItems({"Vrou&w", "&Man", "&Onbekend"});
        Form->Show();
    }
};

TEST_F(RadioGroupKeys, ArrowsMoveWithinTheGroupCheckingTheItemTheyReach)
{
    Group->SetItemIndex(0);
    Group->Buttons(0)->SetFocus();
    Clicks = 0;
    struct {
        int Key;
        int Index;
    } const Steps[] = {{Qt::Key_Down, 1}, {Qt::Key_Right, 2}, {Qt::Key_Down, 0}, {Qt::Key_Up, 2}, {Qt::Key_Left, 1}};
    for (const auto& Step : Steps) {
        PressKey(Form, Step.Key);
        EXPECT_EQ(Group->ItemIndex(), Step.Index);
        EXPECT_TRUE(Group->Buttons(Step.Index)->Focused());
    }
    EXPECT_EQ(Clicks, 5);
}

TEST_F(RadioGroupKeys, TabLeavesTheGroupAndComesBackToTheCheckedItem)
{
    Group->SetItemIndex(1);
    Group->Buttons(1)->SetFocus();
    PressKey(Form, Qt::Key_Tab);
    EXPECT_TRUE(After->Focused());
    PressKey(Form, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(Group->Buttons(1)->Focused());
    PressKey(Form, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(Before->Focused());
    EXPECT_EQ(Group->ItemIndex(), 1);
}

TEST_F(RadioGroupKeys, TabbingIntoAGroupWithoutChoiceChoosesNothing)
{
    Before->SetFocus();
    PressKey(Form, Qt::Key_Tab);
    EXPECT_TRUE(Group->Buttons(0)->Focused());
    EXPECT_EQ(Group->ItemIndex(), -1);
    PressKey(Form, Qt::Key_Tab);
    EXPECT_TRUE(After->Focused());
    EXPECT_EQ(Clicks, 0);
    // From the first item the arrows choose as usual.
    Group->Buttons(0)->SetFocus();
    PressKey(Form, Qt::Key_Down);
    EXPECT_EQ(Group->ItemIndex(), 1);
}

TEST_F(RadioGroupKeys, AnItemsAcceleratorChecksAndFocusesIt)
{
    struct {
        int Key;
        const char* Text;
        int Index;
    } const Accels[] = {{Qt::Key_M, "m", 1}, {Qt::Key_W, "w", 0}, {Qt::Key_O, "o", 2}};
    Before->SetFocus();
    for (const auto& A : Accels) {
        PressKey(Form, A.Key, Qt::AltModifier, QString::fromLatin1(A.Text));
        EXPECT_EQ(Group->ItemIndex(), A.Index);
        EXPECT_TRUE(Group->Buttons(A.Index)->Focused());
    }
    EXPECT_EQ(Clicks, 3);
}

TEST_F(RadioGroupKeys, TheCaptionsAcceleratorGoesToTheCheckedItem)
{
    Before->SetFocus();
    PressKey(Form, Qt::Key_G, Qt::AltModifier, QStringLiteral("g"));
    EXPECT_TRUE(Group->Buttons(0)->Focused());
    EXPECT_EQ(Group->ItemIndex(), -1);
    Group->SetItemIndex(2);
    Before->SetFocus();
    PressKey(Form, Qt::Key_G, Qt::AltModifier, QStringLiteral("g"));
    EXPECT_TRUE(Group->Buttons(2)->Focused());
}

TEST_F(RadioGroupKeys, TheItemsKeysReachTheGroupsHandlers)
{
    QStringList Seen;
    Group->SetOnKeyDown([&](TObject*, WORD& Key, TShiftState) { Seen << QStringLiteral("down %1").arg(Key); });
    Group->SetOnKeyPress([&](TObject*, QChar& Key) { Seen << QStringLiteral("press %1").arg(Key); });
    Group->Buttons(0)->SetFocus();
    PressKey(Form, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    EXPECT_EQ(Seen, QStringList({"down 88", "press x"}));
}

// --- the group box ------------------------------------------------------------------------------------

TEST_F(RadioGroups, TheGroupBoxFrameRunsThroughTheCaptionLineAndTheCaptionCutsIt)
{
    auto* Box = Add<TGroupBox>("Box", Bounds(10, 130, 120, 60));
    Box->SetCaption(QString());
    Form->Show();
    const int Mid = LineHeight(Box) / 2;
    const COLORREF Shadow = ColorToRGB(clBtnShadow);
    const COLORREF Light = ColorToRGB(clBtnHighlight);
    QImage Image = PaintControlImage(Box);
    struct {
        int X, Y;
        COLORREF Color;
    } const Frame[] = {{60, Mid - 1, Shadow}, {60, Mid, Light}, {0, 30, Shadow},  {1, 30, Light},
                       {118, 30, Shadow},     {119, 30, Light}, {60, 58, Shadow}, {60, 59, Light}};
    for (const auto& P : Frame)
        EXPECT_TRUE(PixelIs(Image, P.X, P.Y, P.Color)) << P.X << "," << P.Y;
    // Everything else inside is the face.
    EXPECT_TRUE(RectHasColor(Image, Rect(2, Mid + 1, 118, 58), ColorToRGB(clBtnFace)));

    Box->SetCaption(QStringLiteral("Opmerkingen"));
    Image = PaintControlImage(Box);
    EXPECT_FALSE(PixelIs(Image, 9, Mid - 1, Shadow));
    EXPECT_TRUE(PixelIs(Image, 5, Mid - 1, Shadow));

    Box->SetCtl3D(false);
    Image = PaintControlImage(Box);
    EXPECT_TRUE(PixelIs(Image, 0, 30, ColorToRGB(clWindowFrame)));
    EXPECT_TRUE(PixelIs(Image, 119, 30, ColorToRGB(clWindowFrame)));
}

TEST_F(RadioGroups, TheThemedFrameStopsWhereTheCaptionIs)
{
    auto* Box = Add<TGroupBox>("Box", Bounds(10, 130, 160, 60));
    Box->SetCaption(QStringLiteral("Memo"));
    Form->Show();
    struct TThemesOn {
        TThemesOn() { ThemeServices().SetThemesEnabled(true); }
        ~TThemesOn() { ThemeServices().SetThemesEnabled(false); }
    } On;
    const int Top = LineHeight(Box) / 2 - 1;
    const QImage Image = PaintControlImage(Box);
    const QRgb Line = Image.pixel(150, Top);
    EXPECT_NE(Line, Image.pixel(150, Top + 5));
    EXPECT_NE(Image.pixel(10, Top), Line);
    EXPECT_EQ(Image.pixel(4, Top), Line);
}

TEST_F(RadioGroups, TheGroupBoxPutsItsChildrenBelowTheCaptionInsideTheFrame)
{
    auto* Box = Add<TGroupBox>("Box", Bounds(10, 130, 120, 60));
    auto* Inside = Add<TButton>("Inside", Bounds(0, 0, 10, 10), Box);
    Inside->SetAlign(alClient);
    Form->Show();
    EXPECT_EQ(Inside->BoundsRect(), Rect(2, LineHeight(Box) + 2, 118, 58));
}

} // namespace
