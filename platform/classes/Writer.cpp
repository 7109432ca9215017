#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Collection.h"
#include "platform/classes/Filer.h"
#include "platform/classes/TypInfo.h"
#include "platform/rtl/StringList.h"

#include <limits>

namespace {

// Sub-objects that lead back to themselves would never end.
constexpr int MaxDepth = 16;

} // namespace

TWriter::TWriter() = default;
TWriter::~TWriter() = default;

void TWriter::WriteRootComponent(TComponent* Root)
{
    FRoot = Root;
    FTree.reset();
    FCurrentObject = nullptr;
    FCurrentProps = nullptr;
    FValueStack.clear();
    FOpenProperty = nullptr;
    WriteComponent(Root);
}

void TWriter::WriteComponent(TComponent* Instance)
{
    const bool WasWriting = Instance->ComponentState().Contains(csWriting);
    Instance->IncludeState(csWriting);
    try {
        Instance->WriteState(*this);
    } catch (...) {
        if (!WasWriting)
            Instance->ExcludeState(csWriting);
        throw;
    }
    if (!WasWriting)
        Instance->ExcludeState(csWriting);
}

void TWriter::WriteData(TComponent* Instance)
{
    TFormObject* Node = nullptr;
    if (FCurrentObject == nullptr) {
        FTree = std::make_unique<TFormObject>();
        Node = FTree.get();
    } else {
        FCurrentObject->Children.emplace_back();
        Node = &FCurrentObject->Children.back();
    }
    Node->Kind = Instance->ComponentState().Contains(csInline) ? fokInline : fokObject;
    Node->Name = Instance->Name();
    TClass Class = ClassOfObject(Instance);
    if (Class != nullptr && Class->Type() == typeid(*Instance)) {
        Node->ClassName = Class->ClassName();
    } else {
        // An unregistered class: its own name without namespaces, which the
        // form text could not carry.
        Node->ClassName = Instance->ClassName();
        const int Colons = Node->ClassName.lastIndexOf(QStringLiteral("::"));
        if (Colons >= 0)
            Node->ClassName = Node->ClassName.mid(Colons + 2);
    }

    TFormObject* SavedObject = FCurrentObject;
    std::vector<TFormProperty>* SavedProps = FCurrentProps;
    FCurrentObject = Node;
    FCurrentProps = &Node->Properties;
    WriteProperties(Instance, String(), 0);
    if (!FIgnoreChildren)
        Instance->GetChildren([this](TComponent* Child) { WriteComponent(Child); }, FRoot);
    FCurrentObject = SavedObject;
    FCurrentProps = SavedProps;
}

QByteArray TWriter::Text() const
{
    return FTree ? FormatFormText(*FTree) : QByteArray();
}

void TWriter::WriteProperties(TObject* Instance, const String& Prefix, int Depth)
{
    if (Depth > MaxDepth)
        return;
    for (const TPropInfo* P : GetPropList(Instance))
        WriteProperty(Instance, P, Prefix, Depth);
    if (auto* Strings = dynamic_cast<TStrings*>(Instance); Strings != nullptr && Strings->Count() > 0)
        WriteStrings(Strings, Prefix + QStringLiteral("Strings"));
    if (auto* Persistent = dynamic_cast<TPersistent*>(Instance)) {
        const String SavedPath = FPropPath;
        FPropPath = Prefix;
        Persistent->DefineProperties(*this);
        FPropPath = SavedPath;
    }
}

