#pragma once
// The vocabulary of the group bar (unit FcGroupBar): its styles, the
// caption, item and selection styles of a group, the group events and the
// unit's exception.  Ordinal values are those stored in form definitions;
// never reorder them.
#include "controls/foundation/FcTypes.h"
#include "platform/rtl/Exceptions.h"

#include <cstdint>
#include <functional>

class TFcGroupItem;

enum TFcGroupBarStyle { gbsCategoryView, gbsTaskList, gbsOutlook };
enum TFcCaptionStyle { csSmall, csLarge };
enum TFcItemStyle { isSmall, isLarge };
enum TFcItemSelectionStyle { issImage, issCaption, issImageAndCaption };

// The caption band's state and an item's hot state, as painted.
enum : std::uint8_t { HotNormal = 0, HotOver = 1, HotPressed = 2 };

using TFcCanOpenEvent = std::function<void(TObject* Sender, bool& CanOpen)>;
using TFcCanCloseEvent = std::function<void(TObject* Sender, bool& CanClose)>;
using TFcMouseOverItemEvent = std::function<void(TObject* Sender, TFcGroupItem* Item)>;
using TFcGroupItemPopupMenuEvent = std::function<void(TObject* Sender, TFcGroupItem* Item)>;

// A group placed anywhere but on a group bar.
DECLARE_EXCEPTION(EFcGroupBarError, Exception)
