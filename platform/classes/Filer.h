#pragma once
// TFiler, TReader and TWriter: streaming of components to and from form
// text.  DefineProperties(TFiler&) sees the same calls whether a component
// is being read or written; a class uses them to stream data that is not a
// published property and to accept obsolete property names:
//
//   void TTestPanel::DefineProperties(TFiler& Filer)
//   {
//       TComponent::DefineProperties(Filer);
//       Filer.DefineProperty("OldStyle",                    // read, dropped
//           [](TReader& R) { R.SkipValue(); }, nullptr, false);
//       Filer.DefineProperty("Text",                        // mapped
//           [this](TReader& R) { SetCaption(R.ReadString()); }, nullptr, false);
//       Filer.DefineProperty("Points", ReadPoints, WritePoints, !FPoints.empty());
//   }
#include "platform/classes/ClassInfo.h"
#include "platform/classes/Component.h"
#include "platform/classes/FormText.h"
#include "platform/rtl/Exceptions.h"

#include <QByteArray>
#include <any>
#include <functional>
#include <memory>
#include <vector>

class TCollection;
class TFreeListener;
class TPropInfo;
class TStrings;

using TReaderProc = std::function<void(TReader& Reader)>;
using TWriterProc = std::function<void(TWriter& Writer)>;
using TBinaryReadProc = std::function<void(const QByteArray& Data)>;
using TBinaryWriteProc = std::function<QByteArray()>;

class TFiler {
public:
    virtual ~TFiler() = default;

    // Reading: calls ReadData when the property being read has this name.
    // Writing: when HasData, writes Name = <what WriteData writes>.
    virtual void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                                bool HasData) = 0;
    // The same for binary data, written as {hex}.
    virtual void DefineBinaryProperty(const String& Name, const TBinaryReadProc& ReadData,
                                      const TBinaryWriteProc& WriteData, bool HasData) = 0;

    // The root being read or written (form or data module).
    TComponent* Root() const { return FRoot; }
    void SetRoot(TComponent* Value) { FRoot = Value; }
    TComponent* LookupRoot() const { return FRoot; }
    // Inherited forms are not written as differences: there is no ancestor.
    TPersistent* Ancestor() const { return nullptr; }
    bool IgnoreChildren() const { return FIgnoreChildren; }
    void SetIgnoreChildren(bool Value) { FIgnoreChildren = Value; }

protected:
    TComponent* FRoot = nullptr;
    bool FIgnoreChildren = false;
};

// OnError: Handled = true skips the property that failed and reads on.
using TReaderError = std::function<void(TReader& Reader, const String& Message, bool& Handled)>;
// OnFindMethod: binds a handler the root does not publish; set Handler to
// a std::any of the event's std::function type and Error to false.
using TFindMethodEvent = std::function<void(TReader& Reader, const String& MethodName, std::any& Handler, bool& Error)>;
// OnFindComponentClass: supplies a class the registry does not know.
using TFindComponentClassEvent = std::function<void(TReader& Reader, const String& ClassName, TComponentClass& ComponentClass)>;

class TReader : public TFiler {
public:
    // Parses Text at once; raises EReadError "<SourceName>(<line>): ..." when
    // it does not parse.  SourceName names the form in every error.
    TReader(const QByteArray& Text, const String& SourceName);
    ~TReader() override;

    // Reads the definition into Root (created from the text's class when
    // Root is nullptr): csLoading and csReading while reading, then the
    // references are resolved, then every published field of the text's
    // class must point at its component, then Loaded() runs for every
    // component read, root first.  Returns the root.
    TComponent* ReadRootComponent(TComponent* Root);
    // Reads the properties and children of the object being read into
    // Instance; TComponent::ReadState calls it.
    void ReadData(TComponent* Instance);

    void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                        bool HasData) override;
    void DefineBinaryProperty(const String& Name, const TBinaryReadProc& ReadData,
                              const TBinaryWriteProc& WriteData, bool HasData) override;

    // Owner and parent of the components read next.
    TComponent* Owner() const { return FOwner; }
    void SetOwner(TComponent* Value) { FOwner = Value; }
    TComponent* Parent() const { return FParent; }
    void SetParent(TComponent* Value) { FParent = Value; }
    // The property being read (last part of its path).
    String PropName() const { return FPropName; }
    String SourceName() const { return FSourceName; }
    // Line of the value being read.
    int Line() const;

    // --- values, for DefineProperty readers ---
    // The type of the next value; vaNull at the end of a list.
    TValueType NextValue() const;
    // Takes the next value's type: entering it if it is a list, leaving the
    // list (vaNull) at its end.
    TValueType ReadValue();
    void CheckValue(TValueType Value);
    bool EndOfList() const;
    void ReadListBegin();
    void ReadListEnd();
    std::int32_t ReadInteger();
    std::int64_t ReadInt64();
    bool ReadBoolean();
    double ReadFloat();
    String ReadString();
    QChar ReadChar();
    // Identifiers; True/False/nil read as "True"/"False"/"nil".
    String ReadIdent();
    QByteArray ReadBinary();
    // Set element names.
    QStringList ReadSet();
    // Skips one value, whatever it is (lists and collections whole).
    void SkipValue();
    // Reads the current value into a published property of Instance (for
    // mapping an obsolete name to a current property).
    void ReadPropValue(TObject* Instance, const String& PropName);
    void ReadCollection(TCollection* Collection);

    TReaderError OnError;
    TFindMethodEvent OnFindMethod;
    TFindComponentClassEvent OnFindComponentClass;

    // Raises EReadError with the source name and line.
    [[noreturn]] void Error(const String& Message) const;
    [[noreturn]] void Error(const String& Message, int Line) const;

