#pragma once
// A form with a data grid over a small person table, shown, for the grid's
// tests: persons "Persoon 01" ... with ascending ids, the table in id order.
#include "platform/db/DataSource.h"
#include "platform/dbctrls/DBGrids.h"
#include "tests/support/PersonTables.h"
#include "tests/support/WindowHelpers.h"

#include <gtest/gtest.h>

class TGridFixture : public ::testing::Test {
protected:
    // Records, and the grid's client height in rows of data.
    explicit TGridFixture(int Persons = 30) : FPersons(Persons) {}

    void SetUp() override;
    void TearDown() override { Form->Free(); }

    // The name of the current record.
    QString CurrentName() const { return Table->FieldByName("NAAM")->AsString(); }
    // The names the grid draws, top row first (painted afresh).
    QStringList PaintedNames();
    // The grid's client area as it paints.
    QImage ClientImage();
    // A point in the middle of the cell.
    TPoint CellCenter(int ACol, int ARow);
    // Sends a key to the grid as the desktop would.
    void Press(int QtKey, Qt::KeyboardModifiers Mods = Qt::NoModifier) { PressKey(Grid, QtKey, Mods); }

    TForm* Form = nullptr;
    TClientDataSet* Table = nullptr;
    TDataSource* Source = nullptr;
    TDBGrid* Grid = nullptr;

private:
    int FPersons;
    TDutchDates FDates;
};
