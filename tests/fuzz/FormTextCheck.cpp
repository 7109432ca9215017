#include "tests/fuzz/FuzzChecks.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Fixups.h"
#include "platform/classes/FormText.h"
#include "tests/fuzz/CheckGuard.h"

#include <memory>

namespace {

const QString Source = QStringLiteral("fuzz.form");

using TRootPtr = std::unique_ptr<TComponent, TComponentDeleter>;

// The texts are read into the test components, which have every kind of
// property; other registered classes (a data set that writes its file when
// it closes, say) are not for arbitrary input.  Unknown classes are read:
// refusing them is part of what is checked.
bool MayRead(const TFormObject& Object)
{
    const TClass Class = GetClass(Object.ClassName);
    if (Class != nullptr && !Object.ClassName.startsWith(QLatin1String("TTest"))
        && Object.ClassName != QLatin1String("TComponent") && Object.ClassName != QLatin1String("TDataModule"))
        return false;
    for (const TFormObject& Child : Object.Children)
        if (!MayRead(Child))
            return false;
    return true;
}

QString Placed(const EReadError& E, const QString& Name)
{
    if (E.Message().startsWith(Name + QLatin1Char('(')))
        return {};
    return QStringLiteral("error without source and line: %1").arg(E.Message());
}

// Reads Text as the definition of a new root of its class.
TRootPtr ReadRoot(const QByteArray& Text, const QString& Name)
{
    return TRootPtr(ReadComponentFromText(Text, nullptr, Name));
}

// What a text that reads must do: write a text that reads back into the
// same tree, written the same again.
QString RoundTrip(const QByteArray& Data)
{
    QByteArray First;
    {
        const TRootPtr Root = ReadRoot(Data, Source);
        First = WriteComponentToText(Root.get());
    }
    QByteArray Second;
    try {
        const TRootPtr Root = ReadRoot(First, QStringLiteral("written.form"));
        Second = WriteComponentToText(Root.get());
    } catch (const EReadError& E) {
        return QStringLiteral("the written text does not read: %1\n%2").arg(E.Message(), QString::fromUtf8(First));
    }
    if (Second != First)
        return QStringLiteral("written, read and written again it changes:\n%1\n---\n%2")
            .arg(QString::fromUtf8(First), QString::fromUtf8(Second));
    return {};
}

QString CheckFormUnguarded(const QByteArray& Data)
{
    TFormObject Tree;
    try {
        Tree = ParseFormText(Data, Source);
    } catch (const EReadError& E) {
        return Placed(E, Source);
    }
    const QByteArray Printed = FormatFormText(Tree);
    try {
        if (FormatFormText(ParseFormText(Printed, QStringLiteral("printed.form"))) != Printed)
            return QStringLiteral("the printed text prints differently:\n%1").arg(QString::fromUtf8(Printed));
    } catch (const EReadError& E) {
        return QStringLiteral("the printed text does not parse: %1\n%2").arg(E.Message(), QString::fromUtf8(Printed));
    }
    if (!MayRead(Tree))
        return {};
    try {
        return RoundTrip(Data);
    } catch (const EReadError& E) {
        return Placed(E, Source);
    }
}

} // namespace

QString CheckFormText(const QByteArray& Data)
{
    return Guarded([&] { return CheckFormUnguarded(Data); });
}
