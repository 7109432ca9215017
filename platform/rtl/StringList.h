#pragma once
// TStrings, the abstract list of strings with an object per line, and
// TStringList, the list that keeps its own items (sorted or not).
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/System.h"

#include <QList>
#include <QStringList>
#include <vector>

class QIODevice;
class TStringList;

enum TDuplicates { dupIgnore, dupAccept, dupError };

// One line of a TStringList.  Relocatable, so inserting into a long list
// moves memory in one block.
struct TStringItem {
    String FString;
    TObject* FObject = nullptr;
};
Q_DECLARE_TYPEINFO(TStringItem, Q_RELOCATABLE_TYPE);

using TStringListSortCompare = std::function<int(TStringList* List, int Index1, int Index2)>;

class TStrings : public TPersistent {
public:
    TStrings() = default;
    TStrings(const TStrings&) = delete;
    TStrings& operator=(const TStrings&) = delete;

    // --- the lines ---
    int Count() const { return GetCount(); }
    String Strings(int Index) const { return Get(Index); }
    void SetStrings(int Index, const String& S) { Put(Index, S); }
    String operator[](int Index) const { return Get(Index); }
    TObject* Objects(int Index) const { return GetObject(Index); }
    void SetObjects(int Index, TObject* AObject) { PutObject(Index, AObject); }

    int Add(const String& S) { return AddObject(S, nullptr); }
    virtual int AddObject(const String& S, TObject* AObject);
    void Append(const String& S) { Add(S); }
    int AddPair(const String& Name, const String& Value) { return Add(Name + FNameValueSeparator + Value); }
    virtual void AddStrings(TStrings* Strings);
    void AddStrings(const QStringList& Strings);
    virtual void Insert(int Index, const String& S) = 0;
    virtual void InsertObject(int Index, const String& S, TObject* AObject);
    virtual void Delete(int Index) = 0;
    virtual void Clear() = 0;
    virtual void Exchange(int Index1, int Index2);
    virtual void Move(int CurIndex, int NewIndex);

    // Searches without regard to case unless the list says otherwise
    // (CompareStrings); -1 when absent.
    virtual int IndexOf(const String& S) const;
    int IndexOfName(const String& Name) const;
    int IndexOfObject(TObject* AObject) const;
    // Same count and the same strings, case-sensitive; objects are not compared.
    bool Equals(TStrings* Strings) const;

    // --- name=value lines ---
    String Names(int Index) const;
    String Values(const String& Name) const;
    // An empty value deletes the line.
    virtual void SetValues(const String& Name, const String& Value);
    String ValueFromIndex(int Index) const;
    void SetValueFromIndex(int Index, const String& Value);
    QChar NameValueSeparator() const { return FNameValueSeparator; }
    void SetNameValueSeparator(QChar Value) { FNameValueSeparator = Value; }

    // --- whole-list text ---
    // Every line followed by LineBreak (CR LF); setting splits on CR LF, LF or CR.
    String Text() const;
    virtual void SetText(const String& Value);
    String LineBreak() const { return FLineBreak; }
    void SetLineBreak(const String& Value) { FLineBreak = Value; }
    String CommaText() const;
    void SetCommaText(const String& Value);
    String DelimitedText() const;
    void SetDelimitedText(const String& Value);
    QChar Delimiter() const { return FDelimiter; }
    void SetDelimiter(QChar Value) { FDelimiter = Value; }
    QChar QuoteChar() const { return FQuoteChar; }
    void SetQuoteChar(QChar Value) { FQuoteChar = Value; }
    bool StrictDelimiter() const { return FStrictDelimiter; }
    void SetStrictDelimiter(bool Value) { FStrictDelimiter = Value; }
    QStringList ToStringList() const;

    // --- files and streams ---
    // Reading accepts UTF-8 with or without a byte-order mark and falls back
    // to Windows-1252 when the bytes are not valid UTF-8.  Writing is UTF-8
    // (with a byte-order mark only when WriteBOM is set), lines ended by
    // LineBreak; files are replaced atomically.  Failures raise EInOutError.
    virtual void LoadFromFile(const String& FileName);
    virtual void LoadFromStream(QIODevice& Stream);
    virtual void SaveToFile(const String& FileName) const;
    virtual void SaveToStream(QIODevice& Stream) const;
    // Saves as SaveToFile does, but only into a new file (mode 0600): when
    // anything already has the name (a file, a folder, a link, even one
    // that leads nowhere) EInOutError is raised and that thing is left as
    // it was.  Report files and other names made up by the program.
    void SaveToFileExclusive(const String& FileName) const;
    bool WriteBOM() const { return FWriteBOM; }
    void SetWriteBOM(bool Value) { FWriteBOM = Value; }

