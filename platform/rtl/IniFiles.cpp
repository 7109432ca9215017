#include "platform/rtl/IniFiles.h"

#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/SysUtils.h"

#include <QFile>
#include <QSet>
#include <QStringDecoder>

#include <cerrno>

// The file as its lines, so that comments, blank lines and the order of
// everything survive a rewrite.  A lookup scans the lines once; listing a
// section's keys or the sections, erasing and deleting take one pass too,
// so that a file of many keys or sections costs time in proportion to its
// size.
class TIniLines {
public:
    QStringList Lines;
    Qt::CaseSensitivity Case = Qt::CaseInsensitive;
    // Set when the file existed but could not be read.
    bool Unreadable = false;

    static bool SectionName(const String& Line, String& Name)
    {
        if (!StartsWithBracket(Line))
            return false;
        const String T = Line.trimmed();
        const qsizetype Close = T.indexOf(QLatin1Char(']'));
        Name = T.mid(1, Close < 0 ? -1 : Close - 1).trimmed();
        return true;
    }

    static bool KeyValue(const String& Line, String& Key, String& Value)
    {
        const QStringView T = QStringView(Line).trimmed();
        if (T.isEmpty() || T.startsWith(QLatin1Char(';')) || T.startsWith(QLatin1Char('[')))
            return false;
        const qsizetype Eq = T.indexOf(QLatin1Char('='));
        if (Eq < 0)
            return false;
        Key = T.left(Eq).trimmed().toString();
        Value = T.mid(Eq + 1).trimmed().toString();
        return true;
    }

    bool Same(const String& A, const String& B) const { return A.compare(B, Case) == 0; }

    // What Same compares: names that are the same give the same key.
    String Folded(const String& Name) const { return Case == Qt::CaseInsensitive ? Name.toCaseFolded() : Name; }

    // Index of the header of the first section called Section, or -1.
    int FindSection(const String& Section) const
    {
        String Name;
        for (int I = 0; I < Lines.size(); ++I) {
            if (SectionName(Lines.at(I), Name) && Same(Name, Section))
                return I;
        }
        return -1;
    }

    // Index of the next section header after Header, or the line count.
    int SectionEnd(int Header) const
    {
        String Name;
        for (int I = Header + 1; I < Lines.size(); ++I) {
            if (SectionName(Lines.at(I), Name))
                return I;
        }
        return int(Lines.size());
    }

    int FindKey(int Header, const String& Ident) const
    {
        String Key, Value;
        const int End = SectionEnd(Header);
        for (int I = Header + 1; I < End; ++I) {
            if (KeyValue(Lines.at(I), Key, Value) && Same(Key, Ident))
                return I;
        }
        return -1;
    }

    bool Read(const String& Section, const String& Ident, String& Value) const
    {
        const int Header = FindSection(Section);
        const int Line = Header < 0 ? -1 : FindKey(Header, Ident);
        String Key;
        return Line >= 0 && KeyValue(Lines.at(Line), Key, Value);
    }

    // Line breaks inside a name or value would start new lines (even new
    // sections) in the file; they are written as blanks.
    static String OneLine(const String& S)
    {
        String R = S;
        R.replace(QLatin1Char('\r'), QLatin1Char(' '));
        R.replace(QLatin1Char('\n'), QLatin1Char(' '));
        return R;
    }

    void Write(const String& Section, const String& Ident, const String& Value)
    {
        const String Sec = OneLine(Section).trimmed();
        const String Id = OneLine(Ident).trimmed();
        const String Val = OneLine(Value);
        int Header = FindSection(Sec);
        if (Header < 0) {
            Lines.append(QLatin1Char('[') + Sec + QLatin1Char(']'));
            Lines.append(Id + QLatin1Char('=') + Val);
            return;
        }
        const int Line = FindKey(Header, Id);
        if (Line >= 0) {
            String Key, Old;
            KeyValue(Lines.at(Line), Key, Old);
            Lines[Line] = Key + QLatin1Char('=') + Val;
            return;
        }
        // After the section's last non-blank line, so blank lines that part
        // it from the next section stay where they are.
        int At = SectionEnd(Header);
        while (At > Header + 1 && Lines.at(At - 1).trimmed().isEmpty())
            --At;
        Lines.insert(At, Id + QLatin1Char('=') + Val);
    }

    // Keys of the first section called Section, each once.
    QList<QPair<String, String>> Entries(const String& Section) const
    {
        QList<QPair<String, String>> Result;
        const int Header = FindSection(Section);
        if (Header < 0)
            return Result;
        String Key, Value;
        const int End = SectionEnd(Header);
        QSet<String> Seen;
        Seen.reserve(End - Header);
        for (int I = Header + 1; I < End; ++I) {
            if (KeyValue(Lines.at(I), Key, Value) && FirstTime(Seen, Key))
                Result.append({Key, Value});
        }
        return Result;
    }

