#pragma once
// TSiObject: the persistent base of the library's plain objects, and the
// change notice it shares with TSiCustomComponent: OnChange is told of
// changes unless an update is in progress.
#include "platform/rtl/System.h"

class TSiChangeNotice {
public:
    // While set, changes are not told.
    bool UpdateLocked() const { return FUpdateLocked; }
    void SetUpdateLocked(bool Value) { FUpdateLocked = Value; }

    DECLARE_EVENT(TNotifyEvent, OnChange)

protected:
    void NotifyChange(TObject* Sender)
    {
        if (!FUpdateLocked && FOnChange)
            FOnChange(Sender);
    }

private:
    bool FUpdateLocked = false;
};

class TSiObject : public TPersistent, public TSiChangeNotice {
public:
    TSiObject() = default;

protected:
    virtual void Changed() { NotifyChange(this); }
};
