#include "platform/classes/Alignment.h"

#include "platform/classes/TypInfo.h"

REGISTER_ENUM(TAlignment, taLeftJustify, taRightJustify, taCenter)
REGISTER_SUBRANGE(TLeftRight)
