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

using TInputQueryHook = std::function<bool(const String& Caption, const String& Prompt, String& Value)>;
void SetInputQueryHook(TInputQueryHook Hook);
