// Tool buttons: what they take from their toolbar and when they stop,
// their faces in each look and state, image and caption layouts, toggle
// groups, drop-down menus (scripted) with the press that closes one, the
// action link and old form data.
#include "controls/foundation/FcColorScheme.h"
#include "controls/foundation/FcFramePainters.h"
#include "controls/foundation/FcGrafx.h"
#include "controls/foundation/FcToolButton.h"
#include "controls/foundation/FcToolbar.h"
#include "platform/actions/Menus.h"
#include "platform/classes/Filer.h"
#include "platform/forms/Screen.h"
#include "tests/controls/foundation/ButtonFixture.h"
#include "tests/support/ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace {

struct ToolButtons : TControlForm {
    TFcToolbar* Bar = nullptr;
    TImageList* Images = nullptr;
    QStringList Clicked;
    void SetUp() override
    {
        TControlForm::SetUp();
        Bar = Add<TFcToolbar>(Bounds(0, 0, 400, 32));
        Bar->SetName(QStringLiteral("Bar"));
        Images = new TImageList(Form);
        for (COLORREF C : {Cell0, Cell1, Cell2, Cell3}) {
            const auto Picture = CellGlyph(16, {C});
            Images->AddMasked(Picture.get(), clDefault);
        }
    }
    TFcToolButton* Button(const char* Name, TWinControl* Parent = nullptr)
    {
        auto* B = new TFcToolButton(Form);
        B->SetName(QString::fromLatin1(Name));
        B->SetCaption(QString::fromLatin1(Name));
        B->SetParent(Parent != nullptr ? Parent : Bar);
        B->SetOnClick([this, B](TObject*) { Clicked << B->Name(); });
        return B;
    }
    // A button of its own on the form, away from any toolbar.
    TFcToolButton* Loose(const char* Name, TRect R)
    {
        TFcToolButton* B = Button(Name, Form);
        B->SetBoundsRect(R);
        return B;
    }
};

} // namespace

TEST_F(ToolButtons, TheyTakeTheirSizeCaptionsLayoutAndLookFromTheToolbar)
{
    auto* A = Button("A");
    auto* B = Button("B");
    Bar->SetButtonWidth(40);
    Bar->SetButtonHeight(30);
    EXPECT_EQ(A->Width(), 40);
    EXPECT_EQ(A->Height(), 30);
    Bar->SetShowButtonCaptions(true);
    EXPECT_TRUE(A->ShowCaption());
    Bar->SetButtonLayout(blGlyphTop);
    EXPECT_EQ(A->Layout(), blGlyphTop);
    Bar->SetVisualStyle(vsGradient);
    Bar->SetGradientColorStyle(gcsMSOffice);
    EXPECT_EQ(A->VisualStyle(), vsGradient);
    EXPECT_EQ(A->GradientColorStyle(), gcsMSOffice);
    EXPECT_TRUE(A->UseToolbarButtonSize());
    // Set on the button itself, each stops following.
    B->SetWidth(50);
    B->SetShowCaption(false);
    B->SetLayout(blGlyphRight);
    B->SetVisualStyle(vsClassic);
    EXPECT_FALSE(B->UseToolbarButtonSize());
    EXPECT_FALSE(B->UseToolbarShowCaption());
    EXPECT_FALSE(B->UseToolbarButtonLayout());
    EXPECT_FALSE(B->UseToolbarVisualStyle());
    Bar->SetButtonWidth(45);
    Bar->SetShowButtonCaptions(false);
    Bar->SetShowButtonCaptions(true);
    Bar->SetButtonLayout(blGlyphBottom);
    Bar->SetVisualStyle(vsWinXP);
    EXPECT_EQ(B->Width(), 50);
    EXPECT_FALSE(B->ShowCaption());
    EXPECT_EQ(B->Layout(), blGlyphRight);
    EXPECT_EQ(B->VisualStyle(), vsClassic);
    EXPECT_EQ(A->Width(), 45);
    // Following again takes the toolbar's at once.
    B->SetUseToolbarButtonSize(true);
    B->SetUseToolbarVisualStyle(true);
    EXPECT_EQ(B->Width(), 45);
    EXPECT_EQ(B->VisualStyle(), vsWinXP);
}

