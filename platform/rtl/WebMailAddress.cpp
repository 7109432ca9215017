#include "platform/rtl/WebMailAddress.h"

#include <QRegularExpression>

namespace {

// One label of a host name: letters (any script) and digits, hyphens
// inside.
#define QV_LABEL R"([\p{L}\p{N}](?:[\p{L}\p{N}-]*[\p{L}\p{N}])?)"
// Whatever may follow the host: a port, then a path, query or fragment.
#define QV_REST R"((?::\d{1,5})?(?:[/?#]\S*)?)"

// No user name before the host ("http://bank.example@elsewhere.example"
// names elsewhere.example): such an address is refused.
const QRegularExpression& WebPattern()
{
    static const QRegularExpression Pattern(
        QStringLiteral(R"(^(?:https?://|www\.)(?:)" QV_LABEL R"(\.)*)" QV_LABEL QV_REST "$"),
        QRegularExpression::CaseInsensitiveOption);
    return Pattern;
}

// A subject after the address may hold blanks ("?subject=Quorvy® Versie
// 2023"); the desktop's mail program takes it as the one address it is.
const QRegularExpression& MailPattern()
{
    static const QRegularExpression Pattern(QStringLiteral(R"(^(?:mailto:)?[^\s@<>()\[\]\\,;:"?]+@(?:)" QV_LABEL
                                                           R"(\.)+)" QV_LABEL R"((?:\?[^\x00-\x1F\x7F]*)?$)"),
                                            QRegularExpression::CaseInsensitiveOption);
    return Pattern;
}

#undef QV_LABEL
#undef QV_REST

bool StartsWithText(const String& Text, const char* Prefix)
{
    return Text.startsWith(QLatin1String(Prefix), Qt::CaseInsensitive);
}

} // namespace

bool IsWebAddress(const String& Text)
{
    return WebPattern().match(Text.trimmed()).hasMatch();
}

bool IsMailAddress(const String& Text)
{
    return MailPattern().match(Text.trimmed()).hasMatch();
}

String WebOrMailAddress(const String& Text)
{
    const String Address = Text.trimmed();
    if (IsWebAddress(Address))
        return StartsWithText(Address, "www.") ? QStringLiteral("https://") + Address : Address;
    if (IsMailAddress(Address))
        return StartsWithText(Address, "mailto:") ? Address : QStringLiteral("mailto:") + Address;
    return String();
}
