// A program on a real X server with a window manager, driven as a user
// would drive it: a form read from its definition is shown where it asked
// to be, painted, closed with a key, and knows its bounds when maximised.
// Skipped where no X server can be started.
#include "tests/support/XSession.h"
#include "platform/graphics/Colors.h"

#include <QDeadlineTimer>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

const QString Title = QStringLiteral("Quorvy X-proef");

// The last "<What> left top width height" line the probe wrote, waiting
// for one that Accept takes.
QRect WaitForReport(TXSession& X, const char* What, const std::function<bool(const QRect&)>& Accept,
                    int TimeoutMs = 10000)
{
    const QRegularExpression Line(QStringLiteral("^%1 (-?\\d+) (-?\\d+) (\\d+) (\\d+)$").arg(QLatin1String(What)),
                                  QRegularExpression::MultilineOption);
    const QDeadlineTimer Deadline(TimeoutMs);
    do {
        X.Program().waitForReadyRead(100);
        QRect Last;
        for (auto It = Line.globalMatch(QString::fromLatin1(X.ProgramOutput())); It.hasNext();) {
            const auto M = It.next();
            Last = QRect(M.captured(1).toInt(), M.captured(2).toInt(), M.captured(3).toInt(), M.captured(4).toInt());
        }
        if (Last.isValid() && Accept(Last))
            return Last;
    } while (!Deadline.hasExpired());
    return QRect();
}

// Starts the probe and waits for its form; the form's window id, or empty
// when it did not show.
QString ShowProbe(TXSession& X)
{
    return X.Start(QStringLiteral(QV_XPROBE)) ? X.WaitForWindow(Title) : QString();
}

} // namespace

TEST(XSession, AFormFromADefinitionShowsCentredPaintsAndClosesWithAKey)
{
    TXSession X(QSize(1280, 1024));
    QV_SKIP_WITHOUT_X(X);
    const QString Window = ShowProbe(X);
    ASSERT_FALSE(Window.isEmpty()) << "the form did not show";

    // In the middle of the screen, at its designed size.
    const QRect Where = X.WindowGeometry(Window);
    EXPECT_EQ(Where, QRect((1280 - 320) / 2, (1024 - 160) / 2, 320, 160));

    // Painted: the face between the buttons and the top is the form's.
    const QImage Shot = X.Screenshot();
    ASSERT_FALSE(Shot.isNull()) << "no screenshot (ImageMagick's import)";
    const QRgb Face = Shot.pixel(Where.left() + 20, Where.top() + 20);
    EXPECT_EQ(RGB(qRed(Face), qGreen(Face), qBlue(Face)), COLORREF(ColorToRGB(clBtnFace)));

    // Escape presses Cancel: the modal result is the exit code.
    EXPECT_TRUE(X.SendKeys({QStringLiteral("Escape")}, Window));
    EXPECT_EQ(X.WaitForExit(), 2);
}

TEST(XSession, AFormMaximisedByTheDesktopKnowsTheBoundsItReturnsTo)
{
    TXSession X(QSize(1024, 768));
    QV_SKIP_WITHOUT_X(X);
    const QString Window = ShowProbe(X);
    ASSERT_FALSE(Window.isEmpty()) << "the form did not show";
    ASSERT_TRUE(X.SendKeys({QStringLiteral("F3")}, Window));
    const QRect Normal = WaitForReport(X, "bounds", [](const QRect&) { return true; });
    ASSERT_EQ(Normal, QRect((1024 - 320) / 2, (768 - 160) / 2, 320, 160));

    // Maximised by the user: a double click on the window manager's title
    // bar, just above the client area.
    const QRect Where = X.WindowGeometry(Window);
    ASSERT_TRUE(X.Click(QPoint(Where.center().x(), Where.top() - 6), 2));
    const QDeadlineTimer Deadline(10000);
    while (X.WindowGeometry(Window).width() <= 320 && !Deadline.hasExpired())
        X.Program().waitForReadyRead(100);
    ASSERT_TRUE(X.SendKeys({QStringLiteral("F3")}, Window));
    const QRect Maximised = WaitForReport(X, "bounds", [](const QRect& R) { return R.width() > 320; });
    EXPECT_GT(Maximised.width(), 320) << "the window manager did not maximise the form";
    EXPECT_EQ(WaitForReport(X, "restored", [](const QRect&) { return true; }), Normal);

    EXPECT_TRUE(X.SendKeys({QStringLiteral("Return")}, Window));
    EXPECT_EQ(X.WaitForExit(), 1);
}
