#pragma once
// The metrics of a control's font, measured on a screen context: what the
// edits, lists and combos size their lines and items by.
#include "platform/graphics/Font.h"

TEXTMETRIC FontTextMetrics(TFont* Font);
