#pragma once
// Form text in tests: a root read from text (freed when the text does not
// read) and the message a text raises.
#include "platform/classes/Filer.h"
#include "tests/support/ErrorMessages.h"

#include <memory>

template <typename T>
using TRootPtr = std::unique_ptr<T, TComponentDeleter>;

// A new T (no owner) with Text read into it; the reader's exception passes
// on after the root is freed.
template <typename T>
TRootPtr<T> ReadRoot(const QByteArray& Text, const QString& Source = QStringLiteral("test.form"))
{
    TRootPtr<T> Root(new T(nullptr));
    ReadComponentFromText(Text, Root.get(), Source);
    return Root;
}

// The EReadError message reading Text into a new T raises; "<no error>"
// when it reads.
template <typename T>
QString ReadRootError(const QByteArray& Text, const QString& Source = QStringLiteral("bad.form"))
{
    return ErrorMessage<EReadError>([&] { ReadRoot<T>(Text, Source); });
}
