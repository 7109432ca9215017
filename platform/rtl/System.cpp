#include "platform/rtl/System.h"

#include "platform/rtl/Exceptions.h"

#include <cxxabi.h>
#include <cstdlib>
#include <memory>
#include <typeinfo>

String TObject::ClassName() const
{
    const char* Mangled = typeid(*this).name();
    int Status = 0;
    std::unique_ptr<char, void (*)(void*)> Demangled(
        abi::__cxa_demangle(Mangled, nullptr, nullptr, &Status), std::free);
    return String::fromLatin1(Status == 0 && Demangled ? Demangled.get() : Mangled);
}

void TPersistent::Assign(TPersistent* Source)
{
    // Nothing can be copied from nil; the error names the source first, as
    // every other failed assignment does.
    if (Source == nullptr)
        throw EConvertError(QStringLiteral("Cannot assign a nil to a %1").arg(ClassName()));
    Source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* Dest)
{
    const String DestName = Dest ? Dest->ClassName() : QStringLiteral("nil");
    throw EConvertError(QStringLiteral("Cannot assign a %1 to a %2").arg(ClassName(), DestName));
}

String TPersistent::GetNamePath() const
{
    return ClassName();
}

void TPersistent::DefineProperties(TFiler&)
{
}
