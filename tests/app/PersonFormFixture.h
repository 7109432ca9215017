#pragma once
// The person form's and the overview page's tests: the contact file of the
// address and group windows' tests (see AddressGroupTest), whose persons
// live at its addresses and take part in its groups, and the person form
// made as the main window makes it.
#include "tests/app/AddressGroupFixture.h"

#include "app/qv_qvy.h"

class PersonFormTest : public AddressGroupTest {
protected:
    void TearDown() override
    {
        if (Form != nullptr)
            Form->Free();
        AddressGroupTest::TearDown();
    }

    // Sets fields of the current person and posts them.
    void SetPerson(const std::vector<std::pair<const char*, QString>>& Values)
    {
        TClientDataSet* T = Data->cdsQuorvy;
        T->Edit();
        for (const auto& [Name, Value] : Values)
            T->FieldByName(QLatin1String(Name))->SetAsString(Value);
        T->Post();
    }
    // The person with that last name becomes current.
    void GoToPerson(const QString& LastName)
    {
        ASSERT_TRUE(Data->cdsQuorvy->Locate("ACHTER_NAAM", Variant(LastName), {}));
    }
    TField* PersonField(const char* Name) const { return Data->cdsQuorvy->FieldByName(QLatin1String(Name)); }
    QString Person(const char* Name) const { return PersonField(Name)->AsString(); }

    // The person form as the main window makes it, shown but not modal, so
    // that a test can work it one step at a time.  New: after Insert; else
    // the current person after Edit, its links shown as the main window
    // shows them.
    TFormQuorvy* ShowForm(bool IsNew)
    {
        Data->cdsAdres->SetIndexName("ID_ADRES_ASC");
        Data->cdsGroep->SetIndexName("ID_GROEP_ASC");
        if (IsNew)
            Data->cdsQuorvy->Insert();
        else
            Data->cdsQuorvy->Edit();
        Form = CreateComponent<TFormQuorvy>(nullptr, [IsNew](TFormQuorvy* F) { F->IsNew = IsNew; });
        if (!IsNew) {
            const int Adres = PersonField("ID_ADRES")->AsInteger();
            if (Adres > -1 && Data->cdsAdres->FindKey({Variant(Adres)}))
                Form->ShowAddress(true);
            const int Groep = PersonField("ID_GROEP")->AsInteger();
            if (Groep > -1 && Data->cdsGroep->FindKey({Variant(Groep)}))
                Form->ShowGroup(true);
        }
        Form->Show();
        PumpMessages();
        return Form;
    }

    TFormQuorvy* Form = nullptr;
};
