#include "controls/lists/FcTabSheet.h"

#include "controls/lists/FcPageControl.h"
#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"
#include "platform/forms/Application.h"

REGISTER_COMPONENT(TFcTabSheet, TCustomControl)
    UNPUBLISHED(Visible)
    PUBLISHED(Align, alClient)
    PUBLISHED_STORED(Anchors, (TAnchors{akLeft, akTop, akRight, akBottom}),
                     [](const TControl& C) { return C.Anchors() != AnchorAlign(C.Align()); })
    PUBLISHED(Color, clBtnFace)
    PUBLISHED(ParentColor, false)
    PUBLISHED(DisabledIndex, -1)
    PUBLISHED(ImageIndex, -1)
    // The order of the pages in the definition gives it.
    PUBLISHED_NODEFAULT_STORED(PageIndex, false)
    PUBLISHED(TabEnabled, true)
    PUBLISHED(TabVisible, true)
    PUBLISHED_EVENT(OnPaintBackground)
    PUBLISHED_EVENT(OnHide)
    PUBLISHED_EVENT(OnShow)
END_REGISTER

TFcTabSheet::TFcTabSheet(TComponent* AOwner) : TCustomControl(AOwner)
{
    FVisible = false;
    SetAlign(alClient);
    FControlStyle += TControlStyle{csAcceptsControls, csOpaque, csNoDesignVisible};
    TCustomControl::SetColor(clBtnFace);
}

TFcTabSheet::~TFcTabSheet()
{
    if (!DestructionStarted())
        BeforeDestruction();
}

void TFcTabSheet::BeforeDestruction()
{
    if (FPageControl != nullptr)
        FPageControl->RemovePage(this);
    TCustomControl::BeforeDestruction();
}

void TFcTabSheet::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.WindowClass.style &= ~UINT(CS_HREDRAW | CS_VREDRAW);
}

void TFcTabSheet::SetVisible(bool Value)
{
    (void)Value;
    throw EFcTabControlError(QString::fromLatin1(SFcCannotChangePageVisible));
}

void TFcTabSheet::TabChanged()
{
    if (FPageControl != nullptr)
        FPageControl->TabsChanged();
}

void TFcTabSheet::SetColor(TColor Value)
{
    if (Value == Color())
        return;
    if (TFcPageControl* P = FPageControl) {
        // A page of its own colour needs coloured tabs; while they stay off
        // a page only takes the control's colour back.
        if (!P->UseColoredTabs() && Value != P->Color())
            P->SetUseColoredTabs(true);
        if (!P->UseColoredTabs() && Color() == P->Color())
            return;
    }
    TCustomControl::SetColor(Value);
}

void TFcTabSheet::CMColorChanged(TMessage& Message)
{
    TCustomControl::CMColorChanged(Message);
    TabChanged();
}

void TFcTabSheet::SetDisabledIndex(int Value)
{
    if (AssignIfChanged(FDisabledIndex, Value))
        TabChanged();
}

void TFcTabSheet::SetImageIndex(int Value)
{
    if (AssignIfChanged(FImageIndex, Value))
        TabChanged();
}

void TFcTabSheet::SetTabEnabled(bool Value)
{
    if (AssignIfChanged(FTabEnabled, Value))
        TabChanged();
}

void TFcTabSheet::SetTabVisible(bool Value)
{
    if (AssignIfChanged(FTabVisible, Value))
        TabChanged();
}

void TFcTabSheet::SetPageControl(TFcPageControl* Value)
{
    if (FPageControl == Value)
        return;
    if (FPageControl != nullptr)
        FPageControl->RemovePage(this);
    SetParent(Value);
    if (Value != nullptr)
        Value->InsertPage(this);
}

int TFcTabSheet::PageIndex() const
{
    if (FPageControl == nullptr)
        return -1;
    const auto& Pages = FPageControl->FPages;
    const auto It = std::find(Pages.begin(), Pages.end(), this);
    return It == Pages.end() ? -1 : int(It - Pages.begin());
}

void TFcTabSheet::SetPageIndex(int Value)
{
    if (FPageControl != nullptr)
        FPageControl->MovePage(this, Value);
}

int TFcTabSheet::TabIndex() const
{
    if (!FTabVisible || FPageControl == nullptr)
        return -1;
    int Index = 0;
    for (const TFcTabSheet* Page : FPageControl->FPages) {
        if (Page == this)
            return Index;
        Index += Page->FTabVisible ? 1 : 0;
    }
    return -1;
}

void TFcTabSheet::ReadState(TReader& Reader)
{
    TCustomControl::ReadState(Reader);
    if (auto* P = dynamic_cast<TFcPageControl*>(Reader.Parent()))
        SetPageControl(P);
}

void TFcTabSheet::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_ERASEBKGND) {
        Message.Result = 1;
        return;
    }
    TCustomControl::WndProc(Message);
}

void TFcTabSheet::Paint()
{
    const TRect R = ClientRect();
    bool Handled = false;
    if (FOnPaintBackground)
        FOnPaintBackground(this, Canvas(), R, Handled);
    if (Handled)
        return;
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(R);
}

void TFcTabSheet::CMTextChanged(TMessage& Message)
{
    TCustomControl::CMTextChanged(Message);
    TabChanged();
}

// OnShow and OnHide as the page starts and stops showing; what they raise
// goes to the application, not into the showing change.
void TFcTabSheet::CMShowingChanged(TMessage& Message)
{
    TCustomControl::CMShowingChanged(Message);
    const bool Now = Showing();
    if (Now == FWasShowing)
        return;
    FWasShowing = Now;
    const TNotifyEvent& Handler = Now ? FOnShow : FOnHide;
    if (!Handler)
        return;
    try {
        Handler(this);
    } catch (...) {
        if (Application != nullptr)
            Application->HandleException(this);
    }
}
