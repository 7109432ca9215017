#include "controls/foundation/FcImageLists.h"

bool ChangeImageList(TComponent* Client, TChangeLink* Link, TCustomImageList*& Field, TCustomImageList* Value)
{
    if (Field == Value)
        return false;
    if (Field != nullptr) {
        Field->UnRegisterChanges(Link);
        Field->RemoveFreeNotification(Client);
    }
    Field = Value;
    if (Value != nullptr) {
        Value->RegisterChanges(Link);
        Value->FreeNotification(Client);
    }
    return true;
}
