#pragma once
// Ini files with Windows profile semantics: sections and keys are matched
// without regard to case, the first match wins, the file keeps its order,
// comments and blank lines when it is rewritten, and a missing file reads as
// empty.  Files are read as UTF-8 (Windows-1252 when the bytes are not valid
// UTF-8) and written as UTF-8 with CR LF line ends, atomically.
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/System.h"

#include <QStringList>
#include <memory>

class TStrings;
class TIniLines;

class TCustomIniFile : public TObject {
public:
    explicit TCustomIniFile(const String& FileName);
    ~TCustomIniFile() override;
    TCustomIniFile(const TCustomIniFile&) = delete;
    TCustomIniFile& operator=(const TCustomIniFile&) = delete;

    const String& FileName() const { return FFileName; }

    // The value trimmed of surrounding blanks, Default when the key is absent.
    virtual String ReadString(const String& Section, const String& Ident, const String& Default) = 0;
    virtual void WriteString(const String& Section, const String& Ident, const String& Value) = 0;
    // Decimal, or hex as "$1F" or "0x1F"; Default when the text is no number.
    virtual int ReadInteger(const String& Section, const String& Ident, int Default);
    virtual void WriteInteger(const String& Section, const String& Ident, int Value);
    // True for any non-zero integer; written as "1" / "0".
    virtual bool ReadBool(const String& Section, const String& Ident, bool Default);
    virtual void WriteBool(const String& Section, const String& Ident, bool Value);
    // Read with FormatSettings; Default when the text is empty or no value.
    virtual TDateTime ReadDate(const String& Section, const String& Ident, TDateTime Default);
    virtual TDateTime ReadDateTime(const String& Section, const String& Ident, TDateTime Default);
    virtual TDateTime ReadTime(const String& Section, const String& Ident, TDateTime Default);
    virtual double ReadFloat(const String& Section, const String& Ident, double Default);
    virtual void WriteDate(const String& Section, const String& Ident, TDateTime Value);
    virtual void WriteDateTime(const String& Section, const String& Ident, TDateTime Value);
    virtual void WriteTime(const String& Section, const String& Ident, TDateTime Value);
    virtual void WriteFloat(const String& Section, const String& Ident, double Value);

    // Key names of a section, in file order.
    virtual void ReadSection(const String& Section, TStrings* Strings) = 0;
    // Section names, in file order.
    virtual void ReadSections(TStrings* Strings) = 0;
    // "Key=Value" lines of a section.
    virtual void ReadSectionValues(const String& Section, TStrings* Strings) = 0;
    virtual void EraseSection(const String& Section) = 0;
    virtual void DeleteKey(const String& Section, const String& Ident) = 0;
    virtual void UpdateFile() = 0;
    // As the classic class: a section exists when it holds at least one key.
    bool SectionExists(const String& Section);
    virtual bool ValueExists(const String& Section, const String& Ident);

protected:
    void SetFileName(const String& Value) { FFileName = Value; }
    // Reads FileName into Lines.  A missing file gives no lines; a file that
    // exists but cannot be read gives false (it must then not be rewritten).
    bool LoadLines(TIniLines& Lines) const;
    // Writes Lines to FileName atomically; EIniFileException saying why not.
    void SaveLines(const TIniLines& Lines) const;

private:
    String FFileName;
};

// Every call goes to the file: reads see what is on disk now, and each write
// replaces the file at once.  A failed write raises EIniFileException.  As
// the profile functions do, a value read in matching quotes ("..." or '...')
// comes back without them.
class TIniFile : public TCustomIniFile {
public:
    explicit TIniFile(const String& FileName);
    ~TIniFile() override;

    String ReadString(const String& Section, const String& Ident, const String& Default) override;
    void WriteString(const String& Section, const String& Ident, const String& Value) override;
    void ReadSection(const String& Section, TStrings* Strings) override;
    void ReadSections(TStrings* Strings) override;
    void ReadSectionValues(const String& Section, TStrings* Strings) override;
    void EraseSection(const String& Section) override;
    void DeleteKey(const String& Section, const String& Ident) override;
    // Nothing is held back, so there is nothing to flush.
    void UpdateFile() override {}

private:
    // The file as it is now; throws on writes when it exists but is unreadable.
    TIniLines& Fresh(bool ForWriting);
    void Store();

    std::unique_ptr<TIniLines> FLines;
};

// Reads the file once and works in memory; UpdateFile writes it back.
class TMemIniFile : public TCustomIniFile {
public:
    explicit TMemIniFile(const String& FileName);
    ~TMemIniFile() override;

    String ReadString(const String& Section, const String& Ident, const String& Default) override;
    void WriteString(const String& Section, const String& Ident, const String& Value) override;
    void ReadSection(const String& Section, TStrings* Strings) override;
    void ReadSections(TStrings* Strings) override;
    void ReadSectionValues(const String& Section, TStrings* Strings) override;
    void EraseSection(const String& Section) override;
    void DeleteKey(const String& Section, const String& Ident) override;
    // Writes the whole file; EIniFileException saying why not.
    void UpdateFile() override;

    void Clear();
    // The file's text as lines, and a replacement of it.
    void GetStrings(TStrings* List);
    void SetStrings(TStrings* List);
    // Points the object at another file, reading it when Reload is set.
    void Rename(const String& FileName, bool Reload);
    bool CaseSensitive() const;
    void SetCaseSensitive(bool Value);

private:
    std::unique_ptr<TIniLines> FLines;
};
