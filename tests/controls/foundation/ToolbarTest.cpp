// The toolbar: rows and columns at each alignment, wrapping, its size and
// border following its alignment, the text presets, its control order in
// form definitions, the overflow button and its popup, the spacer, the
// customisation captions and the tiled background.
#include "controls/foundation/FcCustomizeCaptions.h"
#include "controls/foundation/FcFramePainters.h"
#include "controls/foundation/FcPopups.h"
#include "controls/foundation/FcSpacer.h"
#include "controls/foundation/FcToolbar.h"
#include "controls/foundation/FcToolbarPopup.h"
#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/PageScroller.h"
#include "tests/controls/foundation/ButtonFixture.h"
#include "tests/controls/foundation/PostedTasks.h"

#include <gtest/gtest.h>

namespace {

struct Toolbars : TControlForm {
    TFcToolbar* Bar = nullptr;
    QStringList Clicked;
    void SetUp() override
    {
        TControlForm::SetUp();
        Bar = Add<TFcToolbar>(Bounds(0, 0, 400, 32));
        Bar->SetName(QStringLiteral("Bar"));
    }
    TFcToolButton* Button(const char* Name, int Width = 25, TWinControl* Parent = nullptr)
    {
        auto* B = new TFcToolButton(Form);
        B->SetName(QString::fromLatin1(Name));
        B->SetParent(Parent != nullptr ? Parent : Bar);
        B->SetWidth(Width);
        B->SetOnClick([this, B](TObject*) { Clicked << B->Name(); });
        return B;
    }
    // Each button's top-left corner.
    static std::vector<TPoint> Corners(const std::vector<TControl*>& Controls)
    {
        std::vector<TPoint> Result;
        for (const TControl* C : Controls)
            Result.push_back({C->Left(), C->Top()});
        return Result;
    }
};

} // namespace

TEST_F(Toolbars, ARowOfButtonsFromTheMarginCentredInTheRow)
{
    auto* A = Button("A");
    auto* B = Button("B", 40);
    auto* Small = Button("Small");
    Small->SetHeight(11);
    EXPECT_EQ(Corners({A, B, Small}), (std::vector<TPoint>{{4, 2}, {29, 2}, {69, 9}}));
    EXPECT_EQ(Bar->Height(), 25 + 2 * 2);
    // A hidden control takes no room.
    B->SetVisible(false);
    EXPECT_EQ(Small->Left(), 29);
}

TEST_F(Toolbars, ControlsThatDoNotFitStartANewRow)
{
    Bar->SetRowHeight(40);
    std::vector<TControl*> Buttons;
    for (const char* Name : {"A", "B", "C", "D", "E", "F"})
        Buttons.push_back(Button(Name, 60));
    // 4 + 6 x 60 = 364 fits within 400 - 4.
    EXPECT_EQ(Bar->Height(), 44);
    EXPECT_EQ(Buttons.back()->Top(), 2 + 20 - 12);
    Buttons.push_back(Button("G", 60));
    EXPECT_EQ(Bar->Height(), 84);
    EXPECT_EQ(Corners({Buttons.back()}), (std::vector<TPoint>{{4, 40 + 2 + 20 - 12}}));
}

TEST_F(Toolbars, TheFirstControlNeverStartsARow)
{
    auto* Wide = Button("Wide", 500);
    auto* Next = Button("Next");
    EXPECT_EQ(Corners({Wide, Next}), (std::vector<TPoint>{{4, 2}, {4, 27}}));
    EXPECT_EQ(Bar->Height(), 2 * 25 + 4);
}

TEST_F(Toolbars, WithoutWrappingEverythingStaysInOneRow)
{
    Bar->SetWrapControls(false);
    std::vector<TControl*> Buttons;
    for (const char* Name : {"A", "B", "C", "D", "E", "F", "G"})
        Buttons.push_back(Button(Name, 60));
    EXPECT_EQ(Buttons.back()->Left(), 4 + 6 * 60);
    EXPECT_EQ(Bar->Height(), 29);
}

