#include "app/qv_index.h"

#include "platform/db/ClientDataSet.h"
#include "platform/rtl/Exceptions.h"

#include <QtGlobal>

TIndexScope::TIndexScope(TClientDataSet* Table, const String& IndexName)
    : FTable(Table), FOldIndexName(Table->IndexName())
{
    FTable->SetIndexName(IndexName);
}

TIndexScope::~TIndexScope()
{
    // Nothing may leave a destructor; a table that refuses its old index
    // (closed meanwhile, or in an edit the step left open) keeps the one
    // it has.
    try {
        FTable->SetIndexName(FOldIndexName);
    } catch (const Exception& E) {
        qWarning("%s", qPrintable(E.Message()));
    }
}
