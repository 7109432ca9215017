#pragma once
// Icons by their freedesktop names ("document-open", "go-next" ...), taken
// from the Tango icon theme, which the program selects so that every
// desktop shows the same classic colour icons.  Image lists and glyph
// readers load the icons that form definitions name through this.
//
// On Linux: the theme is Debian's tango-icon-theme, found through Qt's
// freedesktop icon lookup in $XDG_DATA_DIRS, whatever theme the desktop
// itself uses.
#include "platform/rtl/System.h"

#include <QImage>

// The name of the theme the program uses.
String IconThemeName();
// Makes the Tango theme the application's icon theme (once).
void SelectIconTheme();
// The icon Name at Width x Height (32-bit with alpha, centred when the
// theme has no icon of that exact size); a null image when the theme has
// no icon of that name or there is no GUI application yet.
QImage ThemeIconImage(const String& Name, int Width, int Height);
// ThemeIconImage for an icon that a form definition names: a name the
// theme lacks gives a null image and one warning on the error stream (the
// first time that name is asked for in the run), never an error, so that a
// window still opens where the theme is missing or older.
QImage DefinitionIconImage(const String& Name, int Width, int Height);
