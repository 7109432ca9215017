#include "controls/foundation/FcBalloonHints.h"

#include "controls/foundation/FcOldPropReader.h"
#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"

REGISTER_ENUM(TFcHintCorner, hcLowerRight, hcLowerLeft, hcUpperLeft, hcUpperRight, hcNone)

REGISTER_CLASS(TFcBalloonBitmaps, TPersistent)
    PUBLISHED_OBJECT(LowerRight)
    PUBLISHED_OBJECT(LowerLeft)
    PUBLISHED_OBJECT(UpperLeft)
    PUBLISHED_OBJECT(UpperRight)
    PUBLISHED(TransparentColor, clOlive)
    PUBLISHED_EVENT(OnChange)
END_REGISTER

// FrameColor starts as cl3DDkShadow and is always written; the short
// pause is the application's, whatever it is.
REGISTER_COMPONENT(TFcBalloonHints, TComponent)
    PUBLISHED(Alignment, taLeftJustify)
    PUBLISHED_OBJECT(Bitmaps)
    PUBLISHED(CaptionWidth, 100)
    PUBLISHED(CenterThreshold, 80)
    PUBLISHED(Color, clInfoBk)
    PUBLISHED_NODEFAULT(FrameColor)
    PUBLISHED(Corner, hcUpperRight)
    PUBLISHED_OBJECT(Font)
    PUBLISHED(HintPause, 500)
    PUBLISHED_NODEFAULT(HintShortPause)
    PUBLISHED(ShowBalloon, true)
    PUBLISHED_EVENT(OnSetHintWinSize)
    PUBLISHED_EVENT(OnSetHintRect)
    PUBLISHED_EVENT(OnShowHint)
END_REGISTER

// --- the bitmaps ----------------------------------------------------------------------------------------

TFcBalloonBitmaps::TFcBalloonBitmaps()
{
    for (auto& B : FBitmaps)
        B = std::make_unique<TBitmap>();
}

TFcBalloonBitmaps::~TFcBalloonBitmaps() = default;

void TFcBalloonBitmaps::SetBitmap(TFcHintCorner Corner, TBitmap* Value)
{
    if (Value == FBitmaps[Corner].get())
        return;
    FBitmaps[Corner]->Assign(Value);
    Changed();
}

void TFcBalloonBitmaps::SetTransparentColor(TColor Value)
{
    if (AssignIfChanged(FTransparentColor, Value))
        Changed();
}

void TFcBalloonBitmaps::Changed()
{
    if (FOnChange)
        FOnChange(this);
}

bool TFcBalloonBitmaps::AnyImage() const
{
    for (const auto& B : FBitmaps)
        if (!B->Empty())
            return true;
    return false;
}

