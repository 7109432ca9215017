#include "controls/lists/FcTabbedListBox.h"

#include "controls/foundation/FcTextHelpers.h"
#include "platform/classes/TypInfo.h"
#include "platform/stdctrls/Header.h"
#include "platform/stdctrls/HeaderControl.h"
#include "platform/stdctrls/ListMessages.h"

#include <cmath>
#include <limits>

REGISTER_ENUM(TFcTabStopsMode, tsmManual, tsmAutomatic)

REGISTER_CLASS(TFcTabStopList, TFcIntegerList)
END_REGISTER

REGISTER_COMPONENT(TFcCustomTabbedListBox, TFcCustomListBox)
    PUBLISHED(ShowItemHints, false)
    PUBLISHED_NODEFAULT_STORED(TabStops, &Self::IsTabStopsStored)
    PUBLISHED(TabStopsMode, tsmManual)
END_REGISTER

namespace {

// A value worked out in 64 bits, kept within what an integer holds.
int Clamped(std::int64_t Value)
{
    return int(std::clamp<std::int64_t>(Value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// The text's width in Font, measured on the screen.
int TextWidthIn(TFont* Font, const String& Text)
{
    HDC DC = GetDC(nullptr);
    const HGDIOBJ Old = SelectObject(DC, Font->Handle());
    TSize Size;
    GetTextExtentPoint32(DC, Text, &Size);
    SelectObject(DC, Old);
    ReleaseDC(nullptr, DC);
    return Size.cx;
}

} // namespace

// --- the stop list ----------------------------------------------------------------------------

TFcTabStopList::TFcTabStopList()
{
    // Negative stops (right-aligned columns) are allowed.
    SetMin(-2147483647);
    SetMax(2147483647);
}

void TFcTabStopList::Apply()
{
    if (FListBox != nullptr)
        FListBox->ApplyTabStops();
}

void TFcTabStopList::Put(int Index, std::int32_t Value)
{
    TFcIntegerList::Put(Index, Value);
    Apply();
}

int TFcTabStopList::Add(std::int32_t Value)
{
    const int Index = TFcIntegerList::Add(Value);
    Apply();
    return Index;
}

void TFcTabStopList::Insert(int Index, std::int32_t Value)
{
    TFcIntegerList::Insert(Index, Value);
    Apply();
}

void TFcTabStopList::Delete(int Index)
{
    TFcIntegerList::Delete(Index);
    Apply();
}

// --- the list box ------------------------------------------------------------------------------

TFcCustomTabbedListBox::TFcCustomTabbedListBox(TComponent* AOwner)
    : TFcCustomListBox(AOwner), FTabStops(std::make_unique<TFcTabStopList>())
{
    FTabStops->SetListBox(this);
    SetShowItemHints(false);
}

TFcCustomTabbedListBox::~TFcCustomTabbedListBox()
{
    FTabStops->SetListBox(nullptr);
}

void TFcCustomTabbedListBox::MeasureCharWidth()
{
    FCharWidth = std::max(1, GetAverageCharWidth(Font()));
}

void TFcCustomTabbedListBox::CreateParams(TCreateParams& Params)
{
    TFcCustomListBox::CreateParams(Params);
    Params.Style |= LBS_USETABSTOPS;
}

void TFcCustomTabbedListBox::CreateWnd()
{
    TFcCustomListBox::CreateWnd();
    // The font is known once the window exists.
    MeasureCharWidth();
    ApplyTabStops();
}

void TFcCustomTabbedListBox::Loaded()
{
    TFcCustomListBox::Loaded();
    if (FTabStopsMode == tsmAutomatic)
        CalcTabStops();
    ApplyTabStops();
}

void TFcCustomTabbedListBox::CMFontChanged(TMessage& Message)
{
    TFcCustomListBox::CMFontChanged(Message);
    MeasureCharWidth();
    if (FTabStopsMode == tsmAutomatic && !ItemsUpdating())
        CalcTabStops();
}

void TFcCustomTabbedListBox::GroupFontChanged()
{
    if (FTabStopsMode == tsmAutomatic && !ItemsUpdating())
        CalcTabStops();
}

void TFcCustomTabbedListBox::ItemsChanged()
{
    TFcCustomListBox::ItemsChanged();
    if (FTabStopsMode == tsmAutomatic)
        CalcTabStops();
}

void TFcCustomTabbedListBox::SetTabStops(TFcTabStopList* Value)
{
    FTabStops->Assign(Value);
    ApplyTabStops();
}

void TFcCustomTabbedListBox::SetTabStopsMode(TFcTabStopsMode Value)
{
    if (!AssignIfChanged(FTabStopsMode, Value))
        return;
    if (Value == tsmAutomatic && !ItemsUpdating())
        CalcTabStops();
}

// --- stops --------------------------------------------------------------------------------------

std::vector<int> TFcCustomTabbedListBox::GetTabStops()
{
    std::vector<int> Stops;
    const int N = std::min(FTabStops->Count(), MaxTabStops);
    Stops.reserve(std::size_t(N));
    for (int I = 0; I < N; ++I)
        Stops.push_back(Clamped(std::int64_t(FTabStops->Items(I)) * 4));
    return Stops;
}

std::vector<int> TFcCustomTabbedListBox::TabStopPixels()
{
    std::vector<int> Pixels;
    for (int Stop : GetTabStops())
        Pixels.push_back(Clamped(std::int64_t(std::nearbyint(double(Stop) * FCharWidth / 4.0))));
    return Pixels;
}

void TFcCustomTabbedListBox::ApplyTabStops()
{
    const std::vector<int> Stops = GetTabStops();
    Perform(LB_SETTABSTOPS, WPARAM(Stops.size()), Stops.empty() ? 0 : PtrToLParam(Stops.data()));
    Invalidate();
}

void TFcCustomTabbedListBox::CalcTabStops()
{
    if (ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying))
        return;
    FTabStops->Clear();
    std::vector<QStringList> Columns;
    int N = 0;
    for (int I = 0, Count = this->Count(); I < Count; ++I) {
        Columns.push_back(ItemText(I).split(QLatin1Char('\t')));
        N = std::max(N, int(Columns.back().size()) - 1);
    }
    std::int64_t Last = 0;
    for (int Col = 0; Col < N; ++Col) {
        int Widest = 0;
        for (int I = 0; I < int(Columns.size()); ++I) {
            const String Piece = Columns[std::size_t(I)].value(Col);
            int W = 0;
            if (IsGroup(I))
                W = TextWidthIn(GroupFont(), Col == 0 ? WithoutPrefix(Piece) : Piece);
            else
                W = TextWidthIn(Font(), Piece) + (Col == 0 ? GetFirstColumnExtra() : 0);
            Widest = std::max(Widest, W);
        }
        Last = Clamped(Widest / FCharWidth + Last + 4);
        FTabStops->TFcIntegerList::Add(std::int32_t(Last));
    }
    // Worked out anew, the stops reach the window, also when none remain.
    ApplyTabStops();
}

void TFcCustomTabbedListBox::UpdateFromHeader(TControl* Header)
{
    int X = 0;
    if (auto* H = dynamic_cast<THeader*>(Header)) {
        const int Last = std::min(H->Sections()->Count() - 2, FTabStops->Count() - 1);
        for (int I = 0; I <= Last; ++I) {
            X += H->SectionWidth(I);
            if (FTabStops->Items(I) < 0)
                FTabStops->Put(I, 1 - (X + H->SectionWidth(I + 1)) / FCharWidth);
            else
                FTabStops->Put(I, X / FCharWidth + 1);
        }
        return;
    }
    if (auto* H = dynamic_cast<THeaderControl*>(Header)) {
        const int Sections = H->Sections()->Count();
        const int Last = std::min(Sections - 1, FTabStops->Count() - 1);
        for (int I = 0; I <= Last; ++I) {
            X += H->Sections()->Items(I)->Width();
            if (FTabStops->Items(I) >= 0)
                FTabStops->Put(I, X / FCharWidth + 1);
            else if (I == Sections - 1)
                FTabStops->Put(I, 1 - Width() / FCharWidth);
            else
                FTabStops->Put(I, 1 - (X + H->Sections()->Items(I + 1)->Width()) / FCharWidth);
        }
        return;
    }
    throw EHeaderError(QStringLiteral(
        "Only THeader and THeaderControl components can be passed to TFcCustomTabbedListBox.UpdateFromHeader"));
}

// --- cells ----------------------------------------------------------------------------------------

void TFcCustomTabbedListBox::CheckCell(int Col, int Row, QStringList& Cells)
{
    if (Row < 0 || Row >= Count())
        throw EListError(QStringLiteral("Row parameter out of range"));
    Cells = ItemText(Row).split(QLatin1Char('\t'));
    if (Col < 0 || Col >= Cells.size())
        throw EListError(QStringLiteral("Column parameter out of range"));
}

String TFcCustomTabbedListBox::GetCell(int Col, int Row)
{
    QStringList Cells;
    CheckCell(Col, Row, Cells);
    return Cells.at(Col);
}

void TFcCustomTabbedListBox::SetCell(int Col, int Row, const String& Value)
{
    QStringList Cells;
    CheckCell(Col, Row, Cells);
    Cells[Col] = Value;
    Items()->SetStrings(Row, Cells.join(QLatin1Char('\t')));
}

// --- painting -------------------------------------------------------------------------------------

void TFcCustomTabbedListBox::UpdateHorzExtent()
{
    std::vector<int> Stops;
    for (int I = 0, N = std::min(FTabStops->Count(), MaxTabStops); I < N; ++I)
        Stops.push_back(Clamped(std::int64_t(FTabStops->Items(I)) * FCharWidth));
    HDC DC = GetDC(nullptr);
    const HGDIOBJ Old = SelectObject(DC, Font()->Handle());
    int Widest = 0;
    for (int I = 0, N = Count(); I < N; ++I) {
        const String Text = ItemText(I) + QLatin1Char('x');
        const DWORD Extent =
            GetTabbedTextExtent(DC, Text, int(Text.size()), int(Stops.size()), Stops.empty() ? nullptr : Stops.data());
        Widest = std::max(Widest, int(LOWORD(Extent)));
    }
    SelectObject(DC, Old);
    ReleaseDC(nullptr, DC);
    SetHorzExtent(std::uint16_t(std::clamp(GetOwnerDrawIndent() + Widest, 0, 0xFFFF)));
}

void TFcCustomTabbedListBox::DrawTabbedText(const TRect& R, const String& Text)
{
    TCanvas* C = Canvas();
    HDC DC = C->Handle();
    const int Offset = (ItemHeight() - C->TextHeight(QStringLiteral("Pp"))) / 2;
    const std::vector<int> Stops = TabStopPixels();
    const int Saved = SaveDC(DC);
    IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
    int X = R.Left + 2;
    if (UseRightToLeftAlignment()) {
        SetTextAlign(DC, TA_RIGHT | TA_RTLREADING);
        X = R.Right - 2;
    }
    TabbedTextOut(DC, X, R.Top + Offset, Text, int(Text.size()), int(Stops.size()),
                  Stops.empty() ? nullptr : Stops.data(), 0);
    RestoreDC(DC, Saved);
}

void TFcCustomTabbedListBox::DefaultDrawItem(int Index, TRect Rect, TOwnerDrawState State)
{
    (void)State;
    Canvas()->FillRect(Rect);
    if (Index >= 0 && Index < Count())
        DrawTabbedText(Rect, ItemText(Index));
}

void TFcCustomTabbedListBox::DrawGroup(int Index, TRect Rect, TOwnerDrawState State)
{
    TCanvas* C = Canvas();
    C->SetFont(GroupFont());
    FillGroup(Rect, State, GroupColor());
    if (State.Contains(odSelected))
        C->Font()->SetColor(clHighlightText);
    C->Brush()->SetStyle(bsClear);
    DrawTabbedText(Rect, WithoutPrefix(ItemText(Index)));
}