TEST_F(ToolButtons, ACaptionWiderThanTheButtonWidensIt)
{
    auto* B = Button("Adresboek");
    B->Font()->SetName(QStringLiteral("DejaVu Sans"));
    // The size follows the toolbar's button size, with the captions as
    // they are then.
    Bar->SetButtonLayout(blGlyphTop);
    Bar->SetShowButtonCaptions(true);
    Bar->SetButtonWidth(30);
    B->Canvas()->Font()->Assign(B->Font());
    const int Text = B->Canvas()->TextWidth(B->Caption());
    ASSERT_GT(Text + 8, 30);
    EXPECT_EQ(B->Width(), Text + 8);
    // Beside its image: image, text and 12.
    B->SetImageIndex(0);
    Bar->SetImages(Images);
    Bar->SetButtonLayout(blGlyphLeft);
    Bar->SetButtonWidth(29);
    EXPECT_EQ(B->Width(), 16 + Text + 12);
    // A drop-down button has its arrow part besides.
    B->SetToolStyle(tsDropDown);
    Bar->SetButtonWidth(31);
    EXPECT_EQ(B->Width(), 16 + Text + 12 + 14);
}

TEST_F(ToolButtons, ADropDownStyleIsNeverGroupedAndWidensOnlyOnAChange)
{
    auto* B = Button("B");
    B->SetGroupIndex(3);
    B->SetToolStyle(tsDropDown);
    EXPECT_EQ(B->GroupIndex(), 0);
    EXPECT_EQ(B->Width(), 25 + 14);
    EXPECT_TRUE(B->UseToolbarButtonSize());
    B->SetToolStyle(tsDropDown);
    EXPECT_EQ(B->Width(), 25 + 14);
    B->SetGroupIndex(3);
    EXPECT_EQ(B->GroupIndex(), 0);
    B->SetToolStyle(tsButton);
    EXPECT_EQ(B->Width(), 25);
}

TEST_F(ToolButtons, AGroupKeepsOneButtonDown)
{
    auto* A = Button("A");
    auto* B = Button("B");
    A->SetGroupIndex(1);
    B->SetGroupIndex(1);
    MouseClick(A, {5, 5});
    EXPECT_TRUE(A->Down());
    MouseClick(B, {5, 5});
    EXPECT_TRUE(B->Down());
    EXPECT_FALSE(A->Down());
    EXPECT_EQ(A->State(), bsUp);
    // The raised button's next press works.
    MouseClick(A, {5, 5});
    EXPECT_TRUE(A->Down());
    EXPECT_FALSE(B->Down());
    // Pressing the down button keeps it down, and it clicks no more.
    MouseClick(A, {5, 5});
    EXPECT_TRUE(A->Down());
    EXPECT_EQ(Clicked, QStringList({"A", "B", "A"}));
    B->SetAllowAllUp(true);
    EXPECT_TRUE(A->AllowAllUp());
    MouseClick(A, {5, 5});
    EXPECT_FALSE(A->Down());
}

TEST_F(ToolButtons, ClassicAndFlatFacesFollowTheMouse)
{
    TColorStateGuard Guard(false);
    auto* B = Loose("B", Bounds(10, 60, 25, 25));
    B->SetCaption(QString());
    B->SetVisualStyle(vsClassic);
    B->SetFlat(false);
    EXPECT_TRUE(LooksLike(B, [](TCanvas& C, TRect R) { PaintFrameStyle(&C, R, fsButtonUp); }));
    MouseDown(B, {5, 5});
    EXPECT_TRUE(LooksLike(B, [](TCanvas& C, TRect R) { PaintFrameStyle(&C, R, fsLowered); }));
    MouseUp(B, {50, 50});
    // Flat: nothing until the mouse is over it.
    B->SetFlat(true);
    EXPECT_TRUE(LooksLike(B, [](TCanvas&, TRect) {}));
    MouseMove(B, {5, 5});
    EXPECT_TRUE(LooksLike(B, [](TCanvas& C, TRect R) { PaintFrameStyle(&C, R, fsPopup); }));
    MouseDown(B, {5, 5});
    EXPECT_TRUE(LooksLike(B, [](TCanvas& C, TRect R) { PaintFrameStyle(&C, R, fsStatus); }));
    MouseUp(B, {5, 5});
    // Opaque: the face colour inside the frame.
    B->SetTransparent(false);
    B->SetColor(clYellow);
    MouseMove(B, {50, 50});
    EXPECT_TRUE(LooksLike(B, [](TCanvas& C, TRect R) {
        C.Brush()->SetColor(clYellow);
        C.FillRect(R);
    }));
}

