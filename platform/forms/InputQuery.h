#pragma once
// The one-line input dialog: a caption, a prompt and an edit with a value.
// Tests replace the showing with a hook that records the question and
// types the answer.
#include "platform/rtl/System.h"

#include <functional>

// Shows the dialog with Value in the edit; on OK Value is what was typed
// and the answer is true; Cancel (or Escape) leaves Value and answers false.
bool InputQuery(const String& ACaption, const String& APrompt, String& Value);
// The typed text on OK, ADefault on Cancel.
String InputBox(const String& ACaption, const String& APrompt, const String& ADefault);

class QInputDialog;
// Sets Dialog up for the question: Dutch buttons, and at least as wide as
// its caption needs in the title bar (within the screen).
void SetUpInputDialog(QInputDialog& Dialog, const String& ACaption, const String& APrompt, const String& Value);

using TInputQueryHook = std::function<bool(const String& Caption, const String& Prompt, String& Value)>;
void SetInputQueryHook(TInputQueryHook Hook);
