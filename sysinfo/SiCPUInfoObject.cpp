#include "sysinfo/SiCPUInfoObject.h"

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#endif

namespace {

constexpr std::uint32_t ExtendedBase = 0x80000000u;
constexpr std::uint32_t ExtendedBrandLast = 0x80000004u;

#if defined(__i386__) || defined(__x86_64__)

QByteArray RegisterBytes(std::initializer_list<std::uint32_t> Registers)
{
    QByteArray Bytes;
    for (std::uint32_t R : Registers)
        for (int Shift = 0; Shift < 32; Shift += 8)
            Bytes.append(char(R >> Shift & 0xFF));
    return Bytes;
}

TSiCPUIdentification ReadX86()
{
    TSiCPUIdentification Id;
    unsigned Eax = 0, Ebx = 0, Ecx = 0, Edx = 0;
    // 0 when the identification flag cannot be toggled (no CPUID).
    const unsigned MaxLeaf = __get_cpuid_max(0, nullptr);
    if (MaxLeaf == 0)
        return Id;
    __cpuid(0, Eax, Ebx, Ecx, Edx);
    Id.Exists = true;
    Id.Vendor = QString::fromLatin1(RegisterBytes({Ebx, Edx, Ecx}));
    if (MaxLeaf >= 1) {
        __cpuid(1, Eax, Ebx, Ecx, Edx);
        Id.Stepping = int(Eax & 0xF);
        Id.Model = int(Eax >> 4 & 0xF);
        Id.Family = int(Eax >> 8 & 0xF);
        Id.Features = Edx;
    }
    const unsigned MaxExtended = __get_cpuid_max(ExtendedBase, nullptr);
    std::uint32_t ExtendedEdx = 0;
    QByteArray Brand;
    if (MaxExtended > ExtendedBase) {
        __cpuid(ExtendedBase + 1, Eax, Ebx, Ecx, Edx);
        ExtendedEdx = Edx;
    }
    for (std::uint32_t Leaf = ExtendedBase + 2; Leaf <= ExtendedBrandLast && MaxExtended >= ExtendedBrandLast; ++Leaf) {
        __cpuid(Leaf, Eax, Ebx, Ecx, Edx);
        Brand += RegisterBytes({Eax, Ebx, Ecx, Edx});
    }
    ApplyExtendedIdentification(Id, MaxExtended, ExtendedEdx, Brand);
    return Id;
}

#endif

} // namespace

TSiCPUIdentification ReadCPUIdentification()
{
#if defined(__i386__) || defined(__x86_64__)
    return ReadX86();
#else
    return TSiCPUIdentification();
#endif
}

void ApplyExtendedIdentification(TSiCPUIdentification& Id, std::uint32_t MaxExtendedLeaf, std::uint32_t ExtendedEdx,
                                 const QByteArray& BrandBytes)
{
    Id.ExtendedFeatures = 0;
    Id.Brand.clear();
    if (Id.Vendor != QLatin1String("AuthenticAMD") || MaxExtendedLeaf <= ExtendedBase)
        return;
    Id.ExtendedFeatures = ExtendedEdx;
    if (MaxExtendedLeaf >= ExtendedBrandLast) {
        const qsizetype End = BrandBytes.indexOf('\0');
        Id.Brand = QString::fromLatin1(BrandBytes.left(End < 0 ? 48 : std::min<qsizetype>(End, 48)));
    }
}

TSiCPUInfoObject::TSiCPUInfoObject() : FId(ReadCPUIdentification())
{}

TSiCPUInfoObject::TSiCPUInfoObject(const TSiCPUIdentification& Id) : FId(Id)
{}

String TSiCPUInfoObject::IDString() const
{
    return FId.Exists ? FId.Vendor : QStringLiteral("not available");
}
