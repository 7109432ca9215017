// The address and group forms: their captions and the buttons a new record
// has not, the required fields with their messages and focus, the keys of
// new records, "Toepa&ssen", previous and next, the ways out that cancel, a
// post the table refuses, and the map button's address.
#include "app/qv_adres.h"
#include "app/qv_groep.h"
#include "controls/foundation/FcBitBtn.h"
#include "platform/stdctrls/SpeedButton.h"
#include "tests/app/AddressGroupFixture.h"

#include <QUrl>

namespace {

class RecordFormTest : public AddressGroupTest {
protected:
    // The form for the current record, which the test has put into insert
    // (IsNew) or edit state; shown, not modal, so that the test can type.
    template <typename T>
    std::unique_ptr<T, TComponentDeleter> Open(bool IsNew)
    {
        std::unique_ptr<T, TComponentDeleter> Form(CreateComponent<T>(Main, [IsNew](T* F) { F->IsNew = IsNew; }));
        Form->Show();
        PumpMessages();
        return Form;
    }
    std::unique_ptr<TFormAdres, TComponentDeleter> NewAddress()
    {
        Data->cdsAdres->Insert();
        return Open<TFormAdres>(true);
    }
    std::unique_ptr<TFormAdres, TComponentDeleter> EditAddress(int Key)
    {
        EXPECT_TRUE(Data->cdsAdres->Locate("ID_ADRES", Key));
        Data->cdsAdres->Edit();
        return Open<TFormAdres>(false);
    }
    TClientDataSet* Adres() const { return Data->cdsAdres; }
    TClientDataSet* Groep() const { return Data->cdsGroep; }
};

} // namespace

TEST_F(RecordFormTest, ANewRecordHasItsCaptionAndNoneOfTheButtonsOfAnExistingOne)
{
    auto New = NewAddress();
    EXPECT_EQ(New->Caption(), "Toevoegen nieuw Adres");
    for (TControl* C : {static_cast<TControl*>(New->SpeedButtonUp), static_cast<TControl*>(New->SpeedButtonDown),
                        static_cast<TControl*>(New->SpeedButtonGoogleMaps), static_cast<TControl*>(New->FcBitBtnApply)})
        EXPECT_FALSE(C->Visible()) << C->Name().toStdString();
    EXPECT_TRUE(New->FcDBEditStraatnaam->Focused());
    EXPECT_EQ(New->FcDBEditLand->Text(), "Nederland");
    EXPECT_EQ(New->ClientWidth(), 666);
    EXPECT_EQ(New->ClientHeight(), 455);
    New.reset();

    auto Existing = EditAddress(1);
    EXPECT_EQ(Existing->Caption(), "Wijzigen adres \"Dorpsstraat 12, Ede\"");
    EXPECT_TRUE(Existing->SpeedButtonGoogleMaps->Visible());
    EXPECT_EQ(Existing->SpeedButtonGoogleMaps->Caption(), "G");
    EXPECT_TRUE(Existing->FcBitBtnApply->Visible());
    EXPECT_EQ(Existing->SpeedButtonUp->Hint(), "Vorige|Ga naar het vorige adres");
    Existing.reset();

    Groep()->Insert();
    auto NewGroup = Open<TFormGroep>(true);
    EXPECT_EQ(NewGroup->Caption(), "Toevoegen nieuwe Groep");
    EXPECT_FALSE(NewGroup->FcBitBtnApply->Visible());
    EXPECT_TRUE(NewGroup->FcDBEditGroepnaam->Focused());
    EXPECT_EQ(NewGroup->ClientHeight(), 320);
    NewGroup.reset();
    Groep()->First();
    Groep()->Edit();
    auto Group = Open<TFormGroep>(false);
    EXPECT_EQ(Group->Caption(), "Wijzigen groep \"Familie\"");
    EXPECT_EQ(Group->SpeedButtonDown->Hint(), "Volgende|Ga naar de volgende groep");
}

