#include "controls/lists/FcChkLst.h"

#include "controls/foundation/FcGlyphs.h"
#include "controls/foundation/FcTextHelpers.h"
#include "controls/foundation/FcThemeBridge.h"
#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"
#include "platform/rtl/FileUtils.h"
#include "platform/stdctrls/ListMessages.h"
#include "platform/windows/Themes.h"

#include <QIODevice>

REGISTER_COMPONENT(TFcCheckList, TFcCustomTabbedListBox)
    // What the check list sets itself: always owner-drawn with groups, and
    // items as high as its glyph and font need.
    PUBLISHED(Style, lbOwnerDrawFixed)
    PUBLISHED(ShowGroups, true)
    PUBLISHED_NODEFAULT(ItemHeight)
    PUBLISHED(AllowGrayed, false)
    PUBLISHED_NODEFAULT_STORED(CustomGlyphs, [](const TFcCheckList& C) { return !C.CustomGlyphs()->Empty(); })
    PUBLISHED(UseCustomGlyphs, false)
    PUBLISHED(TransparentColor, clOlive)
    PUBLISHED(HighlightColor, clHighlight)
    PUBLISHED(ItemFillColor, clWindow)
    PUBLISHED(ItemFocusColor, clWindow)
    PUBLISHED(ItemFrameColor, clBtnShadow)
    PUBLISHED(ToggleOnItemClick, false)
    PUBLISHED_EVENT(OnChanging)
    PUBLISHED_EVENT(OnChange)
END_REGISTER

namespace {

[[noreturn]] void IndexError(int Index)
{
    throw EStringListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}

// The state digit of a marked line ("&e s text"): 0, 1 or 2.
TCheckBoxState StateOfMarkedLine(const String& Line)
{
    const String Digit = Line.mid(3, 1);
    bool Ok = false;
    const int State = Digit.toInt(&Ok);
    if (!Ok || !Digit.at(0).isDigit())
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(Digit));
    if (State > int(cbGrayed))
        throw EConvertError(QStringLiteral("'%1' is not a valid check state").arg(Digit));
    return TCheckBoxState(State);
}

String MarkedLine(const String& Text, const TPacket& Packet)
{
    return QStringLiteral("&%1 %2 ").arg(Packet.Enabled ? 1 : 0).arg(int(Packet.State)) + Text;
}

} // namespace

// --- the item list ----------------------------------------------------------------------------

const TPacket& TFcCheckListStrings::Packet(int Index) const
{
    CheckIndex(Index);
    return FPackets[std::size_t(Index)];
}

TPacket& TFcCheckListStrings::Packet(int Index)
{
    CheckIndex(Index);
    return FPackets[std::size_t(Index)];
}

void TFcCheckListStrings::CheckIndex(int Index) const
{
    if (Index < 0 || Index >= int(FPackets.size()))
        IndexError(Index);
}

String TFcCheckListStrings::Get(int Index) const
{
    String Text;
    if (FCheckList->Perform(LB_GETTEXT, WPARAM(Index), PtrToLParam(&Text)) < 0)
        IndexError(Index);
    return Text;
}

int TFcCheckListStrings::GetCount() const
{
    return int(FCheckList->Perform(LB_GETCOUNT, 0, 0));
}

TObject* TFcCheckListStrings::GetObject(int Index) const
{
    const LRESULT Data = FCheckList->Perform(LB_GETITEMDATA, WPARAM(Index), 0);
    if (Data == LB_ERR)
        IndexError(Index);
    return reinterpret_cast<TObject*>(Data);
}

void TFcCheckListStrings::PutObject(int Index, TObject* AObject)
{
    FCheckList->Perform(LB_SETITEMDATA, WPARAM(Index), PtrToLParam(AObject));
}

int TFcCheckListStrings::InsertItem(UINT Msg, int Index, const String& S, TObject* AObject)
{
    // The window paints a new item before its packet exists: not meanwhile.
    FCheckList->FAdding = true;
    LRESULT Result = LB_ERR;
    try {
        Result = FCheckList->Perform(Msg, WPARAM(Index), PtrToLParam(&S));
        if (Result >= 0) {
            FPackets.insert(FPackets.begin() + std::clamp(int(Result), 0, int(FPackets.size())), TPacket());
            if (AObject != nullptr)
                PutObject(int(Result), AObject);
        }
    } catch (...) {
        FCheckList->FAdding = false;
        throw;
    }
    FCheckList->FAdding = false;
    if (Result < 0)
        throw EOutOfResources(QStringLiteral("Unable to insert a line"));
    FCheckList->Invalidate();
    return int(Result);
}

