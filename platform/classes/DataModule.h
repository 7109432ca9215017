#pragma once
// TDataModule: a root component without a window that holds non-visual
// components (tables, data sources) and is streamed from its form
// definition.
//
// Create it with CreateComponent<TMyModule>(Owner) (or through its class
// record): AfterConstruction streams the definition of its class (found
// among the compiled-in *.form resources), then runs OnCreate.  Free it with
// Free() (or let its owner free it) so OnDestroy runs while it is whole.
#include "platform/classes/Component.h"

class TDataModule : public TComponent {
public:
    explicit TDataModule(TComponent* AOwner);
    ~TDataModule() override;

    void AfterConstruction() override;
    void BeforeDestruction() override;

    DECLARE_EVENT(TNotifyEvent, OnCreate)
    DECLARE_EVENT(TNotifyEvent, OnDestroy)
    // Kept for old definitions; handlers always run after streaming.
    bool OldCreateOrder() const { return FOldCreateOrder; }
    void SetOldCreateOrder(bool Value) { FOldCreateOrder = Value; }

    // The designer's size and scroll offset, streamed to round-trip.
    int DesignWidth() const { return FDesignWidth; }
    void SetDesignWidth(int Value) { FDesignWidth = Value; }
    int DesignHeight() const { return FDesignHeight; }
    void SetDesignHeight(int Value) { FDesignHeight = Value; }

    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
    void DefineProperties(TFiler& Filer) override;

protected:
    virtual void DoCreate();
    virtual void DoDestroy();

private:
    bool FOldCreateOrder = false;
    bool FConstructed = false;
    bool FCreated = false;
    bool FDestroyDone = false;
    int FDesignWidth = 0;
    int FDesignHeight = 0;
    int FHorizontalOffset = 0;
    int FVerticalOffset = 0;
    int FPixelsPerInch = 0;
};
