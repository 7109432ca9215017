#include "platform/rtl/StringList.h"

#include "platform/rtl/FileUtils.h"

#include "platform/rtl/SysUtils.h"

#include <QBuffer>
#include <QFile>
#include <QIODevice>
#include <QStringDecoder>
#include <algorithm>
#include <cerrno>
#include <exception>
#include <numeric>
#include <vector>

namespace {

const char* const SListIndexError = "List index out of bounds (%d)";
const char* const SListCapacityError = "List capacity out of bounds (%d)";
const char* const SSortedListError = "Operation not allowed on sorted list";
const char* const SDuplicateString = "String list does not allow duplicates";

// BeginUpdate/EndUpdate around a block, also when it throws.  An OnChange
// that throws while another exception is on its way is dropped.
class TUpdateLock {
public:
    explicit TUpdateLock(TStrings& List) : FList(List), FExceptions(std::uncaught_exceptions()) { FList.BeginUpdate(); }
    ~TUpdateLock() noexcept(false)
    {
        if (std::uncaught_exceptions() == FExceptions) {
            FList.EndUpdate();
            return;
        }
        try {
            FList.EndUpdate();
        } catch (...) {
        }
    }
    TUpdateLock(const TUpdateLock&) = delete;
    TUpdateLock& operator=(const TUpdateLock&) = delete;

private:
    TStrings& FList;
    int FExceptions;
};

// Lines end at CR LF, LF or CR; text after the last break is a line too.
QStringList SplitLines(const String& Value)
{
    QStringList Lines;
    qsizetype Start = 0;
    const qsizetype N = Value.size();
    for (qsizetype I = 0; I < N; ++I) {
        const QChar C = Value[I];
        if (C != QLatin1Char('\r') && C != QLatin1Char('\n'))
            continue;
        Lines.append(Value.mid(Start, I - Start));
        if (C == QLatin1Char('\r') && I + 1 < N && Value[I + 1] == QLatin1Char('\n'))
            ++I;
        Start = I + 1;
    }
    if (Start < N)
        Lines.append(Value.mid(Start));
    return Lines;
}

// The bytes 0x80..0x9F of Windows-1252; the five unassigned ones keep their
// code, as Windows itself maps them.
const char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

String DecodeWindows1252(const QByteArray& Bytes)
{
    String R(Bytes.size(), Qt::Uninitialized);
    for (qsizetype I = 0; I < Bytes.size(); ++I) {
        const auto B = static_cast<unsigned char>(Bytes[I]);
        R[I] = QChar(B >= 0x80 && B < 0xA0 ? Cp1252High[B - 0x80] : char16_t(B));
    }
    return R;
}

String DecodeText(QByteArray Bytes)
{
    if (Bytes.startsWith("\xEF\xBB\xBF"))
        Bytes.remove(0, 3);
    QStringDecoder Utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const String Text = Utf8.decode(Bytes);
    return Utf8.hasError() ? DecodeWindows1252(Bytes) : Text;
}

} // namespace

// === TStrings ===============================================================

void TStrings::Error(const String& Msg, int Data)
{
    throw EStringListError(String(Msg).replace(QLatin1String("%d"), QString::number(Data)));
}

int TStrings::CompareStrings(const String& S1, const String& S2) const
{
    return AnsiCompareText(S1, S2);
}

int TStrings::AddObject(const String& S, TObject* AObject)
{
    const int Result = Count();
    InsertObject(Result, S, AObject);
    return Result;
}

void TStrings::InsertObject(int Index, const String& S, TObject* AObject)
{
    Insert(Index, S);
    PutObject(Index, AObject);
}

void TStrings::AddStrings(TStrings* Strings)
{
    // Taken first: the source may be this very list.
    std::vector<std::pair<String, TObject*>> Lines;
    Lines.reserve(size_t(Strings->Count()));
    for (int I = 0, N = Strings->Count(); I < N; ++I)
        Lines.emplace_back(Strings->Get(I), Strings->GetObject(I));
    TUpdateLock Lock(*this);
    for (const auto& [S, Object] : Lines)
        AddObject(S, Object);
}

