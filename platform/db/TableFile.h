#pragma once
// Table files: one file per table, read whole and verified before any
// record is used, written whole and atomically.
//
//   header   "QVTABLE" 0x1A, u32 format version, u32 flags (0), u64 file
//            length, u32 field count, u32 index count, u32 record count,
//            u32 reserved (0)
//   fields   per field: name, u8 type, u32 size, u8 flags (1 = required)
//   indexes  per index: name, fields, descending fields, case-insensitive
//            fields, u32 option bits
//   records  the packed records (see RecordLayout.h) in natural order
//   trailer  u32 CRC-32 of every byte before it
//
// Names are u16 length + UTF-8; integers little-endian.
#include "platform/db/TableData.h"
#include "platform/rtl/FileStamp.h"

#include <QByteArray>

// Which version of a table file a table was read from or written to: the
// file (FileStamp.h) and, to know an unchanged copy of it again, its length
// and checksum.  Exists false: no file was read.
struct TTableFileVersion {
    TFileStamp Stamp;
    std::uint64_t Length = 0;
    std::uint32_t Crc = 0;
};

class TTableFile {
public:
    static constexpr std::uint32_t FormatVersion = 1;

    // Replaces Into with the table in FileName, or raises EDatabaseError
    // naming the file and leaves Into as it was.  Temporary files that
    // earlier saves of FileName abandoned are removed first.  Version, when
    // given, receives the version that was read.
    static void Load(const String& FileName, TTableData& Into, TTableFileVersion* Version = nullptr);
    // The same for bytes already in memory; FileName only names the source.
    static void LoadImage(QByteArray Image, const String& FileName, TTableData& Into);

    static QByteArray Image(const TTableData& Table);
    // Raises EInOutError when the file cannot be written; the old file then
    // stays as it was.
    static void Save(const String& FileName, const TTableData& Table, TTableFileVersion* Version = nullptr);
    // Whether FileName still holds Version: the same file untouched, or a
    // file of the same length and checksum (touched, linked, copied back).
    // A file that is gone, or that is there where none was read, differs.
    static bool HoldsVersion(const String& FileName, const TTableFileVersion& Version);

    // What a file's body holds, read and checked before anything is defined.
    struct TBody {
        std::vector<TTableField> Fields;
        std::vector<TTableIndexDef> Indexes;
        std::vector<std::uint32_t> Offsets;
        std::uint32_t Crc = 0;
    };

private:
    // Defines Into from a sound body whose records lie in Image.
    static void Adopt(TBody& Body, QByteArray Image, const String& FileName, TTableData& Into);
};
