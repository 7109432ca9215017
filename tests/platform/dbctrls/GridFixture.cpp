#include "tests/platform/dbctrls/GridFixture.h"

#include <map>

void TGridFixture::SetUp()
{
    Form = CreateNewForm<TForm>(nullptr);
    Form->SetBounds(0, 0, 400, 300);
    Table = new TClientDataSet(Form);
    Table->SetName("Table");
    DefinePersons(Table);
    Table->CreateDataSet();
    Table->SetIndexName("ID_ASC");
    for (int I = 1; I <= FPersons; ++I)
        AddPerson(Table, I, QStringLiteral("Persoon %1").arg(I, 2, 10, QLatin1Char('0')), I % 3);
    Table->First();
    Source = new TDataSource(Form);
    Source->SetName("Source");
    Source->SetDataSet(Table);
    Grid = new TDBGrid(Form);
    Grid->SetName("Grid");
    Grid->SetBounds(10, 10, 360, 200);
    Grid->SetParent(Form);
    Grid->SetDataSource(Source);
    Form->Show();
    Grid->SetFocus();
    PumpMessages();
}

QStringList TGridFixture::PaintedNames()
{
    std::map<int, QString> ByTop;
    const auto Saved = Grid->OnDrawColumnCell();
    Grid->SetOnDrawColumnCell([&](TObject*, const TRect& Rect, int, TColumn* Column, TGridDrawState) {
        if (Column->FieldName() == "NAAM")
            ByTop[Rect.Top] = Column->Field()->DisplayText();
    });
    PaintControlImage(Grid);
    Grid->SetOnDrawColumnCell(Saved);
    QStringList Names;
    for (const auto& [Top, Name] : ByTop)
        Names << Name;
    return Names;
}

QImage TGridFixture::ClientImage()
{
    TRect Window;
    GetWindowRect(Grid->Handle(), &Window);
    const TPoint Origin = Grid->ClientOrigin();
    return PaintControlImage(Grid).copy(Origin.X - Window.Left, Origin.Y - Window.Top, Grid->ClientWidth(),
                                        Grid->ClientHeight());
}

TPoint TGridFixture::CellCenter(int ACol, int ARow)
{
    const TRect R = Grid->CellRect(ACol, ARow);
    return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
}