void TStrings::AddStrings(const QStringList& Strings)
{
    TUpdateLock Lock(*this);
    for (const String& S : Strings)
        AddObject(S, nullptr);
}

void TStrings::Put(int Index, const String& S)
{
    TObject* Object = GetObject(Index);
    TUpdateLock Lock(*this);
    Delete(Index);
    InsertObject(Index, S, Object);
}

void TStrings::Exchange(int Index1, int Index2)
{
    TUpdateLock Lock(*this);
    const String S1 = Get(Index1);
    TObject* O1 = GetObject(Index1);
    Put(Index1, Get(Index2));
    PutObject(Index1, GetObject(Index2));
    Put(Index2, S1);
    PutObject(Index2, O1);
}

void TStrings::Move(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex)
        return;
    const String S = Get(CurIndex);
    TObject* Object = GetObject(CurIndex);
    TUpdateLock Lock(*this);
    Delete(CurIndex);
    InsertObject(NewIndex, S, Object);
}

int TStrings::IndexOf(const String& S) const
{
    for (int I = 0, N = Count(); I < N; ++I)
        if (CompareStrings(Get(I), S) == 0)
            return I;
    return -1;
}

int TStrings::IndexOfName(const String& Name) const
{
    for (int I = 0, N = Count(); I < N; ++I) {
        const String S = Get(I);
        const qsizetype P = S.indexOf(FNameValueSeparator);
        if (P >= 0 && CompareStrings(S.left(P), Name) == 0)
            return I;
    }
    return -1;
}

int TStrings::IndexOfObject(TObject* AObject) const
{
    for (int I = 0, N = Count(); I < N; ++I)
        if (GetObject(I) == AObject)
            return I;
    return -1;
}

bool TStrings::Equals(TStrings* Strings) const
{
    const int N = Count();
    if (Strings == nullptr || Strings->Count() != N)
        return false;
    for (int I = 0; I < N; ++I)
        if (Get(I) != Strings->Get(I))
            return false;
    return true;
}

String TStrings::Names(int Index) const
{
    const String S = Get(Index);
    const qsizetype P = S.indexOf(FNameValueSeparator);
    return P >= 0 ? S.left(P) : String();
}

String TStrings::Values(const String& Name) const
{
    const int I = IndexOfName(Name);
    return I >= 0 ? ValueFromIndex(I) : String();
}

void TStrings::SetValues(const String& Name, const String& Value)
{
    const int I = IndexOfName(Name);
    if (Value.isEmpty()) {
        if (I >= 0)
            Delete(I);
    } else if (I < 0) {
        Add(Name + FNameValueSeparator + Value);
    } else {
        Put(I, Name + FNameValueSeparator + Value);
    }
}

String TStrings::ValueFromIndex(int Index) const
{
    if (Index < 0)
        return String();
    const String S = Get(Index);
    const qsizetype P = S.indexOf(FNameValueSeparator);
    return P >= 0 ? S.mid(P + 1) : String();
}

void TStrings::SetValueFromIndex(int Index, const String& Value)
{
    if (Value.isEmpty()) {
        if (Index >= 0)
            Delete(Index);
    } else if (Index < 0) {
        Add(FNameValueSeparator + Value);
    } else {
        Put(Index, Names(Index) + FNameValueSeparator + Value);
    }
}

String TStrings::Text() const
{
    String R;
    const int N = Count();
    for (int I = 0; I < N; ++I)
        R += Get(I) + FLineBreak;
    return R;
}

void TStrings::SetText(const String& Value)
{
    TUpdateLock Lock(*this);
    Clear();
    AddStrings(SplitLines(Value));
}

QStringList TStrings::ToStringList() const
{
    QStringList R;
    R.reserve(Count());
    for (int I = 0, N = Count(); I < N; ++I)
        R.append(Get(I));
    return R;
}

