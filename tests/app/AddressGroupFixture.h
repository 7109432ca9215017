#pragma once
// The main window with a contact file open whose persons live at its
// addresses and take part in its groups, and the modal windows opened from
// it driven by script.
#include "app/qv_pick.h"
#include "app/qv_toolb.h"
#include "controls/lists/FcDBEdit.h"
#include "controls/lists/FcListBox.h"
#include "platform/forms/Screen.h"
#include "platform/forms/Timer.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/controls/lists/ListsFixture.h"
#include "tests/support/ScriptedDialogs.h"

#include <functional>

struct TTestAddress {
    int Id;
    QString Street;
    QString Number;
    QString Place;
    QString Postcode = {};
    QString Remarks = {};
};

struct TTestGroup {
    int Id;
    QString Name;
    QString Text = {};
};

struct TLinkedPerson {
    int Id;
    QString LastName;
    int Adres;
    int Groep;
    QString CallName = {};
};

// Runs Script on the next form of class T that shows modally, once its
// loop runs; a form the script leaves open is closed as its close box
// would.  Schedule it before whatever shows the form.
template <typename T>
class TOnModal {
public:
    explicit TOnModal(std::function<void(T*)> Script) : FTimer(new TTimer(nullptr))
    {
        FTimer->SetInterval(1);
        FTimer->SetOnTimer([this, Script](TObject*) {
            T* Form = ShownForm();
            if (Form == nullptr)
                return;
            FTimer->SetEnabled(false);
            ++FRuns;
            Script(Form);
            if (ShownForm() == Form && Form->ModalResult() == mrNone)
                Form->Close();
        });
    }
    int Runs() const { return FRuns; }

private:
    static T* ShownForm()
    {
        for (int I = 0; I < Screen->FormCount(); ++I)
            if (auto* Form = dynamic_cast<T*>(Screen->Forms(I)); Form != nullptr && Form->Modal() && Form->Visible())
                return Form;
        return nullptr;
    }

    std::unique_ptr<TTimer, TComponentDeleter> FTimer;
    int FRuns = 0;
};

class AddressGroupTest : public MainWindowTest {
protected:
    // Addresses 1, 2, 3, 5; groups 1, 2, 4 (two of them "Familie").
    const std::vector<TTestAddress> Addresses = {
        {1, "Dorpsstraat", "12", "Ede", "1234AB", "Achterom <b>&</b> \"tuin\""},
        {2, "Kerkweg", "1", "Arnhem"},
        {3, "Appelhof", "7", "Zwolle"},
        {5, "Zuidlaan", "3", "Ede"},
    };
    const std::vector<TTestGroup> Groups = {
        {1, "Familie", "Ooms & tantes"},
        {2, "Werk"},
        {4, "Familie"},
    };
    const std::vector<TLinkedPerson> Persons = {
        {1, "jansen", 1, 1, "piet"}, {2, "Bakker", 1, 2, "anna"}, {3, "de Vries", 2, 4},
        {4, "Zwart", -1, 1},         {5, "O'Neil & <Co>", 3, -1},
    };

    void SetUp() override
    {
        MainWindowTest::SetUp();
        Path = MakeLinkedFile("adressen.quorvy");
        ShowMain();
        Main->OpenFile(Path);
        ASSERT_TRUE(Data->Active);
    }

    QString MakeLinkedFile(const QString& Name)
    {
        const QString File = DataFolder + Name;
        EXPECT_TRUE(Data->OpenFiles(File, true));
        for (const TTestAddress& A : Addresses)
            Append(Data->cdsAdres,
                   {{"ID_ADRES", QString::number(A.Id)},
                    {"STRAAT_NAAM", A.Street},
                    {"HUIS_NUMMER", A.Number},
                    {"WOON_PLAATS", A.Place},
                    {"POSTCODE", A.Postcode},
                    {"OPMERKINGEN", A.Remarks}});
        for (const TTestGroup& G : Groups)
            Append(Data->cdsGroep,
                   {{"ID_GROEP", QString::number(G.Id)}, {"GROEP_NAAM", G.Name}, {"GROEP_TEXT", G.Text}});
        for (const TLinkedPerson& P : Persons)
            Append(Data->cdsQuorvy,
                   {{"ID_QUORVY", QString::number(P.Id)},
                    {"ACHTER_NAAM", P.LastName},
                    {"ROEP_NAAM", P.CallName},
                    {"ID_ADRES", QString::number(P.Adres)},
                    {"ID_GROEP", QString::number(P.Groep)}});
        Data->CloseFiles();
        Data->MRUList->Clear();
        return File;
    }
    static void Append(TClientDataSet* Table, const std::vector<std::pair<const char*, QString>>& Values)
    {
        Table->Append();
        for (const auto& [Field, Value] : Values)
            Table->FieldByName(Field)->SetAsString(Value);
        Table->Post();
    }
    static QString Text(TClientDataSet* Table, const char* Field) { return Table->FieldByName(Field)->AsString(); }
    // The texts a pick window offers, in the order it shows them.
    static QStringList Items(TPickForm* Form)
    {
        QStringList Out;
        for (int I = 0; I < Form->ChoiceList()->Items()->Count(); ++I)
            Out << Form->ChoiceList()->Items()->Strings(I);
        return Out;
    }
    // Clicks item Index of a pick window's list, as the user would.
    static void ClickItem(TPickForm* Form, int Index)
    {
        const TRect R = Form->ChoiceList()->ItemRect(Index);
        MouseClick(Form->ChoiceList(), {R.Left + 5, R.Top + 3});
    }
    // Types Value into Edit as a keyboard would, over what it holds.
    static void TypeInto(TFcDBEdit* Edit, const QString& Value)
    {
        Edit->SetFocus();
        Edit->SelectAll();
        TypeText(Edit, Value);
    }

    QString Path;
    TScriptedMessageBoxes Boxes{{IDOK}};
};
