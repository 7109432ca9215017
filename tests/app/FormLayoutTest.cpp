// The program's form definitions are read by people as well as by the
// reader: each object header, property and "end" stands on a line of its
// own.  A source formatter for C++ once reflowed several of them into run-on
// lines that still loaded but could no longer be reviewed.
#include "platform/classes/FormText.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <set>

namespace {

void CollectLines(const TFormObject& Object, const QString& File, std::set<int>& Seen)
{
    auto Claim = [&](int Line, const QString& What) {
        EXPECT_TRUE(Seen.insert(Line).second)
            << File.toStdString() << "(" << Line << "): " << What.toStdString() << " shares its line";
    };
    Claim(Object.Line, QStringLiteral("object ") + Object.Name);
    for (const TFormProperty& P : Object.Properties)
        Claim(P.Line, P.Name);
    for (const TFormObject& Child : Object.Children)
        CollectLines(Child, File, Seen);
}

TEST(FormLayout, EveryHeaderAndPropertyOfTheProgramsFormsHasALineOfItsOwn)
{
    const QStringList Forms = QDir(QStringLiteral(":/app")).entryList({QStringLiteral("*.form")});
    ASSERT_GE(Forms.size(), 10) << "the program's form definitions are compiled in under :/app";
    for (const QString& Name : Forms) {
        QFile File(QStringLiteral(":/app/") + Name);
        ASSERT_TRUE(File.open(QIODevice::ReadOnly)) << Name.toStdString();
        std::set<int> Seen;
        CollectLines(ParseFormText(File.readAll(), Name), Name, Seen);
    }
}

} // namespace
