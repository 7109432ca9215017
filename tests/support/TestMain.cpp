// Entry point of every test executable: a Qt application object exists for
// the whole run (fonts, images and widgets need one), then GoogleTest runs.
// Every program keeps its configuration and state files (settings, recent
// files) in folders of its own: nothing here may read or write the user's
// real ones.
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir ConfigFolder;
    if (!ConfigFolder.isValid())
        return 1;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(ConfigFolder.path() + QStringLiteral("/config")));
    qputenv("XDG_STATE_HOME", QFile::encodeName(ConfigFolder.path() + QStringLiteral("/state")));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