TEST_F(ToolButtons, AGradientButtonUnderTheMouseIsOutlinedAndFilled)
{
    TColorStateGuard Guard(false);
    auto* B = Loose("B", Bounds(10, 60, 25, 25));
    B->SetCaption(QString());
    B->SetVisualStyle(vsGradient);
    B->SetGradientColorStyle(gcsCustom);
    B->SetSelectionFrameColor(clRed);
    B->SetSelectionColorStart(clYellow);
    B->SetSelectionColorStop(clBlue);
    MouseMove(B, {5, 5});
    EXPECT_TRUE(LooksLike(B, [](TCanvas& C, TRect R) {
        FillGradientRect(&C, PaintBoxOutline(&C, R, clRed), gdHorizontalEnd, clYellow, clBlue, 1);
    }));
    MouseDown(B, {5, 5});
    EXPECT_TRUE(LooksLike(B, [](TCanvas& C, TRect R) {
        FillGradientRect(&C, PaintBoxOutline(&C, R, clRed), gdHorizontalEnd, clBlue, clYellow, 1);
    }));
    MouseUp(B, {5, 5});
    // The system colours when not custom.
    B->SetGradientColorStyle(gcsSystem);
    TColor Frame, Light, Fill;
    GetHotTrackColors(gcsSystem, Frame, Light, Fill);
    EXPECT_TRUE(LooksLike(B, [&](TCanvas& C, TRect R) {
        FillGradientRect(&C, PaintBoxOutline(&C, R, Frame), gdHorizontalEnd, Light, Fill, 1);
    }));
}

TEST_F(ToolButtons, ThemedFacesAreToolbarButtonElements)
{
    TThemesOn Themes;
    auto* B = Loose("B", Bounds(10, 60, 25, 25));
    B->SetCaption(QString());
    auto Element = [](auto Part) {
        return [Part](TCanvas& C, TRect R) {
            ThemeServices().DrawElement(C.Handle(), TThemeServices::GetElementDetails(Part), R);
        };
    };
    EXPECT_TRUE(LooksLike(B, Element(ttbButtonNormal)));
    MouseMove(B, {5, 5});
    EXPECT_TRUE(LooksLike(B, Element(ttbButtonHot)));
    MouseDown(B, {5, 5});
    EXPECT_TRUE(LooksLike(B, Element(ttbButtonPressed)));
    MouseUp(B, {5, 5});
    B->SetFlat(false);
    EXPECT_TRUE(LooksLike(B, Element(tbPushButtonHot)));
}