void TFcBalloonBitmaps::Assign(TPersistent* Source)
{
    auto* S = dynamic_cast<TFcBalloonBitmaps*>(Source);
    if (S == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    for (int I = 0; I < 4; ++I)
        FBitmaps[I]->Assign(S->FBitmaps[I].get());
    FTransparentColor = S->FTransparentColor;
    Changed();
}

// --- the component --------------------------------------------------------------------------------------

namespace {

// The hint window class before the first component, given back when the
// last one goes, whichever order they go in.
int GComponents = 0;
TClass GPreviousClass = nullptr;

bool ApplicationLives()
{
    return Application != nullptr && !Application->ComponentState().Contains(csDestroying);
}

// The application makes its hint window anew, of the class now set.
void RenewHintWindow(TClass Class)
{
    const bool Shown = Application->ShowHint();
    Application->SetShowHint(false);
    Application->SetHintWindowClass(Class);
    Application->SetShowHint(Shown);
}

} // namespace

TFcBalloonHints::TFcBalloonHints(TComponent* AOwner)
    : TComponent(AOwner), FBitmaps(std::make_unique<TFcBalloonBitmaps>()), FFont(std::make_unique<TFont>())
{
    FFont->SetName(QStringLiteral("Tahoma"));
    FFont->SetSize(8);
    FFont->SetColor(clInfoText);
    FFont->SetOnChange([this](TObject* Sender) { FontChanged(Sender); });
    if (Application != nullptr) {
        FHintPause = Application->HintPause();
        FHintShortPause = Application->HintShortPause();
    }
    if (!ApplicationLives() || ComponentState().Contains(csDesigning))
        return;
    if (GComponents++ == 0)
        GPreviousClass = Application->HintWindowClass();
    RenewHintWindow(ClassOf<TFcCustomHintWindow>());
}

TFcBalloonHints::~TFcBalloonHints()
{
    if (FWindow != nullptr)
        FWindow->ComponentGone();
    FWindow = nullptr;
    if (ComponentState().Contains(csDesigning) || GComponents == 0)
        return;
    if (--GComponents == 0 && ApplicationLives())
        RenewHintWindow(GPreviousClass);
    else if (ApplicationLives())
        RenewHintWindow(ClassOf<TFcCustomHintWindow>());
}

void TFcBalloonHints::DefineProperties(TFiler& Filer)
{
    TComponent::DefineProperties(Filer);
    Filer.DefineProperty(QStringLiteral("BalloonStyle"), TFcOldPropReader::SkipIdentProperty, nullptr, false);
    Filer.DefineProperty(QStringLiteral("Shadow"), TFcOldPropReader::SkipBooleanProperty, nullptr, false);
}

void TFcBalloonHints::FontChanged(TObject*)
{
    if (FWindow != nullptr)
        FWindow->Font()->Assign(FFont.get());
}

void TFcBalloonHints::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    if (FWindow != nullptr)
        FWindow->SetAlignment(Value);
}

void TFcBalloonHints::SetCaptionWidth(int Value)
{
    FCaptionWidth = Value;
    if (FWindow != nullptr)
        FWindow->SetCaptionWidth(Value);
}

void TFcBalloonHints::SetCenterThreshold(int Value)
{
    FCenterThreshold = Value;
    if (FWindow != nullptr)
        FWindow->SetCenterThreshold(Value);
}

void TFcBalloonHints::SetColor(TColor Value)
{
    FColor = Value;
    if (FWindow != nullptr)
        FWindow->SetColor(Value);
}

void TFcBalloonHints::SetFrameColor(TColor Value)
{
    FFrameColor = Value;
    if (FWindow != nullptr)
        FWindow->SetFrameColor(Value);
}

void TFcBalloonHints::SetCorner(TFcHintCorner Value)
{
    FCorner = Value;
    if (FWindow != nullptr)
        FWindow->SetCorner(Value);
}

void TFcBalloonHints::SetShowBalloon(bool Value)
{
    FShowBalloon = Value;
    if (FWindow != nullptr)
        FWindow->SetShowBalloon(Value);
}

void TFcBalloonHints::SetOnSetHintWinSize(TSetHintWinSizeEvent Value)
{
    FOnSetHintWinSize = std::move(Value);
    if (FWindow != nullptr)
        FWindow->SetOnSetHintWinSize(FOnSetHintWinSize);
}

void TFcBalloonHints::SetOnSetHintRect(TSetHintRectEvent Value)
{
    FOnSetHintRect = std::move(Value);
    if (FWindow != nullptr)
        FWindow->SetOnSetHintRect(FOnSetHintRect);
}

int TFcBalloonHints::HintPause() const
{
    return ComponentState().Contains(csDesigning) || Application == nullptr ? FHintPause : Application->HintPause();
}

void TFcBalloonHints::SetHintPause(int Value)
{
    FHintPause = Value;
    if (!ComponentState().Contains(csDesigning) && Application != nullptr)
        Application->SetHintPause(Value);
}

int TFcBalloonHints::HintShortPause() const
{
    return ComponentState().Contains(csDesigning) || Application == nullptr ? FHintShortPause
                                                                            : Application->HintShortPause();
}

void TFcBalloonHints::SetHintShortPause(int Value)
{
    FHintShortPause = Value;
    if (!ComponentState().Contains(csDesigning) && Application != nullptr)
        Application->SetHintShortPause(Value);
}
