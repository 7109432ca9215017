#pragma once
// Choosing a folder.  With sdAllowCreate the user may type a folder that
// does not exist; sdPrompt asks first whether to create it, sdPerformCreate
// then creates it.  Tests replace the dialog with a hook that reads the
// starting folder and types the answer.
#include "platform/rtl/System.h"

#include <functional>

enum TSelectDirOpt { sdAllowCreate, sdPerformCreate, sdPrompt };
using TSelectDirOpts = TSet<TSelectDirOpt>;

// Shows the folder dialog on Directory; true with Directory the chosen
// folder, false when the user cancelled.  A folder that does not exist is
// refused (the dialog shows again) unless sdAllowCreate; with sdPrompt
// the question "Deze map bestaat niet. Wilt u de map aanmaken?" comes
// first, a No shows the dialog again.  A folder that cannot be created
// is refused with a message and the dialog shows again.
bool SelectDirectory(String& Directory, TSelectDirOpts Options, int HelpCtx);

// The dialog itself: Directory in is the starting folder, out the folder
// chosen or typed; false: cancelled.
using TSelectDirectoryHook = std::function<bool(String& Directory, TSelectDirOpts Options)>;
void SetSelectDirectoryHook(TSelectDirectoryHook Hook);
