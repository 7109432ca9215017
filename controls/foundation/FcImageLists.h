#pragma once
// The Images property of a control that shows pictures of an image list:
// the list tells it of changes through its change link and of its going
// through a free notification.
#include "platform/actions/ImgList.h"

// Leaves the list in Field (its change link and free notification) and
// takes Value; false when Value is the list already there.
bool ChangeImageList(TComponent* Client, TChangeLink* Link, TCustomImageList*& Field, TCustomImageList* Value);
