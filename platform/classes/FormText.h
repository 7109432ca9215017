#pragma once
// The form text: a parsed form definition as a tree, its parser and its
// printer.  TReader walks the tree; TWriter builds one and prints it.  The
// value types follow the classic binary form so that list-reading code
// (ReadValue, NextValue, EndOfList) reads the same way.
#include "platform/rtl/System.h"

#include <QByteArray>
#include <QStringList>
#include <cstdint>
#include <vector>

enum TValueType {
    vaNull,
    vaList,
    vaInt8,
    vaInt16,
    vaInt32,
    vaExtended,
    vaString,
    vaIdent,
    vaFalse,
    vaTrue,
    vaBinary,
    vaSet,
    vaLString,
    vaNil,
    vaCollection,
    vaSingle,
    vaCurrency,
    vaDate,
    vaWString,
    vaInt64,
    vaUTF8String,
    vaDouble
};

struct TFormProperty;

struct TFormCollectionItem {
    std::vector<TFormProperty> Properties;
    int Line = 0;
};

struct TFormValue {
    TValueType Type = vaNull;
    std::int64_t Int = 0;          // vaInt32, vaInt64
    double Float = 0;              // vaExtended
    String Str;                    // vaString, vaIdent
    QByteArray Binary;             // vaBinary
    QStringList SetItems;          // vaSet
    std::vector<TFormValue> Items; // vaList
    std::vector<TFormCollectionItem> CollectionItems; // vaCollection
    int Line = 0;
};

struct TFormProperty {
    String Name; // may be a dotted path ("Font.Name")
    TFormValue Value;
    int Line = 0;
};

enum TFormObjectKind { fokObject, fokInherited, fokInline };

struct TFormObject {
    TFormObjectKind Kind = fokObject;
    String Name;
    String ClassName;
    int Position = -1; // "[n]" after the class name, -1 when absent
    std::vector<TFormProperty> Properties;
    std::vector<TFormObject> Children;
    int Line = 0;
};

// Parses a whole form definition (UTF-8, with or without byte-order mark).
// Raises EReadError "<SourceName>(<line>): <what>" for anything it cannot
// read; nothing is created from a text that does not parse.
TFormObject ParseFormText(const QByteArray& Text, const String& SourceName);

// The class name of the first object of a form text without parsing the
// rest (empty when the text does not start with an object header).
String FormTextRootClass(const QByteArray& Text);

// Prints the tree as form text (UTF-8, LF line ends, two-space indents).
QByteArray FormatFormText(const TFormObject& Root);