int TFcCheckListStrings::AddObject(const String& S, TObject* AObject)
{
    return InsertItem(LB_ADDSTRING, 0, S, AObject);
}

void TFcCheckListStrings::InsertObject(int Index, const String& S, TObject* AObject)
{
    // The packet goes where the window put the item (-1: the end).
    InsertItem(LB_INSERTSTRING, Index, S, AObject);
}

int TFcCheckListStrings::AddWithPacket(const String& S, TObject* AObject, TPacket Packet)
{
    const int Index = AddObject(S, AObject);
    FPackets[std::size_t(Index)] = Packet;
    return Index;
}

void TFcCheckListStrings::Delete(int Index)
{
    // A bad index is refused before anything goes.
    CheckIndex(Index);
    FCheckList->Perform(LB_DELETESTRING, WPARAM(Index), 0);
    FPackets.erase(FPackets.begin() + Index);
}

void TFcCheckListStrings::Clear()
{
    FCheckList->Perform(LB_RESETCONTENT, 0, 0);
    FPackets.clear();
}

int TFcCheckListStrings::IndexOf(const String& S) const
{
    return int(FCheckList->Perform(LB_FINDSTRINGEXACT, WPARAM(-1), PtrToLParam(&S)));
}

void TFcCheckListStrings::Put(int Index, const String& S)
{
    const int Selected = FCheckList->ItemIndex();
    const TPacket Kept = Packet(Index);
    TObject* Object = GetObject(Index);
    BeginUpdate();
    try {
        Delete(Index);
        InsertObject(Index, S, Object);
        FPackets[std::size_t(Index)] = Kept;
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    FCheckList->SetItemIndex(Selected);
}

void TFcCheckListStrings::Move(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex)
        return;
    const TPacket Kept = Packet(CurIndex);
    TStrings::Move(CurIndex, NewIndex);
    Packet(NewIndex) = Kept;
}

