#include "platform/classes/DataModule.h"

#include "platform/classes/Filer.h"
#include "platform/classes/Fixups.h"
#include "platform/classes/Resources.h"
#include "platform/classes/TypInfo.h"

REGISTER_COMPONENT(TDataModule, TComponent)
    PUBLISHED(OldCreateOrder, false)
    PUBLISHED_EVENT(OnCreate)
    PUBLISHED_EVENT(OnDestroy)
END_REGISTER

TDataModule::TDataModule(TComponent* AOwner) : TComponent(AOwner)
{
    RegisterGlobalRoot(this);
}

TDataModule::~TDataModule()
{
    UnregisterGlobalRoot(this);
}

void TDataModule::AfterConstruction()
{
    if (FConstructed)
        return;
    FConstructed = true;
    // A subclass is designed in a form definition; the bare class is not.
    if (ClassOfObject(this) != ClassOf<TDataModule>()) {
        if (!InitInheritedComponent(this, ClassOf<TDataModule>()))
            throw EResNotFound(QStringLiteral("Resource %1 not found").arg(ClassName()));
    }
    DoCreate();
    // OnDestroy answers a completed OnCreate only: a module whose creation
    // failed is torn down without it.
    FCreated = true;
}

void TDataModule::BeforeDestruction()
{
    if (!FDestroyDone) {
        FDestroyDone = true;
        Destroying();
        RemoveFixupReferences(this);
        if (FCreated)
            DoDestroy();
    }
    TComponent::BeforeDestruction();
}

void TDataModule::DoCreate()
{
    if (FOnCreate)
        FOnCreate(this);
}

void TDataModule::DoDestroy()
{
    if (FOnDestroy)
        FOnDestroy(this);
}

void TDataModule::GetChildren(const TGetChildProc& Proc, TComponent* Root)
{
    (void)Root;
    for (int I = 0; I < ComponentCount(); ++I) {
        TComponent* C = Components(I);
        if (!C->HasParent())
            Proc(C);
    }
}

void TDataModule::DefineProperties(TFiler& Filer)
{
    TComponent::DefineProperties(Filer);
    auto Define = [&Filer](const char* Name, int& Field) {
        Filer.DefineProperty(
            QString::fromLatin1(Name), [&Field](TReader& Reader) { Field = Reader.ReadInteger(); },
            [&Field](TWriter& Writer) { Writer.WriteInteger(Field); }, Field != 0);
    };
    Define("Height", FDesignHeight);
    Define("Width", FDesignWidth);
    Define("HorizontalOffset", FHorizontalOffset);
    Define("VerticalOffset", FVerticalOffset);
    Define("PixelsPerInch", FPixelsPerInch);
}
