// Push buttons, check boxes and radio buttons: modal results, default and
// cancel buttons, the pressed look, the check cycle and its clicks, radio
// groups, accelerators, action links and the painted faces.
#include "platform/windows/Themes.h"
#include "platform/forms/Timer.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ExtCtrls.h"
#include "platform/stdctrls/RadioButton.h"
#include "platform/stdctrls/SpeedButton.h"
#include "tests/platform/buttons/FormFixture.h"
#include "tests/support/ImageHelpers.h"
#include "tests/support/WindowHelpers.h"

#include <gtest/gtest.h>

namespace {

struct Buttons : TFormFixture {
    QStringList Clicked;

    // Named, on Parent, recording its clicks.
    template <typename T>
    T* Add(const char* Name, TRect R, TWinControl* Parent = nullptr)
    {
        T* C = TFormFixture::Add<T>(Name, R, Parent);
        C->SetOnClick([this, C](TObject*) { Clicked << C->Name(); });
        return C;
    }
    void SetUp() override { Form->SetBounds(0, 0, 320, 200); }

    // Runs Form modally; Script runs once the loop is going.
    TModalResult RunModal(const std::function<void()>& Script)
    {
        TTimer Later(nullptr);
        Later.SetInterval(1);
        Later.SetOnTimer([&](TObject*) {
            Later.SetEnabled(false);
            Script();
            // Whatever the script did, the loop ends.
            if (Form->ModalResult() == mrNone)
                Form->SetModalResult(mrAbort);
        });
        return Form->ShowModal();
    }
};

// --- push buttons ---------------------------------------------------------------------------------

TEST_F(Buttons, AClickEndsTheModalFormWithTheButtonsModalResult)
{
    auto* OK = Add<TButton>("OK", Bounds(10, 10, 75, 25));
    OK->SetModalResult(mrOk);
    EXPECT_EQ(RunModal([&] { MouseClick(OK, {5, 5}); }), mrOk);
    EXPECT_EQ(Clicked, QStringList({"OK"}));
    EXPECT_FALSE(Form->Visible());
}

TEST_F(Buttons, EnterPressesTheDefaultButtonAndEscapeTheCancelButton)
{
    auto* OK = Add<TButton>("OK", Bounds(10, 10, 75, 25));
    OK->SetDefault(true);
    OK->SetModalResult(mrOk);
    auto* Cancel = Add<TButton>("Cancel", Bounds(90, 10, 75, 25));
    Cancel->SetCancel(true);
    Cancel->SetModalResult(mrCancel);
    auto* Other = Add<TCheckBox>("Other", Bounds(10, 50, 97, 17));
    Form->SetActiveControl(Other);

    EXPECT_EQ(RunModal([&] { PressKey(Form, Qt::Key_Return); }), mrOk);
    EXPECT_EQ(RunModal([&] { PressKey(Form, Qt::Key_Escape); }), mrCancel);
    // A shift key held makes Enter no dialog key.
    EXPECT_EQ(RunModal([&] { PressKey(Form, Qt::Key_Return, Qt::ShiftModifier); }), mrAbort);
    EXPECT_EQ(Clicked, QStringList({"OK", "Cancel"}));
}

TEST_F(Buttons, AFocusedButtonTakesEnterAndWearsTheDefaultFrameMeanwhile)
{
    auto* OK = Add<TButton>("OK", Bounds(10, 10, 75, 25));
    OK->SetDefault(true);
    auto* Other = Add<TButton>("Other", Bounds(90, 10, 75, 25));
    auto* Box = Add<TCheckBox>("Box", Bounds(10, 50, 97, 17));
    Form->Show();
    Box->SetFocus();
    EXPECT_TRUE(OK->Active());
    EXPECT_FALSE(Other->Active());

    Other->SetFocus();
    EXPECT_FALSE(OK->Active());
    EXPECT_TRUE(Other->Active());
    PressKey(Form, Qt::Key_Return);
    EXPECT_EQ(Clicked, QStringList({"Other"}));

    // Back on a control that is no button, the default button is again.
    Box->SetFocus();
    EXPECT_TRUE(OK->Active());
    OK->SetDefault(false);
    EXPECT_FALSE(OK->Active());
}

TEST_F(Buttons, TheDefaultButtonHasAOnePixelWindowFrameOutsideItsFace)
{
    auto* OK = Add<TButton>("OK", Bounds(10, 10, 75, 25));
    auto* Plain = Add<TButton>("Plain", Bounds(90, 10, 75, 25));
    OK->SetDefault(true);
    Form->Show();
    const QImage Framed = PaintControlImage(OK);
    const QImage Bare = PaintControlImage(Plain);
    const COLORREF Frame = ColorToRGB(clWindowFrame);
    for (const TRect& Side : {Rect(0, 0, 75, 1), Rect(0, 24, 75, 25), Rect(0, 0, 1, 25), Rect(74, 0, 75, 25)})
        EXPECT_TRUE(RectHasColor(Framed, Side, Frame));
    // Inside the frame the raised face starts: its highlight at (1, 1).
    EXPECT_TRUE(PixelIs(Framed, 1, 1, ColorToRGB(clBtnHighlight)));
    // Without the frame the face starts at the edge.
    EXPECT_TRUE(PixelIs(Bare, 0, 0, ColorToRGB(clBtnHighlight)));
    EXPECT_TRUE(PixelIs(Bare, 74, 24, ColorToRGB(cl3DDkShadow)));
}

TEST_F(Buttons, AReleaseOutsideThePressedButtonDoesNotClick)
{
    auto* B = Add<TButton>("B", Bounds(10, 10, 75, 25));
    Form->Show();
    MouseDown(B, {5, 5});
    EXPECT_TRUE(B->Focused());
    EXPECT_EQ(B->Perform(BM_GETSTATE, 0, 0) & BST_PUSHED, LRESULT(BST_PUSHED));
    MouseMove(B, {100, 5}, Qt::LeftButton);
    EXPECT_EQ(B->Perform(BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
    MouseUp(B, {100, 5});
    EXPECT_TRUE(Clicked.isEmpty());
    // The last pixel inside still counts.
    MouseDown(B, {5, 5});
    MouseUp(B, {74, 24});
    EXPECT_EQ(Clicked, QStringList({"B"}));
}

TEST_F(Buttons, TheSpaceBarClicksOnReleaseAndTheAcceleratorAtOnce)
{
    auto* B = Add<TButton>("B", Bounds(10, 10, 75, 25));
    B->SetCaption(QStringLiteral("&Opslaan"));
    auto* Box = Add<TCheckBox>("Box", Bounds(10, 50, 97, 17));
    Form->Show();
    B->SetFocus();
    KeyDown(Form, Qt::Key_Space);
    EXPECT_TRUE(Clicked.isEmpty());
    KeyUp(Form, Qt::Key_Space);
    EXPECT_EQ(Clicked, QStringList({"B"}));
    Box->SetFocus();
    PressKey(Form, Qt::Key_O, Qt::AltModifier, QStringLiteral("o"));
    EXPECT_EQ(Clicked, QStringList({"B", "B"}));
    // The accelerator does not move the focus.
    EXPECT_TRUE(Box->Focused());
}

TEST_F(Buttons, ADisabledButtonTakesNoClicksNorDialogKeys)
{
    auto* OK = Add<TButton>("OK", Bounds(10, 10, 75, 25));
    OK->SetDefault(true);
    OK->SetCaption(QStringLiteral("&OK"));
    auto* Box = Add<TCheckBox>("Box", Bounds(10, 50, 97, 17));
    Form->Show();
    Box->SetFocus();
    OK->SetEnabled(false);
    MouseClick(OK, {5, 5});
    PressKey(Form, Qt::Key_Return);
    PressKey(Form, Qt::Key_O, Qt::AltModifier, QStringLiteral("o"));
    EXPECT_TRUE(Clicked.isEmpty());
}

// --- check boxes -----------------------------------------------------------------------------------

TEST_F(Buttons, CheckBoxClicksCycleThroughTheStates)
{
    struct TCase {
        bool AllowGrayed;
        std::vector<TCheckBoxState> After;
    };
    for (const TCase& C :
         {TCase{false, {cbChecked, cbUnchecked, cbChecked}}, TCase{true, {cbGrayed, cbChecked, cbUnchecked}}}) {
        auto* Box = Add<TCheckBox>("Box", Bounds(10, 10, 97, 17));
        Box->SetAllowGrayed(C.AllowGrayed);
        Form->Show();
        for (TCheckBoxState Expected : C.After) {
            MouseClick(Box, {5, 8});
            EXPECT_EQ(Box->State(), Expected) << "AllowGrayed " << C.AllowGrayed;
            EXPECT_EQ(Box->Perform(BM_GETCHECK, 0, 0), LRESULT(Expected));
        }
        EXPECT_EQ(Clicked.size(), 3);
        Clicked.clear();
        delete Box;
    }
}

TEST_F(Buttons, EveryChangeOfStateClicksAndTheSameValueDoesNot)
{
    auto* Box = Add<TCheckBox>("Box", Bounds(10, 10, 97, 17));
    Box->SetChecked(true);
    EXPECT_EQ(Clicked.size(), 1);
    Box->SetChecked(true);
    EXPECT_EQ(Clicked.size(), 1);
    Box->SetState(cbGrayed);
    EXPECT_FALSE(Box->Checked());
    EXPECT_EQ(Clicked.size(), 2);
    Box->SetClicksDisabled(true);
    Box->SetChecked(false);
    EXPECT_EQ(Clicked.size(), 2);
}

TEST_F(Buttons, CheckBoxSpaceBarAndAcceleratorToggleAndFocus)
{
    auto* Box = Add<TCheckBox>("Box", Bounds(10, 10, 97, 17));
    Box->SetCaption(QStringLiteral("&Actief"));
    auto* B = Add<TButton>("B", Bounds(10, 40, 75, 25));
    Form->Show();
    B->SetFocus();
    PressKey(Form, Qt::Key_A, Qt::AltModifier, QStringLiteral("a"));
    EXPECT_TRUE(Box->Focused());
    EXPECT_TRUE(Box->Checked());
    PressKey(Form, Qt::Key_Space);
    EXPECT_FALSE(Box->Checked());
}

// --- radio buttons ------------------------------------------------------------------------------------

struct RadioGroups : Buttons {
    TButton* Holder = nullptr;
    TRadioButton *A = nullptr, *B = nullptr, *C = nullptr, *Elsewhere = nullptr;
    void SetUp() override
    {
        Buttons::SetUp();
        A = Add<TRadioButton>("A", Bounds(10, 10, 100, 17));
        B = Add<TRadioButton>("B", Bounds(10, 30, 100, 17));
        C = Add<TRadioButton>("C", Bounds(10, 50, 100, 17));
        Holder = Add<TButton>("Holder", Bounds(200, 10, 75, 25));
        auto* Panel = Add<TPanel>("Panel", Bounds(150, 100, 150, 60));
        Elsewhere = Add<TRadioButton>("Elsewhere", Bounds(5, 5, 100, 17), Panel);
    }
};

TEST_F(RadioGroups, CheckingOneUnchecksItsSiblingsOnly)
{
    Elsewhere->SetChecked(true);
    Clicked.clear();
    A->SetChecked(true);
    B->SetChecked(true);
    EXPECT_FALSE(A->Checked());
    EXPECT_TRUE(B->Checked());
    EXPECT_FALSE(C->Checked());
    EXPECT_TRUE(Elsewhere->Checked());
    // Unchecking by code clicks nothing and checks nothing else.
    B->SetChecked(false);
    EXPECT_FALSE(A->Checked() || B->Checked() || C->Checked());
    EXPECT_EQ(Clicked, QStringList({"A", "B"}));
}

TEST_F(RadioGroups, OnlyTheCheckedButtonIsATabStop)
{
    EXPECT_FALSE(A->TabStop());
    B->SetChecked(true);
    EXPECT_TRUE(B->TabStop());
    C->SetChecked(true);
    EXPECT_FALSE(B->TabStop());
    EXPECT_TRUE(C->TabStop());
}

TEST_F(RadioGroups, AClickAndTheArrowKeysCheckTheButtonTheyReach)
{
    Form->Show();
    MouseClick(A, {5, 8});
    EXPECT_TRUE(A->Checked());
    EXPECT_TRUE(A->Focused());
    PressKey(Form, Qt::Key_Down);
    EXPECT_TRUE(B->Focused());
    EXPECT_TRUE(B->Checked());
    EXPECT_FALSE(A->Checked());
    PressKey(Form, Qt::Key_Up);
    EXPECT_TRUE(A->Checked());
    EXPECT_EQ(Clicked, QStringList({"A", "B", "A"}));
}

TEST_F(RadioGroups, TheAcceleratorFocusesAndSoChecks)
{
    C->SetCaption(QStringLiteral("&Geen"));
    Form->Show();
    Holder->SetFocus();
    PressKey(Form, Qt::Key_G, Qt::AltModifier, QStringLiteral("g"));
    EXPECT_TRUE(C->Focused());
    EXPECT_TRUE(C->Checked());
}

// --- action links ------------------------------------------------------------------------------------

TEST_F(Buttons, ACheckBoxFollowsItsActionsCheckedWithoutClicking)
{
    auto* Box = Add<TCheckBox>("Box", Bounds(10, 10, 97, 17));
    auto* Action = new TAction(Form);
    Action->SetCaption(QStringLiteral("Toon"));
    int Executed = 0;
    Action->SetOnExecute([&](TObject*) { ++Executed; });
    Box->SetOnClick(nullptr);
    Box->SetAction(Action);
    EXPECT_EQ(Box->Caption(), QStringLiteral("Toon"));
    Action->SetChecked(true);
    EXPECT_TRUE(Box->Checked());
    EXPECT_EQ(Executed, 0);
    EXPECT_FALSE(Box->IsCheckedStored());
    // A click runs the action.
    Form->Show();
    MouseClick(Box, {5, 8});
    EXPECT_FALSE(Box->Checked());
    EXPECT_EQ(Executed, 1);
    // The action still says checked: the two disagree, and Checked is the
    // box's own again.
    EXPECT_TRUE(Action->Checked());
    EXPECT_TRUE(Box->IsCheckedStored());
    // Once they agree again the box follows once more.
    Action->SetChecked(false);
    Action->SetChecked(true);
    EXPECT_TRUE(Box->Checked());
    EXPECT_EQ(Executed, 1);
}

// --- painting -----------------------------------------------------------------------------------------

TEST_F(Buttons, GlyphsSitBesideTheCaptionOnTheAlignmentSide)
{
    auto* Box = Add<TCheckBox>("Box", Bounds(10, 10, 97, 17));
    auto* Radio = Add<TRadioButton>("Radio", Bounds(10, 40, 97, 17));
    Box->SetChecked(true);
    Radio->SetChecked(true);
    Form->Show();
    const COLORREF Face = ColorToRGB(clBtnFace);
    const COLORREF Ink = ColorToRGB(clWindowText);
    // The check box's well: a 13 x 13 box at the left, 2 pixels from the top.
    QImage Image = PaintControlImage(Box);
    EXPECT_TRUE(PixelIs(Image, 0, 2, ColorToRGB(clBtnShadow)));
    EXPECT_TRUE(PixelIs(Image, 12, 14, ColorToRGB(clBtnHighlight)));
    EXPECT_TRUE(PixelIs(Image, 13, 8, Face));
    EXPECT_GT(CountColor(Image, Ink, Bounds(2, 4, 9, 9)), 10);
    Box->SetAlignment(taLeftJustify);
    Image = PaintControlImage(Box);
    EXPECT_TRUE(PixelIs(Image, 84, 2, ColorToRGB(clBtnShadow)));
    EXPECT_TRUE(PixelIs(Image, 60, 2, Face));

    // The radio button: a ring with a 4 x 4 dot in its middle.
    Image = PaintControlImage(Radio);
    const int Top = (17 - 13) / 2 + 0;
    EXPECT_TRUE(PixelIs(Image, 4, Top, ColorToRGB(clBtnShadow)));
    EXPECT_TRUE(RectHasColor(Image, Bounds(4, Top + 5, 4, 2), Ink));
    EXPECT_TRUE(PixelIs(Image, 4, Top + 4, ColorToRGB(clWindow)));
    Radio->SetChecked(false);
    Image = PaintControlImage(Radio);
    EXPECT_EQ(CountColor(Image, Ink, Bounds(0, 0, 12, 17)), 0);
}

TEST_F(Buttons, WithThemesOnTheFacesComeFromTheTheme)
{
    auto* Push = Add<TButton>("Push", Bounds(10, 10, 75, 25));
    auto* Box = Add<TCheckBox>("Box", Bounds(10, 40, 97, 17));
    auto* Radio = Add<TRadioButton>("Radio", Bounds(10, 60, 97, 17));
    auto* Speed = TFormFixture::Add<TSpeedButton>(Bounds(100, 40, 23, 22));
    Form->Show();
    const std::vector<TControl*> Controls{Push, Box, Radio, Speed};
    std::vector<QImage> Classic;
    for (TControl* C : Controls)
        Classic.push_back(PaintControlImage(C));
    struct TThemesOn {
        TThemesOn() { ThemeServices().SetThemesEnabled(true); }
        ~TThemesOn() { ThemeServices().SetThemesEnabled(false); }
    } On;
    for (std::size_t I = 0; I < Controls.size(); ++I) {
        const QImage Themed = PaintControlImage(Controls[I]);
        EXPECT_NE(Themed, Classic[I]) << Controls[I]->Name().toStdString();
        // Nothing of the magenta background is left uncovered inside.
        EXPECT_LT(CountColor(Themed, 0xFF00FF, Controls[I]->ClientRect()), Controls[I]->Width());
    }
    // The theme's check box shows its state.
    const QImage Unchecked = PaintControlImage(Box);
    Box->SetChecked(true);
    EXPECT_NE(PaintControlImage(Box), Unchecked);
    // And a pressed push button looks pressed.
    const QImage Up = PaintControlImage(Push);
    Push->Perform(BM_SETSTATE, 1, 0);
    EXPECT_NE(PaintControlImage(Push), Up);
}

} // namespace
