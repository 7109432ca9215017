// Only whole web and mail addresses are handed to the desktop; the check
// reads the text alone.
#include "platform/rtl/WebMailAddress.h"

#include <gtest/gtest.h>

TEST(WebMailAddress, WebAndMailAddressesAndWhatTheyOpenAs)
{
    struct TCase {
        const char* Text;
        const char* Opens; // "" when refused
    };
    const TCase Cases[] = {
        {"http://www.example.nl", "http://www.example.nl"},
        {"HTTPS://Example.nl/pad?q=1#top", "HTTPS://Example.nl/pad?q=1#top"},
        {"  https://localhost:8080/  ", "https://localhost:8080/"},
        {"www.example.nl", "https://www.example.nl"},
        {"WWW.voorbeeld.nl/contact", "https://WWW.voorbeeld.nl/contact"},
        {"https://straße.de", "https://straße.de"},
        {"jan@example.nl", "mailto:jan@example.nl"},
        {"mailto:jan.de.vries@mail.example.nl", "mailto:jan.de.vries@mail.example.nl"},
        {"mailto:info@example.nl?subject=Quorvy® Versie 2023", "mailto:info@example.nl?subject=Quorvy® Versie 2023"},
        {"mailto:info@example.nl?subject=a\nb", ""},
        {"mailto:info@example.nl?subject=Quorvy%C2%AE", "mailto:info@example.nl?subject=Quorvy%C2%AE"},
        // Local files and other schemes, whatever is on disk.
        {"/etc/passwd", ""},
        {"file:///etc/passwd", ""},
        {"~/.bashrc", ""},
        {"quorvy.ini", ""},
        {"javascript:alert(1)", ""},
        {"ftp://example.nl", ""},
        {"http://", ""},
        {"www.", ""},
        {"http:///etc/passwd", ""},
        // A user name before the host hides where the address leads.
        {"http://bank.example@elders.example", ""},
        // One address, nothing more.
        {"http://example.nl /etc/passwd", ""},
        {"http://example.nl\n--help", ""},
        {"jan@", ""},
        {"@example.nl", ""},
        {"jan@example", ""},
        {"jan@@example.nl", ""},
        {"jan <jan@example.nl>", ""},
        {"", ""},
    };
    for (const TCase& C : Cases) {
        const QString Text = QString::fromUtf8(C.Text);
        EXPECT_EQ(WebOrMailAddress(Text), QString::fromUtf8(C.Opens)) << C.Text;
        EXPECT_EQ(IsWebAddress(Text) || IsMailAddress(Text), *C.Opens != '\0') << C.Text;
    }
    EXPECT_TRUE(IsWebAddress(QStringLiteral("www.example.nl")));
    EXPECT_FALSE(IsMailAddress(QStringLiteral("www.example.nl")));
    EXPECT_TRUE(IsMailAddress(QStringLiteral("jan@example.nl")));
    EXPECT_FALSE(IsWebAddress(QStringLiteral("jan@example.nl")));
}
