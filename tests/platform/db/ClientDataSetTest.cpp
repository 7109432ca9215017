// The client data set as the application uses it: navigation, editing,
// index changes, key search, bookmarks, filters and the table file.
#include "platform/db/DataLink.h"
#include "platform/db/TableFile.h"
#include "platform/rtl/FileUtils.h"
#include "tests/support/AtomicSaves.h"
#include "tests/support/PersonTables.h"
#include "tests/support/TempDir.h"

#include <QFile>
#include <functional>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

class ClientDataSet : public TPersonTableTest {
protected:
    void SetUp() override
    {
        TPersonTableTest::SetUp();
        T->CreateDataSet();
    }
    void Fill()
    {
        AddPerson(T, 1, "jansen", 5);
        AddPerson(T, 2, "Bakker", 3);
        AddPerson(T, 3, "de Vries", 5);
        AddPerson(T, 4, "Jansen", 3);
        AddPerson(T, 5, "visser");
    }
};

}  // namespace

TEST_F(ClientDataSet, EmptyTableEdges)
{
    EXPECT_TRUE(T->Active());
    EXPECT_TRUE(T->Bof());
    EXPECT_TRUE(T->Eof());
    EXPECT_TRUE(T->IsEmpty());
    EXPECT_EQ(T->RecordCount(), 0);
    EXPECT_EQ(T->RecNo(), 0);
    T->Next();
    T->Prior();
    T->Last();
    EXPECT_TRUE(T->Eof() && T->Bof());
    EXPECT_TRUE(T->FieldByName("NAAM")->IsNull());
    EXPECT_EQ(T->FieldByName("NAAM")->AsString(), "");
    EXPECT_EQ(ErrorClassAndMessage([&] { T->Delete(); }),
              "EDatabaseError: Cannot perform this operation on an empty dataset");
    EXPECT_EQ(ErrorClassAndMessage([&] { T->FieldByName("LEEFTIJD"); }), "EDatabaseError: Field 'LEEFTIJD' not found");
    EXPECT_EQ(T->FindField("leeftijd"), nullptr);
    EXPECT_EQ(T->FindField("naam"), T->FieldByName("NAAM"));
    // Edit on an empty table inserts.
    T->Edit();
    EXPECT_EQ(T->State(), dsInsert);
    T->Cancel();
    EXPECT_TRUE(T->IsEmpty());
}

TEST_F(ClientDataSet, NavigationEdges)
{
    Fill();
    T->First();
    EXPECT_TRUE(T->Bof());
    EXPECT_FALSE(T->Eof());
    EXPECT_EQ(T->RecNo(), 1);
    T->Prior();
    EXPECT_TRUE(T->Bof());
    EXPECT_EQ(T->RecNo(), 1);
    EXPECT_EQ(T->MoveBy(10), 4);
    EXPECT_TRUE(T->Eof());
    EXPECT_EQ(T->FieldByName("NAAM")->AsString(), "visser");
    T->Next();
    EXPECT_EQ(T->RecNo(), 5);
    EXPECT_EQ(T->MoveBy(-2), -2);
    EXPECT_FALSE(T->Eof());
    T->SetRecNo(2);
    EXPECT_EQ(T->FieldByName("ID")->AsInteger(), 2);
    T->Last();
    EXPECT_TRUE(T->Eof());
    EXPECT_EQ(T->RecordCount(), 5);
}

TEST_F(ClientDataSet, EditingKeepsTheIndexOrderAndFollowsTheRecord)
{
    T->SetIndexName("NAAM_ASC");
    Fill();
    EXPECT_EQ(NamesInOrder(T), QStringList({"Bakker", "de Vries", "jansen", "Jansen", "visser"}));

    ASSERT_TRUE(T->Locate("NAAM", "Bakker"));
    T->Edit();
    T->FieldByName("NAAM")->SetAsString("Zwart");
    T->Post();
    // The record moved to the end and is still current.
    EXPECT_EQ(T->FieldByName("NAAM")->AsString(), "Zwart");
    EXPECT_EQ(T->RecNo(), 5);

    T->Edit();
    T->FieldByName("NAAM")->SetAsString("Aap");
    T->Cancel();
    EXPECT_EQ(T->FieldByName("NAAM")->AsString(), "Zwart");
    EXPECT_EQ(T->State(), dsBrowse);

    T->First();
    T->Insert();
    T->FieldByName("ID")->SetAsInteger(6);
    T->FieldByName("NAAM")->SetAsString("Mulder");
    EXPECT_EQ(T->RecNo(), -1);
    T->Post();
    EXPECT_EQ(T->RecNo(), 4);
    EXPECT_EQ(NamesInOrder(T), QStringList({"de Vries", "jansen", "Jansen", "Mulder", "visser", "Zwart"}));

    // Deleting moves to the record after it; deleting the last to the one before.
    T->Delete();
    EXPECT_EQ(T->FieldByName("NAAM")->AsString(), "visser");
    T->Last();
    T->Delete();
    EXPECT_EQ(T->FieldByName("NAAM")->AsString(), "visser");
    EXPECT_EQ(T->RecordCount(), 4);

    // A duplicate primary key is refused and the record stays in edit state.
    T->Append();
    T->FieldByName("ID")->SetAsInteger(1);
    EXPECT_EQ(ErrorClassAndMessage([&] { T->Post(); }), "EDatabaseError: Key violation.");
    EXPECT_EQ(T->State(), dsInsert);
    T->Cancel();
    EXPECT_EQ(T->RecordCount(), 4);
}

