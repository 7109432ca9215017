// The framed edit: its colour in each state, the user's colour kept while a
// state colour shows, what it writes to a form definition, the frame in
// each hot state, Enter as Tab, the validation hook, and the drop button
// shown and hidden.
#include "controls/lists/FcEdit.h"
#include "platform/classes/Filer.h"
#include "platform/stdctrls/EditMessages.h"
#include "tests/controls/lists/ListsFixture.h"

#include <QLineEdit>

namespace {

constexpr TColor Normal = TColor(0x00E0FFE0);
constexpr TColor Focus = TColor(0x00C0FFFF);
constexpr TColor Disabled = TColor(0x00A0A0A0);
constexpr TColor ReadOnlyShade = TColor(0x00FFE0C0);

struct FramedEdits : ListsForm {
    TFcEdit* Edit = nullptr;
    TFcEdit* Other = nullptr;
    void SetUp() override
    {
        ListsForm::SetUp();
        Edit = Make<TFcEdit>(Bounds(10, 10, 150, 21));
        Other = Make<TFcEdit>(Bounds(10, 60, 150, 21));
        Edit->SetColor(Normal);
        Edit->SetFocusColor(Focus);
        Edit->SetDisabledColor(Disabled);
        Edit->SetReadOnlyColor(ReadOnlyShade);
        Other->SetFocus();
        PumpMessages();
    }
    // The window's pixel at (X, Y) of its own rectangle.
    COLORREF WindowPixel(int X, int Y) { return ImagePixel(Shown(Edit), X, Y); }
};

struct TStateCase {
    const char* Name;
    bool Enabled;
    bool Focused;
    bool ReadOnly;
    bool ReadOnlyColorOnFocus;
    TColor Expected;
};

TEST_F(FramedEdits, TheColourFollowsTheState)
{
    const TStateCase Cases[] = {
        {"plain", true, false, false, false, Normal},
        {"focused", true, true, false, false, Focus},
        {"read-only", true, false, true, false, ReadOnlyShade},
        {"read-only and focused", true, true, true, false, Focus},
        {"read-only, focused, its colour on focus", true, true, true, true, ReadOnlyShade},
        {"disabled", false, false, false, false, Disabled},
        {"disabled and read-only", false, false, true, true, Disabled},
    };
    for (const TStateCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        Edit->SetReadOnlyColorOnFocus(C.ReadOnlyColorOnFocus);
        Edit->SetReadOnly(C.ReadOnly);
        Edit->SetEnabled(C.Enabled);
        if (C.Focused)
            Edit->SetFocus();
        else
            Other->SetFocus();
        PumpMessages();
        EXPECT_EQ(Edit->Color(), C.Expected);
        // The editor shows the same colour.
        EXPECT_EQ(static_cast<QLineEdit*>(Edit->HostedWidget())->palette().color(QPalette::Base).rgb() & 0xFFFFFF,
                  QColor::fromRgb(GetRValue(ColorToRGB(C.Expected)), GetGValue(ColorToRGB(C.Expected)),
                                  GetBValue(ColorToRGB(C.Expected)))
                          .rgb()
                      & 0xFFFFFF);
        Edit->SetEnabled(true);
        Edit->SetReadOnly(false);
        Other->SetFocus();
        PumpMessages();
        EXPECT_EQ(Edit->Color(), Normal) << "back to the user's colour";
    }
}

TEST_F(FramedEdits, ANewColourMovesTheFocusColourOnlyWhileTheyWereEqual)
{
    TFcEdit* Fresh = Make<TFcEdit>(Bounds(10, 100, 100, 21));
    Fresh->SetColor(clYellow);
    EXPECT_EQ(Fresh->FocusColor(), clYellow);
    Fresh->SetFocusColor(clAqua);
    Fresh->SetColor(clLime);
    EXPECT_EQ(Fresh->FocusColor(), clAqua);
    // A state colour shown is no colour of the user's.
    Fresh->SetFocus();
    PumpMessages();
    EXPECT_EQ(Fresh->Color(), clAqua);
    EXPECT_EQ(Fresh->NormalColor(), clLime);
}

TEST_F(FramedEdits, WhatTheFormDefinitionHolds)
{
    TFcEdit* E = Make<TFcEdit>(Bounds(10, 100, 100, 21));
    E->SetName(QStringLiteral("EditTitel"));
    auto Written = [&] { return QString::fromUtf8(WriteComponentToText(E)); };
    E->SetColor(clYellow);
    EXPECT_TRUE(Written().contains(QStringLiteral("Color = clYellow")));
    // FocusColor followed Color, so it is not written.
    EXPECT_FALSE(Written().contains(QStringLiteral("FocusColor")));
    E->SetFocusColor(clAqua);
    EXPECT_TRUE(Written().contains(QStringLiteral("FocusColor = clAqua")));
    // Disabled, the control shows DisabledColor: no Color is written.
    E->SetEnabled(false);
    EXPECT_FALSE(Written().contains(QStringLiteral("  Color = ")));
    E->SetEnabled(true);

    auto* Controller = new TFcFrameController(Form);
    Controller->SetName(QStringLiteral("Kaders"));
    E->SetFrameStyle(fsLowered);
    E->SetFrameColor(clRed);
    EXPECT_TRUE(Written().contains(QStringLiteral("FrameStyle = fsLowered")));
    E->SetFrameController(Controller);
    E->SetFrameControllerNotifications({fcpFrameStyle});
    E->SetFrameStyle(fsLowered);
    // The controller governs the frame style; the colour stays the edit's.
    EXPECT_FALSE(Written().contains(QStringLiteral("FrameStyle = ")));
    E->SetFrameColor(clRed);
    EXPECT_TRUE(Written().contains(QStringLiteral("FrameColor = clRed")));
    delete Controller;
    EXPECT_EQ(E->FrameController(), nullptr);
}

TEST_F(FramedEdits, HotTrackingShowsTheFrameOnAllSidesButNotWhileLoading)
{
    Edit->SetFrameSides({sdLeft});
    Edit->SetFrameHotTrack(true);
    EXPECT_TRUE(Edit->FrameVisible());
    EXPECT_EQ(Edit->FrameSides(), AllSides);

    const QByteArray Text = "object EditJaar: TFcEdit\n"
                            "  FrameHotTrack = True\n"
                            "  FrameSides = [sdLeft, sdBottom]\n"
                            "end\n";
    auto* Read = new TFcEdit(Form);
    ReadComponentFromText(Text, Read, QStringLiteral("edit.form"));
    EXPECT_TRUE(Read->FrameVisible());
    EXPECT_EQ(Read->FrameSides(), (TSides{sdLeft, sdBottom}));
}

TEST_F(FramedEdits, OldFormDefinitionsReadTheirFrameNames)
{
    const QByteArray Text = "object EditOud: TFcEdit\n"
                            "  FrameFlat = True\n"
                            "  FrameFocusStyle = fsRaised\n"
                            "  FrameFlatStyle = fsNone\n"
                            "end\n";
    auto* Read = new TFcEdit(Form);
    ReadComponentFromText(Text, Read, QStringLiteral("old.form"));
    EXPECT_TRUE(Read->FrameHotTrack());
    EXPECT_EQ(Read->FrameStyle(), fsStatus);
    EXPECT_EQ(Read->FrameHotStyle(), fsRaised);
}

// Frame pixels: the outer ring on the left side, half way down, and the
// second ring beside it.
TEST_F(FramedEdits, TheFrameShowsItsHotLookOnFocusAndMouse)
{
    Edit->SetFrameColor(clRed);
    Edit->SetFrameHotColor(clBlue);
    Edit->SetFrameHotTrack(true);
    const int Y = Edit->Height() / 2;
    const COLORREF Inner = WindowPixel(1, Y);
    EXPECT_EQ(WindowPixel(0, Y), ColorToRGB(clRed));
    EXPECT_NE(Inner, ColorToRGB(clBlue));

    Edit->SetFocus();
    PumpMessages();
    EXPECT_EQ(WindowPixel(0, Y), ColorToRGB(clBlue));
    EXPECT_EQ(WindowPixel(1, Y), ColorToRGB(clBlue)) << "fsFlatBold: two rings";

    Other->SetFocus();
    PumpMessages();
    EXPECT_EQ(WindowPixel(0, Y), ColorToRGB(clRed));
    MouseMove(Edit, {20, 5});
    EXPECT_TRUE(Edit->MouseHot());
    EXPECT_EQ(WindowPixel(0, Y), ColorToRGB(clBlue));
    MouseMove(Other, {20, 5});
    EXPECT_FALSE(Edit->MouseHot());
    EXPECT_EQ(WindowPixel(0, Y), ColorToRGB(clRed));
}

TEST_F(FramedEdits, WithoutHotTrackingTheFrameStaysPlain)
{
    Edit->SetFrameVisible(true);
    Edit->SetFrameColor(clRed);
    Edit->SetFrameSides({sdTop});
    Edit->SetFocus();
    PumpMessages();
    EXPECT_EQ(WindowPixel(Edit->Width() / 2, 0), ColorToRGB(clRed));
    EXPECT_NE(WindowPixel(0, Edit->Height() / 2), ColorToRGB(clRed)) << "only the chosen side";
}

TEST_F(FramedEdits, EnterMovesOnAsTabWithoutTyping)
{
    Edit->SetTabOnEnter(true);
    Edit->SetTabOrder(0);
    Other->SetTabOrder(1);
    Edit->SetFocus();
    PumpMessages();
    Edit->SetText(QStringLiteral("jaar"));
    PressKey(Edit, Qt::Key_Return);
    PumpMessages();
    EXPECT_TRUE(Other->Focused());
    EXPECT_EQ(Edit->Text(), QStringLiteral("jaar"));
}

TEST_F(FramedEdits, TheValidationHookChoosesTheError)
{
    auto* Year = Make<TFcMaskEdit>(Bounds(10, 100, 100, 21));
    Year->SetEditMask(QStringLiteral("0000;1; "));
    Year->SetFocus();
    PumpMessages();
    TypeText(Year, QStringLiteral("19"));
    EXPECT_EQ(Year->GetDisplayText(), QStringLiteral("19  "));
    EXPECT_EQ(ErrorMessage<EDBEditError>([&] { Year->ValidateEdit(); }),
              QStringLiteral("Invalid input value.  Use escape key to abandon changes"));
    Year->SetOnValidateError([](TObject*, String& Msg) { Msg = QStringLiteral("Geen geldig jaar"); });
    EXPECT_EQ(ErrorMessage<EDBEditError>([&] { Year->ValidateEdit(); }), QStringLiteral("Geen geldig jaar"));
    Year->SetOnValidateError([](TObject*, String&) {});
    EXPECT_EQ(ErrorMessage<EDBEditError>([&] { Year->ValidateEdit(); }),
              QStringLiteral("Invalid input value.  Use escape key to abandon changes"));
}

TEST_F(FramedEdits, AnEditWithoutADropButtonKeepsItsWholeWidth)
{
    const int Plain = Edit->ClientWidth();
    Edit->SetDropButtonVisible(true);
    EXPECT_EQ(Edit->ClientWidth(), Plain - GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 17);
    // The button: a raised face of the button colour in the strip.
    const TRect B = Edit->DropButtonRect();
    EXPECT_EQ(B.Width(), 17);
    EXPECT_GT(CountColor(Shown(Edit), ColorToRGB(clBtnFace), B), 17 * 5);
    Edit->SetDropButtonVisible(false);
    EXPECT_EQ(Edit->ClientWidth(), Plain);
    EXPECT_EQ(CountColor(Shown(Edit), ColorToRGB(clBtnFace), Bounds(Plain - 10, 3, 10, 10)), 0);
}

TEST_F(FramedEdits, TheDropButtonIsPressedByTheMouseAndByKeys)
{
    QStringList Heard;
    HWND CaptureDuringClick = nullptr;
    Edit->SetOnDropButtonDown([&](TObject*) { Heard << QStringLiteral("down"); });
    Edit->SetOnDropButtonClick([&](TObject*) {
        Heard << QStringLiteral("click");
        CaptureDuringClick = GetCapture();
    });
    Edit->SetFocus();
    PumpMessages();
    PressKey(Edit, Qt::Key_F4);
    EXPECT_TRUE(Heard.isEmpty()) << "no button, no press";

    Edit->SetDropButtonVisible(true);
    Edit->SetFocus();
    PumpMessages();
    PressKey(Edit, Qt::Key_F4);
    EXPECT_EQ(Heard, QStringList({"down", "click"}));
    EXPECT_EQ(CaptureDuringClick, nullptr) << "the keyboard takes no mouse capture";
    PressKey(Edit, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(Heard.size(), 4);
    EXPECT_EQ(Edit->ButtonState(), 0);

    // A press on the button: the control has the capture until the release.
    Heard.clear();
    const TPoint OnButton{Edit->ClientWidth() + 8, Edit->ClientHeight() / 2};
    MouseDown(Edit, OnButton);
    EXPECT_EQ(Heard, QStringList({"down", "click"}));
    EXPECT_EQ(CaptureDuringClick, Edit->Handle());
    MouseUp(Edit, OnButton);
    EXPECT_EQ(GetCapture(), nullptr);
    // A press on the text is no press of the button.
    Heard.clear();
    MouseClick(Edit, {10, 5});
    EXPECT_TRUE(Heard.isEmpty());
}

TEST_F(FramedEdits, ARightAlignedEditRightAlignsItsEditor)
{
    Edit->SetText(QStringLiteral("500"));
    Edit->SetAlignment(taRightJustify);
    EXPECT_EQ(Edit->Text(), QStringLiteral("500"));
    EXPECT_TRUE((GetWindowLong(Edit->Handle(), GWL_STYLE) & long(ES_RIGHT)) != 0);
    EXPECT_TRUE(static_cast<QLineEdit*>(Edit->HostedWidget())->alignment() & Qt::AlignRight);
}

} // namespace
