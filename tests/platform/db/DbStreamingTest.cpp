// A data module described in its form definition: tables with field and
// index definitions, persistent fields under their table, data sources.
#include "platform/classes/DataModule.h"
#include "platform/classes/Filer.h"
#include "platform/db/DataLink.h"
#include "tests/support/PersonTables.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace {

const char* const ModuleText = R"(object TestModule: TDataModule
  object cdsGroep: TClientDataSet
    FieldDefs = <
      item
        Name = 'ID_GROEP'
        Attributes = [faRequired]
        DataType = ftInteger
      end
      item
        Name = 'GROEP_NAAM'
        DataType = ftString
        Size = 50
      end
      item
        Name = 'GROEP_TEXT'
        DataType = ftMemo
      end>
    IndexDefs = <
      item
        Name = 'ID_GROEP_ASC'
        Fields = 'ID_GROEP'
        Options = [ixPrimary, ixUnique]
      end
      item
        Name = 'GROEP_NAAM_DESC'
        Fields = 'GROEP_NAAM'
        Options = [ixDescending, ixCaseInsensitive]
      end>
    IndexName = 'GROEP_NAAM_DESC'
    object cdsGroepID_GROEP: TIntegerField
      FieldName = 'ID_GROEP'
    end
    object cdsGroepGROEP_NAAM: TStringField
      DisplayLabel = 'Groep'
      FieldName = 'GROEP_NAAM'
      Size = 50
    end
    object cdsGroepGROEP_TEXT: TMemoField
      FieldName = 'GROEP_TEXT'
    end
  end
  object DataSourceGroep: TDataSource
    AutoEdit = False
    DataSet = cdsGroep
  end
end
)";

}  // namespace

TEST(DbStreaming, ModuleReadsAndWritesBackTheSame)
{
    TDataModule Module(nullptr);
    ReadComponentFromText(QByteArray(ModuleText), &Module, "test");
    auto* Groep = dynamic_cast<TClientDataSet*>(Module.FindComponent("cdsGroep"));
    auto* Source = dynamic_cast<TDataSource*>(Module.FindComponent("DataSourceGroep"));
    ASSERT_NE(Groep, nullptr);
    ASSERT_NE(Source, nullptr);
    EXPECT_EQ(Source->DataSet(), Groep);
    EXPECT_FALSE(Source->AutoEdit());
    ASSERT_EQ(Groep->FieldDefs()->Count(), 3);
    EXPECT_EQ(Groep->FieldDefs()->Items(1)->Size(), 50);
    EXPECT_TRUE(Groep->FieldDefs()->Items(0)->Required());
    ASSERT_EQ(Groep->IndexDefs()->Count(), 2);
    EXPECT_EQ(Groep->IndexDefs()->Items(1)->Options(), TIndexOptions({ixDescending, ixCaseInsensitive}));
    ASSERT_EQ(Groep->FieldCount(), 3);
    EXPECT_EQ(Groep->Fields()->Fields(1)->Owner(), &Module);
    EXPECT_EQ(Groep->FieldByName("GROEP_NAAM")->DisplayLabel(), "Groep");

    Groep->CreateDataSet();
    for (auto [Id, Naam] : {std::pair{1, "Familie"}, {2, "werk"}, {3, "Buren"}}) {
        Groep->Append();
        Groep->FieldByName("ID_GROEP")->SetAsInteger(Id);
        Groep->FieldByName("GROEP_NAAM")->SetAsString(Naam);
        Groep->Post();
    }
    EXPECT_EQ(NamesInOrderOf(Groep, "GROEP_NAAM"), QStringList({"werk", "Familie", "Buren"}));
    Groep->Close();

    // Written back, the definition reads the same again.
    const QByteArray Written = WriteComponentToText(&Module);
    EXPECT_EQ(QString::fromUtf8(Written), QString::fromUtf8(ModuleText));
}
