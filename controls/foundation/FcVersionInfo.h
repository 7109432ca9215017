#pragma once
// TFcVersionInfo (unit FcStatus): reads the string table of a program
// file's version resource - by default the running program's own - into
// ten strings that callers fetch by index.  A file without a version
// resource gives "Value Not Available" for every string.
#include "platform/classes/Component.h"
#include "platform/rtl/StringList.h"

#include <memory>

class TFcVersionInfo : public TComponent {
public:
    // The indexes of GetVersionString, in the order of the version keys.
    enum : int {
        viCompanyName, viFileDescription, viFileVersion, viInternalName, viLegalCopyright,
        viLegalTrademarks, viOriginalFilename, viProductName, viProductVersion, viComments,
    };

    explicit TFcVersionInfo(TComponent* AOwner);
    ~TFcVersionInfo() override;

    // The file read; empty means the running program.  The path stays
    // empty then, so that a form definition never records where this
    // machine keeps the program.  A changed path is read at once (not while
    // loading).
    String FilePath() const { return FFilePath; }
    void SetFilePath(const String& Value);
    bool HasVersionInfo() const { return FHasVersionInfo; }
    // One of the ten strings; EStringListError outside 0..9.
    String GetVersionString(int Index) const;
    // "CompanyName", "FileDescription" ... "Comments", in index order.
    static const QStringList& VersionKeys();
    // The stored rule of FilePath: the running program's own path is never
    // written, for it names this machine's copy and is filled in again
    // wherever the form is read.
    bool IsFilePathStored() const;

protected:
    void Loaded() override;

private:
    void ReadVersionStrings();

    String FFilePath;
    std::unique_ptr<TStringList> FStrings;
    bool FHasVersionInfo = false;
};
