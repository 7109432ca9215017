#include "platform/stdctrls/ItemStrings.h"

namespace {

const char* const IndexError = "List index out of bounds (%d)";

[[noreturn]] void InsertFailed()
{
    throw EOutOfResources(QStringLiteral("Unable to insert a line"));
}

} // namespace

int TItemStrings::AddObject(const String& S, TObject* AObject)
{
    const int Index = int(FControl->Perform(FMessages.Add, 0, PtrToLParam(&S)));
    if (Index < 0)
        InsertFailed();
    if (AObject != nullptr)
        PutObject(Index, AObject);
    return Index;
}

void TItemStrings::Insert(int Index, const String& S)
{
    if (FControl->Perform(FMessages.Insert, WPARAM(Index), PtrToLParam(&S)) < 0)
        InsertFailed();
}

void TItemStrings::Delete(int Index)
{
    if (FControl->Perform(FMessages.Delete, WPARAM(Index), 0) < 0)
        Error(QString::fromLatin1(IndexError), Index);
}

void TItemStrings::Clear()
{
    FControl->Perform(FMessages.Reset, 0, 0);
}

int TItemStrings::IndexOf(const String& S) const
{
    // The exact search is case-insensitive, as TStrings.IndexOf is.
    return int(FControl->Perform(FMessages.FindExact, WPARAM(-1), PtrToLParam(&S)));
}

String TItemStrings::Get(int Index) const
{
    String S;
    if (FControl->Perform(FMessages.GetText, WPARAM(Index), PtrToLParam(&S)) < 0)
        Error(QString::fromLatin1(IndexError), Index);
    return S;
}

int TItemStrings::GetCount() const
{
    return int(FControl->Perform(FMessages.GetCount, 0, 0));
}

TObject* TItemStrings::GetObject(int Index) const
{
    const LRESULT Data = FControl->Perform(FMessages.GetData, WPARAM(Index), 0);
    if (Data == -1)
        Error(QString::fromLatin1(IndexError), Index);
    return reinterpret_cast<TObject*>(Data);
}

void TItemStrings::PutObject(int Index, TObject* AObject)
{
    FControl->Perform(FMessages.SetData, WPARAM(Index), PtrToLParam(AObject));
}

void TItemStrings::SetUpdateState(bool Updating)
{
    FControl->Perform(WM_SETREDRAW, Updating ? FALSE : TRUE, 0);
    if (!Updating)
        FControl->Invalidate();
}