private:
    struct TCursor {
        const std::vector<TFormValue>* Items;
        std::size_t Pos;
    };

    TComponent* ReadComponent(const TFormObject& Obj);
    // Reads the properties of a component or collection item (the holder
    // of whatever references they queue).
    void ReadProperties(TObject* Instance, const std::vector<TFormProperty>& Properties);
    void ReadPropertyList(TObject* Instance, const std::vector<TFormProperty>& Properties);
    void ReadProperty(TObject* Instance, const TFormProperty& Prop);
    void ReadPropertyValue(TObject* Instance, const TPropInfo* PropInfo, const TFormValue& Value);
    void ReadObjectValue(TObject* Instance, const TPropInfo* PropInfo, const TFormValue& Value);
    void ReadMethodValue(TObject* Instance, const TPropInfo* PropInfo, const TFormValue& Value);
    void ReadCollectionItems(TCollection* Collection, const TFormValue& Value);
    void ReadStrings(TStrings* Strings, const TFormValue& Value);
    bool HandleError(const String& Message);
    const TFormValue& Current() const;
    const TFormValue& Take();
    TComponentClass FindComponentClass(const String& ClassName, int Line);
    // Raises when a published field of the root has no component.
    void CheckFieldsBound(TComponent* Root) const;
    void BeginValue(const TFormValue& Value);
    void EndValue();
    String ErrorText(const String& Message, int Line) const;
    // Instance has gone: it is neither resolved nor loaded.
    void ForgetObject(TObject* Instance);
    void ResolveFixups(TComponent* Root);
    void RunLoaded();

    TFormObject FTree;
    String FSourceName;
    TComponent* FOwner = nullptr;
    TComponent* FParent = nullptr;
    const TFormObject* FCurrentObject = nullptr;
    String FPropName;
    String FPropPath;
    bool FPropHandled = false;
    std::vector<TFormValue> FSingle;
    std::vector<TCursor> FCursors;
    int FValueLine = 0;
    // The components read, in order; nullptr where one has gone since.
    std::vector<TComponent*> FLoaded;
    // The component or collection item whose properties are being read.
    TObject* FHolder = nullptr;
    struct TFixup {
        TObject* Instance; // nullptr once it or its holder has gone
        TObject* Holder;
        const TPropInfo* PropInfo;
        String Name;
        int Line;
    };
    std::vector<TFixup> FFixups;
    std::unique_ptr<TFreeListener> FFreeListener;
};

class TWriter : public TFiler {
public:
    TWriter();
    ~TWriter() override;

    // Writes Root with its children; the text is then in Text().
    void WriteRootComponent(TComponent* Root);
    // Writes Instance as an object under the current one; WriteState calls
    // WriteData, which writes the header, the properties and the children.
    void WriteComponent(TComponent* Instance);
    void WriteData(TComponent* Instance);
    QByteArray Text() const;

    void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                        bool HasData) override;
    void DefineBinaryProperty(const String& Name, const TBinaryReadProc& ReadData,
                              const TBinaryWriteProc& WriteData, bool HasData) override;

    // --- values, for DefineProperty writers: each call writes one value ---
    void WriteListBegin();
    void WriteListEnd();
    void WriteInteger(std::int64_t Value);
    void WriteBoolean(bool Value);
    void WriteFloat(double Value);
    void WriteString(const String& Value);
    void WriteChar(QChar Value);
    void WriteIdent(const String& Ident);
    void WriteBinary(const QByteArray& Data);
    void WriteSet(const QStringList& Names);
    void WriteCollection(TCollection* Collection);

private:
    void WriteProperties(TObject* Instance, const String& Prefix, int Depth);
    void WriteProperty(TObject* Instance, const TPropInfo* PropInfo, const String& Prefix, int Depth);
    void WriteStrings(TStrings* Strings, const String& Path);
    TFormValue& NewValue();
    void BeginProperty(const String& Name);
    void EndProperty();
    String ComponentReference(TComponent* Component) const;

    std::unique_ptr<TFormObject> FTree;
    TFormObject* FCurrentObject = nullptr;
    std::vector<TFormProperty>* FCurrentProps = nullptr;
    String FPropPath;
    std::vector<TFormValue*> FValueStack;
    TFormProperty* FOpenProperty = nullptr;
    bool FSlotFilled = false;
};

// Reads a form text into Instance (or a new instance of its class when
// Instance is nullptr); the convenience around TReader.
TComponent* ReadComponentFromText(const QByteArray& Text, TComponent* Instance, const String& SourceName);
// Writes Instance as root with its children.
QByteArray WriteComponentToText(TComponent* Instance);
