#pragma once
// The base of fonts, pens and brushes: a persistent object that tells its
// owner (a canvas, a control) when it changes, and owns the GDI handle it
// stands for, made when first asked for and dropped on every change.
#include "platform/graphics/Colors.h"
#include "platform/graphics/Gdi.h"
#include "platform/rtl/System.h"

class TGraphicsObject : public TPersistent {
public:
    ~TGraphicsObject() override;
    DECLARE_EVENT(TNotifyEvent, OnChange)
    // Outside owners (a control's font) may route their owner through here
    // for GetNamePath.
    TPersistent* GetOwner() const override { return FOwner; }
    void SetOwner(TPersistent* Value) { FOwner = Value; }

protected:
    TGraphicsObject() = default;
    // Drops the handle and fires OnChange.
    virtual void Changed();
    // The cached handle, dropped with DeleteObject (deferred while some
    // device context still has it selected).
    void FreeHandle();
    HGDIOBJ FHandle = nullptr;

private:
    TPersistent* FOwner = nullptr;
};