TEST_F(ClientDataSet, ExceptionInBeforePostLeavesTheRecordInEditState)
{
    Fill();
    T->SetBeforePost([](TDataSet*) { throw EDatabaseError("Naam ontbreekt"); });
    T->Edit();
    T->FieldByName("NAAM")->SetAsString("nieuw");
    EXPECT_THROW(T->Post(), EDatabaseError);
    EXPECT_EQ(T->State(), dsEdit);
    EXPECT_EQ(T->FieldByName("NAAM")->AsString(), "nieuw");
    T->SetBeforePost(nullptr);
    T->Post();
    EXPECT_EQ(T->FieldByName("NAAM")->AsString(), "nieuw");

    // Required fields are checked before the record is stored.
    T->Append();
    EXPECT_EQ(ErrorClassAndMessage([&] { T->Post(); }), "EDatabaseError: Field 'ID' must have a value");
    EXPECT_EQ(T->State(), dsInsert);
    T->Cancel();
}

TEST_F(ClientDataSet, OnNewRecordAndEventOrder)
{
    QStringList Log;
    auto Logger = [&](const char* Name) { return [&Log, Name](TDataSet*) { Log << Name; }; };
    T->SetBeforeInsert(Logger("BeforeInsert"));
    T->SetOnNewRecord([&](TDataSet* D) {
        Log << "OnNewRecord";
        D->FieldByName("GROEP")->SetAsInteger(-1);
    });
    T->SetAfterInsert(Logger("AfterInsert"));
    T->SetBeforePost(Logger("BeforePost"));
    T->SetAfterPost(Logger("AfterPost"));
    T->SetBeforeScroll(Logger("BeforeScroll"));
    T->SetAfterScroll(Logger("AfterScroll"));
    T->Append();
    EXPECT_FALSE(T->Modified());
    EXPECT_EQ(T->FieldByName("GROEP")->AsInteger(), -1);
    T->FieldByName("ID")->SetAsInteger(1);
    EXPECT_TRUE(T->Modified());
    T->Post();
    EXPECT_EQ(Log, QStringList({"BeforeInsert", "BeforeScroll", "OnNewRecord", "AfterInsert", "AfterScroll",
                                "BeforePost", "AfterPost"}));
    // A browse-mode check posts a modified record and cancels an untouched one.
    T->Edit();
    T->FieldByName("NAAM")->SetAsString("x");
    T->CheckBrowseMode();
    EXPECT_EQ(T->FieldByName("NAAM")->AsString(), "x");
    EXPECT_EQ(T->State(), dsBrowse);
}

TEST_F(ClientDataSet, BookmarksSurviveIndexChanges)
{
    Fill();
    ASSERT_TRUE(T->Locate("ID", 3));
    const TBookmark B = T->GetBookmark();
    T->SetIndexName("NAAM_DESC");
    EXPECT_EQ(T->FieldByName("ID")->AsInteger(), 3);  // index change keeps the record
    T->First();
    EXPECT_EQ(T->FieldByName("NAAM")->AsString(), "visser");
    ASSERT_TRUE(T->BookmarkValid(B));
    T->GotoBookmark(B);
    EXPECT_EQ(T->FieldByName("NAAM")->AsString(), "de Vries");
    EXPECT_EQ(T->RecNo(), 4);
    T->SetIndexFieldNames("GROEP;NAAM");
    EXPECT_EQ(T->FieldByName("ID")->AsInteger(), 3);
    T->SetIndexName("");
    EXPECT_EQ(T->RecNo(), 3);

    const TBookmark First = [&] { T->First(); return T->GetBookmark(); }();
    EXPECT_LT(T->CompareBookmarks(First, B), 0);
    T->GotoBookmark(B);
    T->Delete();
    EXPECT_FALSE(T->BookmarkValid(B));
    EXPECT_EQ(ErrorClassAndMessage([&] { T->GotoBookmark(B); }), "EDatabaseError: Record not found");
    TBookmark Copy = B;
    T->FreeBookmark(Copy);
    EXPECT_EQ(Copy, NoBookmark);
}

