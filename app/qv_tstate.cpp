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
    if (!FCommitted)
        Restore();
    FTable->EnableControls();
    Screen->SetCursor(FOldCursor);
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
