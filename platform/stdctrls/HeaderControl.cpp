#include "platform/stdctrls/HeaderControl.h"

#include "platform/classes/TypInfo.h"

REGISTER_ENUM(THeaderSectionStyle, hsText, hsOwnerDraw)
REGISTER_ENUM(THeaderStyle, hsButtons, hsFlat)
REGISTER_ENUM(TSectionTrackState, tsTrackBegin, tsTrackMove, tsTrackEnd)

REGISTER_CLASS(THeaderSection, TCollectionItem)
    PUBLISHED(Alignment, taLeftJustify)
    PUBLISHED(AllowClick, true)
    PUBLISHED(MaxWidth, 10000)
    PUBLISHED(MinWidth, 0)
    PUBLISHED(Style, hsText)
    PUBLISHED(Text, String())
    PUBLISHED(Width, 50)
END_REGISTER

REGISTER_CLASS(THeaderSections, TCollection)
END_REGISTER

REGISTER_COMPONENT(THeaderControl, TCustomControl)
    PUBLISHED(Align, alTop)
    PUBLISHED_NODEFAULT_STORED(Anchors, [](const THeaderControl& H) { return H.Anchors() != AnchorAlign(H.Align()); })
    PUBLISHED(FullDrag, true)
    PUBLISHED(HotTrack, false)
    PUBLISHED_OBJECT(Sections)
    PUBLISHED(Style, hsButtons)
    PUBLISHED_EVENT(OnSectionClick)
    PUBLISHED_EVENT(OnSectionResize)
    PUBLISHED_EVENT(OnSectionTrack)
    PUBLISHED_EVENT(OnDrawSection)
END_REGISTER

// --- sections -----------------------------------------------------------------------------------

THeaderSection::THeaderSection(TCollection* Collection) : TCollectionItem(Collection)
{}

void THeaderSection::Assign(TPersistent* Source)
{
    if (auto* S = dynamic_cast<THeaderSection*>(Source)) {
        FAlignment = S->FAlignment;
        FAllowClick = S->FAllowClick;
        FMaxWidth = S->FMaxWidth;
        FMinWidth = S->FMinWidth;
        FStyle = S->FStyle;
        FText = S->FText;
        FWidth = S->FWidth;
        Changed(true);
        return;
    }
    TCollectionItem::Assign(Source);
}

String THeaderSection::GetDisplayName() const
{
    return FText.isEmpty() ? TCollectionItem::GetDisplayName() : FText;
}

void THeaderSection::SetAlignment(TAlignment Value)
{
    if (AssignIfChanged(FAlignment, Value))
        Changed(false);
}

void THeaderSection::SetMaxWidth(int Value)
{
    FMaxWidth = std::max(Value, FMinWidth);
    SetWidth(FWidth);
}

void THeaderSection::SetMinWidth(int Value)
{
    FMinWidth = std::clamp(Value, 0, FMaxWidth);
    SetWidth(FWidth);
}

void THeaderSection::SetStyle(THeaderSectionStyle Value)
{
    if (AssignIfChanged(FStyle, Value))
        Changed(false);
}

void THeaderSection::SetText(const String& Value)
{
    if (AssignIfChanged(FText, Value))
        Changed(false);
}

void THeaderSection::SetWidth(int Value)
{
    // Every later section moves: the whole header changes.
    if (AssignIfChanged(FWidth, std::clamp(Value, FMinWidth, FMaxWidth)))
        Changed(true);
}

int THeaderSection::Left() const
{
    int X = 0;
    if (Collection() != nullptr)
        for (int I = 0; I < Index(); ++I)
            X += static_cast<THeaderSection*>(Collection()->Items(I))->Width();
    return X;
}

THeaderSections::THeaderSections(THeaderControl* HeaderControl)
    : TOwnedCollection(HeaderControl, ClassOf<THeaderSection>()), FHeaderControl(HeaderControl)
{}

void THeaderSections::Update(TCollectionItem* Item)
{
    (void)Item;
    FHeaderControl->Invalidate();
}

// --- the control ----------------------------------------------------------------------------------