TEST_F(ClientDataSet, KeySearchExactNearestAndPastTheEnd)
{
    Fill();
    EXPECT_EQ(ErrorClassAndMessage([&] { T->SetKey(); }), "EDatabaseError: No index currently active");
    T->SetIndexName("NAAM_ASC");
    EXPECT_EQ(T->IndexFieldCount(), 1);
    EXPECT_EQ(T->IndexFields(0), T->FieldByName("NAAM"));

    // Text keys compare without case; equal keys give the first of them.
    EXPECT_TRUE(T->FindKey({"JANSEN"}));
    EXPECT_EQ(T->FieldByName("ID")->AsInteger(), 1);
    T->Last();
    EXPECT_FALSE(T->FindKey({"Smit"}));
    EXPECT_EQ(T->FieldByName("NAAM")->AsString(), "visser");  // stays

    T->SetKey();
    EXPECT_EQ(T->State(), dsSetKey);
    T->FieldByName("NAAM")->SetAsString("k");
    T->GotoNearest();
    EXPECT_EQ(T->State(), dsBrowse);
    EXPECT_EQ(T->FieldByName("NAAM")->AsString(), "visser");
    T->FindNearest({"zzz"});
    EXPECT_EQ(T->FieldByName("NAAM")->AsString(), "visser");  // past the end: the last
    T->FindNearest({"a"});
    EXPECT_EQ(T->FieldByName("NAAM")->AsString(), "Bakker");
    T->SetKey();
    EXPECT_EQ(ErrorClassAndMessage([&] { T->FieldByName("GROEP")->SetAsInteger(1); }),
              "EDatabaseError: Field 'GROEP' is not indexed and cannot be modified");
    T->Cancel();

    // Partial keys on a two-field index.
    T->SetIndexName("GROEP_NAAM");
    T->SetKey();
    T->FieldByName("GROEP")->SetAsInteger(5);
    T->SetKeyFieldCount(1);
    EXPECT_TRUE(T->GotoKey());
    EXPECT_EQ(T->FieldByName("NAAM")->AsString(), "de Vries");
    EXPECT_TRUE(T->FindKey({3, "jansen"}));
    EXPECT_EQ(T->FieldByName("ID")->AsInteger(), 4);
    // A key that is no number for an integer field.
    EXPECT_EQ(ErrorClassAndMessage([&] { T->FindKey({"vijf"}); }),
              "EDatabaseError: 'vijf' is not a valid integer value for field 'GROEP'");
    EXPECT_EQ(T->State(), dsBrowse);
}

TEST_F(ClientDataSet, LocateAndLookup)
{
    Fill();
    EXPECT_FALSE(T->Locate("NAAM", "JANSEN"));
    EXPECT_TRUE(T->Locate("NAAM", "JANSEN", {loCaseInsensitive}));
    EXPECT_EQ(T->FieldByName("ID")->AsInteger(), 1);
    EXPECT_TRUE(T->Locate("NAAM", "de v", {loCaseInsensitive, loPartialKey}));
    EXPECT_EQ(T->FieldByName("ID")->AsInteger(), 3);
    EXPECT_TRUE(T->Locate("GROEP;NAAM", VarArrayOf({3, "Jansen"})));
    EXPECT_EQ(T->FieldByName("ID")->AsInteger(), 4);
    EXPECT_TRUE(T->Locate("GROEP", -1));
    EXPECT_EQ(T->FieldByName("ID")->AsInteger(), 5);
    EXPECT_TRUE(T->Locate("GEBOREN", Null()));
    EXPECT_EQ(T->FieldByName("ID")->AsInteger(), 1);

    T->First();
    EXPECT_EQ(T->Lookup("ID", 2, "NAAM").AsString(), "Bakker");
    EXPECT_TRUE(T->Lookup("ID", 99, "NAAM").IsNull());
    EXPECT_EQ(T->RecNo(), 1);  // Lookup does not move
}

TEST_F(ClientDataSet, FiltersByTextAndByEvent)
{
    Fill();
    T->SetFilter("GROEP = '5'");
    T->SetFiltered(true);
    EXPECT_EQ(T->RecordCount(), 2);
    EXPECT_EQ(NamesInOrder(T), QStringList({"jansen", "de Vries"}));
    // A record that stops passing leaves the view.
    T->Edit();
    T->FieldByName("GROEP")->SetAsInteger(3);
    T->Post();
    EXPECT_EQ(T->RecordCount(), 1);
    EXPECT_FALSE(T->Locate("ID", 1));

    EXPECT_THROW(T->SetFilter("GROEP = "), EDatabaseError);
    EXPECT_EQ(T->Filter(), "GROEP = '5'");

    T->SetFilter("");
    T->SetOnFilterRecord([](TDataSet* D, bool& Accept) { Accept = D->FieldByName("ID")->AsInteger() % 2 == 0; });
    EXPECT_EQ(T->RecordCount(), 2);
    T->SetFiltered(false);
    EXPECT_EQ(T->RecordCount(), 5);
}