namespace {

bool NeedsQuotes(const String& S, QChar Delimiter, QChar Quote, bool Strict)
{
    return std::any_of(S.begin(), S.end(), [&](QChar C) {
        return C == Delimiter || C == Quote || (!Strict && C.unicode() <= ' ');
    });
}

String JoinDelimited(const QStringList& Items, QChar Delimiter, QChar Quote, bool Strict)
{
    // A single empty line must not read back as no line at all.
    if (Items.size() == 1 && Items[0].isEmpty())
        return String(2, Quote);
    String R;
    for (qsizetype I = 0; I < Items.size(); ++I) {
        if (I > 0)
            R += Delimiter;
        R += NeedsQuotes(Items[I], Delimiter, Quote, Strict) ? AnsiQuotedStr(Items[I], Quote) : Items[I];
    }
    return R;
}

// The classic reading: blanks around items are skipped (and end an unquoted
// item) unless Strict; a quoted item undoubles its quotes; a delimiter at
// the very end adds an empty item.
QStringList SplitDelimited(const String& V, QChar Delimiter, QChar Quote, bool Strict)
{
    QStringList Items;
    const int N = int(V.size());
    int P = 0;
    auto SkipBlanks = [&] {
        while (!Strict && P < N && V[P].unicode() >= 1 && V[P].unicode() <= ' ')
            ++P;
    };
    SkipBlanks();
    while (P < N) {
        if (V[P] == Quote) {
            Items.append(AnsiExtractQuotedStr(V, P, Quote));
        } else {
            const int Start = P;
            while (P < N && (Strict || V[P].unicode() > ' ') && V[P] != Delimiter)
                ++P;
            Items.append(V.mid(Start, P - Start));
        }
        SkipBlanks();
        if (P < N && V[P] == Delimiter) {
            if (P + 1 == N)
                Items.append(String());
            ++P;
            SkipBlanks();
        }
    }
    return Items;
}

} // namespace

String TStrings::CommaText() const
{
    return JoinDelimited(ToStringList(), QLatin1Char(','), QLatin1Char('"'), false);
}

void TStrings::SetCommaText(const String& Value)
{
    TUpdateLock Lock(*this);
    Clear();
    AddStrings(SplitDelimited(Value, QLatin1Char(','), QLatin1Char('"'), false));
}

String TStrings::DelimitedText() const
{
    return JoinDelimited(ToStringList(), FDelimiter, FQuoteChar, FStrictDelimiter);
}

void TStrings::SetDelimitedText(const String& Value)
{
    TUpdateLock Lock(*this);
    Clear();
    AddStrings(SplitDelimited(Value, FDelimiter, FQuoteChar, FStrictDelimiter));
}

void TStrings::LoadFromFile(const String& FileName)
{
    // Never a pipe or device: it may block the program or never end.
    QFile File;
    OpenRegularFileOrRaise(File, FileName);
    // Whole before the list changes: a read that fails keeps the old lines.
    QByteArray Bytes = File.readAll();
    if (File.error() != QFileDevice::NoError)
        throw FileError(FileName, QStringLiteral("gelezen"), DeviceErrorMessage(File));
    QBuffer Buffer(&Bytes);
    Buffer.open(QIODevice::ReadOnly);
    LoadFromStream(Buffer);
}

void TStrings::LoadFromStream(QIODevice& Stream)
{
    const QByteArray Bytes = Stream.readAll();
    SetText(DecodeText(Bytes));
}

void TStrings::SaveToFile(const String& FileName) const
{
    QByteArray Bytes;
    QBuffer Buffer(&Bytes);
    Buffer.open(QIODevice::WriteOnly);
    SaveToStream(Buffer);
    SaveFileAtomically(FileName, Bytes);
}

void TStrings::SaveToFileExclusive(const String& FileName) const
{
    WriteFileExclusive(FileName, EncodedText());
}

QByteArray TStrings::EncodedText() const
{
    QByteArray Bytes = FWriteBOM ? QByteArray("\xEF\xBB\xBF") : QByteArray();
    return Bytes + Text().toUtf8();
}

void TStrings::SaveToStream(QIODevice& Stream) const
{
    const QByteArray Bytes = EncodedText();
    if (Stream.write(Bytes) != Bytes.size())
        throw EInOutError(QStringLiteral("De tekst kan niet worden geschreven: %1.").arg(DeviceErrorMessage(Stream)));
}

