#pragma once
// TSiCustomComponent: the non-visual component base of the library; like
// TSiObject it tells its OnChange of changes unless an update is in progress.
#include "platform/classes/Component.h"
#include "sysinfo/SiObject.h"

class TSiCustomComponent : public TComponent, public TSiChangeNotice {
public:
    explicit TSiCustomComponent(TComponent* AOwner) : TComponent(AOwner) {}

protected:
    virtual void Changed() { NotifyChange(this); }
};
