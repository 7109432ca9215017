#include "platform/stdctrls/ItemMessages.h"

#include "platform/stdctrls/ListEngine.h"
#include "platform/stdctrls/ListMessages.h"
#include "platform/stdctrls/MessageArgs.h"

const TItemMessages ListBoxItemMessages = {LB_ADDSTRING,   LB_INSERTSTRING, LB_DELETESTRING,   LB_RESETCONTENT,
                                           LB_GETTEXT,     LB_GETTEXTLEN,   LB_GETCOUNT,       LB_GETITEMDATA,
                                           LB_SETITEMDATA, LB_FINDSTRING,   LB_FINDSTRINGEXACT};
const TItemMessages ComboBoxItemMessages = {CB_ADDSTRING,   CB_INSERTSTRING, CB_DELETESTRING,   CB_RESETCONTENT,
                                            CB_GETLBTEXT,   CB_GETLBTEXTLEN, CB_GETCOUNT,       CB_GETITEMDATA,
                                            CB_SETITEMDATA, CB_FINDSTRING,   CB_FINDSTRINGEXACT};

namespace {

// LB_ERR and CB_ERR are the same number.
constexpr LRESULT Error = -1;

void Call(const std::function<void()>& F)
{
    if (F)
        F();
}

void Call(const std::function<void(int)>& F, int Index)
{
    if (F)
        F(Index);
}

} // namespace

bool HandleItemMessage(TListEngine& E, const TItemMessages& Table, TMessage& M, const TItemHooks& Hooks)
{
    const UINT Msg = M.Msg;
    const int Index = IndexArg(M);
    if (Msg == Table.Add || Msg == Table.Insert) {
        const int At = Msg == Table.Add ? E.Add(StringArg(M)) : E.Insert(Index, StringArg(M));
        if (At >= 0)
            Call(Hooks.Added, At);
        M.Result = At >= 0 ? At : Error;
        Call(Hooks.Changed);
    } else if (Msg == Table.Delete) {
        if (E.IsItem(Index))
            Call(Hooks.Deleting, Index);
        M.Result = E.Delete(Index) ? E.Count() : Error;
        Call(Hooks.Changed);
    } else if (Msg == Table.Reset) {
        for (int I = E.Count() - 1; I >= 0 && Hooks.Deleting; --I)
            Hooks.Deleting(I);
        E.Clear();
        Call(Hooks.Cleared);
        Call(Hooks.Changed);
    } else if (Msg == Table.GetCount) {
        M.Result = E.Count();
    } else if (Msg == Table.GetText || Msg == Table.GetTextLen) {
        if (!E.IsItem(Index))
            M.Result = Error;
        else if (Msg == Table.GetText)
            AnswerText(M, E.Text(Index));
        else
            M.Result = E.Text(Index).size();
    } else if (Msg == Table.GetData) {
        M.Result = E.IsItem(Index) ? LRESULT(E.Data(Index)) : Error;
    } else if (Msg == Table.SetData) {
        M.Result = E.SetData(Index, std::uintptr_t(M.LParam)) ? 0 : Error;
    } else if (Msg == Table.Find || Msg == Table.FindExact) {
        M.Result = Msg == Table.Find ? E.FindPrefix(StringArg(M), Index) : E.FindExact(StringArg(M), Index);
    } else {
        return false;
    }
    return true;
}