TEST_F(ToolButtons, ImageAndCaptionLayouts)
{
    auto* B = Loose("Ab", Bounds(10, 60, 80, 50));
    B->SetImages(Images);
    B->SetImageIndex(0);
    B->SetShowCaption(true);
    B->Canvas()->Font()->Assign(B->Font());
    TRect Measure = Rect(0, 0, 1000, 1000);
    DrawText(B->Canvas()->Handle(), B->Caption(), &Measure, DT_CALCRECT);
    const int TW = Measure.Width(), TH = Measure.Height();
    // The client inset by 2: (2, 2, 78, 48), 76 x 46.
    const struct {
        TButtonLayout Layout;
        TPoint Glyph, Text;
    } Cases[] = {
        {blGlyphLeft,
         {2 + (76 - (16 + 4 + TW)) / 2, 2 + (46 - 16) / 2},
         {2 + (76 - (16 + 4 + TW)) / 2 + 20, 2 + (46 - TH) / 2}},
        {blGlyphRight,
         {78 - 16 - (76 - (16 + 4 + TW)) / 2, 2 + (46 - 16) / 2},
         {78 - 16 - (76 - (16 + 4 + TW)) / 2 - TW - 4, 2 + (46 - TH) / 2}},
        {blGlyphTop,
         {2 + (76 - 16) / 2, 2 + (46 - (16 + 4 + TH)) / 2},
         {2 + (76 - TW) / 2, 2 + (46 - (16 + 4 + TH)) / 2 + 20}},
        {blGlyphBottom,
         {2 + (76 - 16) / 2, 48 - 16 - (46 - (16 + 4 + TH)) / 2},
         {2 + (76 - TW) / 2, 48 - 16 - (46 - (16 + 4 + TH)) / 2 - TH - 4}},
    };
    for (const auto& C : Cases) {
        B->SetLayout(C.Layout);
        TRect G, T;
        B->CalcLayout(G, T);
        EXPECT_EQ(G, Bounds(C.Glyph.X, C.Glyph.Y, 16, 16)) << int(C.Layout);
        EXPECT_EQ(T, Bounds(C.Text.X, C.Text.Y, TW, TH)) << int(C.Layout);
        EXPECT_TRUE(PixelIs(Shown(B), G.Left + 1, G.Top + 1, Cell0)) << int(C.Layout);
    }
    // Left-justified, the pair moves to 4 from the edge.
    B->SetLayout(blGlyphLeft);
    B->SetAlignment(taLeftJustify);
    TRect G, T;
    B->CalcLayout(G, T);
    EXPECT_EQ(G.Left, 4);
    // No caption: the image centred, and pressed a pixel down and right.
    B->SetAlignment(taCenter);
    B->SetShowCaption(false);
    B->CalcLayout(G, T);
    EXPECT_EQ(G, Bounds(2 + (76 - 16) / 2, 2 + (46 - 16) / 2, 16, 16));
    MouseDown(B, {5, 5});
    B->CalcLayout(G, T);
    EXPECT_EQ(G, Bounds(3 + (76 - 16) / 2, 3 + (46 - 16) / 2, 16, 16));
    MouseUp(B, {5, 5});
}

TEST_F(ToolButtons, TheImageShownFollowsTheState)
{
    auto* B = Loose("B", Bounds(10, 60, 25, 25));
    B->SetCaption(QString());
    B->SetImages(Images);
    B->SetImageIndex(0);
    B->SetHotIndex(1);
    B->SetDownIndex(2);
    auto Shows = [&](COLORREF Cell) { return CountColor(Shown(B), Cell, Rect(0, 0, 25, 25)) == 14 * 14; };
    EXPECT_TRUE(Shows(Cell0));
    MouseMove(B, {5, 5});
    EXPECT_TRUE(Shows(Cell1));
    MouseDown(B, {5, 5});
    EXPECT_TRUE(Shows(Cell2));
    MouseUp(B, {5, 5});
    MouseMove(B, {50, 50});
    B->SetDisabledIndex(3);
    B->SetEnabled(false);
    EXPECT_TRUE(Shows(Cell3));
    // Without its own list it shows its toolbar's.
    auto* OnBar = Button("OnBar");
    OnBar->SetImageIndex(1);
    EXPECT_EQ(OnBar->GetImages(), nullptr);
    Bar->SetImages(Images);
    EXPECT_EQ(OnBar->GetImages(), Images);
    EXPECT_EQ(OnBar->GetImageSize(), (TSize{16, 16}));
}

namespace {

struct DropDowns : ToolButtons {
    TPopupMenu* Menu = nullptr;
    TTestClock Clock;
    QStringList Chosen;
    void SetUp() override
    {
        ToolButtons::SetUp();
        Menu = new TPopupMenu(Form);
        Menu->SetName(QStringLiteral("Menu"));
        for (const char* Caption : {"Nieuw", "Openen"}) {
            auto* Item = new TMenuItem(Menu);
            Item->SetCaption(QString::fromLatin1(Caption));
            Item->SetOnClick([this, Item](TObject*) { Chosen << Item->Caption(); });
            Menu->Items()->Add(Item);
        }
    }
    TFcToolButton* DropButton(bool Split)
    {
        TFcToolButton* B = Button("Drop");
        B->SetToolStyle(tsDropDown);
        B->SetDropDownMenu(Menu);
        if (!Split)
            B->SetOnClick(nullptr);
        return B;
    }
};

} // namespace