THeaderControl::THeaderControl(TComponent* AOwner)
    : TCustomControl(AOwner), FSections(std::make_unique<THeaderSections>(this))
{
    FControlStyle = {};
    SetAlign(alTop);
    FHeight = 17;
}

THeaderControl::~THeaderControl() = default;

void THeaderControl::SetStyle(THeaderStyle Value)
{
    if (AssignIfChanged(FStyle, Value))
        Invalidate();
}

std::vector<int> THeaderControl::Rights() const
{
    std::vector<int> R;
    int X = 0;
    for (int I = 0; I < FSections->Count(); ++I)
        R.push_back(X += FSections->Items(I)->Width());
    return R;
}

int THeaderControl::SectionAt(int X) const
{
    int Left = 0;
    for (int I = 0; I < FSections->Count(); ++I) {
        const int Right = Left + FSections->Items(I)->Width();
        if (X >= Left && X < Right)
            return I;
        Left = Right;
    }
    return -1;
}

TRect THeaderControl::SectionRect(int Index) const
{
    const THeaderSection* S = FSections->Items(Index);
    return {S->Left(), 0, S->Right(), FHeight};
}

void THeaderControl::Paint()
{
    TCanvas* C = Canvas();
    C->Font()->Assign(Font());
    const bool Flat = FStyle == hsFlat;
    int Right = 0;
    for (int I = 0; I < FSections->Count(); ++I) {
        THeaderSection* S = FSections->Items(I);
        const TRect R = SectionRect(I);
        Right = R.Right;
        const bool Pressed = I == FPressed && FPressedShown;
        if (S->Style() == hsOwnerDraw && FOnDrawSection)
            FOnDrawSection(this, S, R, Pressed);
        else
            PaintHeaderSection(C, R, S->Text(), S->Alignment(), Pressed, Flat, Enabled());
    }
    // What lies beyond the last section is an empty heading.
    if (Right < ClientWidth())
        PaintHeaderSection(C, {Right, 0, ClientWidth() + 2, ClientHeight()}, String(), taLeftJustify, false, Flat,
                           Enabled());
}

// --- the mouse --------------------------------------------------------------------------------------

void THeaderControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft)
        return;
    const int Divider = HeaderDividerAt(Rights(), X);
    if (Divider >= 0) {
        FDrag = {Divider, X, FSections->Items(Divider)->Width()};
        SetMouseCapture(true);
        Track(X, tsTrackBegin);
        return;
    }
    const int Index = SectionAt(X);
    if (Index >= 0 && FSections->Items(Index)->AllowClick()) {
        FPressed = Index;
        FPressedShown = true;
        SetMouseCapture(true);
        Invalidate();
    }
}

void THeaderControl::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    if (FDrag.Active()) {
        Track(X, tsTrackMove);
    } else if (FPressed >= 0) {
        const bool Inside = PtInRect(SectionRect(FPressed), TPoint{X, Y});
        if (AssignIfChanged(FPressedShown, Inside))
            Invalidate();
    }
}

void THeaderControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft)
        return;
    SetMouseCapture(false);
    if (FDrag.Active()) {
        Track(X, tsTrackEnd);
        THeaderSection* S = FSections->Items(FDrag.Section);
        FDrag = {};
        if (FOnSectionResize)
            FOnSectionResize(this, S);
        return;
    }
    if (FPressed < 0)
        return;
    const int Index = FPressed;
    const bool Clicked = FPressedShown;
    FPressed = -1;
    FPressedShown = false;
    Invalidate();
    if (Clicked && FOnSectionClick)
        FOnSectionClick(this, FSections->Items(Index));
}

// A step of a divider drag: OnSectionTrack hears the width it reached.
void THeaderControl::Track(int X, TSectionTrackState State)
{
    THeaderSection* S = FSections->Items(FDrag.Section);
    int Width = FDrag.WidthAt(X, S->MinWidth(), S->MaxWidth());
    if (FOnSectionTrack)
        FOnSectionTrack(this, S, Width, State);
    if (FFullDrag || State == tsTrackEnd)
        S->SetWidth(Width);
}

void THeaderControl::Dispatch(TMessage& Message)
{
    if (SetHeaderDividerCursor(this, Rights(), FDrag.Active(), Message))
        return;
    TCustomControl::Dispatch(Message);
}
