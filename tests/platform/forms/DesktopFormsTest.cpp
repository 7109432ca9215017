// Forms as the window manager sees them, on a real X server with openbox:
// a modal dialog stays tied to the window it was opened from (transient
// for it, modal, above it however the user clicks it) and is modal no more
// when shown without its loop, its border style gives it a fixed size and
// only a close button, a tool window is one; and freed dialogs leave no X
// window behind.
#include "platform/forms/Forms.h"
#include "tests/support/WindowHelpers.h"
#include "tests/support/XServer.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

namespace {

QString XId(TCustomForm* Form)
{
    return QStringLiteral("0x") + QString::number(WindowQtWidget(Form->Handle())->winId(), 16);
}

using TFits = std::function<bool(const QString&)>;

// Waits until Form's property Name, as xprop prints it (also when it is
// not set), is one Fits takes.
::testing::AssertionResult PropertyShows(TCustomForm* Form, const char* Name, const TFits& Fits)
{
    return XToolShows(QStringLiteral("xprop"), {QStringLiteral("-id"), XId(Form), QString::fromLatin1(Name)},
                      [&](const QString& Value) { return !Value.isEmpty() && Fits(Value); });
}

// Takes a property that names all of Wanted and none of Unwanted.
TFits Names(const QStringList& Wanted, const QStringList& Unwanted = {})
{
    return [=](const QString& Value) {
        return std::all_of(Wanted.begin(), Wanted.end(), [&](const QString& W) { return Value.contains(W); })
            && std::none_of(Unwanted.begin(), Unwanted.end(), [&](const QString& U) { return Value.contains(U); });
    };
}

bool Exposed(TCustomForm* Form)
{
    QWidget* W = WindowQtWidget(Form->Handle());
    return W != nullptr && W->windowHandle() != nullptr && W->windowHandle()->isExposed();
}

// The client windows from the bottom of the desktop's stack to its top, as
// xprop prints _NET_CLIENT_LIST_STACKING.
QStringList Stacking(const QString& Text)
{
    QStringList Ids;
    for (const QString& Part : Text.section(QLatin1Char('#'), 1).split(QLatin1Char(','), Qt::SkipEmptyParts))
        Ids << QStringLiteral("0x") + QString::number(Part.trimmed().toULongLong(nullptr, 16), 16);
    return Ids;
}

// What the desktop shows of Dialog while its modal loop runs: tied to
// Main, modal, a dialog of a fixed size with a title and a close button
// only, and above Main however the user clicks Main.
void ExpectModalDialogOf(TCustomForm* Main, TCustomForm* Dialog)
{
    EXPECT_TRUE(PropertyShows(Dialog, "WM_TRANSIENT_FOR", Names({XId(Main)})));
    EXPECT_TRUE(PropertyShows(Dialog, "_NET_WM_STATE", Names({QStringLiteral("_NET_WM_STATE_MODAL")})));
    EXPECT_TRUE(PropertyShows(Dialog, "_NET_WM_WINDOW_TYPE", Names({QStringLiteral("_NET_WM_WINDOW_TYPE_DIALOG")})));
    // Neither sized nor maximised; closed.
    EXPECT_TRUE(
        PropertyShows(Dialog, "_NET_WM_ALLOWED_ACTIONS",
                      Names({QStringLiteral("_NET_WM_ACTION_CLOSE")},
                            {QStringLiteral("_NET_WM_ACTION_RESIZE"), QStringLiteral("_NET_WM_ACTION_MAXIMIZE_HORZ"),
                             QStringLiteral("_NET_WM_ACTION_MAXIMIZE_VERT")})));
    // A title and a close button, no buttons to minimise or maximise (the
    // third number: the decorations).
    EXPECT_TRUE(PropertyShows(Dialog, "_MOTIF_WM_HINTS", [](const QString& Hints) {
        const unsigned Decorations = Hints.section(QLatin1Char(','), 2, 2).trimmed().toUInt(nullptr, 16);
        return Hints.contains(QLatin1Char('=')) && (Decorations & (0x20 | 0x40)) == 0 && (Decorations & 0x08) != 0;
    }));

    // The user clicks the main window beside the dialog.  Whatever the
    // window manager does about it, it has done once it caught up.
    const TPoint Beside = Main->ClientToScreen({550, 350});
    XClick(Beside.X, Beside.Y);
    ASSERT_TRUE(WindowManagerCaughtUp());
    EXPECT_TRUE(XToolShows(QStringLiteral("xwininfo"), {QStringLiteral("-id"), XId(Dialog)},
                           Names({QStringLiteral("IsViewable")})));
    EXPECT_TRUE(XToolShows(QStringLiteral("xprop"),
                           {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")},
                           [&](const QString& Text) {
                               const QStringList Ids = Stacking(Text);
                               return Ids.contains(XId(Main)) && Ids.indexOf(XId(Dialog)) > Ids.indexOf(XId(Main));
                           }))
        << "the dialog is above its owner";
}

} // namespace

QV_X_SERVER_TEST(FormsAsTheWindowManagerSeesThem)
{
    TForm* Main = CreateNewForm<TForm>(nullptr);
    Main->SetCaption(QStringLiteral("Hoofdvenster"));
    Main->SetBounds(100, 100, 600, 400);
    const QString Problem = ShowOnDesktop(Main);
    ASSERT_TRUE(Problem.isEmpty()) << Problem.toStdString();

    // A tool window of the main form: a utility window, fixed, tied to it.
    TForm* Tool = CreateNewForm<TForm>(Main);
    Tool->SetBorderStyle(bsToolWindow);
    Tool->SetBounds(720, 100, 200, 120);
    Tool->Show();
    ASSERT_TRUE(RunUntil([&] { return Exposed(Tool); }, XPatience));
    EXPECT_TRUE(PropertyShows(Tool, "_NET_WM_WINDOW_TYPE", Names({QStringLiteral("_NET_WM_WINDOW_TYPE_UTILITY")})));
    EXPECT_TRUE(PropertyShows(Tool, "WM_TRANSIENT_FOR", Names({XId(Main)})));
    EXPECT_TRUE(
        PropertyShows(Tool, "_NET_WM_ALLOWED_ACTIONS",
                      Names({QStringLiteral("_NET_WM_ACTION_CLOSE")}, {QStringLiteral("_NET_WM_ACTION_RESIZE")})));
    Tool->Free();

    // A modal dialog, looked at while its loop runs.
    TForm* Dialog = CreateNewForm<TForm>(nullptr);
    Dialog->SetCaption(QStringLiteral("Dialoog"));
    Dialog->SetBorderStyle(bsDialog);
    Dialog->SetBounds(150, 150, 300, 150);
    QElapsedTimer Clock;
    bool Looked = false;
    QTimer Watch;
    Watch.setInterval(50);
    QObject::connect(&Watch, &QTimer::timeout, [&] {
        if (Looked || (!Exposed(Dialog) && Clock.elapsed() < XPatience))
            return;
        Looked = true;
        EXPECT_TRUE(Exposed(Dialog)) << "the dialog did not show";
        ExpectModalDialogOf(Main, Dialog);
        Dialog->SetModalResult(mrOk);
    });
    Clock.start();
    Watch.start();
    EXPECT_EQ(Dialog->ShowModal(), mrOk);
    Watch.stop();
    // Its loop over, it goes; shown again without one, it is not modal.
    EXPECT_TRUE(RunUntil([&] { return !Exposed(Dialog); }, XPatience));
    EXPECT_TRUE(XToolShows(QStringLiteral("xwininfo"), {QStringLiteral("-id"), XId(Dialog)},
                           Names({QStringLiteral("IsUnMapped")})));
    Dialog->Show();
    ASSERT_TRUE(RunUntil([&] { return Exposed(Dialog); }, XPatience));
    EXPECT_TRUE(PropertyShows(Dialog, "_NET_WM_STATE", Names({}, {QStringLiteral("_NET_WM_STATE_MODAL")})));
    Dialog->Free();

    // Dialogs freed leave no X window behind.
    for (int I = 0; I < 10; ++I) {
        TForm* Gone = CreateNewForm<TForm>(nullptr);
        Gone->SetCaption(QStringLiteral("Weg"));
        Gone->SetBorderStyle(bsDialog);
        Gone->SetBounds(200, 200, 200, 100);
        PostMessage(Gone->Handle(), WM_CLOSE, 0, 0);
        Gone->ShowModal();
        Gone->Free();
        PumpMessages();
    }
    EXPECT_TRUE(XToolShows(
        QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")}, [](const QString& Tree) {
            return Tree.contains(QStringLiteral("Root window")) && !Tree.contains(QStringLiteral("\"Weg\""));
        }));
    Main->Free();
}