    // --- updates ---
    // Nested; the list tells its observers only at the outermost level.
    void BeginUpdate();
    void EndUpdate();

    void Assign(TPersistent* Source) override;

    // Range-for over the strings.
    class ConstIterator {
    public:
        ConstIterator(const TStrings* List, int Index) : FList(List), FIndex(Index) {}
        String operator*() const { return FList->Get(FIndex); }
        ConstIterator& operator++() { ++FIndex; return *this; }
        bool operator==(const ConstIterator& Other) const { return FIndex == Other.FIndex; }
    private:
        const TStrings* FList;
        int FIndex;
    };
    ConstIterator begin() const { return ConstIterator(this, 0); }
    ConstIterator end() const { return ConstIterator(this, Count()); }

protected:
    virtual String Get(int Index) const = 0;
    virtual int GetCount() const = 0;
    virtual TObject* GetObject(int Index) const { (void)Index; return nullptr; }
    virtual void Put(int Index, const String& S);
    virtual void PutObject(int Index, TObject* AObject) { (void)Index; (void)AObject; }
    // Called with true when the outermost BeginUpdate starts, false when the
    // outermost EndUpdate ends.
    virtual void SetUpdateState(bool Updating) { (void)Updating; }
    int UpdateCount() const { return FUpdateCount; }
    // <0, 0, >0; without regard to case here, TStringList follows CaseSensitive.
    virtual int CompareStrings(const String& S1, const String& S2) const;
    // Raises EStringListError with Msg, %d replaced by Data.
    [[noreturn]] static void Error(const String& Msg, int Data);
    // The bytes SaveToStream writes.
    QByteArray EncodedText() const;

private:
    int FUpdateCount = 0;
    QChar FNameValueSeparator = QLatin1Char('=');
    QChar FDelimiter = QLatin1Char(',');
    QChar FQuoteChar = QLatin1Char('"');
    bool FStrictDelimiter = false;
    bool FWriteBOM = false;
    String FLineBreak = QStringLiteral("\r\n");
};

class TStringList : public TStrings {
public:
    TStringList() = default;
    explicit TStringList(bool OwnsObjects) : FOwnsObjects(OwnsObjects) {}
    ~TStringList() override;

    int AddObject(const String& S, TObject* AObject) override;
    void Insert(int Index, const String& S) override { InsertObject(Index, S, nullptr); }
    void InsertObject(int Index, const String& S, TObject* AObject) override;
    void Delete(int Index) override;
    void Clear() override;
    void Exchange(int Index1, int Index2) override;
    void Move(int CurIndex, int NewIndex) override;
    int IndexOf(const String& S) const override;
    void SetValues(const String& Name, const String& Value) override;

    // Binary search; meaningful only on a sorted list.  Returns whether S is
    // present; Index is its first position, or where it would be inserted.
    bool Find(const String& S, int& Index) const;
    // Sorts an unsorted list by CompareStrings (stable).
    virtual void Sort();
    // Sorts an unsorted list by Compare (stable); Compare gets indexes into
    // the list as it was before sorting started.
    virtual void CustomSort(const TStringListSortCompare& Compare);

    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value);
    // An owning list deletes the objects of deleted lines and on destruction.
    bool OwnsObjects() const { return FOwnsObjects; }
    void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }
    int Capacity() const { return int(FList.capacity()); }
    void SetCapacity(int Value);

    DECLARE_EVENT(TNotifyEvent, OnChange)
    DECLARE_EVENT(TNotifyEvent, OnChanging)

protected:
    String Get(int Index) const override;
    int GetCount() const override { return int(FList.size()); }
    TObject* GetObject(int Index) const override;
    void Put(int Index, const String& S) override;
    void PutObject(int Index, TObject* AObject) override;
    void SetUpdateState(bool Updating) override;
    int CompareStrings(const String& S1, const String& S2) const override;
    // OnChanging before and OnChange after every change; inside an update,
    // OnChanging before the first change and OnChange once at its end.
    virtual void Changing();
    virtual void Changed();

private:
    void CheckIndex(int Index) const;
    void CheckNotSorted() const;
    void InsertItem(int Index, const String& S, TObject* AObject);
    std::vector<int> SortedOrder() const;
    void ApplyOrder(const std::vector<int>& Order);
    void SortItems();

    QList<TStringItem> FList;
    bool FSorted = false;
    TDuplicates FDuplicates = dupIgnore;
    bool FCaseSensitive = false;
    bool FOwnsObjects = false;
    bool FChangingSent = false;
    bool FChangedInUpdate = false;
};
