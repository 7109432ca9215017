// Every registered class, one test each: right after construction every
// property with a declared default reads that default (else the writer
// would silently drop or add a value), and what the class writes reads back
// into a fresh instance and writes again byte for byte.
//
// Where it runs: this file is compiled into every test program that links
// the class registry (qv_test in CMakeLists.txt adds it), so each program
// checks every class of the libraries it links, its own test classes
// included.  A control library's classes are covered by its test program
// the moment they register; there is no list of classes to keep.
//
// Components are created with a plain component as owner, as a form owns
// its controls; persistent classes (fonts, pens) and collection items are
// streamed as the sub-object or collection of a small holder component.
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Collection.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Resources.h"
#include "platform/classes/TypInfo.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

// Properties whose classic initial value is not their declared default; the
// writer always writes them.  (Class, property): the class or an ancestor
// of the class under test, the property as its path ("Font.Name").
struct TDefaultException {
    const char* ClassName;
    const char* PropPath;
};
const std::vector<TDefaultException> DefaultExceptions = {
    // None yet.  Add a line with the reason when the classic library
    // declares a default its constructor does not set.
};

bool IsDefaultException(TClass Class, const String& Path)
{
    for (TClass C = Class; C != nullptr; C = C->ClassParent())
        for (const TDefaultException& E : DefaultExceptions)
            if (C->ClassName() == QLatin1String(E.ClassName) && Path == QLatin1String(E.PropPath))
                return true;
    return false;
}

// Streams a persistent object or a collection as its published sub-object
// "Subject": Subject.Color = ..., or Subject = < item ... end >.
class TConformanceHolder : public TComponent {
public:
    explicit TConformanceHolder(TComponent* AOwner) : TComponent(AOwner) {}
    TPersistent* Subject() const { return FSubject; }
    TPersistent* FSubject = nullptr;
};

String ValueText(TObject* Instance, const TPropInfo* P)
{
    switch (P->Kind()) {
    case tkFloat:
        return QString::number(P->GetFloat(Instance));
    case tkString:
    case tkLString:
    case tkWString:
    case tkUString:
        return QLatin1Char('\'') + P->GetStr(Instance) + QLatin1Char('\'');
    case tkEnumeration: {
        const std::int64_t V = P->GetOrd(Instance);
        const String Name = GetEnumName(P->PropType, V);
        return Name.isEmpty() ? QString::number(V) : Name;
    }
    case tkSet:
        return SetToString(P->PropType, P->GetOrd(Instance));
    case tkClass:
        return P->GetObject(Instance) ? QStringLiteral("(an object)") : QStringLiteral("nil");
    case tkMethod:
        return QStringLiteral("(a handler)");
    default:
        return P->GetOrd ? QString::number(P->GetOrd(Instance)) : QStringLiteral("?");
    }
}

String DefaultText(const TPropInfo* P)
{
    switch (P->Kind()) {
    case tkFloat:
        return QString::number(P->FloatDefault);
    case tkString:
    case tkLString:
    case tkWString:
    case tkUString:
        return QLatin1Char('\'') + P->StrDefault + QLatin1Char('\'');
    case tkEnumeration: {
        const String Name = GetEnumName(P->PropType, P->OrdDefault);
        return Name.isEmpty() ? QString::number(P->OrdDefault) : Name;
    }
    case tkSet:
        return SetToString(P->PropType, P->OrdDefault);
    case tkClass:
    case tkMethod:
        return QStringLiteral("nil");
    default:
        return QString::number(P->OrdDefault);
    }
}

// Every property with a declared default, sub-objects' included, reads it.
void ExpectDefaults(TClass Class, TObject* Instance, const String& Prefix = String(), int Depth = 0)
{
    for (const TPropInfo* P : GetPropList(Instance)) {
        const String Path = Prefix + P->Name;
        if (P->Kind() == tkClass && !P->SetObject && P->GetObject && Depth < 8) {
            TObject* Sub = P->GetObject(Instance);
            if (Sub != nullptr && dynamic_cast<TComponent*>(Sub) == nullptr)
                ExpectDefaults(Class, Sub, Path + QLatin1Char('.'), Depth + 1);
            continue;
        }
        if (!P->HasDefault || P->IsDefaultValue(Instance) || IsDefaultException(Class, Path))
            continue;
        ADD_FAILURE() << Class->ClassName().toStdString() << '.' << Path.toStdString() << " reads "
                      << ValueText(Instance, P).toStdString() << " after construction; its declared default is "
                      << DefaultText(P).toStdString();
    }
}

