#pragma once
// What the framed controls share: the frame vocabulary, colour routines and
// the XP colour scheme, the frame painters, progress bars and glyphs.  One
// include for the controls built on them; each part has its own header.
#include "controls/foundation/FcColorScheme.h"
#include "controls/foundation/FcColors.h"
#include "controls/foundation/FcFramePainters.h"
#include "controls/foundation/FcGlyphs.h"
#include "controls/foundation/FcGrafx.h"
#include "controls/foundation/FcProgressBars.h"
#include "controls/foundation/FcThemeBridge.h"
#include "controls/foundation/FcTypes.h"