void TWriter::WriteProperty(TObject* Instance, const TPropInfo* P, const String& Prefix, int Depth)
{
    if (!P->IsStored(Instance))
        return;
    const String Path = Prefix + P->Name;
    const TTypeInfo* Type = P->PropType;
    switch (P->Kind()) {
    case tkClass: {
        if (!P->GetObject)
            return;
        TObject* Obj = P->GetObject(Instance);
        if (Obj == nullptr)
            return;
        if (Type->ClassType != nullptr && Type->ClassType->IsComponentClass() && P->SetObject) {
            const String Reference = ComponentReference(static_cast<TComponent*>(Obj));
            if (Reference.isEmpty())
                return;
            BeginProperty(Path);
            WriteIdent(Reference);
            EndProperty();
            return;
        }
        if (auto* Collection = dynamic_cast<TCollection*>(Obj)) {
            if (Collection->Count() == 0)
                return;
            BeginProperty(Path);
            WriteCollection(Collection);
            EndProperty();
            return;
        }
        WriteProperties(Obj, Path + QLatin1Char('.'), Depth + 1);
        return;
    }
    case tkMethod: {
        TClass RootClass = ClassOfObject(FRoot);
        if (!P->GetMethod || RootClass == nullptr)
            return;
        const String Name = RootClass->FindMethodName(P->GetMethod(Instance), FRoot);
        if (Name.isEmpty())
            return;
        BeginProperty(Path);
        WriteIdent(Name);
        EndProperty();
        return;
    }
    default:
        break;
    }
    if (P->IsDefaultValue(Instance))
        return;
    BeginProperty(Path);
    switch (P->Kind()) {
    case tkInteger:
    case tkInt64: {
        const std::int64_t V = P->GetOrd(Instance);
        String Ident;
        if (IntToIdent(Type, V, Ident))
            WriteIdent(Ident);
        else
            WriteInteger(V);
        break;
    }
    case tkChar:
    case tkWChar:
        WriteChar(QChar(char16_t(P->GetOrd(Instance))));
        break;
    case tkEnumeration: {
        const std::int64_t V = P->GetOrd(Instance);
        const String Name = GetEnumName(Type, V);
        if (Name.isEmpty())
            WriteInteger(V);
        else
            WriteIdent(Name);
        break;
    }
    case tkSet: {
        const String Text = SetToString(Type, P->GetOrd(Instance), false);
        WriteSet(Text.isEmpty() ? QStringList() : Text.split(QLatin1Char(',')));
        break;
    }
    case tkFloat:
        WriteFloat(P->GetFloat(Instance));
        break;
    case tkString:
    case tkLString:
    case tkWString:
    case tkUString:
        WriteString(P->GetStr(Instance));
        break;
    default:
        break;
    }
    EndProperty();
}

void TWriter::WriteStrings(TStrings* Strings, const String& Path)
{
    BeginProperty(Path);
    WriteListBegin();
    for (int I = 0; I < Strings->Count(); ++I)
        WriteString(Strings->Strings(I));
    WriteListEnd();
    EndProperty();
}

String TWriter::ComponentReference(TComponent* Component) const
{
    if (Component == nullptr)
        return String();
    if (Component == FRoot)
        return Component->Name();
    if (Component->Owner() == FRoot)
        return Component->Name();
    TComponent* Owner = Component->Owner();
    if (Owner != nullptr && !Owner->Name().isEmpty() && !Component->Name().isEmpty())
        return Owner->Name() + QLatin1Char('.') + Component->Name();
    return String();
}

void TWriter::BeginProperty(const String& Name)
{
    if (FCurrentProps == nullptr)
        throw EWriteError(QStringLiteral("No object is being written"));
    FCurrentProps->emplace_back();
    FOpenProperty = &FCurrentProps->back();
    FOpenProperty->Name = Name;
    FValueStack.clear();
    FSlotFilled = false;
}

void TWriter::EndProperty()
{
    if (!FValueStack.empty()) {
        FValueStack.clear();
        throw EWriteError(QStringLiteral("Property %1: list not closed").arg(FOpenProperty->Name));
    }
    if (!FSlotFilled)
        FCurrentProps->pop_back(); // the writer wrote nothing: no property
    FOpenProperty = nullptr;
    FSlotFilled = false;
}

