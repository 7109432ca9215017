#include "platform/classes/Component.h"

#include "platform/classes/Filer.h"
#include "platform/classes/Fixups.h"

#include "platform/classes/TypInfo.h"

#include <algorithm>

REGISTER_CLASS(TPersistent, TObject)
END_REGISTER

// The name is written in the object header, not as a property.
REGISTER_COMPONENT(TComponent, TPersistent)
    PUBLISHED_STORED(Name, String(), false)
    PUBLISHED(Tag, 0)
END_REGISTER

namespace {

String ListIndexError(int Index)
{
    return QStringLiteral("List index out of bounds (%1)").arg(Index);
}

} // namespace

TComponent::TComponent(TComponent* AOwner)
{
    if (AOwner != nullptr)
        AOwner->InsertComponent(this);
}

TComponent::~TComponent()
{
    // Plain delete: the derived parts are already gone, but owned components
    // and notified ones must still be released and told.
    if (!FDestructionStarted) {
        FDestructionStarted = true;
        Destroying();
        NotifyAndUnlink();
        DestroyComponents();
    }
    // Anything that registered with us after BeforeDestruction.
    NotifyAndUnlink();
    RemoveFixupReferences(this);
    UnregisterGlobalRoot(this);
    if (FOwner != nullptr)
        FOwner->RemoveComponent(this);
}

TComponent* FinishConstruction(TComponent* Instance)
{
    try {
        Instance->AfterConstruction();
    } catch (...) {
        Instance->Free();
        throw;
    }
    return Instance;
}

void TComponent::Free()
{
    BeforeDestruction();
    delete this;
}

void TComponent::BeforeDestruction()
{
    if (FDestructionStarted)
        return;
    FDestructionStarted = true;
    Destroying();
    NotifyAndUnlink();
    DestroyComponents();
}

void TComponent::NotifyAndUnlink()
{
    // Each receiver may change the lists (it usually removes itself), so
    // take one link at a time from the end.
    while (!FFreeNotifies.empty()) {
        TComponent* Other = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        Other->RemoveNotification(this);
        Other->Notification(this, opRemove);
    }
}

void TComponent::DestroyComponents()
{
    while (!FComponents.empty()) {
        TComponent* Instance = FComponents.back();
        Remove(Instance);
        Instance->Free();
    }
}

void TComponent::Destroying()
{
    if (FComponentState.Contains(csDestroying))
        return;
    FComponentState.Include(csDestroying);
    for (TComponent* C : FComponents)
        C->Destroying();
}

TComponent* TComponent::Components(int Index) const
{
    if (Index < 0 || Index >= ComponentCount())
        throw EListError(ListIndexError(Index));
    return FComponents[std::size_t(Index)];
}

int TComponent::ComponentIndex() const
{
    if (FOwner == nullptr)
        return -1;
    const auto& List = FOwner->FComponents;
    const auto It = std::find(List.begin(), List.end(), this);
    return It == List.end() ? -1 : int(It - List.begin());
}

void TComponent::SetComponentIndex(int Value)
{
    if (FOwner == nullptr)
        return;
    auto& List = FOwner->FComponents;
    const int Current = ComponentIndex();
    if (Current < 0)
        return;
    Value = std::clamp(Value, 0, int(List.size()) - 1);
    if (Value == Current)
        return;
    List.erase(List.begin() + Current);
    List.insert(List.begin() + Value, this);
}

TComponent* TComponent::FindComponent(const String& AName) const
{
    if (AName.isEmpty())
        return nullptr;
    for (TComponent* C : FComponents)
        if (C->FName.compare(AName, Qt::CaseInsensitive) == 0)
            return C;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent)
{
    if (AComponent == nullptr || AComponent->FOwner == this)
        return;
    AComponent->ValidateContainer(this);
    ValidateRename(AComponent, String(), AComponent->FName);
    AComponent->CheckFieldClass(this, AComponent->FName);
    if (AComponent->FOwner != nullptr)
        AComponent->FOwner->RemoveComponent(AComponent);
    Insert(AComponent);
    if (FComponentState.Contains(csDesigning))
        AComponent->SetDesigning(true);
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent)
{
    if (AComponent == nullptr || AComponent->FOwner != this)
        return;
    Notification(AComponent, opRemove);
    Remove(AComponent);
}

void TComponent::Insert(TComponent* AComponent)
{
    FComponents.push_back(AComponent);
    AComponent->FOwner = this;
    AComponent->SetReference(true);
}

void TComponent::Remove(TComponent* AComponent)
{
    AComponent->SetReference(false);
    const auto It = std::find(FComponents.begin(), FComponents.end(), AComponent);
    if (It != FComponents.end())
        FComponents.erase(It);
    AComponent->FOwner = nullptr;
}

const TFieldInfo* TComponent::OwnerField(const TComponent* AOwner, const String& AName)
{
    if (AOwner == nullptr || AName.isEmpty())
        return nullptr;
    TClass OwnerClass = ClassOfObject(AOwner);
    return OwnerClass != nullptr ? OwnerClass->FindField(AName) : nullptr;
}

void TComponent::CheckFieldClass(const TComponent* AOwner, const String& AName) const
{
    const TFieldInfo* Field = OwnerField(AOwner, AName);
    if (Field == nullptr || Field->FieldClass->IsInstance(this))
        return;
    throw EComponentError(QStringLiteral("%1.%2 holds a %3, not a %4")
                              .arg(ClassOfObject(AOwner)->ClassName(), Field->Name, Field->FieldClass->ClassName(),
                                   ClassOfObject(this)->ClassName()));
}

