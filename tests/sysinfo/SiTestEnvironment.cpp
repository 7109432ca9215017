// The whole test program keeps its configuration, cache and temporary files
// in a folder of its own: nothing here may touch the user's real files.
#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class TSiFoldersEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        ASSERT_TRUE(FDir.isValid());
        const QByteArray Root = QFile::encodeName(FDir.path());
        qputenv("XDG_CONFIG_HOME", Root + "/config");
        qputenv("XDG_CACHE_HOME", Root + "/cache");
        qunsetenv("TMPDIR");
    }

private:
    QTemporaryDir FDir;
};

[[maybe_unused]] ::testing::Environment* const Folders = ::testing::AddGlobalTestEnvironment(new TSiFoldersEnvironment);

} // namespace
