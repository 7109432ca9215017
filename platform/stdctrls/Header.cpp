#include "platform/stdctrls/Header.h"

#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"

REGISTER_COMPONENT(THeader, TCustomControl)
    PUBLISHED(AllowResize, true)
    PUBLISHED(BorderStyle, TBorderStyle(bsSingle))
    PUBLISHED_OBJECT(Sections)
    PUBLISHED_EVENT(OnSizing)
    PUBLISHED_EVENT(OnSized)
END_REGISTER

THeader::THeader(TComponent* AOwner) : TCustomControl(AOwner), FSections(std::make_unique<TStringList>())
{
    FSections->SetOnChange([this](TObject*) { SectionsChanged(); });
    FWidth = 250;
    FHeight = 25;
}

THeader::~THeader()
{
    FSections->SetOnChange(nullptr);
}

void THeader::SetBorderStyle(TBorderStyle Value)
{
    if (TFormBorderStyle(FBorderStyle) == TFormBorderStyle(Value))
        return;
    FBorderStyle = Value;
    RecreateWnd();
}

void THeader::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    if (FBorderStyle == bsSingle)
        Params.Style |= WS_BORDER;
}

// The widths follow the list: new sections get the default width, removed
// ones take theirs along (from the end).
void THeader::SectionsChanged()
{
    FWidths.resize(std::size_t(FSections->Count()), DefaultSectionWidth);
    Invalidate();
}

int THeader::SectionWidth(int Index) const
{
    if (Index < 0 || Index >= int(FWidths.size()))
        return 0;
    return FWidths[std::size_t(Index)];
}

void THeader::SetSectionWidth(int Index, int Value)
{
    if (Index < 0 || Index >= int(FWidths.size()))
        return;
    if (AssignIfChanged(FWidths[std::size_t(Index)], std::max(Value, 0)))
        Invalidate();
}

// The widths, one integer per section, as "SectionWidths = (50 80)".
void THeader::DefineProperties(TFiler& Filer)
{
    TCustomControl::DefineProperties(Filer);
    const bool AllDefault = std::all_of(FWidths.begin(), FWidths.end(), [](int W) { return W == DefaultSectionWidth; });
    Filer.DefineProperty(
        QStringLiteral("SectionWidths"),
        [this](TReader& R) {
            std::vector<int> Widths;
            R.ReadListBegin();
            while (!R.EndOfList())
                Widths.push_back(std::max(R.ReadInteger(), 0));
            R.ReadListEnd();
            for (int I = 0; I < int(Widths.size()); ++I) {
                if (I >= int(FWidths.size()))
                    FWidths.resize(std::size_t(I + 1), DefaultSectionWidth);
                FWidths[std::size_t(I)] = Widths[std::size_t(I)];
            }
        },
        [this](TWriter& W) {
            W.WriteListBegin();
            for (int Width : FWidths)
                W.WriteInteger(Width);
            W.WriteListEnd();
        },
        !AllDefault);
}

std::vector<int> THeader::Rights() const
{
    std::vector<int> R;
    int X = 0;
    for (int W : FWidths)
        R.push_back(X += W);
    return R;
}

void THeader::Paint()
{
    TCanvas* C = Canvas();
    C->Font()->Assign(Font());
    int Left = 0;
    for (int I = 0; I < FSections->Count(); ++I) {
        const int W = SectionWidth(I);
        PaintHeaderSection(C, {Left, 0, Left + W, ClientHeight()}, FSections->Strings(I), taLeftJustify, false, false,
                           Enabled());
        Left += W;
    }
    if (Left < ClientWidth())
        PaintHeaderSection(C, {Left, 0, ClientWidth() + 2, ClientHeight()}, String(), taLeftJustify, false, false,
                           Enabled());
}

void THeader::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !FAllowResize)
        return;
    const int Divider = HeaderDividerAt(Rights(), X);
    if (Divider >= 0) {
        FDrag = {Divider, X, SectionWidth(Divider)};
        SetMouseCapture(true);
    }
}

void THeader::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    if (!FDrag.Active())
        return;
    const int Width = FDrag.WidthAt(X, 0, ClientWidth());
    SetSectionWidth(FDrag.Section, Width);
    if (FOnSizing)
        FOnSizing(this, FDrag.Section, Width);
}

void THeader::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft || !FDrag.Active())
        return;
    SetMouseCapture(false);
    const int Section = FDrag.Section;
    FDrag = {};
    if (FOnSized)
        FOnSized(this, Section, SectionWidth(Section));
}

void THeader::Dispatch(TMessage& Message)
{
    if (FAllowResize && SetHeaderDividerCursor(this, Rights(), FDrag.Active(), Message))
        return;
    TCustomControl::Dispatch(Message);
}
