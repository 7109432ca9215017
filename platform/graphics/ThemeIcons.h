#pragma once
// Icons by their freedesktop names ("document-open", "go-next" ...), taken
// from the Tango icon theme, which the program selects so that every
// desktop shows the same classic colour icons.  Image lists and glyph
// readers load the icons that form definitions name through this.
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
