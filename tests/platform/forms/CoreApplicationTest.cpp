// A program without a GUI (a bare QCoreApplication, as the contact-file
// tools run) may use the cursor, the screen's facts, message boxes and
// forms: each gives its default answer, nothing crashes, and nothing casts
// the application to a GUI class (the sanitizer build aborts the probe on
// such a cast).
#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

TEST(CoreApplication, DesktopCallsGiveTheirDefaultsWithoutAGui)
{
    QProcess Probe;
    Probe.start(QStringLiteral(QV_COREPROBE), QStringList());
    ASSERT_TRUE(Probe.waitForFinished(60000));
    const QString Errors = QString::fromLocal8Bit(Probe.readAllStandardError());
    ASSERT_EQ(Probe.exitStatus(), QProcess::NormalExit) << Errors.toStdString();
    ASSERT_EQ(Probe.exitCode(), 0) << Errors.toStdString();
    // The cursor keeps its value, though nothing shows it; the screen is
    // one 1024x768 monitor of no display; a message box answers its escape
    // button (IDCANCEL) and an input query is cancelled; a form still has
    // its window handle.
    const QString Expected = QStringLiteral("cursor -11\nscoped -21\nrestored -11\ncursorpos 5007\n"
                                            "monitors 1\nprimary 0\nplace 1\nmetrics.monitors 1\n"
                                            "metrics.drag 4\ndoubleclick 500\nwheel 3\nbeep 1\nthemes 0\n"
                                            "icon 1\nmessagebox 2\ninputquery 0\nform 1\n");
    EXPECT_EQ(QString::fromLatin1(Probe.readAllStandardOutput()).toStdString(), Expected.toStdString())
        << Errors.toStdString();
}
