#include "app/qv_tstate.h"

#include "platform/db/ClientDataSet.h"
#include "platform/forms/Screen.h"

#include <QDebug>

TTableState::TTableState(TClientDataSet* Table, TCursor Cursor)
    : FTable(Table), FIndexName(Table->IndexName()), FOldCursor(Screen->Cursor())
{
    if (FTable->Active())
        FBookmark = FTable->GetBookmark();
    Screen->SetCursor(Cursor);
    FTable->DisableControls();
}

TTableState::~TTableState()
{
    if (FCommitted)
        return;
    Restore();
    try {
        Finish();
    } catch (const Exception& E) {
        // An exception is on its way already (or the step gave up); the
        // controls show the table as it was before, whatever they raise.
        qWarning("%s", qPrintable(E.Message()));
    }
}

void TTableState::Commit()
{
    FCommitted = true;
    Finish();
}

void TTableState::Finish()
{
    Screen->SetCursor(FOldCursor);
    FTable->EnableControls();
}

void TTableState::Restore() noexcept
{
    try {
        if (!FTable->Active())
            return;
        if (FTable->State() != dsBrowse)
            FTable->Cancel();
        if (FTable->IndexName() != FIndexName)
            FTable->SetIndexName(FIndexName);
        if (FBookmark != NoBookmark && FTable->BookmarkValid(FBookmark))
            FTable->GotoBookmark(FBookmark);
    } catch (const Exception& E) {
        // Whatever could not be put back stays as the failed step left it;
        // the step's own error is the one the user sees.
        qWarning("%s", qPrintable(E.Message()));
    }
}
