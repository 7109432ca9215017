#pragma once
// One report file of this run in the temporary folder, written piece by
// piece.
//
// The file is created exclusively under the next name ToolBox hands out: it
// never replaces or follows anything that already has a name there, so a
// second running copy of the program (whose counter starts at 1 as well)
// gets a name of its own and neither copy writes into, or deletes at exit,
// the other's report.  Text goes out in UTF-8 (an HTML page starts with a
// byte-order mark) with CR LF after every line, through a buffer, so a
// report of every person never has to fit in memory as a list of lines.
//
// Close ends a report that is complete; a report that is not closed (an
// exception while its rows were written) is removed again, so a half
// report never reaches the browser or stays behind.
#include "platform/rtl/System.h"

#include <QByteArray>
#include <QStringEncoder>
#include <cstring>
#include <vector>

class TReportFile {
public:
    // Creates the next free "quorvy$N.<Extension>"; raises EInOutError when
    // no new file can be made in the temporary folder.
    TReportFile(const String& Extension, bool ByteOrderMark);
    ~TReportFile();
    TReportFile(const TReportFile&) = delete;
    TReportFile& operator=(const TReportFile&) = delete;

    String FileName() const { return FFileName; }
    // A whole line.
    void Add(const String& Line);
    // Pieces of a line, then its end.
    void Write(QStringView Text);
    void Write(QChar Character) { Write(QStringView(&Character, 1)); }
    // Text that is UTF-8 already (ASCII markup, stored field bytes), as it
    // is.  Inline: a report writes several pieces for each of millions of
    // values.
    void WriteUtf8(QByteArrayView Text)
    {
        if (Text.isEmpty())
            return;
        std::memcpy(Room(Text.size()), Text.data(), std::size_t(Text.size()));
        FUsed += Text.size();
    }
    void WriteBlanks(int Count);
    void EndLine();
    // For a writer that converts a value into the file itself: room for at
    // most Bytes more, then Commit with the end of what it filled in.
    char* Claim(qsizetype Bytes) { return Room(Bytes); }
    void Commit(const char* End) { FUsed = End - FBuffer.data(); }
    // Writes what is left and closes the file; raises EInOutError naming it.
    void Close();

private:
    // Room for Bytes more at the end of the buffer.
    char* Room(qsizetype Bytes)
    {
        if (FUsed + Bytes > qsizetype(FBuffer.size()))
            MakeRoom(Bytes);
        return FBuffer.data() + FUsed;
    }
    void MakeRoom(qsizetype Bytes);
    void Flush();
    [[noreturn]] void Fail(int Code);

    String FFileName;
    int FHandle = -1;
    // FBuffer's first FUsed bytes wait to be written.
    std::vector<char> FBuffer;
    qsizetype FUsed = 0;
    QStringEncoder FEncoder{QStringEncoder::Utf8};
};
