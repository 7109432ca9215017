#include "app/qv_repfile.h"

#include "app/qv_toolb.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

// Enough for a few hundred rows; a write per row would make a report of
// every person spend its time in the kernel.  The buffer holds twice this,
// so that a line is written into it whole.
constexpr qsizetype FlushSize = 256 * 1024;

// A name taken between ToolBox's look and our create (another copy of the
// program making a report at the same moment) is passed over; this many
// in a row means the folder is not usable at all.
constexpr int NameTries = 100;

} // namespace

TReportFile::TReportFile(const String& Extension, bool ByteOrderMark)
{
    for (int Try = 1;; ++Try) {
        const String Name = ToolBox::TempFileName(Extension);
        try {
            FHandle = CreateFileExclusive(Name);
            FFileName = Name;
            break;
        } catch (const EInOutError& E) {
            if (E.ErrorCode != EEXIST || Try >= NameTries)
                throw;
        }
    }
    FBuffer.resize(std::size_t(FlushSize) * 2);
    if (ByteOrderMark)
        WriteUtf8("\xEF\xBB\xBF");
}

TReportFile::~TReportFile()
{
    if (FHandle < 0)
        return;
    ::close(FHandle);
    DeleteFile(FFileName);
}

void TReportFile::Add(const String& Line)
{
    Write(Line);
    EndLine();
}

void TReportFile::MakeRoom(qsizetype Bytes)
{
    Flush();
    if (Bytes > qsizetype(FBuffer.size()))
        FBuffer.resize(std::size_t(Bytes));
}

void TReportFile::Write(QStringView Text)
{
    // Straight into the buffer, without a converted copy of the text.
    char* Start = Room(FEncoder.requiredSpace(Text.size()));
    FUsed += FEncoder.appendToBuffer(Start, Text) - Start;
}

void TReportFile::WriteBlanks(int Count)
{
    if (Count <= 0)
        return;
    std::memset(Room(Count), ' ', std::size_t(Count));
    FUsed += Count;
}

void TReportFile::EndLine()
{
    WriteUtf8("\r\n");
    if (FUsed >= FlushSize)
        Flush();
}

void TReportFile::Flush()
{
    const char* Data = FBuffer.data();
    qsizetype Left = FUsed;
    while (Left > 0) {
        const ssize_t Done = ::write(FHandle, Data, std::size_t(Left));
        if (Done < 0 && errno == EINTR)
            continue;
        if (Done < 0)
            Fail(errno);
        Data += Done;
        Left -= Done;
    }
    FUsed = 0;
}

void TReportFile::Close()
{
    Flush();
    const int Handle = FHandle;
    FHandle = -1;
    if (::close(Handle) != 0) {
        const int Code = errno;
        DeleteFile(FFileName);
        Fail(Code);
    }
}

void TReportFile::Fail(int Code)
{
    throw FileError(FFileName, QStringLiteral("geschreven"), Code);
}
