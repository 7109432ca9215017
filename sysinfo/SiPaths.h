#pragma once
// The folders of the system-information library, chosen by TSiPathPrefix.
//
// The classic folders, on this desktop:
// - ppWindows: the user's configuration folder ($XDG_CONFIG_HOME, else
//   ~/.config), where per-user settings files live as they once lived in
//   the Windows folder;
// - ppSystem: /usr/lib, where the shared libraries live;
// - ppProgram: the folder of the running program file;
// - ppFixed: no folder; a name given with it is used as it stands.
#include "platform/rtl/System.h"

enum TSiPathPrefix { ppWindows, ppSystem, ppProgram, ppFixed };

// The folder of Prefix with its trailing delimiter (WithBackslash) or
// without.  ppFixed is empty either way: a delimiter alone would name the
// root folder.
String GetSiPath(TSiPathPrefix Prefix, bool WithBackslash);

// A settings or log file name as the library completes it: an empty Name
// becomes the program file's name with DefaultExt ("." included), a name
// without extension gets DefaultExt, and unless Prefix is ppFixed the
// prefix's folder replaces the name's own folder.
String SiCompleteFileName(const String& Name, TSiPathPrefix Prefix, const String& DefaultExt);
