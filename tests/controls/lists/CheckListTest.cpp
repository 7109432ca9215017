// The check list: the toggle cycles, events only for the user's toggles
// and the veto, press-drag-release on the glyph and on the text, the space
// bar, disabled items and group headers, the item list keeping its flags
// through every list operation, the text format (round trip, plain and
// malformed lines, the update ended), form definitions, a new window, the
// custom glyph strip, and the painting of items.
#include "controls/lists/FcChkLst.h"
#include "platform/classes/Filer.h"
#include "tests/controls/lists/ListsFixture.h"

#include <QBuffer>

namespace {

struct CheckLists : ListsForm {
    TFcCheckList* List = nullptr;
    QStringList Heard;
    void SetUp() override
    {
        ListsForm::SetUp();
        List = Make<TFcCheckList>(Bounds(10, 10, 200, 150));
        List->SetOnChanging([this](TObject*, int Index, TCheckBoxState State, bool&) {
            Heard << QStringLiteral("changing %1 %2").arg(Index).arg(int(State));
        });
        List->SetOnChange([this](TObject*, int Index, TCheckBoxState State) {
            Heard << QStringLiteral("change %1 %2").arg(Index).arg(int(State));
        });
        List->SetFocus();
        PumpMessages();
    }
    void Fill(std::initializer_list<const char*> Texts)
    {
        for (const char* T : Texts)
            List->Items()->Add(QString::fromUtf8(T));
    }
    TPoint OnGlyph(int Index) { return {8, List->ItemRect(Index).Top + 3}; }
    TPoint OnText(int Index) { return {List->GlyphWidth() + 30, List->ItemRect(Index).Top + 3}; }
    QByteArray Saved()
    {
        QBuffer B;
        B.open(QIODevice::WriteOnly);
        List->Items()->SaveToStream(B);
        return B.data();
    }
    void Load(const QByteArray& Bytes)
    {
        QBuffer B;
        B.setData(Bytes);
        B.open(QIODevice::ReadOnly);
        List->Items()->LoadFromStream(B);
    }
};

struct TToggleCase {
    bool AllowGrayed;
    TCheckBoxState From;
    TCheckBoxState To;
};

TEST_F(CheckLists, EachToggleMovesTheStateAlongItsCycle)
{
    Fill({"Naam"});
    const TToggleCase Cases[] = {
        {false, cbUnchecked, cbChecked}, {false, cbChecked, cbUnchecked}, {false, cbGrayed, cbChecked},
        {true, cbUnchecked, cbGrayed},   {true, cbGrayed, cbChecked},     {true, cbChecked, cbUnchecked},
    };
    List->SetItemIndex(0);
    for (const TToggleCase& C : Cases) {
        List->SetAllowGrayed(C.AllowGrayed);
        List->SetItemState(0, C.From);
        Heard.clear();
        List->ToggleItemState();
        EXPECT_EQ(List->ItemState(0), C.To) << C.AllowGrayed << int(C.From);
        EXPECT_EQ(Heard,
                  QStringList(
                      {QStringLiteral("changing 0 %1").arg(int(C.To)), QStringLiteral("change 0 %1").arg(int(C.To))}));
    }
}

TEST_F(CheckLists, FlagsSetByCodeFireNoEvents)
{
    Fill({"een", "twee"});
    List->SetItemChecked(0, true);
    EXPECT_EQ(List->ItemState(0), cbChecked);
    EXPECT_TRUE(List->ItemChecked(0));
    List->SetItemState(1, cbGrayed);
    EXPECT_FALSE(List->ItemChecked(1));
    List->SetItemChecked(1, false);
    EXPECT_EQ(List->ItemState(1), cbUnchecked);
    List->SetItemEnabled(1, false);
    EXPECT_FALSE(List->ItemEnabled(1));
    EXPECT_TRUE(Heard.isEmpty());
    EXPECT_EQ(ErrorMessage<EStringListError>([&] { List->ItemState(2); }),
              QStringLiteral("List index out of bounds (2)"));
}

TEST_F(CheckLists, AVetoLeavesTheItemAndFiresNoChange)
{
    Fill({"een"});
    List->SetItemIndex(0);
    List->SetOnChanging([this](TObject*, int, TCheckBoxState, bool& Allow) {
        Heard << QStringLiteral("changing");
        Allow = false;
    });
    List->ToggleItemState();
    EXPECT_EQ(List->ItemState(0), cbUnchecked);
    EXPECT_EQ(Heard, QStringList({"changing"}));
    EXPECT_FALSE(List->Pressed());
}

TEST_F(CheckLists, AClickOnTheGlyphTogglesOnReleaseAndOnTheTextOnlyWhenAsked)
{
    Fill({"een", "twee", "drie"});
    MouseClick(List, OnText(0));
    EXPECT_EQ(List->ItemIndex(), 0);
    EXPECT_EQ(List->ItemState(0), cbUnchecked) << "the text does not toggle";
    MouseDown(List, OnGlyph(1));
    EXPECT_TRUE(List->Pressed());
    EXPECT_EQ(List->ItemState(1), cbUnchecked) << "not before the release";
    MouseUp(List, OnGlyph(1));
    EXPECT_EQ(List->ItemState(1), cbChecked);
    EXPECT_FALSE(List->Pressed());
    List->SetToggleOnItemClick(true);
    MouseClick(List, OnText(2));
    EXPECT_EQ(List->ItemState(2), cbChecked);
}

TEST_F(CheckLists, AReleaseAfterTheSelectionMovedOrOutsideTogglesNothingButEndsThePress)
{
    Fill({"een", "twee", "drie"});
    // Pressed on one glyph, dragged to the next item: the selection moved.
    MouseDown(List, OnGlyph(0));
    MouseMove(List, OnGlyph(1), Qt::LeftButton);
    MouseUp(List, OnGlyph(1));
    EXPECT_EQ(List->ItemIndex(), 1);
    EXPECT_EQ(List->ItemState(0), cbUnchecked);
    EXPECT_EQ(List->ItemState(1), cbUnchecked);
    EXPECT_FALSE(List->Pressed());
    // Released outside the list.
    MouseDown(List, OnGlyph(1));
    MouseUp(List, {List->Width() + 30, 5});
    EXPECT_EQ(List->ItemState(1), cbUnchecked);
    EXPECT_FALSE(List->Pressed());
    EXPECT_TRUE(Heard.isEmpty());
}

TEST_F(CheckLists, TheSpaceBarTogglesAndSearchesNothing)
{
    Fill({"een", "twee"});
    List->SetItemIndex(1);
    PressKey(List, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    EXPECT_EQ(List->ItemState(1), cbChecked);
    EXPECT_EQ(List->SearchString(), QString());
    TypeText(List, QStringLiteral("e"));
    EXPECT_EQ(List->ItemIndex(), 0);
}

TEST_F(CheckLists, ARightClickSelectsTheItemUnderIt)
{
    Fill({"een", "twee"});
    int Clicks = 0;
    List->SetOnClick([&](TObject*) { ++Clicks; });
    MouseDown(List, OnText(1), Qt::RightButton);
    MouseUp(List, OnText(1), Qt::RightButton);
    EXPECT_EQ(List->ItemIndex(), 1);
    EXPECT_GE(Clicks, 1);
    EXPECT_EQ(List->ItemState(1), cbUnchecked);
}

TEST_F(CheckLists, DisabledItemsAndGroupHeadersNeverToggle)
{
    Fill({"//Persoon", "Naam", "Adres"});
    List->SetItemEnabled(2, false);
    for (int I : {0, 2}) {
        List->SetItemIndex(I);
        List->ToggleItemState();
        MouseClick(List, OnGlyph(I));
        PressKey(List, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        EXPECT_EQ(List->ItemState(I), cbUnchecked) << I;
    }
    EXPECT_TRUE(Heard.isEmpty());
}

TEST_F(CheckLists, DisablingTheControlDisablesEveryItemAndEnablingEnablesThemAll)
{
    Fill({"een", "twee", "drie"});
    List->SetItemEnabled(1, false);
    List->SetEnabled(false);
    for (int I = 0; I < 3; ++I)
        EXPECT_FALSE(List->ItemEnabled(I));
    List->SetEnabled(true);
    for (int I = 0; I < 3; ++I)
        EXPECT_TRUE(List->ItemEnabled(I)) << I;
}

TEST_F(CheckLists, ADisabledItemPaintsInTheShadowColour)
{
    Fill({"Naam", "Adres"});
    List->SetItemEnabled(1, false);
    List->SetItemChecked(0, true);
    const QImage I = PaintControlImage(List);
    const TRect Text0 = Bounds(2 + List->GlyphWidth() + 8, 2 + List->ItemRect(0).Top, 60, List->ItemHeight());
    const TRect Text1 = Bounds(2 + List->GlyphWidth() + 8, 2 + List->ItemRect(1).Top, 60, List->ItemHeight());
    EXPECT_GT(CountColor(I, ColorToRGB(clWindowText), Text0), 5);
    EXPECT_EQ(CountColor(I, ColorToRGB(clBtnShadow), Text0), 0);
    EXPECT_GT(CountColor(I, ColorToRGB(clBtnShadow), Text1), 5);
    EXPECT_EQ(CountColor(I, ColorToRGB(clWindowText), Text1), 0);
    // The glyph sits 4 pixels in, centred in the item's height: its frame
    // in the item frame colour, the tick in the highlight colour.
    const int Top = 2 + List->ItemRect(0).Top + (List->ItemHeight() - 13) / 2;
    EXPECT_TRUE(PixelIs(I, 2 + 4, Top + 6, ColorToRGB(clBtnShadow)));
    EXPECT_GT(CountColor(I, ColorToRGB(clHighlight), Bounds(2 + 5, Top + 1, 11, 11)), 5);
}

TEST_F(CheckLists, EveryListOperationKeepsTheFlagsWithTheirItem)
{
    Fill({"a", "b", "c"});
    List->SetItemState(0, cbChecked);
    List->SetItemEnabled(1, false);
    List->SetItemState(2, cbGrayed);
    TStrings* Items = List->Items();
    Items->Exchange(0, 2);
    EXPECT_EQ(Items->Strings(0), QStringLiteral("c"));
    EXPECT_EQ(List->ItemState(0), cbGrayed);
    EXPECT_EQ(List->ItemState(2), cbChecked);
    Items->Move(1, 0);
    EXPECT_EQ(Items->Strings(0), QStringLiteral("b"));
    EXPECT_FALSE(List->ItemEnabled(0));
    List->SetItemIndex(2);
    Items->SetStrings(2, QStringLiteral("A"));
    EXPECT_EQ(List->ItemState(2), cbChecked);
    EXPECT_EQ(List->ItemIndex(), 2);
    // Inserted at -1: the item and its packet both at the end.
    Items->Insert(-1, QStringLiteral("z"));
    EXPECT_EQ(Items->Strings(3), QStringLiteral("z"));
    List->SetItemState(3, cbChecked);
    EXPECT_EQ(List->ItemState(2), cbChecked);
    EXPECT_EQ(List->ItemState(3), cbChecked);
    Items->Insert(0, QStringLiteral("eerste"));
    EXPECT_EQ(List->ItemState(0), cbUnchecked);
    EXPECT_FALSE(List->ItemEnabled(1));
    // A bad index is refused before anything goes.
    EXPECT_EQ(ErrorMessage<EStringListError>([&] { Items->Delete(9); }),
              QStringLiteral("List index out of bounds (9)"));
    EXPECT_EQ(Items->Count(), 5);
    Items->Delete(1);
    EXPECT_EQ(List->ItemState(0), cbUnchecked);
    EXPECT_EQ(List->ItemState(1), cbGrayed);
    Items->Clear();
    EXPECT_EQ(Items->Count(), 0);
}

TEST_F(CheckLists, ASortedListKeepsEachItemsFlagsWithItsText)
{
    auto* Source = Make<TFcCheckList>(Bounds(220, 10, 100, 100));
    Source->Items()->Add(QStringLiteral("zeven"));
    Source->Items()->Add(QStringLiteral("acht"));
    Source->Items()->Add(QStringLiteral("negen"));
    Source->SetItemState(0, cbChecked);
    Source->SetItemEnabled(1, false);
    List->SetSorted(true);
    List->Items()->Assign(Source->Items());
    EXPECT_EQ(List->Items()->Strings(0), QStringLiteral("acht"));
    EXPECT_FALSE(List->ItemEnabled(0));
    EXPECT_EQ(List->ItemState(2), cbChecked);
    EXPECT_EQ(List->Items()->Strings(2), QStringLiteral("zeven"));
}

TEST_F(CheckLists, SavedListsLoadBackWithTheirFlags)
{
    Fill({"Naam", "Straat", "Plaats"});
    List->SetItemState(0, cbChecked);
    List->SetItemEnabled(1, false);
    List->SetItemState(2, cbGrayed);
    List->Items()->Add(QString::fromUtf8("Café"));
    const QByteArray Bytes = Saved();
    EXPECT_EQ(Bytes, QByteArray("&1 1 Naam\r\n&0 0 Straat\r\n&1 2 Plaats\r\n&1 0 Caf\xC3\xA9\r\n"));
    List->Items()->Clear();
    Load(Bytes);
    ASSERT_EQ(List->Items()->Count(), 4);
    EXPECT_EQ(List->ItemState(0), cbChecked);
    EXPECT_FALSE(List->ItemEnabled(1));
    EXPECT_EQ(List->ItemState(2), cbGrayed);
    EXPECT_EQ(List->Items()->Strings(3), QString::fromUtf8("Café"));
}

TEST_F(CheckLists, PlainAndSingleByteLinesLoadAsEnabledUncheckedItems)
{
    Load(QByteArray("Naam\r\nCaf\xE9\n&1 1 \r\n"));
    ASSERT_EQ(List->Items()->Count(), 3);
    EXPECT_EQ(List->Items()->Strings(1), QString::fromUtf8("Café"));
    EXPECT_TRUE(List->ItemEnabled(0));
    EXPECT_EQ(List->ItemState(1), cbUnchecked);
    EXPECT_EQ(List->Items()->Strings(2), QString());
    EXPECT_EQ(List->ItemState(2), cbChecked);
}

TEST_F(CheckLists, AMalformedLineStopsTheLoadKeepsWhatCameBeforeAndEndsTheUpdate)
{
    List->SetTabStopsMode(tsmAutomatic);
    EXPECT_EQ(ErrorMessage<EConvertError>([&] { Load("&1 1 goed\r\n&1 x fout\r\nnooit\r\n"); }),
              QStringLiteral("'x' is not a valid integer value"));
    ASSERT_EQ(List->Items()->Count(), 1);
    EXPECT_EQ(List->ItemState(0), cbChecked);
    EXPECT_EQ(ErrorMessage<EConvertError>([&] { Load("&1 7 te groot\r\n"); }),
              QStringLiteral("'7' is not a valid check state"));
    EXPECT_EQ(ErrorMessage<EConvertError>([&] { Load("&1\r\n"); }), QStringLiteral("'' is not a valid integer value"));
    // The update ended: a change is followed at once.
    List->Items()->Add(QStringLiteral("a\tb"));
    EXPECT_EQ(List->TabStops()->Count(), 1);
}

TEST_F(CheckLists, AFormDefinitionCarriesTheFlagsOfEveryItem)
{
    List->SetName(QStringLiteral("CheckListVelden"));
    EXPECT_FALSE(WriteComponentToText(List).contains("ItemState"));
    EXPECT_FALSE(WriteComponentToText(List).contains("ItemEnabled"));
    Fill({"Naam", "Adres"});
    List->SetItemState(1, cbGrayed);
    List->SetItemEnabled(0, false);
    const QByteArray Text = WriteComponentToText(List);
    EXPECT_TRUE(Text.contains("Items.ItemEnabled = (\n    False\n    True)")) << Text.toStdString();
    EXPECT_TRUE(Text.contains("Items.ItemState = (\n    0\n    2)")) << Text.toStdString();
    auto* Back = new TFcCheckList(nullptr);
    const std::unique_ptr<TFcCheckList, TComponentDeleter> Owned(Back);
    ReadComponentFromText(Text, Back, QStringLiteral("checklist.form"));
    ASSERT_EQ(Back->Items()->Count(), 2);
    EXPECT_FALSE(Back->ItemEnabled(0));
    EXPECT_EQ(Back->ItemState(1), cbGrayed);
    EXPECT_EQ(WriteComponentToText(Back).toStdString(), Text.toStdString());
}

TEST_F(CheckLists, ANewWindowKeepsItemsFlagsTopItemAndSelection)
{
    for (int I = 0; I < 40; ++I)
        List->Items()->Add(QStringLiteral("veld %1").arg(I));
    List->SetItemState(25, cbChecked);
    List->SetItemEnabled(26, false);
    List->SetTopIndex(20);
    List->SetItemIndex(27);
    List->SetHorzScrollBar(true);
    EXPECT_EQ(List->Items()->Count(), 40);
    EXPECT_EQ(List->ItemState(25), cbChecked);
    EXPECT_FALSE(List->ItemEnabled(26));
    EXPECT_EQ(List->TopIndex(), 20);
    EXPECT_EQ(List->ItemIndex(), 27);
}

TEST_F(CheckLists, ACustomGlyphStripSetsTheGlyphSize)
{
    TBitmap Strip;
    Strip.SetSize(78, 13);
    List->SetCustomGlyphs(&Strip);
    EXPECT_TRUE(List->UseCustomGlyphs());
    EXPECT_EQ(List->GlyphWidth(), 13);
    EXPECT_EQ(List->GlyphHeight(), 13);
    EXPECT_GE(List->ItemHeight(), 17);
    // A new strip with bigger cells while custom glyphs are on.
    TBitmap Bigger;
    Bigger.SetSize(96, 16);
    List->SetCustomGlyphs(&Bigger);
    EXPECT_EQ(List->GlyphWidth(), 16);
    EXPECT_EQ(List->GlyphHeight(), 16);
    EXPECT_GE(List->ItemHeight(), 20);
    TBitmap Empty;
    List->SetCustomGlyphs(&Empty);
    EXPECT_FALSE(List->UseCustomGlyphs());
    EXPECT_EQ(List->GlyphWidth(), 13);
}

TEST_F(CheckLists, ACustomGlyphIsTheCellOfTheStateAndEnabledFlag)
{
    Fill({"een", "twee"});
    TBitmap Strip;
    Strip.SetSize(60, 10);
    const TColor Cells[6] = {clRed, clLime, clBlue, clYellow, clAqua, clFuchsia};
    for (int C = 0; C < 6; ++C) {
        Strip.Canvas()->Brush()->SetColor(Cells[C]);
        Strip.Canvas()->FillRect(Bounds(C * 10, 0, 10, 10));
    }
    List->SetCustomGlyphs(&Strip);
    List->SetItemState(0, cbGrayed);
    List->SetItemEnabled(1, false);
    List->SetItemState(1, cbChecked);
    TBitmap Glyph;
    List->DrawCheckGlyph(0, &Glyph);
    EXPECT_EQ(ColorToRGB(Glyph.Canvas()->Pixels(5, 5)), ColorToRGB(clBlue));
    List->DrawCheckGlyph(1, &Glyph);
    EXPECT_EQ(ColorToRGB(Glyph.Canvas()->Pixels(5, 5)), ColorToRGB(clAqua));
    // The transparent colour shows the list's colour.
    List->SetTransparentColor(clAqua);
    List->SetColor(clWhite);
    const QImage I = PaintControlImage(List);
    EXPECT_TRUE(PixelIs(I, 2 + 4 + 5, 2 + List->ItemRect(1).Top + List->ItemHeight() / 2, White));
}

TEST_F(CheckLists, TabStopsBecomePixelsWithTheListsFont)
{
    Fill({"a\tb"});
    List->SetWidth(380);
    List->TabStops()->Add(10);
    const int Before = List->CharWidth();
    auto SecondColumn = [&] {
        const QImage I = PaintControlImage(List);
        const TRect Item = List->ItemRect(0);
        List->Canvas()->SetFont(List->Font());
        const int From = 2 + List->GlyphWidth() + 8 + List->Canvas()->TextWidth(QStringLiteral("a")) + 4;
        const TRect B = BoundsOfColor(I.copy(From, 2 + Item.Top, I.width() - From, Item.Height()), Black);
        return B.Left + From - 2;
    };
    // A glyph's side bearing may add a pixel or two.
    EXPECT_NEAR(SecondColumn(), 10 * Before, 2);
    List->Font()->SetSize(20);
    ASSERT_GT(List->CharWidth(), Before);
    EXPECT_NEAR(SecondColumn(), 10 * List->CharWidth(), 3);
}

TEST_F(CheckLists, AutomaticStopsMakeRoomForTheGlyphInTheFirstColumn)
{
    Fill({"ab\tc"});
    List->SetTabStopsMode(tsmAutomatic);
    List->Canvas()->SetFont(List->Font());
    const int W = List->Canvas()->TextWidth(QStringLiteral("ab"));
    EXPECT_EQ(List->TabStops()->Items(0), (W + List->GlyphWidth()) / List->CharWidth() + 4);
}

} // namespace