void TComponent::SetReference(bool Enable)
{
    // Only the field this component was bound to is ever cleared, and by
    // remembering it rather than looking at the field, no pointer to a
    // half-destroyed component is ever read.
    if (FOwnerField != nullptr) {
        FOwnerField->Set(FOwner, nullptr);
        FOwnerField = nullptr;
    }
    if (!Enable)
        return;
    const TFieldInfo* Field = OwnerField(FOwner, FName);
    if (Field != nullptr && Field->FieldClass->IsInstance(this)) {
        Field->Set(FOwner, this);
        FOwnerField = Field;
    }
}

bool TComponent::IsValidIdent(const String& Ident)
{
    if (Ident.isEmpty())
        return false;
    for (int I = 0; I < Ident.size(); ++I) {
        const char16_t C = Ident.at(I).unicode();
        const bool Letter = (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || C == '_';
        const bool Digit = C >= '0' && C <= '9';
        if (!(Letter || (I > 0 && Digit)))
            return false;
    }
    return true;
}

void TComponent::SetName(const String& NewName)
{
    if (FName == NewName)
        return;
    if (!NewName.isEmpty() && !IsValidIdent(NewName))
        throw EComponentError(QStringLiteral("'%1' is not a valid component name").arg(QuotedInput(NewName)));
    if (FOwner != nullptr)
        FOwner->ValidateRename(this, FName, NewName);
    else
        ValidateRename(nullptr, FName, NewName);
    CheckFieldClass(FOwner, NewName);
    FName = NewName;
    SetReference(true);
}

void TComponent::ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName)
{
    (void)CurName;
    // A sibling that differs only in case is a clash too: names are looked
    // up without regard to case.  Renaming to a different case of its own
    // name is fine.
    if (AComponent == nullptr || NewName.isEmpty())
        return;
    TComponent* Found = FindComponent(NewName);
    if (Found != nullptr && Found != AComponent)
        throw EComponentError(QStringLiteral("A component named %1 already exists").arg(QuotedInput(NewName)));
}

void TComponent::ValidateContainer(TComponent* AComponent)
{
    if (AComponent != nullptr)
        AComponent->ValidateInsert(this);
}

void TComponent::Updating()
{
    FComponentState.Include(csUpdating);
}

void TComponent::Updated()
{
    FComponentState.Exclude(csUpdating);
}

void TComponent::SetDesigning(bool Value, bool SetChildren)
{
    if (Value)
        FComponentState.Include(csDesigning);
    else
        FComponentState.Exclude(csDesigning);
    if (SetChildren)
        for (TComponent* C : FComponents)
            C->SetDesigning(Value, true);
}

void TComponent::SetInline(bool Value)
{
    if (Value)
        FComponentState.Include(csInline);
    else
        FComponentState.Exclude(csInline);
}

void TComponent::FreeNotification(TComponent* AComponent)
{
    if (AComponent == nullptr || AComponent == this)
        return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
        FFreeNotifies.push_back(AComponent);
    if (std::find(AComponent->FFreeNotifies.begin(), AComponent->FFreeNotifies.end(), this)
        == AComponent->FFreeNotifies.end())
        AComponent->FFreeNotifies.push_back(this);
    FComponentState.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent)
{
    if (AComponent == nullptr)
        return;
    RemoveNotification(AComponent);
    AComponent->RemoveNotification(this);
}

void TComponent::RemoveNotification(TComponent* AComponent)
{
    FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent), FFreeNotifies.end());
    if (FFreeNotifies.empty())
        FComponentState.Exclude(csFreeNotification);
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent != nullptr)
        RemoveFreeNotification(AComponent);
    // Copy: a receiver may free or move components in answer.
    const std::vector<TComponent*> Owned = FComponents;
    for (TComponent* C : Owned)
        if (std::find(FComponents.begin(), FComponents.end(), C) != FComponents.end())
            C->Notification(AComponent, Operation);
}

void TComponent::Loaded()
{
    FComponentState.Exclude(csLoading);
}

void TComponent::GetChildren(const TGetChildProc& Proc, TComponent* Root)
{
    (void)Proc;
    (void)Root;
}

void TComponent::SetChildOrder(TComponent* Child, int Order)
{
    (void)Child;
    (void)Order;
}

void TComponent::ReadState(TReader& Reader)
{
    Reader.ReadData(this);
}

void TComponent::WriteState(TWriter& Writer)
{
    Writer.WriteData(this);
}

void TComponent::DefineProperties(TFiler& Filer)
{
    // Non-visual components keep their place in the designer as "Left" and
    // "Top", packed into DesignInfo as the classic library does.
    auto Lo = [this] { return std::int16_t(FDesignInfo & 0xFFFF); };
    auto Hi = [this] { return std::int16_t((std::uint32_t(FDesignInfo) >> 16) & 0xFFFF); };
    auto Pack = [this](int L, int T) {
        FDesignInfo = std::int32_t((std::uint32_t(std::uint16_t(T)) << 16) | std::uint16_t(L));
    };
    Filer.DefineProperty(
        QStringLiteral("Left"),
        [Hi, Pack](TReader& Reader) { Pack(int(Reader.ReadInteger()), Hi()); },
        [Lo](TWriter& Writer) { Writer.WriteInteger(Lo()); },
        Lo() != 0);
    Filer.DefineProperty(
        QStringLiteral("Top"),
        [Lo, Pack](TReader& Reader) { Pack(Lo(), int(Reader.ReadInteger())); },
        [Hi](TWriter& Writer) { Writer.WriteInteger(Hi()); },
        Hi() != 0);
}