TFormValue& TWriter::NewValue()
{
    if (!FValueStack.empty()) {
        FValueStack.back()->Items.emplace_back();
        return FValueStack.back()->Items.back();
    }
    if (FOpenProperty == nullptr)
        throw EWriteError(QStringLiteral("No property is being written"));
    if (FSlotFilled)
        throw EWriteError(QStringLiteral("Property %1: more than one value written").arg(FOpenProperty->Name));
    FSlotFilled = true;
    return FOpenProperty->Value;
}

void TWriter::DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                             bool HasData)
{
    (void)ReadData;
    if (!HasData || !WriteData)
        return;
    BeginProperty(FPropPath + Name);
    WriteData(*this);
    EndProperty();
}

void TWriter::DefineBinaryProperty(const String& Name, const TBinaryReadProc& ReadData,
                                   const TBinaryWriteProc& WriteData, bool HasData)
{
    (void)ReadData;
    if (!HasData || !WriteData)
        return;
    BeginProperty(FPropPath + Name);
    WriteBinary(WriteData());
    EndProperty();
}

void TWriter::WriteListBegin()
{
    TFormValue& V = NewValue();
    V.Type = vaList;
    FValueStack.push_back(&V);
}

void TWriter::WriteListEnd()
{
    if (FValueStack.empty())
        throw EWriteError(QStringLiteral("No list is open"));
    FValueStack.pop_back();
}

void TWriter::WriteInteger(std::int64_t Value)
{
    TFormValue& V = NewValue();
    V.Int = Value;
    V.Type = (Value >= std::numeric_limits<std::int32_t>::min() && Value <= std::numeric_limits<std::int32_t>::max())
        ? vaInt32
        : vaInt64;
}

void TWriter::WriteBoolean(bool Value)
{
    NewValue().Type = Value ? vaTrue : vaFalse;
}

void TWriter::WriteFloat(double Value)
{
    TFormValue& V = NewValue();
    V.Type = vaExtended;
    V.Float = Value;
}

void TWriter::WriteString(const String& Value)
{
    TFormValue& V = NewValue();
    V.Type = vaString;
    V.Str = Value;
}

void TWriter::WriteChar(QChar Value)
{
    WriteString(String(Value));
}

void TWriter::WriteIdent(const String& Ident)
{
    TFormValue& V = NewValue();
    if (Ident.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
        V.Type = vaTrue;
    } else if (Ident.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
        V.Type = vaFalse;
    } else if (Ident.compare(QLatin1String("nil"), Qt::CaseInsensitive) == 0) {
        V.Type = vaNil;
    } else {
        V.Type = vaIdent;
        V.Str = Ident;
    }
}

void TWriter::WriteBinary(const QByteArray& Data)
{
    TFormValue& V = NewValue();
    V.Type = vaBinary;
    V.Binary = Data;
}

void TWriter::WriteSet(const QStringList& Names)
{
    TFormValue& V = NewValue();
    V.Type = vaSet;
    V.SetItems = Names;
}

void TWriter::WriteCollection(TCollection* Collection)
{
    TFormValue& V = NewValue();
    V.Type = vaCollection;
    // Items write into their own property lists; keep the state of the
    // property that holds the collection.
    std::vector<TFormProperty>* SavedProps = FCurrentProps;
    TFormProperty* SavedOpen = FOpenProperty;
    std::vector<TFormValue*> SavedStack = FValueStack;
    const bool SavedFilled = FSlotFilled;
    const String SavedPath = FPropPath;
    for (TCollectionItem* Item : *Collection) {
        V.CollectionItems.emplace_back();
        FCurrentProps = &V.CollectionItems.back().Properties;
        FOpenProperty = nullptr;
        FValueStack.clear();
        FSlotFilled = false;
        WriteProperties(Item, String(), 0);
    }
    FCurrentProps = SavedProps;
    FOpenProperty = SavedOpen;
    FValueStack = SavedStack;
    FSlotFilled = SavedFilled;
    FPropPath = SavedPath;
}

QByteArray WriteComponentToText(TComponent* Instance)
{
    TWriter Writer;
    Writer.WriteRootComponent(Instance);
    return Writer.Text();
}
