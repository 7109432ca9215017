// Every input in the fuzz corpora kept in the tree goes through the check its
// fuzz target runs, in the ordinary suite: what a fuzz run once found stays
// found without clang or libFuzzer.
#include "tests/fuzz/FuzzChecks.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <string>

namespace {

struct TCorpus {
    const char* Folder; // under tests/fuzz/corpus, named as its fuzz target
    QString (*Check)(const QByteArray& Data);
};

const TCorpus Corpora[] = {
    {"table_file", CheckTableFile},
    {"form_text", CheckFormText},
    {"ini_file", CheckIniFile},
    {"filter", CheckFilter},
};

class SeedReplay : public ::testing::TestWithParam<TCorpus> {};

} // namespace

TEST_P(SeedReplay, EverySeedPassesItsCheck)
{
    const QDir Folder(QStringLiteral(QV_FUZZ_CORPUS "/") + QLatin1String(GetParam().Folder));
    const QStringList Names = Folder.entryList(QDir::Files, QDir::Name);
    ASSERT_FALSE(Names.isEmpty()) << Folder.path().toStdString() << " holds no seeds";
    for (const QString& Name : Names) {
        QFile File(Folder.filePath(Name));
        ASSERT_TRUE(File.open(QIODevice::ReadOnly)) << Name.toStdString();
        EXPECT_EQ(GetParam().Check(File.readAll()).toStdString(), std::string()) << Name.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Corpus, SeedReplay, ::testing::ValuesIn(Corpora),
                         [](const ::testing::TestParamInfo<TCorpus>& Info) { return std::string(Info.param.Folder); });
