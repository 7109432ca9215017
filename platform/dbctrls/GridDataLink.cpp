#include "platform/dbctrls/GridDataLink.h"

#include "platform/dbctrls/DBGrids.h"

TGridDataLink::TGridDataLink(TCustomDBGrid* Grid) : FGrid(Grid)
{
    SetVisualControl(true);
}

void TGridDataLink::ActiveChanged()
{
    FGrid->LinkActive(Active());
}

void TGridDataLink::DataSetChanged()
{
    FGrid->DataChanged();
}

void TGridDataLink::DataSetScrolled(int Distance)
{
    FGrid->Scroll(Distance);
}

void TGridDataLink::FocusControl(TField* Field)
{
    FGrid->FocusField(Field);
}

void TGridDataLink::EditingChanged()
{
    FGrid->EditingChanged();
}

void TGridDataLink::LayoutChanged()
{
    FGrid->LayoutChanged();
}

void TGridDataLink::RecordChanged(TField* Field)
{
    FGrid->RecordChanged(Field);
}

void TGridDataLink::UpdateData()
{
    FGrid->UpdateData();
}

void TGridDataLink::FieldGone(TField* Field)
{
    FGrid->FieldGone(Field);
}
