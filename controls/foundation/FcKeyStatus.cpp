#include "controls/foundation/FcKeyStatus.h"

#include "platform/classes/TypInfo.h"

REGISTER_ENUM(TFcToggleKey, tkCapsLock, tkNumLock, tkScrollLock, tkInsert)
REGISTER_ENUM(TFcKeyOffAppearance, koaBlank, koaDimmed)
REGISTER_ENUM(TFcInsertState, isInsert, isOverwrite)

REGISTER_CLASS(TFcKeyStrings, TPersistent)
    PUBLISHED(CapsLock, QStringLiteral("CAPS"))
    PUBLISHED(NumLock, QStringLiteral("NUM"))
    PUBLISHED(ScrollLock, QStringLiteral("SCR"))
    PUBLISHED(Insert, QStringLiteral("Insert"))
    PUBLISHED(Overwrite, QStringLiteral("Overwrite"))
END_REGISTER

REGISTER_COMPONENT(TFcKeyStatus, TFcPollingStatus)
    PUBLISHED(Key, tkCapsLock)
    PUBLISHED(KeyOffAppearance, koaBlank)
    PUBLISHED_OBJECT(KeyStrings)
        .Stored(&TFcKeyStatus::KeyStringsStored) PUBLISHED(InsertState, isInsert) PUBLISHED(Alignment, taCenter)
            PUBLISHED(AutoSize, false) PUBLISHED(Blinking, false) PUBLISHED(BlinkColor, clHighlight)
                PUBLISHED(BlinkIntervalOff, 500) PUBLISHED(BlinkIntervalOn, 500) PUBLISHED(CaptionOffset, 2)
                    PUBLISHED(DefaultWidth, 40)
END_REGISTER

// --- the toggle states --------------------------------------------------------------------

namespace {

// The window layer's key table: the lock keys as the desktop has them from
// the start, Insert the program's own flag; both kept up by every press.
bool DefaultToggle(int VirtKey)
{
    return (GetKeyState(VirtKey) & 1) != 0;
}

TFcKeyToggleHook& Hook()
{
    static TFcKeyToggleHook H;
    return H;
}

int VirtualKeyOf(TFcToggleKey Key)
{
    switch (Key) {
    case tkCapsLock:
        return VK_CAPITAL;
    case tkNumLock:
        return VK_NUMLOCK;
    case tkScrollLock:
        return VK_SCROLL;
    default:
        return VK_INSERT;
    }
}

} // namespace

void SetFcKeyToggleHook(TFcKeyToggleHook H)
{
    Hook() = std::move(H);
}

bool FcKeyToggled(int VirtKey)
{
    return Hook() ? Hook()(VirtKey) : DefaultToggle(VirtKey);
}

// --- the strings --------------------------------------------------------------------------

void TFcKeyStrings::Assign(TPersistent* Source)
{
    auto* Other = dynamic_cast<TFcKeyStrings*>(Source);
    if (Other == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    SetCapsLock(Other->FCapsLock);
    SetNumLock(Other->FNumLock);
    SetScrollLock(Other->FScrollLock);
    SetInsert(Other->FInsert);
    SetOverwrite(Other->FOverwrite);
}

void TFcKeyStrings::Change(String& Field, const String& Value)
{
    if (!AssignIfChanged(Field, Value))
        return;
    if (FPane != nullptr)
        FPane->KeyStringsChanged();
}

// --- the pane -----------------------------------------------------------------------------

TFcKeyStatus::TFcKeyStatus(TComponent* AOwner)
    : TFcPollingStatus(AOwner), FKeyStrings(std::make_unique<TFcKeyStrings>(this))
{
    FWidth = 45;
    SetAlignment(taCenter);
    FInsertToggle = FcKeyToggled(VK_INSERT);
}

TFcKeyStatus::~TFcKeyStatus() = default;

void TFcKeyStatus::SetInsertState(TFcInsertState Value)
{
    FDesignInsertState = Value;
    if (!ComponentState().Contains(csDesigning)) {
        FRunInsertState = Value;
        FInsertToggle = FcKeyToggled(VK_INSERT);
    }
    Invalidate();
}

void TFcKeyStatus::KeyStringsChanged()
{
    FKeyStringsChanged = true;
    Invalidate();
}

void TFcKeyStatus::TimerExpired()
{
    if (FKey != tkInsert) {
        if (AssignIfChanged(FKeyOff, !FcKeyToggled(VirtualKeyOf(FKey))))
            Invalidate();
    } else if (!ComponentState().Contains(csDesigning)) {
        const bool Pressed = FcKeyToggled(VK_INSERT) != FInsertToggle;
        const TFcInsertState Other = FDesignInsertState == isInsert ? isOverwrite : isInsert;
        if (AssignIfChanged(FRunInsertState, Pressed ? Other : FDesignInsertState))
            Invalidate();
    }
    TFcPollingStatus::TimerExpired();
}

String TFcKeyStatus::KeyText() const
{
    switch (FKey) {
    case tkCapsLock:
        return FKeyStrings->CapsLock();
    case tkNumLock:
        return FKeyStrings->NumLock();
    case tkScrollLock:
        return FKeyStrings->ScrollLock();
    default:
        return FRunInsertState == isInsert ? FKeyStrings->Insert() : FKeyStrings->Overwrite();
    }
}

void TFcKeyStatus::Paint()
{
    DrawFrame();
    if (FKey == tkInsert || !FKeyOff)
        DrawCaption(KeyText());
    else if (FKeyOffAppearance == koaDimmed)
        DrawCaptionText(KeyText(), clGrayText);
    else
        DrawCaption(String());
}