TEST_F(Toolbars, AVerticalToolbarLaysOutColumns)
{
    Bar->SetAlign(alLeft);
    Bar->SetOrientation(orVertical);
    auto* A = Button("A");
    auto* B = Button("B");
    EXPECT_EQ(Corners({A, B}), (std::vector<TPoint>{{4, 4}, {4, 29}}));
    EXPECT_EQ(Bar->Width(), 25 + 2 + 2);
    // A column full: the next one beside it.
    for (int I = 0; I < 10; ++I)
        Button(qPrintable(QStringLiteral("C%1").arg(I)));
    EXPECT_GT(Bar->Width(), 29);
    Bar->SetAlign(alTop);
    Bar->SetAlign(alNone);
}

TEST_F(Toolbars, TheBorderAndSizeFollowTheAlignment)
{
    const struct {
        TAlign Align;
        TSides Sides;
    } Cases[] = {{alLeft, {sdLeft}}, {alRight, {sdRight}}, {alBottom, {sdBottom}},
                 {alNone, {sdTop}},  {alClient, {sdTop}},  {alTop, {sdTop}}};
    for (const auto& C : Cases) {
        Bar->SetAlign(C.Align);
        EXPECT_EQ(Bar->BorderSides(), C.Sides) << int(C.Align);
        EXPECT_EQ(Bar->BorderOuter(), fsGroove);
        EXPECT_TRUE(Bar->AutoStyle());
    }
    // Docked left: 32 wide until it lays its controls out.
    Bar->SetAutoResize(false);
    Bar->SetAlign(alLeft);
    Bar->SetAutoResize(true);
    Bar->SetAlign(alRight);
    EXPECT_EQ(Bar->Width(), 32);
    // Without the divider no groove; a border set by hand ends AutoStyle.
    Bar->SetShowDivider(false);
    EXPECT_EQ(Bar->BorderOuter(), fsNone);
    EXPECT_TRUE(Bar->AutoStyle());
    Bar->SetBorderOuter(fsRaised);
    EXPECT_FALSE(Bar->AutoStyle());
    Bar->SetAlign(alTop);
    EXPECT_EQ(Bar->BorderSides(), TSides{sdRight});
}

TEST_F(Toolbars, InsideAPageScrollerItNeverResizesItself)
{
    auto* Scroller = Add<TPageScroller>(Bounds(0, 50, 300, 40));
    Bar->SetParent(Scroller);
    EXPECT_FALSE(Bar->AutoResize());
    Bar->SetAutoResize(true);
    EXPECT_FALSE(Bar->AutoResize());
}

TEST_F(Toolbars, TextOptionsArePresets)
{
    auto* B = Button("B");
    const struct {
        TFcToolbarTextOptions Options;
        TButtonLayout Layout;
        int Width, Height;
        bool Captions;
        int RowHeight;
    } Cases[] = {{ttoShowTextLabels, blGlyphTop, 60, 40, true, 40},
                 {ttoSelectiveTextOnRight, blGlyphLeft, 60, 25, true, 25},
                 {ttoNoTextLabels, blGlyphLeft, 25, 25, false, 25}};
    for (const auto& C : Cases) {
        Bar->SetTextOptions(C.Options);
        EXPECT_EQ(Bar->TextOptions(), C.Options);
        EXPECT_EQ(Bar->ButtonLayout(), C.Layout);
        EXPECT_EQ(Bar->ButtonWidth(), C.Width);
        EXPECT_EQ(Bar->ButtonHeight(), C.Height);
        EXPECT_EQ(Bar->ShowButtonCaptions(), C.Captions);
        EXPECT_EQ(Bar->RowHeight(), C.RowHeight);
        EXPECT_EQ(B->Height(), C.Height);
        EXPECT_EQ(B->ShowCaption(), C.Captions);
    }
    Bar->SetButtonWidth(30);
    EXPECT_EQ(Bar->TextOptions(), ttoCustom);
    Bar->SetTextOptions(ttoCustom);
    EXPECT_EQ(Bar->ButtonWidth(), 30);
    // Vertical rows are as wide as the buttons.
    Bar->SetOrientation(orVertical);
    Bar->SetTextOptions(ttoShowTextLabels);
    EXPECT_EQ(Bar->RowHeight(), 60);
}

