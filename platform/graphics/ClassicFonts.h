#pragma once
// The faces the program's forms and panes are laid out for: Tahoma
// (regular and bold) and MS Sans Serif.  Free, metric-compatible versions
// come with Debian's fonts-wine, in a folder fontconfig does not search;
// they are registered with the program's font database before the first
// font is made, and the classic dialog-font aliases are mapped to them.
// Where they are missing, fontconfig's fallback stands in as before.
#include "platform/rtl/System.h"

#include <QStringList>

// Where fonts-wine puts its faces.
String ClassicFontFolder();
// Registers the classic faces found in Folder (each file once per run)
// and maps "MS Shell Dlg" and "MS Shell Dlg 2" to them; returns the
// families registered from that folder.  Needs the Qt application.
QStringList RegisterClassicFonts(const String& Folder);
// RegisterClassicFonts(ClassicFontFolder()), once the Qt application is
// there; cheap after the first call.
void EnsureClassicFonts();
// Whether Family is one of the classic faces and was registered.
bool ClassicFontRegistered(const String& Family);