TEST_F(RecordFormTest, TheFirstMissingFieldIsReportedAndGetsTheFocus)
{
    struct TCase {
        QString Street, Number, Place, Message;
    };
    const TCase Cases[] = {
        {"", "", "", "U dient een straatnaam in te voeren!"},
        {"Laan", "", "Ede", "U dient een huisnummer in te voeren!"},
        {"Laan", "4", "  ", "U dient een woonplaats in te voeren!"},
    };
    for (const TCase& C : Cases) {
        const int Before = Adres()->RecordCount();
        auto Form = NewAddress();
        for (const auto& [Edit, Value] :
             {std::pair{Form->FcDBEditStraatnaam, C.Street}, std::pair{Form->FcDBEditHuisnummer, C.Number},
              std::pair{Form->FcDBEditWoonplaats, C.Place}})
            if (!Value.isEmpty())
                TypeInto(Edit, Value);
        Form->FcDBEditLand->SetFocus();
        const size_t Asked = Boxes.Asked().size();
        Form->FcBitBtnOKClick(nullptr);
        ASSERT_EQ(Boxes.Asked().size(), Asked + 1);
        EXPECT_EQ(Boxes.Asked().back().Text, C.Message);
        EXPECT_EQ(Boxes.Asked().back().Caption, "Ontbrekende gegevens");
        EXPECT_EQ(Boxes.Asked().back().Flags, unsigned(MB_OK | MB_ICONERROR));
        TFcDBEdit* Missing = C.Street.isEmpty() ? Form->FcDBEditStraatnaam
            : C.Number.isEmpty()                ? Form->FcDBEditHuisnummer
                                                : Form->FcDBEditWoonplaats;
        EXPECT_TRUE(Missing->Focused()) << C.Message.toStdString();
        EXPECT_TRUE(Form->Visible());
        EXPECT_FALSE(Form->Saved);
        EXPECT_EQ(Adres()->State(), dsInsert);
        Form->Close();
        EXPECT_EQ(Adres()->State(), dsBrowse);
        EXPECT_EQ(Adres()->RecordCount(), Before);
    }

    Groep()->Insert();
    auto Group = Open<TFormGroep>(true);
    Group->FcBitBtnOKClick(nullptr);
    EXPECT_EQ(Boxes.Asked().back().Text, "U dient een groepnaam in te voeren!");
    EXPECT_TRUE(Group->FcDBEditGroepnaam->Focused());
}

TEST_F(RecordFormTest, OkWithEnterPostsWhatWasTypedUnderTheNextKey)
{
    ASSERT_EQ(Data->LastAdresID, 5);
    auto Form = NewAddress();
    TypeInto(Form->FcDBEditStraatnaam, "Nieuwstraat");
    TypeInto(Form->FcDBEditHuisnummer, "8");
    TypeInto(Form->FcDBEditWoonplaats, "Putten");
    // Enter presses the default button with the focus still in the edit.
    PressKey(Form->FcDBEditWoonplaats, Qt::Key_Return);
    EXPECT_TRUE(Boxes.Asked().empty()) << Boxes.Asked().front().Text.toStdString();
    EXPECT_TRUE(Form->Saved);
    EXPECT_FALSE(Form->Visible());
    EXPECT_EQ(Data->LastAdresID, 6);
    EXPECT_EQ(Adres()->State(), dsBrowse);
    EXPECT_EQ(Text(Adres(), "ID_ADRES"), "6");
    EXPECT_EQ(Text(Adres(), "WOON_PLAATS"), "Putten");
    EXPECT_EQ(Text(Adres(), "LAND"), "Nederland");
}

TEST_F(RecordFormTest, TheThirdGroupAddedSinceOpeningGetsTheKeyThreeAboveTheHighest)
{
    ASSERT_EQ(Data->LastGroepID, 4);
    for (const QString Name : {"Buren", "Club", "Koor"}) {
        Groep()->Insert();
        auto Form = Open<TFormGroep>(true);
        TypeInto(Form->FcDBEditGroepnaam, Name);
        Form->FcBitBtnOKClick(nullptr);
        EXPECT_TRUE(Form->Saved);
    }
    EXPECT_EQ(Text(Groep(), "GROEP_NAAM"), "Koor");
    EXPECT_EQ(Text(Groep(), "ID_GROEP"), "7");
    EXPECT_EQ(Data->LastGroepID, 7);
}

TEST_F(RecordFormTest, ApplyPostsRenamesTheCaptionAtOnceAndEditsOn)
{
    auto Form = EditAddress(2);
    TypeInto(Form->FcDBEditStraatnaam, "Kerkpad");
    Form->FcBitBtnApplyClick(nullptr);
    EXPECT_EQ(Form->Caption(), "Wijzigen adres \"Kerkpad 1, Arnhem\"");
    EXPECT_EQ(Adres()->State(), dsEdit);
    EXPECT_TRUE(Form->Visible());
    // Posted: cancelling now keeps it.
    Form->FcBitBtnCancelClick(nullptr);
    EXPECT_EQ(Text(Adres(), "STRAAT_NAAM"), "Kerkpad");
    EXPECT_FALSE(Form->Saved);

    Groep()->First();
    Groep()->Edit();
    auto Group = Open<TFormGroep>(false);
    TypeInto(Group->FcDBEditGroepnaam, "Gezin");
    Group->FcBitBtnApplyClick(nullptr);
    EXPECT_EQ(Group->Caption(), "Wijzigen groep \"Gezin\"");
}

TEST_F(RecordFormTest, PreviousAndNextDropChangesAndKeepTheLastRecordAtTheEnd)
{
    // The list window's order: by street.
    Adres()->SetIndexName("STRAAT_NAAM_ASC");
    auto Form = EditAddress(5);
    TypeInto(Form->FcDBEditStraatnaam, "Noordlaan");
    Form->SpeedButtonDownClick(nullptr);
    EXPECT_EQ(Text(Adres(), "STRAAT_NAAM"), "Zuidlaan") << "the last address stays; its change is dropped";
    EXPECT_EQ(Form->Caption(), "Wijzigen adres \"Zuidlaan 3, Ede\"");
    EXPECT_EQ(Form->FcDBEditStraatnaam->Text(), "Zuidlaan");
    EXPECT_EQ(Adres()->State(), dsEdit);
    TypeInto(Form->FcDBEditStraatnaam, "Noordlaan");
    Form->SpeedButtonUpClick(nullptr);
    EXPECT_EQ(Text(Adres(), "STRAAT_NAAM"), "Kerkweg");
    EXPECT_EQ(Form->Caption(), "Wijzigen adres \"Kerkweg 1, Arnhem\"");
    EXPECT_TRUE(Adres()->Locate("ID_ADRES", 5));
    EXPECT_EQ(Text(Adres(), "STRAAT_NAAM"), "Zuidlaan");
    EXPECT_TRUE(Boxes.Asked().empty());
}

