// Keys typed ahead on a real X server with openbox: the keys the desktop
// delivered to a window while the program was busy, before the key handled
// then opened a modal form, land in that form.  (Qt drops what it takes
// in for a window that a modal window blocks.)  So do the keys the desktop
// still gives the owner after the modal form has shown: the window manager
// may move the keyboard to the new form only a while later.
#include "platform/forms/Forms.h"
#include "platform/stdctrls/Edit.h"
#include "tests/support/WindowHelpers.h"
#include "tests/support/XServer.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

QV_X_SERVER_TEST(KeysTypedBeforeAModalFormShowsLandInIt)
{
    TForm* Main = CreateNewForm<TForm>(nullptr);
    Main->SetCaption(QStringLiteral("Hoofdvenster"));
    Main->SetBounds(100, 100, 400, 200);
    auto* Here = new TEdit(Main);
    Here->SetBoundsRect(Bounds(10, 10, 200, 24));
    Here->SetParent(Main);
    const QString Problem = ShowOnDesktop(Main);
    ASSERT_TRUE(Problem.isEmpty()) << Problem.toStdString();
    Here->SetFocus();
    PumpMessages();

    TForm* Dialog = CreateNewForm<TForm>(nullptr);
    Dialog->SetCaption(QStringLiteral("Dialoog"));
    Dialog->SetBorderStyle(bsDialog);
    Dialog->SetBounds(150, 150, 300, 100);
    auto* There = new TEdit(Dialog);
    There->SetBoundsRect(Bounds(10, 10, 200, 24));
    There->SetParent(Dialog);
    // Typed while the program is busy: the desktop holds the keys for the
    // main window, which has the keyboard until the dialog shows.
    RunXTool(QStringLiteral("xdotool"), {QStringLiteral("type"), QStringLiteral("abc")});
    QElapsedTimer Clock;
    QTimer Watch;
    Watch.setInterval(50);
    QObject::connect(&Watch, &QTimer::timeout, [&] {
        if (There->Text() == QStringLiteral("abc") || Clock.elapsed() > XPatience)
            Dialog->SetModalResult(mrOk);
    });
    Clock.start();
    Watch.start();
    Dialog->ShowModal();
    Watch.stop();
    EXPECT_EQ(There->Text(), QStringLiteral("abc"));
    EXPECT_EQ(Here->Text(), QString());
    Dialog->Free();
    Main->Free();
}

QV_X_SERVER_TEST(KeysTheDesktopStillGivesTheOwnerLandInTheModalForm)
{
    TForm* Main = CreateNewForm<TForm>(nullptr);
    Main->SetCaption(QStringLiteral("Hoofdvenster"));
    Main->SetBounds(100, 100, 400, 200);
    auto* Here = new TEdit(Main);
    Here->SetBoundsRect(Bounds(10, 10, 200, 24));
    Here->SetParent(Main);
    const QString Problem = ShowOnDesktop(Main);
    ASSERT_TRUE(Problem.isEmpty()) << Problem.toStdString();
    Here->SetFocus();
    PumpMessages();

    TForm* Dialog = CreateNewForm<TForm>(nullptr);
    Dialog->SetCaption(QStringLiteral("Dialoog"));
    Dialog->SetBorderStyle(bsDialog);
    Dialog->SetBounds(150, 150, 300, 100);
    auto* There = new TEdit(Dialog);
    There->SetBoundsRect(Bounds(10, 10, 200, 24));
    There->SetParent(Dialog);
    const QString MainId = QString::number(WindowQtWidget(Main->Handle())->winId());
    bool Typed = false;
    QElapsedTimer Clock;
    QTimer Watch;
    Watch.setInterval(50);
    QObject::connect(&Watch, &QTimer::timeout, [&] {
        if (!Typed && There->Focused()) {
            // The keyboard still (or again) with the owner, as the desktop
            // has it while it has not yet moved it to the modal form.
            Typed = true;
            RunXTool(QStringLiteral("xdotool"), {QStringLiteral("windowfocus"), QStringLiteral("--sync"), MainId});
            RunXTool(QStringLiteral("xdotool"), {QStringLiteral("type"), QStringLiteral("abc")});
        }
        if (There->Text() == QStringLiteral("abc") || Clock.elapsed() > XPatience)
            Dialog->SetModalResult(mrOk);
    });
    Clock.start();
    Watch.start();
    Dialog->ShowModal();
    Watch.stop();
    EXPECT_TRUE(Typed);
    EXPECT_EQ(There->Text(), QStringLiteral("abc"));
    EXPECT_EQ(Here->Text(), QString());
    Dialog->Free();
    Main->Free();
}
