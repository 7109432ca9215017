#pragma once
// What the framed controls share: the frame vocabulary, colour routines and
// the XP colour scheme, the frame painters, progress bars and glyphs, the
// frame controller, the blinking list, the control messages, old-property
// readers and the text, font and platform helpers.  One include for the
// controls built on them; each part has its own header.
#include "controls/foundation/FcBlinking.h"
#include "controls/foundation/FcColorScheme.h"
#include "controls/foundation/FcColors.h"
#include "controls/foundation/FcFrameController.h"
#include "controls/foundation/FcFramePainters.h"
#include "controls/foundation/FcGlyphs.h"
#include "controls/foundation/FcGrafx.h"
#include "controls/foundation/FcMessages.h"
#include "controls/foundation/FcOldPropReader.h"
#include "controls/foundation/FcPlatformHelpers.h"
#include "controls/foundation/FcProgressBars.h"
#include "controls/foundation/FcRegIniFile.h"
#include "controls/foundation/FcTextHelpers.h"
#include "controls/foundation/FcThemeBridge.h"
#include "controls/foundation/FcTypes.h"
#include "controls/foundation/FcWindowPaint.h"