TEST_F(Toolbars, AFreedControlLeavesTheListAndTheRow)
{
    auto* A = Button("A");
    auto* B = Button("B");
    A->Free();
    EXPECT_EQ(Bar->ControlList()->Count(), 1);
    EXPECT_EQ(B->Left(), 4);
    // A control moved elsewhere is not laid out by the toolbar.
    auto* C = Button("C");
    C->SetParent(Form);
    C->SetLeft(200);
    Bar->Realign();
    EXPECT_EQ(C->Left(), 200);
}

TEST_F(Toolbars, TheSpacerMakesAGapAndTurnsWithTheToolbar)
{
    TColorStateGuard Guard(false);
    auto* A = Button("A");
    auto* Gap = new TFcSpacer(Form);
    Gap->SetParent(Bar);
    auto* B = Button("B");
    EXPECT_EQ(B->Left(), 4 + 25 + 8);
    EXPECT_EQ(Gap->Top(), 2);
    (void)A;
    // Without a groove it shows nothing.
    EXPECT_TRUE(RectHasColor(Shown(Gap), Rect(0, 0, 8, 25), ColorToRGB(clBtnFace)));
    Gap->SetGrooved(true);
    const QImage I = Shown(Gap);
    EXPECT_TRUE(RectHasColor(I, Rect(3, 1, 4, 25), ColorToRGB(clBtnShadow)));
    EXPECT_TRUE(RectHasColor(I, Rect(4, 1, 5, 25), ColorToRGB(clBtnHighlight)));
    EXPECT_TRUE(PixelIs(I, 3, 0, ColorToRGB(clBtnFace)));
    Bar->SetAlign(alLeft);
    Bar->SetOrientation(orVertical);
    EXPECT_EQ(Gap->Orientation(), orVertical);
    EXPECT_EQ(Gap->Width(), 25);
    EXPECT_EQ(Gap->Height(), 8);
    const QImage V = Shown(Gap);
    EXPECT_TRUE(RectHasColor(V, Rect(1, 3, 25, 4), ColorToRGB(clBtnShadow)));
    EXPECT_TRUE(RectHasColor(V, Rect(1, 4, 25, 5), ColorToRGB(clBtnHighlight)));
}

TEST_F(Toolbars, TheBackgroundIsTiledInsideTheBorder)
{
    TColorStateGuard Guard(false);
    Bar->SetVisualStyle(vsClassic);
    TBitmap Tile;
    Tile.SetSize(10, 10);
    Tile.Canvas()->Brush()->SetColor(clRed);
    Tile.Canvas()->FillRect(Rect(0, 0, 10, 10));
    Tile.Canvas()->Brush()->SetColor(clBlue);
    Tile.Canvas()->FillRect(Rect(0, 0, 5, 5));
    Bar->SetBackground(&Tile);
    const QImage I = Shown(Bar);
    // The groove takes the top two rows.
    EXPECT_TRUE(PixelIs(I, 0, 2, Blue));
    EXPECT_TRUE(PixelIs(I, 5, 2, Red));
    EXPECT_TRUE(PixelIs(I, 10, 2, Blue));
    EXPECT_TRUE(PixelIs(I, 0, 12, Blue));
    EXPECT_FALSE(PixelIs(I, 0, 0, Blue));
}