TEST_F(ClientDataSet, DisableControlsNests)
{
    Fill();
    int Changes = 0;
    TDataSource DS(nullptr);
    DS.SetDataSet(T);
    DS.SetOnDataChange([&](TObject*, TField*) { ++Changes; });
    T->DisableControls();
    T->DisableControls();
    T->First();
    T->Next();
    T->EnableControls();
    EXPECT_TRUE(T->ControlsDisabled());
    EXPECT_EQ(Changes, 0);
    T->EnableControls();
    EXPECT_FALSE(T->ControlsDisabled());
    EXPECT_EQ(Changes, 1);
    DS.SetDataSet(nullptr);
}

// --- fields -----------------------------------------------------------------------

TEST_F(ClientDataSet, FieldTextConversionsAndClassicErrors)
{
    TDutchDates Dutch;
    T->Append();
    TField* Id = T->FieldByName("ID");
    TField* Naam = T->FieldByName("NAAM");
    TField* Geboren = T->FieldByName("GEBOREN");
    TField* Actief = T->FieldByName("ACTIEF");
    TField* Notitie = T->FieldByName("NOTITIE");

    EXPECT_EQ(ErrorClassAndMessage([&] { Id->SetText("12a"); }),
              "EDatabaseError: '12a' is not a valid integer value for field 'ID'");
    Id->SetText("42");
    EXPECT_EQ(Id->AsInteger(), 42);
    EXPECT_EQ(Id->Alignment(), taRightJustify);
    EXPECT_TRUE(Id->IsValidChar('7'));
    EXPECT_FALSE(Id->IsValidChar('a'));
    Id->SetText("");
    EXPECT_TRUE(Id->IsNull());

    Naam->SetAsString("Van den Berghe-Jansen");  // cut to the size of 10
    EXPECT_EQ(Naam->AsString(), "Van den Be");
    // The size counts code units; the cut never parts the two of a
    // character beyond the Basic Multilingual Plane.
    for (const char* Kept : {"12345678\U0001F600", "123456789"}) {
        Naam->SetAsString(QString::fromUtf8(Kept) + "\U0001F600");
        EXPECT_EQ(Naam->AsString(), QString::fromUtf8(Kept));
    }
    Naam->SetAsString("Van den Be");
    EXPECT_EQ(Naam->DisplayWidth(), 10);

    EXPECT_EQ(ErrorClassAndMessage([&] { Geboren->SetText("31/02/1970"); }),
              "EConvertError: '31/02/1970' is not a valid date and time");
    EXPECT_EQ(ErrorClassAndMessage([&] { Actief->SetText("morgen"); }), "EConvertError: 'morgen' is not a valid date");
    Geboren->SetText("06/05/1970");
    EXPECT_EQ(Geboren->DisplayText(), "06/05/1970");  // no time: the date only
    Geboren->SetAsDateTime(EncodeDateTime(1970, 5, 6, 14, 30, 0, 0));
    EXPECT_EQ(Geboren->DisplayText(), "06/05/1970 14:30:00");
    Actief->SetAsDateTime(EncodeDateTime(2023, 1, 2, 9, 0, 0, 0));
    EXPECT_EQ(Actief->Text(), "02/01/2023");  // a date field drops the time
    EXPECT_EQ(Actief->AsDateTime(), EncodeDate(2023, 1, 2));
    Actief->SetText("");
    EXPECT_TRUE(Actief->IsNull());
    EXPECT_EQ(Actief->DisplayText(), "");
    EXPECT_TRUE(Actief->AsVariant().IsNull());
    Geboren->Assign(nullptr);  // assigning nothing empties the field
    EXPECT_TRUE(Geboren->IsNull());

    Notitie->SetAsString("eerste regel\r\ntweede regel");
    EXPECT_EQ(Notitie->DisplayText(), "eerste regel\r\ntweede regel");

    // OnGetText / OnSetText / OnValidate
    Naam->SetOnGetText([](TField* F, String& Text, bool Display) { Text = (Display ? "D:" : "E:") + F->AsString(); });
    EXPECT_EQ(Naam->DisplayText(), "D:Van den Be");
    EXPECT_EQ(Naam->Text(), "E:Van den Be");
    Naam->SetOnSetText([](TField* F, const String& Text) { F->SetAsString(Text.toUpper()); });
    Naam->SetText("smit");
    EXPECT_EQ(Naam->AsString(), "SMIT");
    Naam->SetOnValidate([](TField* F) {
        if (F->AsString() == "FOUT")
            throw EDatabaseError("geweigerd");
    });
    EXPECT_THROW(Naam->SetText("fout"), EDatabaseError);
    EXPECT_EQ(Naam->AsString(), "SMIT");  // the refused value never got in
    T->Cancel();

    // Writing outside edit mode.
    EXPECT_EQ(ErrorClassAndMessage([&] { Naam->SetAsString("x"); }),
              "EDatabaseError: Dataset not in edit or insert mode");
}