void TFcCheckListStrings::Exchange(int Index1, int Index2)
{
    if (Index1 == Index2)
        return;
    const TPacket First = Packet(Index1);
    const TPacket Second = Packet(Index2);
    BeginUpdate();
    try {
        TStrings::Exchange(Index1, Index2);
        Packet(Index1) = Second;
        Packet(Index2) = First;
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TFcCheckListStrings::SetUpdateState(bool Updating)
{
    FCheckList->Perform(WM_SETREDRAW, Updating ? FALSE : TRUE, 0);
    if (!Updating)
        FCheckList->Invalidate();
}

void TFcCheckListStrings::AddMarkedLine(const String& Line, TObject* AObject)
{
    if (!Line.startsWith(QLatin1Char('&'))) {
        AddObject(Line, AObject);
        return;
    }
    TPacket P;
    P.State = StateOfMarkedLine(Line);
    P.Enabled = Line.mid(1, 1) == QLatin1String("1");
    AddWithPacket(Line.mid(5), AObject, P);
}

void TFcCheckListStrings::AddStrings(TStrings* Strings)
{
    if (Strings == nullptr)
        return;
    auto* Other = dynamic_cast<TFcCheckListStrings*>(Strings);
    // Taken first: the source may be this very list.
    std::vector<std::pair<String, TObject*>> Lines;
    std::vector<TPacket> Packets;
    for (int I = 0, N = Strings->Count(); I < N; ++I) {
        Lines.emplace_back(Strings->Strings(I), Strings->Objects(I));
        if (Other != nullptr)
            Packets.push_back(Other->Packet(I));
    }
    BeginUpdate();
    try {
        for (std::size_t I = 0; I < Lines.size(); ++I) {
            if (Other != nullptr)
                AddWithPacket(Lines[I].first, Lines[I].second, Packets[I]);
            else
                AddMarkedLine(Lines[I].first, Lines[I].second);
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TFcCheckListStrings::LoadFromStream(QIODevice& Stream)
{
    // The platform's reading: UTF-8, else Windows-1252, and its lines.
    TStringList Lines;
    Lines.LoadFromStream(Stream);
    BeginUpdate();
    try {
        Clear();
        for (int I = 0; I < Lines.Count(); ++I)
            AddMarkedLine(Lines.Strings(I), nullptr);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TFcCheckListStrings::SaveToStream(QIODevice& Stream) const
{
    for (int I = 0, N = Count(); I < N; ++I) {
        const QByteArray Line = (MarkedLine(Get(I), Packet(I)) + QStringLiteral("\r\n")).toUtf8();
        if (Stream.write(Line) != Line.size())
            throw EInOutError(
                QStringLiteral("De lijst kan niet worden geschreven: %1.").arg(DeviceErrorMessage(Stream)));
    }
}

void TFcCheckListStrings::DefineProperties(TFiler& Filer)
{
    TStrings::DefineProperties(Filer);
    const bool HasItems = Count() > 0;
    Filer.DefineProperty(
        QStringLiteral("ItemEnabled"),
        [this](TReader& R) {
            R.ReadListBegin();
            for (int I = 0; !R.EndOfList(); ++I) {
                const bool Enabled = R.ReadBoolean();
                if (I < int(FPackets.size()))
                    FPackets[std::size_t(I)].Enabled = Enabled;
            }
            R.ReadListEnd();
        },
        [this](TWriter& W) {
            W.WriteListBegin();
            for (const TPacket& P : FPackets)
                W.WriteBoolean(P.Enabled);
            W.WriteListEnd();
        },
        HasItems);
    Filer.DefineProperty(
        QStringLiteral("ItemState"),
        [this](TReader& R) {
            R.ReadListBegin();
            for (int I = 0; !R.EndOfList(); ++I) {
                const int State = R.ReadInteger();
                if (State < int(cbUnchecked) || State > int(cbGrayed))
                    R.Error(QStringLiteral("Invalid property value"));
                if (I < int(FPackets.size()))
                    FPackets[std::size_t(I)].State = TCheckBoxState(State);
            }
            R.ReadListEnd();
        },
        [this](TWriter& W) {
            W.WriteListBegin();
            for (const TPacket& P : FPackets)
                W.WriteInteger(int(P.State));
            W.WriteListEnd();
        },
        HasItems);
}

// --- the check list ------------------------------------------------------------------------------

TFcCheckList::TFcCheckList(TComponent* AOwner)
    : TFcCustomTabbedListBox(AOwner), FCustomGlyphs(std::make_unique<TBitmap>())
{
    ReplaceItems(std::make_unique<TFcCheckListStrings>(this));
    FCustomGlyphs->SetOnChange([this](TObject* Sender) { CustomGlyphsChanged(Sender); });
    SetStyle(lbOwnerDrawFixed);
    SetShowGroups(true);
    AdjustItemHeight();
}

TFcCheckList::~TFcCheckList()
{
    FCustomGlyphs->SetOnChange(nullptr);
}

void TFcCheckList::AdjustItemHeight()
{
    SetItemHeight(std::max(FGlyphHeight + 4, GetFontHeight(Font())));
}

void TFcCheckList::AddItem(const String& Item, TObject* AObject)
{
    const int Nul = Item.indexOf(QChar(0));
    Items()->AddObject(Nul >= 0 ? Item.left(Nul) : Item, AObject);
}

// --- properties ------------------------------------------------------------------------------------

void TFcCheckList::SetCustomGlyphs(TBitmap* Value)
{
    FCustomGlyphs->Assign(Value);
}

void TFcCheckList::CustomGlyphsChanged(TObject* Sender)
{
    (void)Sender;
    if (ComponentState().Contains(csLoading))
        return;
    const bool Use = !FCustomGlyphs->Empty();
    if (Use == FUseCustomGlyphs) {
        // A new strip of the same kind: its cells may have another size.
        SetGlyphSize();
        Invalidate();
        return;
    }
    SetUseCustomGlyphs(Use);
}

void TFcCheckList::SetUseCustomGlyphs(bool Value)
{
    if (!AssignIfChanged(FUseCustomGlyphs, Value))
        return;
    SetGlyphSize();
    Invalidate();
}

void TFcCheckList::SetGlyphSize()
{
    if (FUseCustomGlyphs && !FCustomGlyphs->Empty()) {
        FGlyphWidth = FCustomGlyphs->Width() / GlyphCells;
        FGlyphHeight = FCustomGlyphs->Height();
    } else {
        FGlyphWidth = 13;
        FGlyphHeight = 13;
    }
    AdjustItemHeight();
}

// --- item flags ----------------------------------------------------------------------------------------

TCheckBoxState TFcCheckList::ItemState(int Index) const
{
    return CheckItems()->Packet(Index).State;
}

void TFcCheckList::SetItemState(int Index, TCheckBoxState Value)
{
    TPacket& P = CheckItems()->Packet(Index);
    if (P.State == Value)
        return;
    P.State = Value;
    InvalidateGlyph(Index);
}

bool TFcCheckList::ItemEnabled(int Index) const
{
    return CheckItems()->Packet(Index).Enabled;
}

void TFcCheckList::SetItemEnabled(int Index, bool Value)
{
    TPacket& P = CheckItems()->Packet(Index);
    if (P.Enabled == Value)
        return;
    P.Enabled = Value;
    Invalidate();
}

bool TFcCheckList::ItemChecked(int Index) const
{
    return ItemState(Index) == cbChecked;
}

void TFcCheckList::SetItemChecked(int Index, bool Value)
{
    SetItemState(Index, Value ? cbChecked : cbUnchecked);
}

TRect TFcCheckList::GlyphZone(int Index)
{
    TRect R = ItemRect(Index);
    if (UseRightToLeftAlignment())
        R.Left = R.Right - (FGlyphWidth + 4);
    else
        R.Right = R.Left + FGlyphWidth + 4;
    return R;
}

void TFcCheckList::InvalidateGlyph(int Index)
{
    if (!HandleAllocated())
        return;
    const int D = (ItemHeight() - FGlyphHeight) / 2;
    TRect R = GlyphZone(Index);
    R.Bottom = R.Top + ItemHeight() - D;
    R.Top += D;
    InvalidateRect(FHandle, &R, FALSE);
}

// --- toggling -------------------------------------------------------------------------------------------

bool TFcCheckList::DoStateChanging(int Index, TCheckBoxState NewState)
{
    bool AllowChange = true;
    if (FOnChanging)
        FOnChanging(this, Index, NewState, AllowChange);
    return AllowChange;
}

void TFcCheckList::DoStateChange(int Index, TCheckBoxState NewState)
{
    if (FOnChange)
        FOnChange(this, Index, NewState);
}

void TFcCheckList::ToggleItemState()
{
    const int Index = ItemIndex();
    if (Index < 0 || Index >= Count() || !ItemEnabled(Index) || IsGroup(Index))
        return;
    TCheckBoxState New = cbChecked;
    switch (ItemState(Index)) {
    case cbUnchecked:
        New = FAllowGrayed ? cbGrayed : cbChecked;
        break;
    case cbChecked:
        New = cbUnchecked;
        break;
    case cbGrayed:
        New = cbChecked;
        break;
    }
    if (!DoStateChanging(Index, New)) {
        FPressed = false;
        return;
    }
    SetItemState(Index, New);
    FPressed = false;
    DoStateChange(Index, New);
}

void TFcCheckList::StartPress()
{
    FPressed = true;
    FToggleIndex = ItemIndex();
}

void TFcCheckList::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const int Index = ItemAtPos({X, Y}, true);
    if (Index >= 0) {
        if (Button == mbLeft) {
            if (FToggleOnItemClick || PtInRect(GlyphZone(Index), {X, Y}))
                StartPress();
        } else if (Button == mbRight && Index != ItemIndex()) {
            SetItemIndex(Index);
            Click();
        }
    }
    TFcCustomTabbedListBox::MouseDown(Button, Shift, X, Y);
}

void TFcCheckList::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft) {
        const bool Toggle = FPressed && ItemIndex() == FToggleIndex && PtInRect(ClientRect(), {X, Y});
        // Every release ends the press, whatever it toggled.
        FPressed = false;
        if (Toggle)
            ToggleItemState();
    }
    TFcCustomTabbedListBox::MouseUp(Button, Shift, X, Y);
}

void TFcCheckList::KeyDown(WORD& Key, TShiftState Shift)
{
    if (Key == VK_SPACE)
        StartPress();
    TFcCustomTabbedListBox::KeyDown(Key, Shift);
}

void TFcCheckList::KeyUp(WORD& Key, TShiftState Shift)
{
    if (Key == VK_SPACE && FPressed)
        ToggleItemState();
    TFcCustomTabbedListBox::KeyUp(Key, Shift);
}

void TFcCheckList::WndProc(TMessage& Message)
{
    // The space bar toggles; it searches nothing.
    if (Message.Msg == WM_CHAR && Message.WParam == ' ')
        return;
    TFcCustomTabbedListBox::WndProc(Message);
}

void TFcCheckList::CMEnabledChanged(TMessage& Message)
{
    TFcCustomTabbedListBox::CMEnabledChanged(Message);
    for (int I = 0, N = Count(); I < N; ++I)
        CheckItems()->Packet(I).Enabled = Enabled();
    Invalidate();
}

void TFcCheckList::CMFontChanged(TMessage& Message)
{
    TFcCustomTabbedListBox::CMFontChanged(Message);
    AdjustItemHeight();
}

// --- painting --------------------------------------------------------------------------------------------

void TFcCheckList::DrawCheckGlyph(int Index, TBitmap* Bitmap)
{
    const TPacket& P = CheckItems()->Packet(Index);
    const TRect R{0, 0, FGlyphWidth, FGlyphHeight};
    Bitmap->SetSize(FGlyphWidth, FGlyphHeight);
    if (FUseCustomGlyphs) {
        const int Cell = int(P.State) + (P.Enabled ? 0 : 3);
        Bitmap->Canvas()->CopyRect(R, FCustomGlyphs->Canvas(),
                                   Bounds(Cell * FGlyphWidth, 0, FGlyphWidth, FGlyphHeight));
        return;
    }
    if (FcThemesEnabled()) {
        static const TThemedButton Parts[3][2] = {{tbCheckBoxUncheckedDisabled, tbCheckBoxUncheckedNormal},
                                                  {tbCheckBoxCheckedDisabled, tbCheckBoxCheckedNormal},
                                                  {tbCheckBoxMixedDisabled, tbCheckBoxMixedNormal}};
        Bitmap->Canvas()->Brush()->SetColor(Color());
        Bitmap->Canvas()->FillRect(R);
        FcDrawThemedElement(Bitmap->Canvas(), TThemeServices::GetElementDetails(Parts[int(P.State)][P.Enabled ? 1 : 0]),
                            R);
        return;
    }
    PaintCheckGlyph(Bitmap->Canvas(), R, int(P.State), P.Enabled ? 0 : 3, Focused(), htsInterior, FItemFrameColor,
                    FHighlightColor, FItemFillColor, FItemFocusColor, DisabledColor(), clLime, clRed, false, false,
                    clWindow);
}

void TFcCheckList::DoDrawItem(int Index, TRect Rect, TOwnerDrawState State)
{
    if (FAdding || Index < 0 || Index >= CheckItems()->Count())
        return;
    TCanvas* C = Canvas();
    // The glyph on the list's colour, its transparent colour left out.
    TBitmap Glyph;
    DrawCheckGlyph(Index, &Glyph);
    TBitmap Composed;
    Composed.SetSize(FGlyphWidth, FGlyphHeight);
    const TRect G{0, 0, FGlyphWidth, FGlyphHeight};
    Composed.Canvas()->Brush()->SetColor(Color());
    Composed.Canvas()->FillRect(G);
    Composed.Canvas()->BrushCopy(G, &Glyph, G, FTransparentColor);
    C->FillRect(Rect);
    const int X = UseRightToLeftAlignment() ? Rect.Right + 4 : Rect.Left - FGlyphWidth - 4;
    C->Draw(X, Rect.Top + (ItemHeight() - FGlyphHeight) / 2, &Composed);

    C->SetFont(Font());
    if (!ItemEnabled(Index) || !Enabled())
        C->Font()->SetColor(ColorToRGB(Color()) == ColorToRGB(clBtnShadow) ? clBtnFace : clBtnShadow);
    HDC DC = C->Handle();
    const int Saved = SaveDC(DC);
    IntersectClipRect(DC, Rect.Left, Rect.Top, Rect.Right, Rect.Bottom);
    if (State.Contains(odSelected)) {
        C->Brush()->SetColor(clHighlight);
        C->Font()->SetColor(clHighlightText);
    }
    try {
        if (OnDrawItem())
            OnDrawItem()(this, Index, Rect, State);
        else
            DefaultDrawItem(Index, Rect, State);
    } catch (...) {
        RestoreDC(C->Handle(), Saved);
        throw;
    }
    RestoreDC(C->Handle(), Saved);
}

void TFcCheckList::DefaultDrawItem(int Index, TRect Rect, TOwnerDrawState State)
{
    (void)State;
    if (Index >= 0 && Index < Count())
        DrawTabbedText(Rect, ItemText(Index));
}