TEST_F(Toolbars, CustomizeCaptionsAreWrittenOnlyOnceAssigned)
{
    TFcCustomizeCaptions* C = Bar->CustomizeCaptions();
    EXPECT_EQ(C->Title(), QStringLiteral("Customize Toolbar"));
    EXPECT_EQ(C->SelectiveTextOnRight(), QStringLiteral("Selective text on right"));
    EXPECT_FALSE(WriteComponentToText(Bar).contains("CustomizeCaptions"));
    C->SetTitle(QStringLiteral("Werkbalk aanpassen"));
    const QByteArray Text = WriteComponentToText(Bar);
    EXPECT_TRUE(Text.contains("CustomizeCaptions.Title = 'Werkbalk aanpassen'"));
    EXPECT_TRUE(Text.contains("CustomizeCaptions.MoveDown = 'Move Down'"));
    TFcCustomizeCaptions Other;
    Other.Assign(C);
    EXPECT_EQ(Other.Title(), QStringLiteral("Werkbalk aanpassen"));
    EXPECT_TRUE(Other.Modified());
}

// --- the control order in form definitions -------------------------------------------------------------

class TToolbarForm : public TForm {
public:
    explicit TToolbarForm(TComponent* AOwner) : TForm(AOwner) {}
};

REGISTER_COMPONENT(TToolbarForm, TForm)
END_REGISTER

namespace {

using TToolbarFormPtr = std::unique_ptr<TToolbarForm, TComponentDeleter>;

TToolbarFormPtr ReadToolbarForm(const QByteArray& Text)
{
    TToolbarFormPtr Form(CreateNewForm<TToolbarForm>(nullptr));
    ReadComponentFromText(Text, Form.get(), QStringLiteral("ToolbarForm.form"));
    return Form;
}

QByteArray WithList(const char* List, const char* Extra = "")
{
    return QByteArray("object ToolbarForm: TToolbarForm\n"
                      "  ClientWidth = 400\n"
                      "  ClientHeight = 200\n"
                      "  object Bar: TFcToolbar\n"
                      "    BorderInner = fsNone\n"
                      "    BorderOuter = fsGroove\n"
                      "    BorderSides = [sdTop]\n"
                      "    BorderWidth = 0\n"
                      "    ToolbarControls = (")
        + List
        + ")\n"
          "    object One: TFcToolButton\n"
          "    end\n"
          "    object Two: TFcToolButton\n"
          "    end\n"
          "    object Three: TFcToolButton\n"
          "    end\n"
          "  end\n"
        + Extra + "end\n";
}

std::vector<String> Order(TFcToolbar* Bar)
{
    std::vector<String> Names;
    for (int I = 0; I < Bar->ControlList()->Count(); ++I)
        Names.push_back(Bar->ControlList()->Items(I)->Control()->Name());
    return Names;
}

} // namespace

TEST(ToolbarControls, TheStoredOrderIsTheLayoutOrderAndReadsBack)
{
    TToolbarFormPtr Form = ReadToolbarForm(WithList("Three One Two"));
    auto* Bar = dynamic_cast<TFcToolbar*>(Form->FindComponent(QStringLiteral("Bar")));
    ASSERT_NE(Bar, nullptr);
    EXPECT_EQ(Order(Bar), (std::vector<String>{"Three", "One", "Two"}));
    EXPECT_EQ(dynamic_cast<TControl*>(Form->FindComponent(QStringLiteral("Three")))->Left(), 4);
    const QByteArray Text = WriteComponentToText(Form.get());
    EXPECT_TRUE(Text.contains("ToolbarControls = (\n      Three\n      One\n      Two)"));
    Form.reset();
    TToolbarFormPtr Back = ReadToolbarForm(Text);
    EXPECT_EQ(WriteComponentToText(Back.get()).toStdString(), Text.toStdString());
}

