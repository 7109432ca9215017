#pragma once
// TSizeConstraints: the smallest and largest size a control may take (0 =
// no limit), and TMargins / TPadding: the space a control keeps around
// itself when it is aligned, and the space a container keeps inside.
#include "platform/rtl/System.h"

class TControl;

class TSizeConstraints : public TPersistent {
public:
    explicit TSizeConstraints(TControl* Control) : FControl(Control) {}
    void Assign(TPersistent* Source) override;
    TPersistent* GetOwner() const override;

    int MaxHeight() const { return FMaxHeight; }
    void SetMaxHeight(int Value);
    int MaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(int Value);
    int MinHeight() const { return FMinHeight; }
    void SetMinHeight(int Value);
    int MinWidth() const { return FMinWidth; }
    void SetMinWidth(int Value);
    TNotifyEvent OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

    // Brings Width and Height within the limits.
    void Apply(int& Width, int& Height) const;

private:
    void Changed();
    TControl* FControl;
    int FMaxHeight = 0;
    int FMaxWidth = 0;
    int FMinHeight = 0;
    int FMinWidth = 0;
    TEventSlot<TNotifyEvent> FOnChange;
};

class TMargins : public TPersistent {
public:
    explicit TMargins(TControl* Control, int Default = 3);
    void Assign(TPersistent* Source) override;
    TPersistent* GetOwner() const override;

    int Left() const { return FLeft; }
    void SetLeft(int Value) { SetMargin(FLeft, Value); }
    int Top() const { return FTop; }
    void SetTop(int Value) { SetMargin(FTop, Value); }
    int Right() const { return FRight; }
    void SetRight(int Value) { SetMargin(FRight, Value); }
    int Bottom() const { return FBottom; }
    void SetBottom(int Value) { SetMargin(FBottom, Value); }
    void SetBounds(int ALeft, int ATop, int ARight, int ABottom);
    TNotifyEvent OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

    // The margin the class declares (3 for margins, 0 for padding).
    int DefaultValue() const { return FDefault; }

private:
    void SetMargin(int& Field, int Value);
    TControl* FControl;
    int FDefault;
    int FLeft;
    int FTop;
    int FRight;
    int FBottom;
    TEventSlot<TNotifyEvent> FOnChange;
};

class TPadding : public TMargins {
public:
    explicit TPadding(TControl* Control) : TMargins(Control, 0) {}
};
