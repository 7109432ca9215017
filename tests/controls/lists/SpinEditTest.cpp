// The spin edit: its embedded spin buttons (placed inside the client area,
// clicked with repeat and veto), its value and text, clamping to the range, steps by keys
// and wheel with the veto, the character filter, every blocked way to edit
// by hand, blank and non-numeric text on leaving, decimals in the locale's
// separator, and what a form definition holds.
#include "controls/foundation/FcTextHelpers.h"
#include "controls/lists/FcSpinEdit.h"
#include "platform/classes/Filer.h"
#include "platform/rtl/SysUtils.h"
#include "platform/stdctrls/EditMessages.h"
#include "tests/controls/lists/ListsFixture.h"

#include <QWidget>

namespace {

struct SpinEdits : ListsForm {
    TFcSpinEdit* Spin = nullptr;
    TFcSpinEdit* Other = nullptr;
    QStringList Heard;
    void SetUp() override
    {
        ListsForm::SetUp();
        Spin = Make<TFcSpinEdit>(Bounds(10, 10, 80, 21));
        Other = Make<TFcSpinEdit>(Bounds(10, 60, 80, 21));
        Spin->SetOnButtonClick([this](TObject*, TSpinButtonType B) {
            Heard << (B == sbUp ? QStringLiteral("up") : QStringLiteral("down"));
        });
    }
    void Focus()
    {
        Spin->SetFocus();
        PumpMessages();
    }
    void Leave()
    {
        Other->SetFocus();
        PumpMessages();
    }
    void Key(int QtKey, Qt::KeyboardModifiers Mods = Qt::NoModifier) { PressKey(Spin, QtKey, Mods); }
    static void Tick(TFcControlButton* B)
    {
        if (B->RepeatTimer() != nullptr && B->RepeatTimer()->Enabled())
            B->RepeatTimer()->OnTimer()(B->RepeatTimer());
    }
};

struct TPlaceCase {
    const char* Name;
    bool Ctl3D;
    TBiDiMode BiDi;
    int Inset;
    bool Right;
};

TEST_F(SpinEdits, TheSpinButtonsArePlacedInsideTheClientAreaTheFramedEditLeaves)
{
    const TPlaceCase Cases[] = {
        {"framed", true, bdLeftToRight, 0, true},
        {"frameless", false, bdLeftToRight, 1, true},
        {"right to left", true, bdRightToLeft, 0, false},
    };
    for (const TPlaceCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        Spin->SetCtl3D(C.Ctl3D);
        Spin->SetBiDiMode(C.BiDi);
        Spin->SetBounds(10, 10, 80, 25);
        const TRect Client = Spin->ClientRect();
        const TRect Buttons = Spin->SpinButtons()->BoundsRect();
        EXPECT_EQ(Buttons.Width(), 17);
        EXPECT_EQ(Buttons.Top, C.Inset);
        EXPECT_EQ(Buttons.Bottom, Client.Bottom - C.Inset);
        if (C.Right)
            EXPECT_EQ(Buttons.Right, Client.Right - C.Inset);
        else
            EXPECT_EQ(Buttons.Left, 0);
        // The text keeps clear of the buttons.
        const LRESULT Margins = Spin->Perform(EM_GETMARGINS, 0, 0);
        EXPECT_EQ(C.Right ? HIWORD(Margins) : LOWORD(Margins), 19);
    }
    Spin->SetBiDiMode(bdLeftToRight);
    Spin->SetCtl3D(true);
    // A new window (the alignment's) keeps the value and the buttons.
    Spin->SetValue(42);
    Spin->SetAlignment(taLeftJustify);
    EXPECT_EQ(Spin->Text(), QStringLiteral("42"));
    EXPECT_EQ(Spin->SpinButtons()->BoundsRect().Right, Spin->ClientWidth());
    EXPECT_TRUE(Spin->SpinButtons()->HandleAllocated());
    EXPECT_EQ(Spin->GetEditRect().Right, Spin->ClientWidth() - 19);
    // The editor shows nothing over them.
    const QRegion Mask = Spin->HostedWidget()->mask();
    EXPECT_FALSE(Mask.isEmpty());
    EXPECT_FALSE(Mask.contains(QPoint(Spin->ClientWidth() - 5, 5)));
    EXPECT_TRUE(Mask.contains(QPoint(5, 5)));
    const QImage Image = Shown(Spin);
    const TRect Up = Spin->GetButton(sbUp)->BoundsRect();
    const TPoint At = Spin->SpinButtons()->ClientToScreen({Up.Left + 3, Up.Top + 3});
    TRect W;
    GetWindowRect(Spin->Handle(), &W);
    EXPECT_TRUE(PixelIs(Image, At.X - W.Left, At.Y - W.Top, ColorToRGB(clBtnFace))) << "the button's face";
}

TEST_F(SpinEdits, TheButtonsFollowWidthOrientationDirectionAndReadOnly)
{
    Spin->SetButtonWidth(15);
    EXPECT_EQ(Spin->SpinButtons()->Width(), 15);
    Spin->SetOrientation(orHorizontal);
    EXPECT_EQ(Spin->SpinButtons()->Width(), 30);
    EXPECT_EQ(Spin->SpinButtons()->BoundsRect().Right, Spin->ClientWidth());
    Spin->SetButtonWidth(-4);
    EXPECT_EQ(Spin->ButtonWidth(), 0);
    Spin->SetButtonWidth(15);
    Spin->SetDirection(sdLeftRight);
    EXPECT_EQ(Spin->GetButton(sbUp)->Style(), cbsRight);
    EXPECT_EQ(Spin->GetButton(sbDown)->Style(), cbsLeft);
    Spin->SetReadOnly(true);
    EXPECT_FALSE(Spin->SpinButtons()->Visible());
    EXPECT_EQ(Spin->Perform(EM_GETMARGINS, 0, 0), 0);
    EXPECT_EQ(Spin->GetEditRect().Right, Spin->ClientWidth());
    Spin->SetReadOnly(false);
    EXPECT_TRUE(Spin->SpinButtons()->Visible());
    // Flat buttons rest in the edit's colour and wake in their own.
    Spin->SetFlatButtons(true);
    Spin->SetFlatButtonColor(clYellow);
    EXPECT_TRUE(Spin->SpinButtons()->Flat());
    Focus();
    EXPECT_EQ(Spin->SpinButtons()->Color(), clYellow);
    Leave();
    EXPECT_EQ(Spin->SpinButtons()->Color(), Spin->Color());
    // A font taller than the edit makes the edit taller.
    Spin->Font()->SetSize(30);
    EXPECT_GE(Spin->Height(), GetFontHeight(Spin->Font()));
}

TEST_F(SpinEdits, ThePressedButtonsStepAndRepeatAndAVetoStopsThem)
{
    Spin->SetValue(10);
    TFcControlButton* Up = Spin->GetButton(sbUp);
    TFcControlButton* Down = Spin->GetButton(sbDown);
    Other->SetFocus();
    MouseDown(Up, {3, 3});
    EXPECT_TRUE(Spin->Focused()) << "the press hands the focus to the edit";
    Tick(Up);
    Tick(Up);
    MouseUp(Up, {3, 3});
    EXPECT_EQ(Spin->Value(), 13);
    MouseClick(Down, {3, 3});
    EXPECT_EQ(Spin->Value(), 12);
    EXPECT_EQ(Heard, QStringList({"up", "up", "up", "down"}));

    int Asked = 0;
    Spin->SetOnChanging([&](TObject*, long double, bool& Allow) {
        ++Asked;
        Allow = false;
    });
    MouseDown(Up, {3, 3});
    Tick(Up);
    MouseUp(Up, {3, 3});
    EXPECT_EQ(Asked, 2);
    EXPECT_EQ(Spin->Value(), 12);
    EXPECT_EQ(Heard.size(), 4) << "no button event for a vetoed step";
}

TEST_F(SpinEdits, ANewSpinEditShowsZeroAndStepsWithinItsRange)
{
    EXPECT_EQ(Spin->Value(), 0);
    EXPECT_EQ(Spin->Text(), QStringLiteral("0"));
    EXPECT_EQ(TFcSpinEdit(nullptr).Width(), 47);
    EXPECT_EQ(Spin->Alignment(), taRightJustify);
    Focus();
    Key(Qt::Key_Up);
    EXPECT_EQ(Spin->Text(), QStringLiteral("1"));
    Spin->SetValue(95);
    Key(Qt::Key_PageUp);
    EXPECT_EQ(Spin->Value(), 100);
    Key(Qt::Key_PageUp);
    EXPECT_EQ(Spin->Value(), 100) << "clamped at Max";
    Key(Qt::Key_Down);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(Spin->Value(), 89);
    EXPECT_EQ(Heard, QStringList({"up", "up", "up", "down", "down"}));
}

struct TRangeCase {
    const char* Name;
    long double Min;
    long double Max;
    bool CheckRange;
    long double Set;
    long double Expected;
};

TEST_F(SpinEdits, TheRangeClampsWhenItHasOneAndCheckRangePinsASingleValue)
{
    const TRangeCase Cases[] = {
        {"within", 0, 100, false, 50, 50},
        {"below", 10, 100, false, -5, 10},
        {"above", 0, 100, false, 1e6L, 100},
        {"no range", 0, 0, false, -7, -7},
        {"no range, large", 0, 0, false, 1e12L, 1e12L},
        {"one value pinned", 0, 0, true, 42, 0},
        {"one value pinned elsewhere", 5, 5, true, -3, 5},
    };
    for (const TRangeCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        Spin->SetCheckRange(C.CheckRange);
        Spin->SetMin(C.Min);
        Spin->SetMax(C.Max);
        Spin->SetMin(C.Min);
        Spin->SetValue(C.Set);
        EXPECT_EQ(Spin->Value(), C.Expected);
        Spin->SetCheckRange(false);
        Spin->SetMax(100);
        Spin->SetMin(0);
    }
}

TEST_F(SpinEdits, ABoundBeyondTheOtherMovesItAlong)
{
    Spin->SetMin(150);
    EXPECT_EQ(Spin->Max(), 150);
    Spin->SetMax(20);
    EXPECT_EQ(Spin->Min(), 20);
    // Min = Max without CheckRange is no range: the value stays.
    EXPECT_EQ(Spin->Value(), 0);
    Spin->SetMax(30);
    EXPECT_EQ(Spin->Value(), 20);
}

TEST_F(SpinEdits, SwitchingIntegersOnlyOnRoundsTheValueHalvesToEvenBeforeTheTextLosesItsDecimals)
{
    Spin->SetIntegersOnly(false);
    Spin->SetDecimals(1);
    for (auto [From, To] : {std::pair<long double, long long>{2.5L, 2}, {3.5L, 4}, {-0.5L, 0}}) {
        Spin->SetMin(-10);
        Spin->SetIntegersOnly(false);
        Spin->SetDecimals(1);
        Spin->SetValue(From);
        Spin->SetIntegersOnly(true);
        EXPECT_EQ(Spin->Decimals(), 0);
        EXPECT_EQ(Spin->IntValue(), To) << double(From);
        EXPECT_EQ(Spin->Text(), QString::number(To)) << double(From);
    }
}

TEST_F(SpinEdits, DecimalsShowInTheLocalesSeparator)
{
    const QChar Saved = FormatSettings.DecimalSeparator;
    FormatSettings.DecimalSeparator = QLatin1Char(',');
    Spin->SetIntegersOnly(false);
    Spin->SetDecimals(2);
    Spin->SetValue(1.5L);
    EXPECT_EQ(Spin->Text(), QStringLiteral("1,50"));
    EXPECT_EQ(Spin->Value(), 1.5L);
    EXPECT_EQ(Spin->IntValue(), 2);
    Spin->SetValue(2.5L);
    EXPECT_EQ(Spin->IntValue(), 2) << "halves to even";
    FormatSettings.DecimalSeparator = Saved;
}

TEST_F(SpinEdits, ATextThatIsNoNumberReadsAsMin)
{
    Spin->SetMin(3);
    Spin->SetText(QStringLiteral("drie"));
    EXPECT_EQ(Spin->Value(), 3);
    Focus();
    Leave();
    EXPECT_EQ(Spin->Text(), QStringLiteral("3"));
}

TEST_F(SpinEdits, AnEmptyTextOnLeavingStaysOnlyWithAllowBlank)
{
    Spin->SetMin(5);
    Spin->SetAllowBlank(true);
    Spin->SetBlankValue(-1);
    Focus();
    Spin->SetText(QString());
    Leave();
    EXPECT_EQ(Spin->Text(), QString());
    EXPECT_EQ(Spin->Value(), -1);
    Spin->SetAllowBlank(false);
    Focus();
    Leave();
    EXPECT_EQ(Spin->Text(), QStringLiteral("5"));
}

TEST_F(SpinEdits, WithoutKeyEditingOnlyStepsChangeTheValue)
{
    Spin->SetValue(40);
    Focus();
    SetClipboardText(QStringLiteral("7"));
    TypeText(Spin, QStringLiteral("12"));
    Key(Qt::Key_Backspace);
    Key(Qt::Key_Delete);
    Spin->SelectAll();
    Key(Qt::Key_V, Qt::ControlModifier);
    Spin->PasteFromClipboard();
    Spin->CutToClipboard();
    Spin->ClearSelection();
    Spin->Undo();
    Key(Qt::Key_Z, Qt::ControlModifier);
    MouseDown(Spin, {10, 5}, Qt::MiddleButton);
    MouseUp(Spin, {10, 5}, Qt::MiddleButton);
    EXPECT_EQ(Spin->Text(), QStringLiteral("40"));
    EXPECT_GE(Beeps, 4);
    Key(Qt::Key_Up);
    MouseWheel(Spin, {10, 5}, 120);
    MouseWheel(Spin, {10, 5}, -120, Qt::ControlModifier);
    EXPECT_EQ(Spin->Value(), 32);
}

TEST_F(SpinEdits, TheWheelStepsTheFocusedSpinEditNotTheOneUnderThePointer)
{
    Other->SetFocus();
    MouseWheel(Spin, {10, 5}, 120);
    MouseWheel(Spin->GetButton(sbUp), {3, 3}, 120);
    EXPECT_EQ(Spin->Value(), 0);
    EXPECT_EQ(Other->Value(), 2);
}

TEST_F(SpinEdits, WithKeyEditingTheFilterTakesOnlyTheCharactersOfANumber)
{
    Spin->SetAllowKeyEdit(true);
    Spin->SetIntegersOnly(false);
    Spin->SetMin(-1000);
    Spin->SetMax(1000);
    Focus();
    Spin->SelectAll();
    TypeText(Spin, QStringLiteral("-1a2.5.x"));
    EXPECT_EQ(Spin->Text(), QStringLiteral("-12.5"));
    EXPECT_EQ(Beeps, 3);
    // A sign only in front of a text without one.
    Spin->SetSelStart(2);
    TypeText(Spin, QStringLiteral("+"));
    EXPECT_EQ(Spin->Text(), QStringLiteral("-12.5"));
    // Pasting keeps a number.
    SetClipboardText(QStringLiteral("3x"));
    Spin->SelectAll();
    Spin->PasteFromClipboard();
    EXPECT_EQ(Spin->Text(), QStringLiteral("-12.5"));
    SetClipboardText(QStringLiteral("+7.25"));
    Spin->SelectAll();
    Spin->PasteFromClipboard();
    EXPECT_EQ(Spin->Text(), QStringLiteral("+7.25"));
    Leave();
    EXPECT_EQ(Spin->Text(), QStringLiteral("7"));
}

struct TCharCase {
    const char* Name;
    QChar Key;
    const char* Text;
    int SelStart;
    int SelLength;
    bool IntegersOnly;
    bool Valid;
};

TEST_F(SpinEdits, TheCharacterFilterCase)
{
    Spin->SetAllowKeyEdit(true);
    const TCharCase Cases[] = {
        {"digit", QLatin1Char('5'), "12", 2, 0, true, true},
        {"letter", QLatin1Char('a'), "12", 2, 0, true, false},
        {"Enter", QChar(13), "12", 2, 0, true, false},
        {"Backspace", QChar(8), "12", 2, 0, true, true},
        {"separator with integers only", QLatin1Char('.'), "12", 2, 0, true, false},
        {"separator", QLatin1Char('.'), "12", 2, 0, false, true},
        {"second separator", QLatin1Char('.'), "1.2", 3, 0, false, false},
        {"separator over a selected one", QLatin1Char('.'), "1.2", 1, 1, false, true},
        {"sign in front", QLatin1Char('-'), "12", 0, 0, true, true},
        {"sign inside", QLatin1Char('-'), "12", 1, 0, true, false},
        {"second sign", QLatin1Char('+'), "-12", 0, 0, true, false},
        {"sign over everything", QLatin1Char('+'), "-12", 0, 3, true, true},
    };
    Spin->SetMin(-100);
    Focus();
    for (const TCharCase& C : Cases) {
        Spin->SetIntegersOnly(C.IntegersOnly);
        Spin->SetText(QString::fromLatin1(C.Text));
        Spin->Perform(EM_SETSEL, WPARAM(C.SelStart), C.SelStart + C.SelLength);
        const int Before = Beeps;
        Spin->Perform(WM_CHAR, C.Key.unicode(), 0);
        EXPECT_EQ(Beeps == Before, C.Valid) << C.Name;
    }
}

TEST_F(SpinEdits, AVetoKeepsTheValueAndTellsOfNoStep)
{
    Spin->SetValue(10);
    Spin->SetOnChanging([](TObject*, long double, bool& Allow) { Allow = false; });
    Focus();
    Key(Qt::Key_Up);
    MouseWheel(Spin, {10, 5}, 120);
    EXPECT_EQ(Spin->Value(), 10);
    EXPECT_TRUE(Heard.isEmpty());
}

TEST_F(SpinEdits, AtMaxAStepAsksForTheUnclampedSum)
{
    std::vector<long double> Asked;
    Spin->SetOnChanging([&](TObject*, long double V, bool&) { Asked.push_back(V); });
    Spin->SetValue(100);
    Focus();
    Key(Qt::Key_Up);
    EXPECT_EQ(Asked, std::vector<long double>({101}));
    EXPECT_EQ(Heard, QStringList({"up"}));
    EXPECT_EQ(Spin->Value(), 100);
}

TEST_F(SpinEdits, AReadOnlySpinEditOnlyBeeps)
{
    Spin->SetValue(4);
    Spin->SetReadOnly(true);
    Focus();
    Key(Qt::Key_Up);
    MouseWheel(Spin, {10, 5}, 120);
    Spin->UpButtonClick();
    EXPECT_EQ(Spin->Value(), 4);
    EXPECT_EQ(Beeps, 3);
    Spin->SetBeepOnInvalidKey(false);
    Key(Qt::Key_Down);
    EXPECT_EQ(Beeps, 3);
}

TEST_F(SpinEdits, TheCaretStaysPutAsTheTextGrowsOrShrinksAndNeverBeforeTheStart)
{
    Spin->SetValue(9);
    Focus();
    Spin->SetSelStart(1);
    Spin->SetSelLength(0);
    Spin->SetValue(10);
    EXPECT_EQ(Spin->SelStart(), 2);
    Spin->SetValue(9);
    EXPECT_EQ(Spin->SelStart(), 1);
    Spin->SetValue(10);
    Spin->SetSelStart(0);
    Spin->SetValue(9);
    EXPECT_EQ(Spin->SelStart(), 0);
}

TEST_F(SpinEdits, TheFormDefinitionHoldsTheValueNotTheText)
{
    Spin->SetName(QStringLiteral("SpinEditBreedte"));
    Spin->SetAllowKeyEdit(true);
    Spin->SetMax(1000);
    Spin->SetMin(100);
    Spin->SetIncrement(10);
    Spin->SetValue(500);
    const QByteArray Text = WriteComponentToText(Spin);
    EXPECT_TRUE(Text.contains("Value = 500")) << Text.toStdString();
    EXPECT_TRUE(Text.contains("Increment = 10"));
    EXPECT_TRUE(Text.contains("Min = 100"));
    EXPECT_FALSE(Text.contains("Text = "));
    EXPECT_FALSE(Text.contains("PageSize"));
    const std::unique_ptr<TFcSpinEdit, TComponentDeleter> Back(new TFcSpinEdit(nullptr));
    ReadComponentFromText(Text, Back.get(), QStringLiteral("spin.form"));
    EXPECT_EQ(Back->Value(), 500);
    EXPECT_EQ(Back->Min(), 100);
    EXPECT_EQ(WriteComponentToText(Back.get()).toStdString(), Text.toStdString());
}

} // namespace
