#pragma once
// TSiCPUInfoObject (unit SiCPUInfoObject): the processor's identification,
// read once when the object is made.  On x86 it comes from the CPUID
// instruction: the vendor text, stepping, model and family (4 bits each),
// thirteen standard feature flags and, for AMD processors only, three
// extended flags and the brand text.  Elsewhere, and on an x86 processor
// without CPUID, ExistCPUInfo is false, the texts read "not available" and
// every number and flag is 0.  Everything is read-only: it describes the
// processor.
#include "sysinfo/SiObject.h"

#include <cstdint>

// What CPUID answered, as the object keeps it (filled by the reader below,
// or by a test).
struct TSiCPUIdentification {
    bool Exists = false;
    String Vendor;
    int Stepping = 0;
    int Model = 0;
    int Family = 0;
    // Leaf 1 EDX; extended leaf 0x80000001 EDX (AMD only).
    std::uint32_t Features = 0;
    std::uint32_t ExtendedFeatures = 0;
    String Brand;
};

// The identification of this processor.
TSiCPUIdentification ReadCPUIdentification();
// The AMD-only parts, from what the extended leaves answered: the flags
// of leaf 0x80000001 EDX and the brand of leaves 0x80000002 to 4 are
// kept only for "AuthenticAMD" and only when the extended range reaches
// them (MaxExtendedLeaf).
void ApplyExtendedIdentification(TSiCPUIdentification& Id, std::uint32_t MaxExtendedLeaf, std::uint32_t ExtendedEdx,
                                 const QByteArray& BrandBytes);

class TSiCPUInfoObject : public TSiObject {
public:
    TSiCPUInfoObject();
    explicit TSiCPUInfoObject(const TSiCPUIdentification& Id);

    bool ExistCPUInfo() const { return FId.Exists; }
    // The vendor text ("GenuineIntel"), "not available" without CPUID.
    String IDString() const;
    String CPUName() const { return IDString(); }
    int Stepping() const { return FId.Stepping; }
    int Model() const { return FId.Model; }
    int Family() const { return FId.Family; }
    // The brand text (AMD processors only), for callers; not published.
    String BrandString() const { return FId.Brand; }

    bool FPU() const { return Feature(0); }
    bool VirtualModeExtensions() const { return Feature(1); }
    bool DebuggingExtensions() const { return Feature(2); }
    bool PageSizeExtensions() const { return Feature(3); }
    bool TimeStampCoutner() const { return Feature(4); }
    bool K86_ModelSpecificRegisters() const { return Feature(5); }
    bool MachineCheckException() const { return Feature(7); }
    bool CMP_XCHG_8B() const { return Feature(8); }
    bool APIC() const { return Feature(9); }
    bool MemoryTypeRangeRegisters() const { return Feature(12); }
    bool GlobalPaging() const { return Feature(13); }
    bool Cond_MOVE_Instruct() const { return Feature(15); }
    bool MMX() const { return Feature(23); }
    bool SysCallAndSysRet() const { return ExtendedFeature(11); }
    bool FPCond_MOVE_Instruct() const { return ExtendedFeature(16); }
    bool AMD3DNow() const { return ExtendedFeature(31); }

private:
    bool Feature(int Bit) const { return (FId.Features >> Bit & 1u) != 0; }
    bool ExtendedFeature(int Bit) const { return (FId.ExtendedFeatures >> Bit & 1u) != 0; }

    TSiCPUIdentification FId;
};
