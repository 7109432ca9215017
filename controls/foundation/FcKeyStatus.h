#pragma once
// TFcKeyStatus (unit FcStatus): a polling pane that shows whether Caps
// Lock, Num Lock or Scroll Lock is on, or whether typing inserts or
// overwrites.  A lock key that is off shows nothing or a dimmed name.
//
// The states come through one replaceable hook, by default GetKeyState's
// toggle bits: the lock keys as the desktop has them from the start
// (platform/windows/LockKeys.h), Insert the one application-wide flag that
// every Insert press the program sees flips.
#include "controls/foundation/FcPollingStatus.h"

#include <functional>

enum TFcToggleKey { tkCapsLock, tkNumLock, tkScrollLock, tkInsert };
enum TFcKeyOffAppearance { koaBlank, koaDimmed };
enum TFcInsertState { isInsert, isOverwrite };

// Whether the toggle key VirtKey (VK_CAPITAL, VK_NUMLOCK, VK_SCROLL,
// VK_INSERT) is on.
using TFcKeyToggleHook = std::function<bool(int VirtKey)>;
// Installs a hook (tests); an empty one puts the desktop's back.
void SetFcKeyToggleHook(TFcKeyToggleHook Hook);
bool FcKeyToggled(int VirtKey);

class TFcKeyStatus;

// The texts of the key pane.
class TFcKeyStrings : public TPersistent {
public:
    explicit TFcKeyStrings(TFcKeyStatus* Pane = nullptr) : FPane(Pane) {}
    void Assign(TPersistent* Source) override;

    String CapsLock() const { return FCapsLock; }
    void SetCapsLock(const String& Value) { Change(FCapsLock, Value); }
    String NumLock() const { return FNumLock; }
    void SetNumLock(const String& Value) { Change(FNumLock, Value); }
    String ScrollLock() const { return FScrollLock; }
    void SetScrollLock(const String& Value) { Change(FScrollLock, Value); }
    String Insert() const { return FInsert; }
    void SetInsert(const String& Value) { Change(FInsert, Value); }
    String Overwrite() const { return FOverwrite; }
    void SetOverwrite(const String& Value) { Change(FOverwrite, Value); }

private:
    void Change(String& Field, const String& Value);

    TFcKeyStatus* FPane;
    String FCapsLock = QStringLiteral("CAPS");
    String FNumLock = QStringLiteral("NUM");
    String FScrollLock = QStringLiteral("SCR");
    String FInsert = QStringLiteral("Insert");
    String FOverwrite = QStringLiteral("Overwrite");
};

class TFcKeyStatus : public TFcPollingStatus {
public:
    explicit TFcKeyStatus(TComponent* AOwner);
    ~TFcKeyStatus() override;

    TFcToggleKey Key() const { return FKey; }
    void SetKey(TFcToggleKey Value) { SetPaintProperty(FKey, Value); }
    TFcKeyOffAppearance KeyOffAppearance() const { return FKeyOffAppearance; }
    void SetKeyOffAppearance(TFcKeyOffAppearance Value) { SetPaintProperty(FKeyOffAppearance, Value); }
    TFcKeyStrings* KeyStrings() const { return FKeyStrings.get(); }
    void SetKeyStrings(TFcKeyStrings* Value) { FKeyStrings->Assign(Value); }
    // The state shown while the Insert key's toggle is where it was when
    // this was set; the other one once it has been pressed an odd number
    // of times since.
    TFcInsertState InsertState() const { return FDesignInsertState; }
    void SetInsertState(TFcInsertState Value);

    // What the pane shows now.
    bool KeyOff() const { return FKeyOff; }
    TFcInsertState RunTimeInsertState() const { return FRunInsertState; }
    void TimerExpired() override;

    // For the key strings: one of them changed (they are written from now on).
    void KeyStringsChanged();
    bool KeyStringsStored() const { return FKeyStringsChanged; }

protected:
    void Paint() override;

private:
    String KeyText() const;

    TFcToggleKey FKey = tkCapsLock;
    TFcKeyOffAppearance FKeyOffAppearance = koaBlank;
    std::unique_ptr<TFcKeyStrings> FKeyStrings;
    bool FKeyStringsChanged = false;
    bool FKeyOff = true;
    TFcInsertState FDesignInsertState = isInsert;
    TFcInsertState FRunInsertState = isInsert;
    bool FInsertToggle = false;
};
