// A form definition with the data-aware edit, memo and combo box bound to
// a data source of the form: the links arrive by name, the controls show
// the data set given afterwards, and what the form writes reads back and
// writes the same text.
#include "controls/lists/FcDBCmbo.h"
#include "controls/lists/FcDBEdit.h"
#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"
#include "platform/db/ClientDataSet.h"
#include "tests/support/FormTextHelpers.h"
#include "tests/support/WindowHelpers.h"

#include <gtest/gtest.h>

class TDBStreamForm : public TForm {
public:
    explicit TDBStreamForm(TComponent* AOwner) : TForm(AOwner) {}
};

REGISTER_COMPONENT(TDBStreamForm, TForm)
END_REGISTER

namespace {

const char* const DBDefinition = R"(object DBStreamForm: TDBStreamForm
  Caption = 'Persoon'
  ClientWidth = 400
  ClientHeight = 300
  object SourcePersoon: TDataSource
  end
  object EditNaam: TFcDBEdit
    Left = 8
    Top = 8
    Width = 200
    Height = 21
    FrameVisible = True
    ReadOnlyColor = clAqua
    BeepOnInvalidKey = False
    DataField = 'NAAM'
    DataSource = SourcePersoon
    ReadOnly = True
  end
  object MemoNotitie: TFcDBMemo
    Left = 8
    Top = 40
    Width = 200
    Height = 80
    AutoDisplay = False
    DataField = 'NOTITIE'
    DataSource = SourcePersoon
    Color = clCream
    FrameVisible = True
    TabOnEnter = True
  end
  object ComboAanhef: TFcDBComboBox
    Left = 8
    Top = 130
    Width = 150
    Height = 21
    Style = csDropDownList
    Items.Strings = (
      'Mevrouw'
      'Mijnheer')
    FlatButtons = True
    DataField = 'AANHEF'
    DataSource = SourcePersoon
    Values.Strings = (
      'Mw'
      'Dhr')
  end
end
)";

TEST(DBStreaming, TheLinksArriveByNameAndTheFormWritesWhatItRead)
{
    auto Form = ReadRoot<TDBStreamForm>(DBDefinition);
    auto* Source = dynamic_cast<TDataSource*>(Form->FindComponent(QStringLiteral("SourcePersoon")));
    auto* Naam = dynamic_cast<TFcDBEdit*>(Form->FindComponent(QStringLiteral("EditNaam")));
    auto* Notitie = dynamic_cast<TFcDBMemo*>(Form->FindComponent(QStringLiteral("MemoNotitie")));
    auto* Aanhef = dynamic_cast<TFcDBComboBox*>(Form->FindComponent(QStringLiteral("ComboAanhef")));
    ASSERT_TRUE(Source != nullptr && Naam != nullptr && Notitie != nullptr && Aanhef != nullptr);
    EXPECT_EQ(Naam->DataSource(), Source);
    EXPECT_TRUE(Naam->ReadOnly());
    EXPECT_FALSE(Naam->BeepOnInvalidKey());
    EXPECT_EQ(Naam->Color(), clAqua) << "read-only by its link";
    EXPECT_FALSE(Notitie->AutoDisplay());
    EXPECT_EQ(Notitie->Color(), clCream);
    EXPECT_EQ(Aanhef->Values()->Count(), 2);

    // The data set comes later, as the data module's does.
    auto* Table = new TClientDataSet(Form.get());
    Table->FieldDefs()->Add("NAAM", ftString, 25);
    Table->FieldDefs()->Add("AANHEF", ftString, 12);
    Table->FieldDefs()->Add("NOTITIE", ftMemo);
    Table->CreateDataSet();
    Table->Append();
    Table->FieldByName(QStringLiteral("NAAM"))->SetAsString(QStringLiteral("Jansen"));
    Table->FieldByName(QStringLiteral("AANHEF"))->SetAsString(QStringLiteral("Dhr"));
    Table->Post();
    Source->SetDataSet(Table);
    EXPECT_EQ(Naam->Text(), QStringLiteral("Jansen"));
    EXPECT_EQ(Naam->MaxLength(), 25);
    EXPECT_EQ(Notitie->Text(), QStringLiteral("(NOTITIE)"));
    EXPECT_EQ(Aanhef->GetComboText(), QStringLiteral("Mijnheer"));
    Source->SetDataSet(nullptr);
    delete Table;

    const QByteArray Written = WriteComponentToText(Form.get());
    EXPECT_FALSE(Written.contains("TFcPaint")) << "the copy panels are the controls' own";
    EXPECT_FALSE(Written.contains("MaxLength")) << "the field's length went with the field";
    Form.reset();
    const auto Again = ReadRoot<TDBStreamForm>(Written);
    EXPECT_EQ(WriteComponentToText(Again.get()), Written);
}

} // namespace