TEST_F(ClientDataSet, MessagesQuoteOnlyTheStartOfALongName)
{
    // A name read from a file (a map template's field line) may be
    // megabytes long; the message that refuses it stays a message.
    const QString Long(4 << 20, u'x');
    const QString Start = "'" + QString(40, u'x') + QChar(0x2026) + "'";
    const struct {
        const char* Name;
        std::function<void()> Call;
    } Calls[] = {
        {"FieldByName", [&] { T->FieldByName(Long); }},
        {"FieldDefs", [&] { T->FieldDefs()->Find(Long); }},
        {"IndexDefs", [&] { T->IndexDefs()->Find(Long); }},
        {"IndexName", [&] { T->SetIndexName(Long); }},
        {"IndexFieldNames", [&] { T->SetIndexFieldNames(Long); }},
        {"Locate", [&] { T->Locate(Long, 1); }},
    };
    for (const auto& [Name, Call] : Calls) {
        SCOPED_TRACE(Name);
        const QString Message = ErrorMessage<EDatabaseError>(Call);
        EXPECT_TRUE(Message.contains(Start)) << Message.left(100).toStdString();
        EXPECT_LT(Message.size(), 100);
    }
}

TEST(ClientDataSetFields, PersistentFieldsBindByNameAndCheckTypes)
{
    TTestDir Dir;
    TComponent Module(nullptr);
    auto* T = new TClientDataSet(&Module);
    DefinePersons(T);
    T->SetFileName(Dir.File("p.quorvy"));
    T->CreateDataSet();
    AddPerson(T, 7, "Smit");
    T->Close();

    auto* Naam = new TStringField(&Module);
    Naam->SetFieldName("NAAM");
    Naam->SetSize(10);
    Naam->SetDisplayLabel("Achternaam");
    Naam->SetDataSet(T);
    T->Open();
    EXPECT_EQ(T->FieldCount(), 1);  // persistent fields only
    EXPECT_EQ(T->FieldByName("NAAM"), Naam);
    EXPECT_EQ(Naam->AsString(), "Smit");
    EXPECT_EQ(Naam->DisplayLabel(), "Achternaam");
    EXPECT_EQ(T->FieldDefs()->Count(), 6);
    T->Close();

    auto* Wrong = new TDateField(&Module);
    Wrong->SetFieldName("GROEP");
    Wrong->SetDataSet(T);
    EXPECT_EQ(ErrorClassAndMessage([&] { T->Open(); }),
              "EDatabaseError: Type mismatch for field 'GROEP', expecting: Date actual: Integer");
    EXPECT_FALSE(T->Active());
    Wrong->Free();
    auto* Missing = new TIntegerField(&Module);
    Missing->SetFieldName("LEEFTIJD");
    Missing->SetDataSet(T);
    EXPECT_EQ(ErrorClassAndMessage([&] { T->Open(); }), "EDatabaseError: Field 'LEEFTIJD' not found");
    Missing->Free();
    T->Open();
    EXPECT_TRUE(T->Active());
}

// --- the table file ---------------------------------------------------------------

TEST(ClientDataSetFile, CloseWritesOnlyWhenChangedOrNew)
{
    TTestDir Dir;
    const QString Path = Dir.File("p.quorvy");
    TComponent Module(nullptr);
    auto* T = new TClientDataSet(&Module);
    DefinePersons(T);
    T->SetFileName(Path);
    T->SetIndexName("ID_DESC");
    T->CreateDataSet();
    T->Close();  // a new table is written even when empty
    ASSERT_TRUE(FileExists(Path));

    T->Open();
    EXPECT_EQ(T->RecordCount(), 0);
    T->SetLogChanges(false);
    AddPerson(T, 57, "Smit");
    AddPerson(T, 12, "Jansen");
    EXPECT_EQ(T->ChangeCount(), 0);
    EXPECT_TRUE(T->DataChanged());
    T->Close();  // changed with the log off: written

    T->Open();
    ASSERT_EQ(T->RecordCount(), 2);
    EXPECT_EQ(T->FieldByName("ID")->AsInteger(), 57);  // highest key first
    // Unchanged: the file is left alone, whatever now lies on disk.
    QFile::remove(Path);
    QFile F(Path);
    ASSERT_TRUE(F.open(QIODevice::WriteOnly));
    F.write("marker");
    F.close();
    T->Close();
    ASSERT_TRUE(F.open(QIODevice::ReadOnly));
    EXPECT_EQ(F.readAll(), "marker");
}

