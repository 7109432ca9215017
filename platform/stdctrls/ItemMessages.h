#pragma once
// The messages of a list window for its items (LB_* of a list box, CB_* of
// a combo box: the same requests under other numbers) and what the window
// does with them on its TListEngine: add, insert, delete and clear items,
// hand out texts and data, search.  The window adds what is its own
// through the hooks: measuring a new item, hearing of an item that goes,
// repainting after a change.
#include "platform/windows/Messages.h"

#include <functional>

class TListEngine;

struct TItemMessages {
    UINT Add, Insert, Delete, Reset, GetText, GetTextLen, GetCount, GetData, SetData, Find, FindExact;
};
extern const TItemMessages ListBoxItemMessages;
extern const TItemMessages ComboBoxItemMessages;

struct TItemHooks {
    // A new item is at Index (a variable-height list measures it).
    std::function<void(int Index)> Added;
    // The item at Index is about to go.
    std::function<void(int Index)> Deleting;
    // Every item has gone.
    std::function<void()> Cleared;
    // The items changed: the window shows them anew.
    std::function<void()> Changed;
};

// False when the message is none of Table's.
bool HandleItemMessage(TListEngine& Engine, const TItemMessages& Table, TMessage& Message, const TItemHooks& Hooks);
