#include "app/qv_pick.h"

#include "controls/lists/FcListBox.h"
#include "platform/classes/ClassInfo.h"
#include "platform/rtl/StringList.h"

#include <any>

// The key of an item, carried along by the list box as the item's object
// however it sorts.
struct TPickForm::TChoice : TObject {
    explicit TChoice(std::int32_t AKey) : Key(AKey) {}
    std::int32_t Key;
};

TPickForm::TPickForm(TComponent* AOwner, const char* NewHandler) : TForm(AOwner), FNewHandler(NewHandler)
{}

TPickForm::~TPickForm() = default;

void TPickForm::AddChoice(const String& Text, std::int32_t Key)
{
    FChoices.push_back(std::make_unique<TChoice>(Key));
    ChoiceList()->Items()->AddObject(Text, FChoices.back().get());
}

void TPickForm::SelectText(const String& Text)
{
    TFcListBox* List = ChoiceList();
    if (List->Items()->Count() == 0)
        return;
    List->SetItemIndex(std::max(0, List->Items()->IndexOf(Text)));
}

void TPickForm::ChoiceListClick(TObject* Sender)
{
    (void)Sender;
    TFcListBox* List = ChoiceList();
    const int Index = List->ItemIndex();
    Selected = true;
    SelectedText = Index >= 0 ? List->Items()->Strings(Index) : String();
    const auto* Choice = Index >= 0 ? dynamic_cast<const TChoice*>(List->Items()->Objects(Index)) : nullptr;
    SelectedKey = Choice != nullptr ? Choice->Key : -1;
    Close();
}

void TPickForm::FcBitBtnCloseClick(TObject* Sender)
{
    (void)Sender;
    Close();
}

void TPickForm::FcBitBtnNieuwClick(TObject* Sender)
{
    (void)Sender;
    TComponent* Opener = Owner();
    const TClass OpenerClass = ClassOfObject(Opener);
    const TMethodInfo* Handler = OpenerClass != nullptr && FNewHandler != nullptr
        ? OpenerClass->FindMethod(QString::fromLatin1(FNewHandler))
        : nullptr;
    if (Handler != nullptr) {
        const std::any Bound = Handler->Bind(Opener);
        if (const auto* Event = std::any_cast<TNotifyEvent>(&Bound); Event != nullptr && *Event)
            (*Event)(this);
    }
    Close();
}