TEST(ClientDataSetFile, FailedWriteRaisesKeepsTableOpenAndOldFile)
{
    TTestDir Dir;
    TComponent Module(nullptr);
    auto* T = new TClientDataSet(&Module);
    DefinePersons(T);
    // A folder where the file should go: the rename refuses it.
    const QString Blocked = Dir.File("blocked.quorvy");
    ASSERT_TRUE(ForceDirectories(Blocked + "/inside"));
    T->SetFileName(Blocked);
    T->CreateDataSet();
    AddPerson(T, 1, "Smit");
    EXPECT_THROW(T->Close(), EInOutError);
    EXPECT_TRUE(T->Active());
    EXPECT_EQ(T->FieldByName("NAAM")->AsString(), "Smit");
    EXPECT_TRUE(DirectoryExists(Blocked + "/inside"));

    if (::geteuid() != 0) {
        // A folder without write permission keeps the old file as it was.
        const QString Sub = Dir.File("ro");
        ForceDirectories(Sub);
        const QString Path = Sub + "/p.quorvy";
        T->SetFileName(Path);
        T->SaveToFile();
        const QByteArray Old = [&] { QFile F(Path); F.open(QIODevice::ReadOnly); return F.readAll(); }();
        AddPerson(T, 2, "Jansen");
        QFile::setPermissions(Sub, QFile::ReadOwner | QFile::ExeOwner);
        EXPECT_THROW(T->Close(), EInOutError);
        QFile::setPermissions(Sub, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        EXPECT_TRUE(T->Active());
        QFile F(Path);
        F.open(QIODevice::ReadOnly);
        EXPECT_EQ(F.readAll(), Old);
    }
    T->SetFileName(Dir.File("ok.quorvy"));
    T->Close();
    EXPECT_FALSE(T->Active());
}

namespace {

// A new person table of one person, written to FileName when it closes.
TClientDataSet* NewTableFile(TComponent& Module, const QString& FileName)
{
    auto* T = new TClientDataSet(&Module);
    DefinePersons(T);
    T->SetFileName(FileName);
    T->CreateDataSet();
    AddPerson(T, 1, "Smit");
    return T;
}

}  // namespace

TEST(ClientDataSetFile, FileNotKnownToBeOnDiskCountsAsNotWritten)
{
    TTestDir Dir;
    TComponent Module(nullptr);
    TClientDataSet* T = NewTableFile(Module, Dir.File("p.quorvy"));
    {
        TScriptedFolderSync Sync;
        Sync.FailWith = EIO;
        EXPECT_THROW(T->SaveToFile(), EInOutError);
        EXPECT_TRUE(T->DataChanged());
        EXPECT_THROW(T->Close(), EInOutError);
        EXPECT_TRUE(T->Active());
    }
    // Closing again writes it again.
    TScriptedFolderSync Sync;
    T->Close();
    EXPECT_FALSE(T->Active());
    EXPECT_EQ(Sync.Saved.size(), 1);
}

TEST(ClientDataSetFile, OpeningRemovesWhatKilledSavesLeftButNotASaveInProgress)
{
    TTestDir Dir;
    TComponent Module(nullptr);
    TClientDataSet* T = NewTableFile(Module, Dir.File("p.quorvy"));
    T->Close();
    ASSERT_TRUE(WriteRaw(Dir.File(".p.quorvy.quorvytmp-k1LLed"), "QVTABLE\x1a half"));
    TFileBeingWritten Busy(Dir.File(".p.quorvy.quorvytmp-Busy42"), "QVTABLE\x1a");
    ASSERT_TRUE(Busy.Locked());
    T->Open();
    EXPECT_EQ(T->RecordCount(), 1);
    EXPECT_FALSE(QFile::exists(Dir.File(".p.quorvy.quorvytmp-k1LLed")));
    EXPECT_TRUE(QFile::exists(Dir.File(".p.quorvy.quorvytmp-Busy42")));
}

TEST(ClientDataSetFile, DamagedFileIsRefusedAndNothingOpens)
{
    TTestDir Dir;
    const QString Path = Dir.File("p.quorvy");
    TComponent Module(nullptr);
    auto* T = new TClientDataSet(&Module);
    DefinePersons(T);
    T->SetFileName(Path);
    T->CreateDataSet();
    for (int I = 1; I <= 50; ++I)
        AddPerson(T, I, QString("Naam %1").arg(I));
    T->Close();

    QFile F(Path);
    ASSERT_TRUE(F.open(QIODevice::ReadWrite));
    QByteArray Bytes = F.readAll();
    Bytes[Bytes.size() - 100] = char(Bytes[Bytes.size() - 100] ^ 1);
    F.seek(0);
    F.write(Bytes);
    F.close();
    EXPECT_EQ(ErrorClassAndMessage([&] { T->Open(); }),
              QString("EDatabaseError: Table file '%1' is damaged").arg(Path));
    EXPECT_FALSE(T->Active());
    EXPECT_EQ(T->FieldCount(), 0);
    // Closing a table that never opened writes nothing over the damaged file.
    T->Close();
    F.open(QIODevice::ReadOnly);
    EXPECT_EQ(F.readAll(), Bytes);
}

TEST(ClientDataSetFile, LoadAndSaveRoundTrip)
{
    TTestDir Dir;
    TDutchDates Dutch;
    TComponent Module(nullptr);
    auto* T = new TClientDataSet(&Module);
    DefinePersons(T);
    T->CreateDataSet();
    AddPerson(T, 1, QString::fromUtf8("Ĳzerman"), 2);
    T->Edit();
    T->FieldByName("GEBOREN")->SetText("06/05/1970");
    T->FieldByName("NOTITIE")->SetAsString(QString::fromUtf8("één\r\ntwee"));
    T->Post();
    T->SaveToFile(Dir.File("copy.quorvy"));
    EXPECT_EQ(T->FileName(), "");

    auto* U = new TClientDataSet(&Module);
    U->LoadFromFile(Dir.File("copy.quorvy"));
    ASSERT_TRUE(U->Active());
    EXPECT_EQ(U->IndexDefs()->Count(), 5);
    U->SetIndexName("NAAM_ASC");
    EXPECT_EQ(U->FieldByName("NAAM")->AsString(), QString::fromUtf8("Ĳzerman"));
    EXPECT_EQ(U->FieldByName("GEBOREN")->DisplayText(), "06/05/1970");
    EXPECT_EQ(U->FieldByName("NOTITIE")->AsString(), QString::fromUtf8("één\r\ntwee"));
    EXPECT_EQ(static_cast<TStringField*>(U->FieldByName("NAAM"))->Size(), 10);
}

TEST_F(ClientDataSet, DateDisplayMatchesFormatDateTimeInEveryShortDateFormat)
{
    TDutchDates Dutch;
    T->Append();
    TField* Actief = T->FieldByName("ACTIEF");
    TField* Geboren = T->FieldByName("GEBOREN");
    const TDateTime Dates[] = {EncodeDate(1970, 5, 6), EncodeDate(2023, 12, 31), EncodeDate(99, 1, 2),
                               EncodeDate(1899, 12, 29), EncodeDate(1600, 2, 29)};
    const char* Formats[] = {"dd/mm/yyyy", "d-m-yy", "yyyy.mm.dd", "m/d/yyyy", "ddd d mmm yyyy", "dd/mm/yy 'x'"};
    QByteArray Scratch;
    for (const QChar Separator : {QChar(u'/'), QChar(u'\u2215')}) {
        FormatSettings.DateSeparator = Separator;
        for (const char* Format : Formats) {
            FormatSettings.ShortDateFormat = Format;
            for (TDateTime D : Dates) {
                Actief->SetAsDateTime(D);
                Geboren->SetAsDateTime(D);
                EXPECT_EQ(Actief->DisplayText(), FormatDateTime("ddddd", D)) << Format;
                EXPECT_EQ(Geboren->DisplayText(), FormatDateTime("c", D)) << Format;
                // The same text in UTF-8, a separator outside ASCII included.
                EXPECT_EQ(Actief->AsUtf8(Scratch), Actief->AsString().toUtf8()) << Format;
                Geboren->SetAsDateTime(D + 0.5);
                EXPECT_EQ(Geboren->AsUtf8(Scratch), Geboren->AsString().toUtf8()) << Format;
            }
        }
    }
    Actief->Clear();
    EXPECT_TRUE(Actief->AsUtf8(Scratch).isEmpty());
    T->Cancel();
}

TEST_F(ClientDataSet, Utf8IsTheStoredTextWithoutACopyAndDamagedBytesAsAsStringReadsThem)
{
    struct TCase {
        const char* What;
        QByteArray Stored;
        bool Copied; // damaged bytes are repaired into the scratch buffer
    };
    const TCase Cases[] = {{"ASCII", "Jansen", false},
                           {"accented", "Zo\xC3\xAB", false},
                           {"outside the basic plane", "\xF0\x9F\x98\x80 x", false},
                           {"null", "", false},
                           {"a cut sequence", "ab\xC3", true},
                           {"a stray byte after eight ASCII ones", "abcdefgh\xFFok", true}};
    const TRecordLayout& L = T->Table()->Layout();
    const int Naam = T->Table()->FieldNo("NAAM"), Notitie = T->Table()->FieldNo("NOTITIE");
    int Id = 0;
    for (const TCase& C : Cases) {
        // Straight into the engine, as a forged file would hold it.
        TRecordBuffer Rec = L.EmptyRecord();
        L.SetInt32(Rec, 0, ++Id);
        L.SetUtf8(Rec, Naam, C.Stored);
        L.SetUtf8(Rec, Notitie, C.Stored);
        T->Table()->Append(Rec);
    }
    T->Resync();
    T->First();
    for (const TCase& C : Cases) {
        for (const char* Name : {"NAAM", "NOTITIE"}) {
            TField* F = T->FieldByName(Name);
            QByteArray Scratch;
            const QByteArrayView Text = F->AsUtf8(Scratch);
            EXPECT_EQ(Text, F->AsString().toUtf8()) << C.What << " " << Name;
            EXPECT_EQ(Text.data() == Scratch.constData() && !Text.isEmpty(), C.Copied) << C.What << " " << Name;
        }
        T->Next();
    }
    // Other fields give their text.
    T->First();
    QByteArray Scratch;
    EXPECT_EQ(T->FieldByName("ID")->AsUtf8(Scratch), "1");
    EXPECT_TRUE(T->FieldByName("GROEP")->AsUtf8(Scratch).isEmpty());
}

TEST(ClientDataSetFile, NaturalOrderAndInsertPositionsSurviveTheFile)
{
    TTestDir Dir;
    TComponent Module(nullptr);
    auto* T = new TClientDataSet(&Module);
    DefinePersons(T);
    T->SetFileName(Dir.File("p.quorvy"));
    T->CreateDataSet();
    AddPerson(T, 1, "een");
    AddPerson(T, 3, "drie");
    T->First();
    T->Next();
    T->Insert();  // before "drie" in the order without index
    T->FieldByName("ID")->SetAsInteger(2);
    T->FieldByName("NAAM")->SetAsString("twee");
    T->Post();
    EXPECT_EQ(NamesInOrder(T), QStringList({"een", "twee", "drie"}));
    T->Close();
    T->Open();
    EXPECT_EQ(NamesInOrder(T), QStringList({"een", "twee", "drie"}));
    T->SetIndexName("NAAM_DESC");
    EXPECT_EQ(NamesInOrder(T), QStringList({"twee", "een", "drie"}));
}

TEST(ClientDataSetFile, MissingFileAndMissingDefinitionsAreRefused)
{
    TTestDir Dir;
    TComponent Module(nullptr);
    auto* T = new TClientDataSet(&Module);
    EXPECT_EQ(ErrorClassAndMessage([&] { T->CreateDataSet(); }),
              "EDatabaseError: Missing data provider or data packet");
    T->SetFileName(Dir.File("nergens.quorvy"));
    EXPECT_EQ(ErrorClassAndMessage([&] { T->Open(); }),
              QString("EDatabaseError: Cannot open table file '%1'").arg(Dir.File("nergens.quorvy")));
    EXPECT_FALSE(T->Active());
    EXPECT_FALSE(FileExists(Dir.File("nergens.quorvy")));
}

TEST_F(ClientDataSet, ChangeLogReadOnlyAndEmptying)
{
    Fill();
    EXPECT_EQ(T->ChangeCount(), 5);
    T->MergeChangeLog();
    EXPECT_EQ(T->ChangeCount(), 0);
    T->First();
    T->Delete();
    EXPECT_EQ(T->ChangeCount(), 1);
    EXPECT_TRUE(T->DataChanged());

    T->SetReadOnly(true);
    EXPECT_EQ(ErrorClassAndMessage([&] { T->Edit(); }), "EDatabaseError: Cannot modify a read-only dataset");
    EXPECT_EQ(ErrorClassAndMessage([&] { T->Append(); }), "EDatabaseError: Cannot modify a read-only dataset");
    T->SetReadOnly(false);

    T->SetIndexName("NAAM_ASC");
    T->EmptyDataSet();
    EXPECT_TRUE(T->IsEmpty());
    EXPECT_TRUE(T->Eof());
    AddPerson(T, 1, "opnieuw");  // keys of emptied records are free again
    EXPECT_EQ(T->RecordCount(), 1);
}

TEST_F(ClientDataSet, FilterHidesRecordsFromBookmarksAndKeySearch)
{
    Fill();
    T->SetIndexName("NAAM_ASC");
    ASSERT_TRUE(T->Locate("ID", 1));
    const TBookmark Jansen = T->GetBookmark();
    T->SetFilter("GROEP = 3");
    T->SetFiltered(true);
    EXPECT_FALSE(T->BookmarkValid(Jansen));
    // "jansen" (group 5) is hidden; the key search finds "Jansen" (group 3).
    EXPECT_TRUE(T->FindKey({"jansen"}));
    EXPECT_EQ(T->FieldByName("ID")->AsInteger(), 4);
    T->FindNearest({"c"});
    EXPECT_EQ(T->FieldByName("NAAM")->AsString(), "Jansen");
    EXPECT_EQ(T->RecNo(), 2);
    T->SetFiltered(false);
    EXPECT_TRUE(T->BookmarkValid(Jansen));
}
