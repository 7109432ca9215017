#include "platform/classes/ClassRegistry.h"

#include <QHash>

namespace {

struct TRegistry {
    QHash<String, TClass> ByName; // upper-case name
    std::vector<TClass> InOrder;
};

TRegistry& Registry()
{
    static TRegistry R;
    return R;
}

} // namespace

void RegisterClass(TClass AClass)
{
    if (AClass == nullptr)
        return;
    TRegistry& R = Registry();
    const String Key = AClass->ClassName().toUpper();
    const auto It = R.ByName.constFind(Key);
    if (It != R.ByName.constEnd()) {
        if (It.value() == AClass)
            return;
        throw EFilerError(QStringLiteral("A class named %1 already exists").arg(AClass->ClassName()));
    }
    R.ByName.insert(Key, AClass);
    R.InOrder.push_back(AClass);
    QvTypInfo::InvalidateAllProps();
}

void UnRegisterClass(TClass AClass)
{
    if (AClass == nullptr)
        return;
    TRegistry& R = Registry();
    const String Key = AClass->ClassName().toUpper();
    if (R.ByName.value(Key) == AClass)
        R.ByName.remove(Key);
    R.InOrder.erase(std::remove(R.InOrder.begin(), R.InOrder.end(), AClass), R.InOrder.end());
    QvTypInfo::InvalidateAllProps();
}

TClass GetClass(const String& ClassName)
{
    return Registry().ByName.value(ClassName.toUpper(), nullptr);
}

TClass FindClass(const String& ClassName)
{
    TClass Result = GetClass(ClassName);
    if (Result == nullptr)
        throw EClassNotFound(QStringLiteral("Class %1 not found").arg(QuotedInput(ClassName)));
    return Result;
}

std::vector<TClass> RegisteredClasses()
{
    return Registry().InOrder;
}
