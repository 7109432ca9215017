#pragma once
// Horizontal alignment of text, shared by fields, labels, edits and grids.
#include "platform/classes/Subrange.h"

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
// The side of a check box or radio button its caption goes.
using TLeftRight = TSubrange<TAlignment, taLeftJustify, taRightJustify>;