TEST_F(RecordFormTest, EveryWayOutButOkCancels)
{
    const int Before = Adres()->RecordCount();
    // The close box, "&Annuleer" and Escape, in a modal window.
    for (const int Way : {0, 1, 2}) {
        Adres()->Insert();
        TOnModal<TFormAdres> Script([&](TFormAdres* Form) {
            TypeInto(Form->FcDBEditStraatnaam, "Weg");
            if (Way == 0)
                PostMessage(Form->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
            else if (Way == 1)
                MouseClick(Form->FcBitBtnCancel, {5, 5});
            else
                PressKey(Form->FcDBEditStraatnaam, Qt::Key_Escape), PressKey(Form, Qt::Key_Escape);
        });
        EXPECT_FALSE(ExecuteRecordForm<TFormAdres>(Main, true)) << Way;
        EXPECT_EQ(Script.Runs(), 1);
        EXPECT_EQ(Adres()->State(), dsBrowse);
        EXPECT_EQ(Adres()->RecordCount(), Before);
    }
}

TEST_F(RecordFormTest, APostTheTableRefusesKeepsTheWindowWithWhatWasTyped)
{
    auto Form = NewAddress();
    TypeInto(Form->FcDBEditStraatnaam, "Nieuwstraat");
    TypeInto(Form->FcDBEditHuisnummer, "8");
    TypeInto(Form->FcDBEditWoonplaats, "Putten");
    // Half a postcode: its mask refuses it.
    TypeInto(Form->FcDBEditPostcode, "12");
    Form->FcDBEditLand->SetFocus();
    Boxes.Asked();
    const size_t Asked = Boxes.Asked().size();
    MouseClick(Form->FcBitBtnOK, {5, 5});
    ASSERT_GT(Boxes.Asked().size(), Asked);
    EXPECT_EQ(Boxes.Asked().back().Text, "Onjuiste invoer voor dit veld. Drukt u op <Esc> om de invoer te annuleren.");
    EXPECT_TRUE(Form->Visible());
    EXPECT_FALSE(Form->Saved);
    EXPECT_TRUE(Form->FcDBEditPostcode->Focused());
    EXPECT_EQ(Adres()->State(), dsInsert);
    EXPECT_EQ(Text(Adres(), "STRAAT_NAAM"), "Nieuwstraat");
    EXPECT_EQ(Form->FcDBEditPostcode->EditText().left(2), "12");

    // Corrected, it goes in.
    TypeInto(Form->FcDBEditPostcode, "1234ab");
    MouseClick(Form->FcBitBtnOK, {5, 5});
    EXPECT_TRUE(Form->Saved);
    EXPECT_EQ(Text(Adres(), "POSTCODE"), "1234AB");
    EXPECT_EQ(Text(Adres(), "STRAAT_NAAM"), "Nieuwstraat");
}

TEST_F(RecordFormTest, TheMapButtonOpensAWebAddressOfTheCurrentAddressOnly)
{
    TShellRecorder Shell;
    auto Form = EditAddress(2);
    TypeInto(Form->FcDBEditWoonplaats, "Den Haag");
    Form->SpeedButtonGoogleMapsClick(nullptr);
    ASSERT_EQ(Shell.Opened().size(), 1u);
    EXPECT_EQ(Shell.Opened()[0].toString(QUrl::FullyEncoded), ToolBox::MapServiceBase + "Kerkweg+1,+Den%20Haag");

    // A template is used as it stands, its field values encoded; one that
    // makes anything but a web address is refused, never opened as a file.
    Data->MapTemplate = std::make_unique<TStringList>();
    Data->MapTemplate->SetText("https://kaart.example/?q=\r\nF_WOON_PLAATS");
    Form->SpeedButtonGoogleMapsClick(nullptr);
    ASSERT_EQ(Shell.Opened().size(), 2u);
    EXPECT_EQ(Shell.Opened()[1].toString(QUrl::FullyEncoded), "https://kaart.example/?q=Den%20Haag");
    for (const char* Local : {"/etc/passwd", "file:///etc/passwd"}) {
        Data->MapTemplate->SetText(Local);
        Form->SpeedButtonGoogleMapsClick(nullptr);
        EXPECT_EQ(Shell.Opened().size(), 2u) << Local;
        EXPECT_EQ(Boxes.Asked().back().Caption, "Openen niet mogelijk");
    }
}
