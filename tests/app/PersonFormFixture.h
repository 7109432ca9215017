#pragma once
// The main window with a contact file open that holds persons, addresses
// and groups: for the tests of the person form, the overview page and the
// main window's commands that open them.  Every dialog and the desktop are
// scripted; a modal window is worked by a TWhenModal made before it shows.
#include "tests/app/MainWindowFixture.h"

#include "app/qv_qvy.h"
#include "platform/forms/Application.h"
#include "platform/forms/Screen.h"
#include "tests/support/ScriptedDialogs.h"

#include <QTimer>
#include <functional>

struct TTestAddress {
    int Id;
    QString Street;
    QString Number;
    QString Place;
    QString Addition = {};
    QString Postcode = {};
    QString Remarks = {};
};

struct TTestGroup {
    int Id;
    QString Name;
    QString Text = {};
};

// Works the first modal window of class T once its loop runs, as the user
// would; Step ends it (OK, "Annuleer").  What Step raises goes to the
// application's exception handler, as it would from a click.  A window
// still open two seconds after Step is a failure, and is cancelled so that
// the test goes on.
template <typename T>
class TWhenModal {
public:
    explicit TWhenModal(std::function<void(T*)> Step) : FStep(std::move(Step))
    {
        QObject::connect(&FTimer, &QTimer::timeout, [this] { TryStep(); });
        FTimer.start(1);
        FWatchdog.setSingleShot(true);
        QObject::connect(&FWatchdog, &QTimer::timeout, [this] {
            if (T* Form = ModalForm()) {
                ADD_FAILURE() << "the modal window stayed open";
                Form->SetModalResult(mrCancel);
            }
        });
    }
    int Runs() const { return FRuns; }

private:
    static T* ModalForm()
    {
        for (int I = 0; I < Screen->FormCount(); ++I)
            if (auto* Form = dynamic_cast<T*>(Screen->Forms(I)); Form != nullptr && Form->Modal())
                return Form;
        return nullptr;
    }
    void TryStep()
    {
        T* Form = ModalForm();
        if (Form == nullptr)
            return;
        FTimer.stop();
        ++FRuns;
        FWatchdog.start(2000);
        try {
            FStep(Form);
        } catch (const Exception&) {
            Application->HandleException(Form);
        }
    }

    std::function<void(T*)> FStep;
    QTimer FTimer;
    QTimer FWatchdog;
    int FRuns = 0;
};

class PersonFormTest : public MainWindowTest {
protected:
    void TearDown() override
    {
        if (Form != nullptr)
            Form->Free();
        MainWindowTest::TearDown();
    }

    // A contact file with these records, opened by the main window.
    void OpenContacts(const std::vector<TTestPerson>& Persons, const std::vector<TTestAddress>& Addresses = {},
                      const std::vector<TTestGroup>& Groups = {})
    {
        Path = DataFolder + "c.quorvy";
        ASSERT_TRUE(Data->OpenFiles(Path, true));
        for (const TTestPerson& P : Persons)
            AddPerson(P);
        for (const TTestAddress& A : Addresses)
            AddAddress(A);
        for (const TTestGroup& G : Groups)
            AddGroup(G);
        Data->CloseFiles();
        ShowMain();
        Main->OpenFile(Path);
        ASSERT_TRUE(Data->Active);
    }
    void AddAddress(const TTestAddress& A)
    {
        TClientDataSet* T = Data->cdsAdres;
        T->Append();
        T->FieldByName("ID_ADRES")->SetAsInteger(A.Id);
        T->FieldByName("STRAAT_NAAM")->SetAsString(A.Street);
        T->FieldByName("HUIS_NUMMER")->SetAsString(A.Number);
        T->FieldByName("TOEVOEGING")->SetAsString(A.Addition);
        T->FieldByName("POSTCODE")->SetAsString(A.Postcode);
        T->FieldByName("WOON_PLAATS")->SetAsString(A.Place);
        T->FieldByName("OPMERKINGEN")->SetAsString(A.Remarks);
        T->Post();
    }
    void AddGroup(const TTestGroup& G)
    {
        TClientDataSet* T = Data->cdsGroep;
        T->Append();
        T->FieldByName("ID_GROEP")->SetAsInteger(G.Id);
        T->FieldByName("GROEP_NAAM")->SetAsString(G.Name);
        T->FieldByName("GROEP_TEXT")->SetAsString(G.Text);
        T->Post();
    }
    // Sets fields of the current person and posts them.
    void SetPerson(std::initializer_list<std::pair<const char*, QString>> Values)
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
    // that a test can call its handlers one at a time.  New: after Insert;
    // else the current person after Edit, its links shown as the main
    // window shows them.
    TFormQuorvy* ShowForm(bool IsNew)
    {
        Data->cdsAdres->SetIndexName("ID_ADRES_ASC");
        Data->cdsGroep->SetIndexName("ID_GROEP_ASC");
        if (IsNew)
            Data->cdsQuorvy->Insert();
        else
            Data->cdsQuorvy->Edit();
        Form = TFormQuorvy::Create(nullptr, IsNew);
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

    QString Path;
    TFormQuorvy* Form = nullptr;
};