// A root designed in a form definition (its own or an ancestor's) that
// this program holds: its definition sets values of its own, so its
// declared defaults are those of the bare object.
bool HasDefinition(TClass Class)
{
    for (TClass C = Class; C != nullptr; C = C->ClassParent())
        if (!FindFormResource(C->ClassName()).isEmpty())
            return true;
    return false;
}

using TOwned = std::unique_ptr<TComponent, TComponentDeleter>;

QByteArray WriteSubject(TPersistent* Subject)
{
    TConformanceHolder Holder(nullptr);
    Holder.FSubject = Subject;
    return WriteComponentToText(&Holder);
}

QByteArray ReadAndWriteSubject(const QByteArray& Text, TPersistent* Fresh)
{
    TConformanceHolder Holder(nullptr);
    Holder.FSubject = Fresh;
    ReadComponentFromText(Text, &Holder, QStringLiteral("conformance.form"));
    return WriteComponentToText(&Holder);
}

bool HasUnboundField(TClass Class, TComponent* Instance)
{
    for (const TFieldInfo* Field : Class->Fields())
        if (Field->Get(Instance) == nullptr)
            return true;
    return false;
}

void CheckComponent(TClass Class)
{
    TComponent Owner(nullptr);
    const String Source = Class->ClassName() + QStringLiteral(".form");
    TOwned Bare(Class->NewComponent(&Owner));
    TOwned Created;
    try {
        Created.reset(Class->CreateComponent(&Owner));
    } catch (const EResNotFound&) {
        // Below: a root that cannot be made without its definition.
    }
    const bool Designed = Created && HasDefinition(Class);
    ExpectDefaults(Class, Created && !Designed ? Created.get() : Bare.get());
    Bare.reset();
    // A root whose components come from a definition this program does not
    // hold (a test's module whose definition only that test writes): its
    // bare object is all there is to check.
    if (!Created || HasUnboundField(Class, Created.get()))
        GTEST_SKIP() << Class->ClassName().toStdString() << " is designed in a definition this program does not hold";

    const QByteArray First = WriteComponentToText(Created.get());
    // Gone before it is read again: a second root of its name would be
    // renamed.
    Created.reset();
    // A designed root reads its text as its definition, into a bare object
    // the reader makes; any other component into a fresh one.
    TOwned Back(Designed ? nullptr : Class->CreateComponent(&Owner));
    TComponent* Read = ReadComponentFromText(First, Back.get(), Source);
    if (!Back)
        Back.reset(Read);
    EXPECT_EQ(WriteComponentToText(Back.get()).toStdString(), First.toStdString());
}

void CheckPersistent(TClass Class)
{
    std::unique_ptr<TPersistent> Subject(Class->CreateInstance());
    ExpectDefaults(Class, Subject.get());
    const QByteArray First = WriteSubject(Subject.get());
    std::unique_ptr<TPersistent> Fresh(Class->CreateInstance());
    EXPECT_EQ(ReadAndWriteSubject(First, Fresh.get()).toStdString(), First.toStdString());
}

// An item class must live in a plain collection of its class; one that needs
// a collection class of its own is added here with the reason.
void CheckItem(TClass Class)
{
    TCollection Items(Class);
    ExpectDefaults(Class, Items.Add());
    const QByteArray First = WriteSubject(&Items);
    TCollection Fresh(Class);
    EXPECT_EQ(ReadAndWriteSubject(First, &Fresh).toStdString(), First.toStdString());
    EXPECT_EQ(Fresh.Count(), 1);
}

std::vector<std::string> CreatableClassNames()
{
    std::vector<std::string> Names;
    for (TClass C : RegisteredClasses())
        if (C->CanCreateComponent() || C->CanCreateInstance() || C->CanCreateItem())
            Names.push_back(C->ClassName().toStdString());
    return Names;
}

class Conformance : public ::testing::TestWithParam<std::string> {};

} // namespace

REGISTER_COMPONENT(TConformanceHolder, TComponent)
    PUBLISHED_OBJECT(Subject)
END_REGISTER

TEST_P(Conformance, DefaultsHoldAndTheClassRoundTrips)
{
    TClass Class = FindClass(QString::fromStdString(GetParam()));
    if (Class->CanCreateComponent())
        CheckComponent(Class);
    else if (Class->CanCreateInstance())
        CheckPersistent(Class);
    else
        CheckItem(Class);
}

INSTANTIATE_TEST_SUITE_P(EveryRegisteredClass, Conformance, ::testing::ValuesIn(CreatableClassNames()),
                         [](const ::testing::TestParamInfo<std::string>& Info) { return Info.param; });
