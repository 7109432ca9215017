// The real program on a real X server: it opens a contact file from its
// start page, writes the full report with Ctrl+P and Enter, hands the page
// to the desktop and quits with Alt+X.  The desktop's "xdg-open" is a
// script of the test's that records what it was given and keeps a copy of
// the page, so no browser starts.  Skipped, saying why, where no X server
// can be started.
#include "tests/app/MainWindowFixture.h"
#include "tests/support/EnvGuard.h"
#include "tests/support/XSession.h"

#include <QCoreApplication>
#include <QFile>

namespace {

QString ProgramPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/quorvy");
}

class RealProgram : public MainWindowTest {
protected:
    // The desktop's opener: records its arguments, keeps the page (whole
    // or not at all, for the test waits for it to be there).
    void WriteOpener()
    {
        ASSERT_TRUE(QDir().mkpath(Dir.File("bin")));
        const QString Script = Dir.File("bin/xdg-open");
        ASSERT_TRUE(WriteRaw(Script,
                             QString("#!/bin/sh\n"
                                     "printf '%s\\n' \"$@\" >> '%1'\n"
                                     "for A in \"$@\"; do cp \"${A#file://}\" '%2' && mv '%2' '%3'; done\n")
                                 .arg(Dir.File("opened.log"), Dir.File("page.part"), Dir.File("page.html"))
                                 .toUtf8()));
        QFile::setPermissions(Script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

} // namespace

TEST_F(RealProgram, WritesTheFullReportOfAContactFileAndHandsItToTheDesktop)
{
    if (!QFile::exists(ProgramPath()))
        GTEST_SKIP() << "the program " << ProgramPath().toStdString() << " has not been built";
    MakeContactFile("a.quorvy", {{1, "Anders"}});
    MakeContactFile("b.quorvy",
                    {{1, "Jansen", "Piet", {}, "04/05/1970", "06-12345678"},
                     {2, "<b>Bakker</b> & Zn", {}, "de", {}, {}, "<script>x()</script>"}});
    ASSERT_TRUE(QDir().mkpath(Dir.File("config/quorvy")));
    ASSERT_TRUE(
        WriteRaw(Dir.File("config/quorvy/quorvy.ini"),
                 QString("[Algemeen]\r\nConfirmOnExit=0\r\n[Folders]\r\nData=%1\r\n").arg(DataFolder).toUtf8()));
    WriteOpener();
    // What the program gets besides the display: folders of this test's
    // own, and the opener before the desktop's.
    const TEnvGuard Home("HOME", Dir.File("home").toUtf8());
    const TEnvGuard Config("XDG_CONFIG_HOME", Dir.File("config").toUtf8());
    const TEnvGuard State("XDG_STATE_HOME", Dir.File("state").toUtf8());
    const TEnvGuard Cache("XDG_CACHE_HOME", Dir.File("cache").toUtf8());
    const TEnvGuard Path("PATH", Dir.File("bin").toUtf8() + ':' + qgetenv("PATH"));
    const TEnvGuard Desktop("XDG_CURRENT_DESKTOP", QByteArray());
    const TEnvGuard Session("DESKTOP_SESSION", QByteArray());
    const TEnvGuard Browser("BROWSER", QByteArray());

    TXSession X;
    QV_SKIP_WITHOUT_X(X);
    ASSERT_TRUE(X.Start(ProgramPath()));
    const QString Main = X.WaitForWindow(QStringLiteral("^Quorvy.* 2023$"));
    ASSERT_FALSE(Main.isEmpty());
    // The file list has the focus on its first entry: the second is opened,
    // and the person grid then takes Ctrl+P.
    ASSERT_TRUE(X.SendKeys({"Down"}, Main));
    ASSERT_FALSE(X.WaitForWindow(QStringLiteral("^Quorvy.* - .*b\\.quorvy$")).isEmpty()) << "the file did not open";
    ASSERT_TRUE(X.SendKeys({"ctrl+p"}, Main));
    const QString Report = X.WaitForWindow(QStringLiteral("Volledige Rapportage"));
    ASSERT_FALSE(Report.isEmpty());
    ASSERT_TRUE(X.SendKeys({"Return"}, Report));
    ASSERT_TRUE(X.WaitUntil([&] { return QFile::exists(Dir.File("page.html")); })) << "the page was not handed on";
    EXPECT_TRUE(X.WaitUntilGone(Report));
    ASSERT_TRUE(X.SendKeys({"alt+x"}, Main));
    EXPECT_EQ(X.WaitForExit(), 0);

    const QStringList Opened = QString::fromUtf8(ReadRaw(Dir.File("opened.log"))).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(Opened.size(), 1);
    EXPECT_TRUE(Opened[0].startsWith("file://" + Dir.File("tmp/quorvy$"))) << Opened[0].toStdString();
    EXPECT_TRUE(Opened[0].endsWith(".html")) << Opened[0].toStdString();
    const QString Page = QString::fromUtf8(ReadRaw(Dir.File("page.html")));
    EXPECT_TRUE(Page.startsWith("\xEF\xBB\xBF<HTML>\r\n")) << Page.left(40).toStdString();
    EXPECT_TRUE(Page.contains("<TITLE>Quorvy® 2023 - Volledige Rapportage</TITLE>"));
    EXPECT_TRUE(Page.contains(">Jansen<"));
    EXPECT_TRUE(Page.contains(">06-12345678<"));
    EXPECT_TRUE(Page.contains(">&lt;b&gt;Bakker&lt;/b&gt; &amp; Zn<"));
    EXPECT_FALSE(Page.contains("<script"));
    // The program's report files went when it ended.
    EXPECT_FALSE(QFile::exists(Opened[0].mid(7)));
}