TEST_F(DropDowns, APlainDropDownButtonOpensItsMenuAnywhereUnderItself)
{
    TScriptedPopupMenus Menus({"Openen"});
    auto* B = DropButton(false);
    int DroppedDown = 0;
    B->SetOnDropDown([&](TObject* Sender) {
        EXPECT_EQ(Sender, Menu);
        EXPECT_TRUE(B->MenuShowing());
        ++DroppedDown;
    });
    MouseClick(B, {3, 3});
    ASSERT_EQ(Menus.Shown().size(), 1u);
    EXPECT_EQ(Menus.Shown()[0].At, B->ClientToScreen({0, B->Height()}));
    EXPECT_EQ(Menus.Shown()[0].PopupComponent, B);
    EXPECT_EQ(DroppedDown, 1);
    EXPECT_EQ(Chosen, QStringList({"Openen"}));
    EXPECT_FALSE(B->MenuShowing());
    EXPECT_EQ(B->State(), bsUp);
    EXPECT_TRUE(Clicked.isEmpty());
}

TEST_F(DropDowns, APressOnTheArrowRightAfterTheMenuClosedDoesNotOpenItAgain)
{
    TScriptedPopupMenus Menus;
    auto* B = DropButton(false);
    MouseDown(B, {3, 3});
    EXPECT_EQ(Menus.Shown().size(), 1u);
    Clock.Advance(50);
    MouseDown(B, {3, 3});
    EXPECT_EQ(Menus.Shown().size(), 1u);
    // Later, it opens again; across the tick count's wrap-round as well.
    Clock.Advance(200);
    MouseDown(B, {3, 3});
    EXPECT_EQ(Menus.Shown().size(), 2u);
    Clock.Advance(DWORD(0) - Clock.Now() - 40);
    MouseDown(B, {3, 3});
    EXPECT_EQ(Menus.Shown().size(), 3u);
    Clock.Advance(60); // past zero, 60 ms later
    MouseDown(B, {3, 3});
    EXPECT_EQ(Menus.Shown().size(), 3u);
}

TEST_F(DropDowns, ASplitButtonOpensOnlyFromItsArrowAndSwallowsOnePressAfterwards)
{
    TScriptedPopupMenus Menus;
    auto* B = DropButton(true);
    ASSERT_TRUE(B->IsSplit());
    MouseClick(B, {3, 3});
    EXPECT_EQ(Clicked, QStringList({"Drop"}));
    EXPECT_TRUE(Menus.Shown().empty());
    MouseClick(B, {B->Width() - 3, 3});
    EXPECT_EQ(Menus.Shown().size(), 1u);
    // The first press on the button part right after is swallowed.
    Clock.Advance(1000);
    MouseClick(B, {3, 3});
    EXPECT_EQ(Clicked, QStringList({"Drop"}));
    MouseClick(B, {3, 3});
    EXPECT_EQ(Clicked, QStringList({"Drop", "Drop"}));
}

TEST_F(DropDowns, NearTheRightEdgeTheMenuEndsWithTheButton)
{
    TScriptedPopupMenus Menus;
    auto* B = DropButton(false);
    const TRect Work = Screen->WorkAreaRect();
    Form->SetBounds(Work.Right - 60, Work.Top + 10, 60, 100);
    B->SetBounds(10, 2, 39, 25);
    MouseDown(B, {3, 3});
    ASSERT_EQ(Menus.Shown().size(), 1u);
    TCanvas Measure;
    HDC DC = GetDC(nullptr);
    Measure.SetHandle(DC);
    Measure.Font()->Assign(Screen->MenuFont());
    const int MenuWidth =
        std::max(Measure.TextWidth(QStringLiteral("Nieuw")), Measure.TextWidth(QStringLiteral("Openen"))) + 56;
    Measure.SetHandle(nullptr);
    ReleaseDC(nullptr, DC);
    const TPoint Corner = B->ClientToScreen({0, B->Height()});
    EXPECT_EQ(Menus.Shown()[0].At, (TPoint{Corner.X - (MenuWidth - B->Width()), Corner.Y}));
}