void TStrings::BeginUpdate()
{
    if (FUpdateCount++ == 0)
        SetUpdateState(true);
}

void TStrings::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        SetUpdateState(false);
}

void TStrings::Assign(TPersistent* Source)
{
    auto* Strings = dynamic_cast<TStrings*>(Source);
    if (Strings == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    if (Strings == this)
        return;
    TUpdateLock Lock(*this);
    Clear();
    FNameValueSeparator = Strings->FNameValueSeparator;
    FDelimiter = Strings->FDelimiter;
    FQuoteChar = Strings->FQuoteChar;
    FStrictDelimiter = Strings->FStrictDelimiter;
    FLineBreak = Strings->FLineBreak;
    AddStrings(Strings);
}

// === TStringList ============================================================

TStringList::~TStringList()
{
    FOnChange = nullptr;
    FOnChanging = nullptr;
    if (FOwnsObjects)
        for (TStringItem& Item : FList)
            delete Item.FObject;
}

void TStringList::CheckIndex(int Index) const
{
    if (Index < 0 || Index >= Count())
        Error(QLatin1String(SListIndexError), Index);
}

void TStringList::CheckNotSorted() const
{
    if (FSorted)
        Error(QLatin1String(SSortedListError), 0);
}

String TStringList::Get(int Index) const
{
    CheckIndex(Index);
    return FList[Index].FString;
}

TObject* TStringList::GetObject(int Index) const
{
    CheckIndex(Index);
    return FList[Index].FObject;
}

void TStringList::Put(int Index, const String& S)
{
    CheckNotSorted();
    CheckIndex(Index);
    Changing();
    FList[Index].FString = S;
    Changed();
}

void TStringList::PutObject(int Index, TObject* AObject)
{
    CheckIndex(Index);
    Changing();
    TObject*& Slot = FList[Index].FObject;
    if (FOwnsObjects && Slot != AObject)
        delete Slot;
    Slot = AObject;
    Changed();
}

void TStringList::InsertItem(int Index, const String& S, TObject* AObject)
{
    Changing();
    FList.insert(Index, TStringItem{S, AObject});
    Changed();
}

int TStringList::AddObject(const String& S, TObject* AObject)
{
    int Index = Count();
    if (FSorted && Find(S, Index)) {
        if (FDuplicates == dupIgnore)
            return Index;
        if (FDuplicates == dupError)
            Error(QLatin1String(SDuplicateString), 0);
        // Equal strings keep the order they were added in.
        while (Index < Count() && CompareStrings(FList[Index].FString, S) == 0)
            ++Index;
    }
    InsertItem(Index, S, AObject);
    return Index;
}

void TStringList::InsertObject(int Index, const String& S, TObject* AObject)
{
    CheckNotSorted();
    if (Index < 0 || Index > Count())
        Error(QLatin1String(SListIndexError), Index);
    InsertItem(Index, S, AObject);
}

void TStringList::Delete(int Index)
{
    CheckIndex(Index);
    Changing();
    TObject* Object = FList[Index].FObject;
    FList.removeAt(Index);
    if (FOwnsObjects)
        delete Object;
    Changed();
}

void TStringList::Clear()
{
    if (FList.empty())
        return;
    Changing();
    QList<TStringItem> Old;
    Old.swap(FList);
    if (FOwnsObjects)
        for (TStringItem& Item : Old)
            delete Item.FObject;
    Changed();
}

void TStringList::Exchange(int Index1, int Index2)
{
    CheckNotSorted();
    CheckIndex(Index1);
    CheckIndex(Index2);
    Changing();
    FList.swapItemsAt(Index1, Index2);
    Changed();
}

void TStringList::Move(int CurIndex, int NewIndex)
{
    CheckNotSorted();
    CheckIndex(CurIndex);
    CheckIndex(NewIndex);
    if (CurIndex == NewIndex)
        return;
    // Moved as one item: an owning list must not free the object on the way.
    Changing();
    FList.move(CurIndex, NewIndex);
    Changed();
}

int TStringList::IndexOf(const String& S) const
{
    if (!FSorted)
        return TStrings::IndexOf(S);
    int Index = -1;
    return Find(S, Index) ? Index : -1;
}

void TStringList::SetValues(const String& Name, const String& Value)
{
    if (!FSorted) {
        TStrings::SetValues(Name, Value);
        return;
    }
    // A sorted list cannot change a line in place: the line moves.
    TUpdateLock Lock(*this);
    const int I = IndexOfName(Name);
    if (I >= 0)
        Delete(I);
    if (!Value.isEmpty())
        Add(Name + NameValueSeparator() + Value);
}

bool TStringList::Find(const String& S, int& Index) const
{
    int L = 0, H = Count();
    while (L < H) {
        const int M = L + (H - L) / 2;
        if (CompareStrings(FList[M].FString, S) < 0)
            L = M + 1;
        else
            H = M;
    }
    Index = L;
    return L < Count() && CompareStrings(FList[L].FString, S) == 0;
}

int TStringList::CompareStrings(const String& S1, const String& S2) const
{
    return FCaseSensitive ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

std::vector<int> TStringList::SortedOrder() const
{
    // Key every string once, then compare the keys as plain text.  The key
    // must order exactly as CompareStrings does (base letters first, then
    // accents), or Find and Add would search a list sorted another way.
    std::vector<String> Keys;
    Keys.reserve(size_t(FList.size()));
    for (const TStringItem& Item : FList)
        Keys.push_back(AnsiSortKey(Item.FString));
    std::vector<int> Order(size_t(FList.size()));
    std::iota(Order.begin(), Order.end(), 0);
    std::stable_sort(Order.begin(), Order.end(), [&](int A, int B) {
        int C = QString::compare(Keys[size_t(A)], Keys[size_t(B)], Qt::CaseSensitive);
        if (C == 0 && FCaseSensitive)
            C = QString::compare(FList[A].FString, FList[B].FString, Qt::CaseSensitive);
        return C < 0;
    });
    return Order;
}

void TStringList::ApplyOrder(const std::vector<int>& Order)
{
    QList<TStringItem> Items;
    Items.reserve(qsizetype(Order.size()));
    for (int I : Order)
        Items.append(std::move(FList[I]));
    FList.swap(Items);
}

void TStringList::SortItems()
{
    if (FList.size() < 2)
        return;
    Changing();
    ApplyOrder(SortedOrder());
    Changed();
}

void TStringList::Sort()
{
    if (!FSorted)
        SortItems();
}

void TStringList::CustomSort(const TStringListSortCompare& Compare)
{
    if (FSorted || FList.size() < 2)
        return;
    Changing();
    std::vector<int> Order(size_t(FList.size()));
    std::iota(Order.begin(), Order.end(), 0);
    std::stable_sort(Order.begin(), Order.end(), [&](int A, int B) { return Compare(this, A, B) < 0; });
    ApplyOrder(Order);
    Changed();
}

void TStringList::SetSorted(bool Value)
{
    if (Value && !FSorted)
        SortItems();
    FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value)
{
    if (Value == FCaseSensitive)
        return;
    FCaseSensitive = Value;
    if (FSorted)
        SortItems();
}

void TStringList::SetCapacity(int Value)
{
    if (Value < Count())
        Error(QLatin1String(SListCapacityError), Value);
    FList.reserve(Value);
}

void TStringList::SetUpdateState(bool Updating)
{
    if (Updating) {
        FChangingSent = false;
        FChangedInUpdate = false;
        return;
    }
    const bool Fire = FChangedInUpdate;
    FChangingSent = false;
    FChangedInUpdate = false;
    if (Fire && FOnChange)
        FOnChange(this);
}

void TStringList::Changing()
{
    if (UpdateCount() > 0) {
        if (FChangingSent)
            return;
        FChangingSent = true;
    }
    if (FOnChanging)
        FOnChanging(this);
}

void TStringList::Changed()
{
    if (UpdateCount() > 0)
        FChangedInUpdate = true;
    else if (FOnChange)
        FOnChange(this);
}
