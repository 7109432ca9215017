// The whole test program keeps its registry files in a folder of its own:
// nothing here may read or write the user's real configuration.
#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class TConfigFolderEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        ASSERT_TRUE(FDir.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(FDir.path()));
    }

private:
    QTemporaryDir FDir;
};

[[maybe_unused]] ::testing::Environment* const ConfigFolder =
    ::testing::AddGlobalTestEnvironment(new TConfigFolderEnvironment);

} // namespace