TEST(ToolbarControls, NamesThatFindNothingAreSkippedAndUnlistedControlsWait)
{
    // "Gone" was deleted; "Two" is missing from the list.
    TToolbarFormPtr Form = ReadToolbarForm(WithList("Gone Three One"));
    auto* Bar = dynamic_cast<TFcToolbar*>(Form->FindComponent(QStringLiteral("Bar")));
    EXPECT_EQ(Order(Bar), (std::vector<String>{"Three", "One"}));
}

TEST(ToolbarControls, AListedControlMovedElsewhereBringsInEveryChild)
{
    TToolbarFormPtr Form = ReadToolbarForm(WithList("Three Moved One", "  object Moved: TFcToolButton\n  end\n"));
    auto* Bar = dynamic_cast<TFcToolbar*>(Form->FindComponent(QStringLiteral("Bar")));
    EXPECT_EQ(Order(Bar), (std::vector<String>{"Three", "One", "Two"}));
}

TEST(ToolbarControls, UnnamedControlsAreNotWritten)
{
    TToolbarFormPtr Form = ReadToolbarForm(WithList("One"));
    auto* Bar = dynamic_cast<TFcToolbar*>(Form->FindComponent(QStringLiteral("Bar")));
    Form->Show();
    auto* Unnamed = new TFcToolButton(Bar);
    Unnamed->SetParent(Bar);
    ASSERT_EQ(Bar->ControlList()->Count(), 2);
    const QByteArray Text = WriteComponentToText(Form.get());
    EXPECT_TRUE(Text.contains("ToolbarControls = (\n      One)"));
}

// --- the overflow ----------------------------------------------------------------------------------------

namespace {

struct Overflow : Toolbars {
    TPostedTasks Tasks;
    void SetUp() override
    {
        Toolbars::SetUp();
        Bar->SetWrapControls(false);
    }
    // The popup's tool buttons while it is shown.
    std::vector<TFcPopupToolButton*> Copies()
    {
        std::vector<TFcPopupToolButton*> Result;
        TFcToolbarPopupButton* P = Bar->PopupButton();
        for (int I = 0; P != nullptr && I < P->ComponentCount(); ++I)
            if (auto* Panel = dynamic_cast<TFcPopupPanel*>(P->Components(I)))
                for (int J = 0; J < Panel->ComponentCount(); ++J)
                    if (auto* T = dynamic_cast<TFcToolbar*>(Panel->Components(J)))
                        for (int K = 0; K < T->ComponentCount(); ++K)
                            if (auto* Copy = dynamic_cast<TFcPopupToolButton*>(T->Components(K)))
                                Result.push_back(Copy);
        return Result;
    }
};

} // namespace

TEST_F(Overflow, TheOverflowButtonShowsWhenTheLastControlDoesNotFit)
{
    for (const char* Name : {"A", "B", "C", "D", "E", "F"})
        Button(Name, 60);
    EXPECT_FALSE(Bar->Overflowing());
    Button("G", 60);
    Bar->Realign();
    ASSERT_TRUE(Bar->Overflowing());
    TFcToolbarPopupButton* P = Bar->PopupButton();
    ASSERT_NE(P, nullptr);
    EXPECT_TRUE(P->Visible());
    EXPECT_EQ(P->BoundsRect(), Bounds(400 - 14, 0, 14, Bar->Height()));
    EXPECT_EQ(Bar->ControlList()->IndexOfControl(P), -1);
    EXPECT_EQ(Bar->GetRepaintMargin(), (TPoint{15, 1}));
    // Wrapping, it goes; vertical, it never shows.
    Bar->SetWrapControls(true);
    Bar->Realign();
    EXPECT_FALSE(P->Visible());
    EXPECT_FALSE(Bar->Overflowing());
}

TEST_F(Overflow, TheHiddenLastControlDoesNotCount)
{
    for (const char* Name : {"A", "B", "C", "D", "E", "F"})
        Button(Name, 60);
    auto* G = Button("G", 60);
    G->SetVisible(false);
    Bar->Realign();
    EXPECT_FALSE(Bar->Overflowing());
}

