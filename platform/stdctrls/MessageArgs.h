#pragma once
// The arguments and answers of the messages our edits, lists and combos
// answer: texts travel as String pointers in LParam (WM_GETTEXT, LB_GETTEXT,
// LB_ADDSTRING ...), indexes as signed numbers in WParam, a selection as
// two numbers that may also be written to the places WParam and LParam
// point to (EM_GETSEL).
#include "platform/windows/Messages.h"

// The text LParam points to; empty when it points nowhere.
inline const String& StringArg(const TMessage& M)
{
    static const String Empty;
    return M.LParam != 0 ? *LParamToPtr<const String>(M.LParam) : Empty;
}

// WParam as the signed index it carries (-1 for "none" or "all").
inline int IndexArg(const TMessage& M)
{
    return int(std::intptr_t(M.WParam));
}

// Text handed back where LParam points, its length as the result.
inline void AnswerText(TMessage& M, const String& Text)
{
    if (M.LParam != 0)
        *LParamToPtr<String>(M.LParam) = Text;
    M.Result = Text.size();
}

inline void AnswerSelection(TMessage& M, int Start, int End)
{
    if (M.WParam != 0)
        *reinterpret_cast<DWORD*>(M.WParam) = DWORD(Start);
    if (M.LParam != 0)
        *LParamToPtr<DWORD>(M.LParam) = DWORD(End);
    M.Result = MAKELPARAM(Start, End);
}