    QStringList Sections() const
    {
        QStringList Result;
        QSet<String> Seen;
        Seen.reserve(Lines.size() / 2);
        String Name;
        for (const String& Line : Lines) {
            if (SectionName(Line, Name) && FirstTime(Seen, Name))
                Result.append(Name);
        }
        return Result;
    }

    // Every section of that name goes, or a copy further down would take
    // its place in reading.
    void Erase(const String& Section)
    {
        QStringList Kept;
        Kept.reserve(Lines.size());
        bool Dropping = false;
        String Name;
        for (const String& Line : Lines) {
            if (SectionName(Line, Name))
                Dropping = Same(Name, Section);
            if (!Dropping)
                Kept.append(Line);
        }
        Lines = std::move(Kept);
    }

    // Every line of the key in the first section of that name.
    void Delete(const String& Section, const String& Ident)
    {
        const int Header = FindSection(Section);
        if (Header < 0)
            return;
        const int End = SectionEnd(Header);
        QStringList Kept;
        Kept.reserve(Lines.size());
        String Key, Value;
        for (int I = 0; I < Lines.size(); ++I) {
            if (I <= Header || I >= End || !KeyValue(Lines.at(I), Key, Value) || !Same(Key, Ident))
                Kept.append(Lines.at(I));
        }
        Lines = std::move(Kept);
    }

    void SetBytes(const QByteArray& Raw)
    {
        QByteArray Bytes = Raw;
        if (Bytes.startsWith("\xEF\xBB\xBF"))
            Bytes.remove(0, 3);
        Lines = SplitLines(DecodeText(Bytes));
        if (!Lines.isEmpty() && Lines.last().isEmpty())
            Lines.removeLast();
    }

    // The text's lines, parted at CR LF, LF or CR.
    static QStringList SplitLines(const String& Text)
    {
        QStringList Result;
        qsizetype Start = 0;
        const qsizetype Size = Text.size();
        for (qsizetype I = 0; I < Size; ++I) {
            const QChar C = Text.at(I);
            if (C != QLatin1Char('\r') && C != QLatin1Char('\n'))
                continue;
            Result.append(Text.mid(Start, I - Start));
            if (C == QLatin1Char('\r') && I + 1 < Size && Text.at(I + 1) == QLatin1Char('\n'))
                ++I;
            Start = I + 1;
        }
        Result.append(Text.mid(Start));
        return Result;
    }

    QByteArray Bytes() const
    {
        QByteArray Result;
        for (const String& Line : Lines) {
            Result += Line.toUtf8();
            Result += "\r\n";
        }
        return Result;
    }

private:
    // Whether the line's first non-blank character opens a section name.
    static bool StartsWithBracket(const String& Line)
    {
        for (const QChar C : Line) {
            if (!C.isSpace())
                return C == QLatin1Char('[');
        }
        return false;
    }

    // Adds Name to Seen; false when a name the same was there already.
    bool FirstTime(QSet<String>& Seen, const String& Name) const
    {
        const qsizetype Before = Seen.size();
        Seen.insert(Folded(Name));
        return Seen.size() != Before;
    }