TEST_F(DropDowns, AMenuCommandMayFreeTheButton)
{
    TScriptedPopupMenus Menus;
    auto* B = DropButton(false);
    Menus.WhileOpen = [&](TPopupMenu*) { B->Free(); };
    MouseDown(B, {3, 3});
    EXPECT_EQ(Bar->ControlList()->IndexOfControl(B), -1);
}

TEST_F(DropDowns, TheAcceleratorOpensTheMenuOrClicks)
{
    TScriptedPopupMenus Menus;
    auto* B = DropButton(false);
    B->SetCaption(QStringLiteral("&Drop"));
    PressKey(B, Qt::Key_D, Qt::AltModifier);
    EXPECT_EQ(Menus.Shown().size(), 1u);
    B->SetOnClick([this](TObject*) { Clicked << QStringLiteral("split"); });
    PressKey(B, Qt::Key_D, Qt::AltModifier);
    EXPECT_EQ(Clicked, QStringList({"split"}));
}

TEST_F(ToolButtons, TheActionGivesCheckedAndImage)
{
    TAction Action(nullptr);
    Action.SetCaption(QStringLiteral("Vet"));
    Action.SetImageIndex(2);
    auto* B = Button("B");
    B->SetGroupIndex(1);
    B->SetAllowAllUp(true);
    B->SetAction(&Action);
    EXPECT_EQ(B->ImageIndex(), 2);
    Action.SetChecked(true);
    EXPECT_TRUE(B->Down());
    Action.SetImageIndex(3);
    EXPECT_EQ(B->ImageIndex(), 3);
    const QByteArray Text = WriteComponentToText(Form);
    EXPECT_FALSE(Text.contains("ImageIndex = 3"));
    EXPECT_FALSE(Text.contains("Down = True"));
    B->SetAction(nullptr);
}

TEST_F(ToolButtons, OldFormDataIsReadIntoTheSelectionColours)
{
    auto* B = Button("B");
    ReadComponentFromText("object B: TFcToolButton\n"
                          "  GradientColorDefault = True\n"
                          "  ThemeAware = False\n"
                          "  GradientColorStart = clRed\n"
                          "  GradientColorStop = 255\n"
                          "  FrameColor = clBlue\n"
                          "  UseGradients = True\n"
                          "end\n",
                          B, QStringLiteral("old.form"));
    EXPECT_EQ(B->SelectionColorStart(), clRed);
    EXPECT_EQ(B->SelectionColorStop(), TColor(255));
    EXPECT_EQ(B->SelectionFrameColor(), clBlue);
    EXPECT_EQ(B->VisualStyle(), vsGradient);
    const QByteArray Text = WriteComponentToText(B);
    EXPECT_FALSE(Text.contains("UseGradients"));
    EXPECT_TRUE(Text.contains("VisualStyle = vsGradient"));
}

TEST_F(ToolButtons, WhatTheToolbarGivesIsNotWritten)
{
    auto* B = Button("B");
    Bar->SetButtonWidth(40);
    Bar->SetShowButtonCaptions(true);
    QByteArray Text = WriteComponentToText(B);
    for (const char* Name : {"Width", "Height", "ShowCaption", "VisualStyle", "GradientColorStyle"})
        EXPECT_FALSE(Text.contains(Name)) << Name;
    B->SetWidth(50);
    B->SetShowCaption(false);
    Text = WriteComponentToText(B);
    EXPECT_TRUE(Text.contains("Width = 50"));
    EXPECT_TRUE(Text.contains("ShowCaption = False"));
    EXPECT_TRUE(Text.contains("UseToolbarButtonSize = False"));
}
