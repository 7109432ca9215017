#pragma once
// Where users reach the makers of Quorvy®: its web site and its support
// mail address.  Every window that links to them takes them from here.
#include "platform/rtl/System.h"

inline const String QuorvyWebSite = QStringLiteral("https://www.example.org/quorvy/");
inline const String QuorvySupportMail = QStringLiteral("quorvy@example.org");
// The name the splash and about windows give the makers.
inline const String QuorvyMakers = QStringLiteral("De makers van Quorvy®");