TEST_F(Overflow, ThePopupHoldsCopiesOfTheToolButtonsBeyondTheEnd)
{
    for (const char* Name : {"A", "B", "C", "D", "E"})
        Button(Name, 60);
    auto* Hidden = Button("Hidden", 60);
    Hidden->SetVisible(false);
    auto* Plain = new TButton(Form);
    Plain->SetBounds(0, 0, 60, 25);
    Plain->SetParent(Bar);
    Button("Partly", 60); // 4 + 5 x 60 + 60 + 4 > 396
    Button("Beyond", 60);
    Bar->Realign();
    Bar->Realign();
    ASSERT_TRUE(Bar->Overflowing());
    std::vector<String> Names;
    MouseDown(Bar->PopupButton(), {5, 5});
    // Queued behind the release that opens the popup.
    Tasks.Post([&] {
        Tasks.Post([&] {
            for (TFcPopupToolButton* C : Copies())
                Names.push_back(C->SourceButton()->Name());
            PostMessage(Form->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
        });
    });
    MouseUp(Bar->PopupButton(), {5, 5});
    EXPECT_EQ(Names, (std::vector<String>{"Partly", "Beyond"}));
    // The popup and everything in it went with it.
    PumpMessages();
    EXPECT_EQ(Bar->PopupButton()->ComponentCount(), 0);
    EXPECT_TRUE(Clicked.isEmpty());
}

TEST_F(Overflow, ThePopupIsSizedToItsToolbarAndShowsEveryCopy)
{
    // 16 buttons 60 wide with captions on a toolbar room for 11: five go to
    // the popup, three to a row of its toolbar (3 x 60 + 8 wide).
    Form->SetBounds(20, 20, 700, 200);
    Bar->SetWidth(680);
    Bar->SetTextOptions(ttoShowTextLabels);
    for (int I = 0; I < 16; ++I)
        Button(QStringLiteral("B%1").arg(I).toLatin1().constData(), 60)->SetCaption(QStringLiteral("Knop %1").arg(I));
    Bar->Realign();
    Bar->Realign();
    ASSERT_TRUE(Bar->Overflowing());
    TRect Popup, Bar2;
    std::vector<TRect> Shown;
    Tasks.Post([&] {
        TFcPopupToolButton* First = Copies().at(0);
        TWinControl* T = First->Parent();
        GetWindowRect(T->Parent()->Handle(), &Popup);
        Bar2 = T->BoundsRect();
        for (TFcPopupToolButton* C : Copies()) {
            TRect R = C->BoundsRect();
            OffsetRect(R, Bar2.Left, Bar2.Top);
            Shown.push_back(R);
        }
        PostMessage(Form->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    });
    Bar->PopupButton()->BuildOverflowPopup();
    ASSERT_EQ(Shown.size(), 5u);
    // The popup's toolbar, inside the popup's frame, which it fills.
    EXPECT_EQ(Bar2.Width(), 3 * 60 + 8);
    EXPECT_EQ(Bar2.Height(), 2 * Bar->RowHeight() + 2 * Bar->TopMargin());
    EXPECT_GT(Bar2.Left, 0);
    EXPECT_EQ(Bar2.Top, Bar2.Left);
    EXPECT_EQ(Popup.Width(), Bar2.Right + Bar2.Left);
    EXPECT_EQ(Popup.Height(), Bar2.Bottom + Bar2.Top);
    for (const TRect& R : Shown) {
        TRect Both;
        IntersectRect(Both, R, Bar2);
        EXPECT_EQ(Both, R);
    }
    // Right under the overflow button, its right edge on the button's.
    const TPoint Under =
        Bar->PopupButton()->ClientToScreen({Bar->PopupButton()->Width(), Bar->PopupButton()->Height()});
    EXPECT_EQ(Popup.Right, Under.X);
    EXPECT_EQ(Popup.Top, Under.Y);
}

TEST_F(Overflow, ClickingACopyClosesThePopupThenClicksItsButton)
{
    for (const char* Name : {"A", "B", "C", "D", "E", "F", "G"})
        Button(Name, 60);
    Bar->Realign();
    Bar->Realign();
    bool OpenWhenClicked = true;
    dynamic_cast<TFcToolButton*>(Form->FindComponent(QStringLiteral("G")))->SetOnClick([&](TObject*) {
        Clicked << QStringLiteral("G");
        OpenWhenClicked = false;
        for (int I = 0; I < Bar->PopupButton()->ComponentCount(); ++I)
            if (auto* Panel = dynamic_cast<TFcPopupPanel*>(Bar->PopupButton()->Components(I)))
                OpenWhenClicked = OpenWhenClicked || Panel->IsPopupShown();
    });
    Tasks.Post([&] {
        ASSERT_EQ(Copies().size(), 1u);
        QueueMouseDown(Copies()[0], {5, 5});
        QueueMouseUp(Copies()[0], {5, 5});
    });
    Bar->PopupButton()->BuildOverflowPopup();
    EXPECT_EQ(Clicked, QStringList({"G"}));
    EXPECT_FALSE(OpenWhenClicked);
}

TEST_F(Overflow, ThePopupIsFreedWhenTheClickRaises)
{
    for (const char* Name : {"A", "B", "C", "D", "E", "F", "G"})
        Button(Name, 60);
    Bar->Realign();
    Bar->Realign();
    dynamic_cast<TFcToolButton*>(Form->FindComponent(QStringLiteral("G")))->SetOnClick([](TObject*) {
        throw Exception(QStringLiteral("mislukt"));
    });
    Tasks.Post([&] {
        QueueMouseDown(Copies()[0], {5, 5});
        QueueMouseUp(Copies()[0], {5, 5});
    });
    EXPECT_THROW(Bar->PopupButton()->BuildOverflowPopup(), Exception);
    PumpMessages();
    EXPECT_EQ(Bar->PopupButton()->ComponentCount(), 0);
}

TEST_F(Overflow, ReleasingOutsideTheOverflowButtonOpensNothing)
{
    for (const char* Name : {"A", "B", "C", "D", "E", "F", "G"})
        Button(Name, 60);
    Bar->Realign();
    Bar->Realign();
    TFcToolbarPopupButton* P = Bar->PopupButton();
    MouseDown(P, {5, 5});
    EXPECT_TRUE(P->IsDown());
    MouseMove(P, {-50, 5}, Qt::LeftButton);
    EXPECT_FALSE(P->IsDown());
    MouseUp(P, {-50, 5});
    EXPECT_EQ(P->ComponentCount(), 0);
}

TEST_F(Overflow, TheOverflowButtonPaintsItsChevron)
{
    TColorStateGuard Guard(false);
    Bar->SetVisualStyle(vsClassic);
    for (const char* Name : {"A", "B", "C", "D", "E", "F", "G"})
        Button(Name, 60);
    Bar->Realign();
    Bar->Realign();
    TFcToolbarPopupButton* P = Bar->PopupButton();
    const QImage I = Shown(P);
    const int H = P->Height(), CX = 7, Y = H - 4;
    EXPECT_TRUE(PixelIs(I, 0, 0, ColorToRGB(P->FrameColor())));
    EXPECT_TRUE(RectHasColor(I, Rect(CX - 3, Y - 5, CX + 4, Y - 4), Black));
    EXPECT_TRUE(RectHasColor(I, Rect(CX - 3, Y - 3, CX + 4, Y - 2), Black));
    EXPECT_TRUE(PixelIs(I, CX, Y, Black));
    EXPECT_FALSE(PixelIs(I, CX - 1, Y, Black));
    EXPECT_TRUE(PixelIs(I, 2, 2, ColorToRGB(clBtnFace)));
}