    static String DecodeText(const QByteArray& Bytes)
    {
        QStringDecoder Utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        String Text = Utf8.decode(Bytes);
        if (!Utf8.hasError())
            return Text;
        // Windows-1252: Latin-1 except for the printable characters it puts
        // in 0x80..0x9F (the five unused codes stay as their Latin-1 controls).
        static const char16_t High[32] = {
            0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
            0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
        Text.clear();
        Text.reserve(Bytes.size());
        for (char C : Bytes) {
            const auto B = static_cast<unsigned char>(C);
            Text += (B >= 0x80 && B < 0xA0) ? QChar(High[B - 0x80]) : QChar(B);
        }
        return Text;
    }
};

// ---------------------------------------------------------------------------
// TCustomIniFile

TCustomIniFile::TCustomIniFile(const String& FileName) : FFileName(FileName) {}

TCustomIniFile::~TCustomIniFile() = default;

int TCustomIniFile::ReadInteger(const String& Section, const String& Ident, int Default)
{
    return StrToIntDef(ReadString(Section, Ident, String()), Default);
}

void TCustomIniFile::WriteInteger(const String& Section, const String& Ident, int Value)
{
    WriteString(Section, Ident, IntToStr(Value));
}

bool TCustomIniFile::ReadBool(const String& Section, const String& Ident, bool Default)
{
    return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const String& Section, const String& Ident, bool Value)
{
    WriteString(Section, Ident, Value ? QStringLiteral("1") : QStringLiteral("0"));
}

TDateTime TCustomIniFile::ReadDate(const String& Section, const String& Ident, TDateTime Default)
{
    TDateTime Result = Default;
    const String Text = ReadString(Section, Ident, String());
    return !Text.isEmpty() && TryStrToDate(Text, Result) ? Result : Default;
}

TDateTime TCustomIniFile::ReadDateTime(const String& Section, const String& Ident, TDateTime Default)
{
    TDateTime Result = Default;
    const String Text = ReadString(Section, Ident, String());
    return !Text.isEmpty() && TryStrToDateTime(Text, Result) ? Result : Default;
}

TDateTime TCustomIniFile::ReadTime(const String& Section, const String& Ident, TDateTime Default)
{
    TDateTime Result = Default;
    const String Text = ReadString(Section, Ident, String());
    return !Text.isEmpty() && TryStrToTime(Text, Result) ? Result : Default;
}

double TCustomIniFile::ReadFloat(const String& Section, const String& Ident, double Default)
{
    const String Text = ReadString(Section, Ident, String());
    double Result = Default;
    if (Text.isEmpty())
        return Default;
    if (TryStrToFloat(Text, Result))
        return Result;
    // Also what a system with a decimal point wrote.
    TFormatSettings Dot = FormatSettings;
    Dot.DecimalSeparator = QLatin1Char('.');
    return TryStrToFloat(Text, Result, Dot) ? Result : Default;
}

void TCustomIniFile::WriteDate(const String& Section, const String& Ident, TDateTime Value)
{
    WriteString(Section, Ident, DateToStr(Value));
}

void TCustomIniFile::WriteDateTime(const String& Section, const String& Ident, TDateTime Value)
{
    WriteString(Section, Ident, DateTimeToStr(Value));
}

void TCustomIniFile::WriteTime(const String& Section, const String& Ident, TDateTime Value)
{
    WriteString(Section, Ident, TimeToStr(Value));
}

void TCustomIniFile::WriteFloat(const String& Section, const String& Ident, double Value)
{
    WriteString(Section, Ident, FloatToStr(Value));
}

bool TCustomIniFile::SectionExists(const String& Section)
{
    TStringList Keys;
    ReadSection(Section, &Keys);
    return Keys.Count() > 0;
}

bool TCustomIniFile::ValueExists(const String& Section, const String& Ident)
{
    TStringList Keys;
    ReadSection(Section, &Keys);
    return Keys.IndexOf(Ident) >= 0;
}

namespace {
// A file that is there but cannot be read is never replaced: what it holds
// would be lost.
EIniFileException UnreadableError(const String& FileName)
{
    return EIniFileException(FileError(FileName, QStringLiteral("opgeslagen"),
                                       QStringLiteral("het bestaande bestand kan niet worden gelezen en blijft "
                                                      "zoals het is"))
                                 .Message());
}
} // namespace

bool TCustomIniFile::LoadLines(TIniLines& Lines) const
{
    Lines.Lines.clear();
    Lines.Unreadable = false;
    if (FFileName.isEmpty())
        return true;
    if (!QFile::exists(FFileName))
        return true;
    // A pipe or device in the file's place would block or never end.
    QFile File;
    if (OpenRegularFile(File, FFileName) != orOpened) {
        Lines.Unreadable = true;
        return false;
    }
    const QByteArray Bytes = File.readAll();
    if (File.error() != QFileDevice::NoError) {
        Lines.Unreadable = true;
        return false;
    }
    Lines.SetBytes(Bytes);
    return true;
}

void TCustomIniFile::SaveLines(const TIniLines& Lines) const
{
    if (FFileName.isEmpty())
        throw EIniFileException(QStringLiteral("Er is geen bestandsnaam om de instellingen in op te slaan."));
    if (Lines.Unreadable)
        throw UnreadableError(FFileName);
    try {
        SaveFileAtomically(FFileName, Lines.Bytes());
    } catch (const EInOutError& E) {
        throw EIniFileException(E.Message());
    }
}

// ---------------------------------------------------------------------------
// TIniFile

namespace {
void Fill(TStrings* Strings, const QStringList& Items)
{
    if (Strings == nullptr)
        return;
    Strings->BeginUpdate();
    try {
        Strings->Clear();
        for (const String& S : Items)
            Strings->Add(S);
    } catch (...) {
        Strings->EndUpdate();
        throw;
    }
    Strings->EndUpdate();
}

QStringList Keys(const QList<QPair<String, String>>& Entries)
{
    QStringList Result;
    for (const auto& E : Entries)
        Result.append(E.first);
    return Result;
}

QStringList Pairs(const QList<QPair<String, String>>& Entries)
{
    QStringList Result;
    for (const auto& E : Entries)
        Result.append(E.first + QLatin1Char('=') + E.second);
    return Result;
}

// The profile functions hand back a value in matching quotes without them,
// which is how a hand-edited file keeps blanks at a value's ends.
String Unquoted(const String& Value)
{
    if (Value.size() >= 2 && (Value.front() == QLatin1Char('"') || Value.front() == QLatin1Char('\''))
        && Value.back() == Value.front())
        return Value.mid(1, Value.size() - 2);
    return Value;
}
}  // namespace

TIniFile::TIniFile(const String& FileName) : TCustomIniFile(FileName), FLines(std::make_unique<TIniLines>()) {}

TIniFile::~TIniFile() = default;

TIniLines& TIniFile::Fresh(bool ForWriting)
{
    LoadLines(*FLines);
    if (ForWriting && FLines->Unreadable)
        throw UnreadableError(FileName());
    return *FLines;
}

void TIniFile::Store()
{
    SaveLines(*FLines);
}

String TIniFile::ReadString(const String& Section, const String& Ident, const String& Default)
{
    String Value;
    return Fresh(false).Read(Section, Ident, Value) ? Unquoted(Value) : Default;
}

void TIniFile::WriteString(const String& Section, const String& Ident, const String& Value)
{
    Fresh(true).Write(Section, Ident, Value);
    Store();
}

void TIniFile::ReadSection(const String& Section, TStrings* Strings)
{
    Fill(Strings, Keys(Fresh(false).Entries(Section)));
}

void TIniFile::ReadSections(TStrings* Strings)
{
    Fill(Strings, Fresh(false).Sections());
}

void TIniFile::ReadSectionValues(const String& Section, TStrings* Strings)
{
    auto Entries = Fresh(false).Entries(Section);
    for (auto& E : Entries)
        E.second = Unquoted(E.second);
    Fill(Strings, Pairs(Entries));
}

void TIniFile::EraseSection(const String& Section)
{
    TIniLines& Lines = Fresh(true);
    if (Lines.FindSection(Section) < 0)
        return;
    Lines.Erase(Section);
    Store();
}

void TIniFile::DeleteKey(const String& Section, const String& Ident)
{
    TIniLines& Lines = Fresh(true);
    const int Header = Lines.FindSection(Section);
    if (Header < 0 || Lines.FindKey(Header, Ident) < 0)
        return;
    Lines.Delete(Section, Ident);
    Store();
}

// ---------------------------------------------------------------------------
// TMemIniFile

TMemIniFile::TMemIniFile(const String& FileName) : TCustomIniFile(FileName), FLines(std::make_unique<TIniLines>())
{
    LoadLines(*FLines);
}

TMemIniFile::~TMemIniFile() = default;

String TMemIniFile::ReadString(const String& Section, const String& Ident, const String& Default)
{
    String Value;
    return FLines->Read(Section, Ident, Value) ? Value : Default;
}

void TMemIniFile::WriteString(const String& Section, const String& Ident, const String& Value)
{
    FLines->Write(Section, Ident, Value);
}

void TMemIniFile::ReadSection(const String& Section, TStrings* Strings)
{
    Fill(Strings, Keys(FLines->Entries(Section)));
}

void TMemIniFile::ReadSections(TStrings* Strings)
{
    Fill(Strings, FLines->Sections());
}

void TMemIniFile::ReadSectionValues(const String& Section, TStrings* Strings)
{
    Fill(Strings, Pairs(FLines->Entries(Section)));
}

void TMemIniFile::EraseSection(const String& Section)
{
    FLines->Erase(Section);
}

void TMemIniFile::DeleteKey(const String& Section, const String& Ident)
{
    FLines->Delete(Section, Ident);
}

void TMemIniFile::UpdateFile()
{
    SaveLines(*FLines);
}

void TMemIniFile::Clear()
{
    FLines->Lines.clear();
}

void TMemIniFile::GetStrings(TStrings* List)
{
    Fill(List, FLines->Lines);
}

void TMemIniFile::SetStrings(TStrings* List)
{
    FLines->Lines.clear();
    if (List == nullptr)
        return;
    for (int I = 0; I < List->Count(); ++I) {
        // A line of the list that holds line breaks becomes several lines.
        FLines->Lines.append(TIniLines::SplitLines(List->Strings(I)));
    }
}

void TMemIniFile::Rename(const String& FileName, bool Reload)
{
    SetFileName(FileName);
    if (Reload)
        LoadLines(*FLines);
    else
        FLines->Unreadable = false;
}

bool TMemIniFile::CaseSensitive() const
{
    return FLines->Case == Qt::CaseSensitive;
}

void TMemIniFile::SetCaseSensitive(bool Value)
{
    FLines->Case = Value ? Qt::CaseSensitive : Qt::CaseInsensitive;
}
