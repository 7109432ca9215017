#pragma once
// One report file of this run in the temporary folder, written line by line.
//
// The file is created exclusively under the next name ToolBox hands out: it
// never replaces or follows anything that already has a name there, so a
// second running copy of the program (whose counter starts at 1 as well)
// gets a name of its own and neither copy writes into, or deletes at exit,
// the other's report.  Lines go out in UTF-8 (an HTML page starts with a
// byte-order mark) with CR LF after every line, through a buffer, so a
// report of every person never has to fit in memory as a list of lines.
//
// Close ends a report that is complete; a report that is not closed (an
// exception while its rows were written) is removed again, so a half
// report never reaches the browser or stays behind.
#include "platform/rtl/System.h"

#include <QByteArray>

class TReportFile {
public:
    // Creates the next free "quorvy$N.<Extension>"; raises EInOutError when
    // no new file can be made in the temporary folder.
    TReportFile(const String& Extension, bool ByteOrderMark);
    ~TReportFile();
    TReportFile(const TReportFile&) = delete;
    TReportFile& operator=(const TReportFile&) = delete;

    String FileName() const { return FFileName; }
    void Add(const String& Line);
    // Writes what is left and closes the file; raises EInOutError naming it.
    void Close();

private:
    void Flush();
    [[noreturn]] void Fail(int Code);

    String FFileName;
    int FHandle = -1;
    QByteArray FBuffer;
};
