// Forms as the window manager sees them, on a real X server with openbox:
// a modal dialog stays tied to the window it was opened from (transient
// for it, modal, above it however the user clicks it), its border style
// gives it a fixed size and only a close button, a tool window is one; and
// freed dialogs leave no X window behind.
#include "platform/forms/Forms.h"
#include "tests/support/WindowHelpers.h"
#include "tests/support/XServer.h"

#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

QString XId(TCustomForm* Form)
{
    return QStringLiteral("0x") + QString::number(WindowQtWidget(Form->Handle())->winId(), 16);
}

QString XProperty(TCustomForm* Form, const char* Name)
{
    return RunXTool(QStringLiteral("xprop"), {QStringLiteral("-id"), XId(Form), QString::fromLatin1(Name)});
}

bool Exposed(TCustomForm* Form)
{
    QWidget* W = WindowQtWidget(Form->Handle());
    return W != nullptr && W->windowHandle() != nullptr && W->windowHandle()->isExposed();
}

// The client windows from the bottom of the desktop's stack to its top.
QStringList Stacking()
{
    const QString Text =
        RunXTool(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")});
    QStringList Ids;
    for (const QString& Part : Text.section(QLatin1Char('#'), 1).split(QLatin1Char(','), Qt::SkipEmptyParts))
        Ids << QStringLiteral("0x") + QString::number(Part.trimmed().toULongLong(nullptr, 16), 16);
    return Ids;
}

void XClickAt(TPoint P)
{
    ::XClick(P.X, P.Y);
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
    ASSERT_TRUE(RunUntil([&] { return Exposed(Tool); }, 10000));
    EXPECT_TRUE(XProperty(Tool, "_NET_WM_WINDOW_TYPE").contains(QStringLiteral("_NET_WM_WINDOW_TYPE_UTILITY")));
    EXPECT_TRUE(XProperty(Tool, "WM_TRANSIENT_FOR").contains(XId(Main)));
    EXPECT_FALSE(XProperty(Tool, "_NET_WM_ALLOWED_ACTIONS").contains(QStringLiteral("_NET_WM_ACTION_RESIZE")));
    Tool->Free();

    // A modal dialog.
    TForm* Dialog = CreateNewForm<TForm>(nullptr);
    Dialog->SetCaption(QStringLiteral("Dialoog"));
    Dialog->SetBorderStyle(bsDialog);
    Dialog->SetBounds(150, 150, 300, 150);
    QString Transient, State, Type, Actions, Motif;
    QStringList Before, After;
    bool ViewableAfterClick = false;
    QTimer Watch;
    Watch.setInterval(50);
    bool Done = false;
    QObject::connect(&Watch, &QTimer::timeout, [&] {
        if (Done || !Exposed(Dialog))
            return;
        Done = true;
        Transient = XProperty(Dialog, "WM_TRANSIENT_FOR");
        State = XProperty(Dialog, "_NET_WM_STATE");
        Type = XProperty(Dialog, "_NET_WM_WINDOW_TYPE");
        Actions = XProperty(Dialog, "_NET_WM_ALLOWED_ACTIONS");
        Motif = XProperty(Dialog, "_MOTIF_WM_HINTS");
        Before = Stacking();
        // The user clicks the main window beside the dialog.
        XClickAt(Main->ClientToScreen({550, 350}));
        QTimer::singleShot(500, [&] {
            After = Stacking();
            ViewableAfterClick = RunXTool(QStringLiteral("xwininfo"), {QStringLiteral("-id"), XId(Dialog)})
                                     .contains(QStringLiteral("IsViewable"));
            Dialog->SetModalResult(mrOk);
        });
    });
    Watch.start();
    EXPECT_EQ(Dialog->ShowModal(), mrOk);
    Watch.stop();
    EXPECT_TRUE(Transient.contains(XId(Main))) << Transient.toStdString();
    EXPECT_TRUE(State.contains(QStringLiteral("_NET_WM_STATE_MODAL"))) << State.toStdString();
    EXPECT_TRUE(Type.contains(QStringLiteral("_NET_WM_WINDOW_TYPE_DIALOG"))) << Type.toStdString();
    // Neither sized nor maximised; a title and a close button, no buttons
    // to minimise or maximise (the third number: the decorations).
    for (const char* Action : {"_NET_WM_ACTION_RESIZE", "_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT"})
        EXPECT_FALSE(Actions.contains(QString::fromLatin1(Action))) << Action;
    EXPECT_TRUE(Actions.contains(QStringLiteral("_NET_WM_ACTION_CLOSE")));
    const unsigned Decorations = Motif.section(QLatin1Char(','), 2, 2).trimmed().toUInt(nullptr, 16);
    EXPECT_EQ(Decorations & (0x20 | 0x40), 0u) << Motif.toStdString();
    EXPECT_NE(Decorations & 0x08, 0u) << Motif.toStdString();
    EXPECT_TRUE(ViewableAfterClick);
    ASSERT_TRUE(After.contains(XId(Dialog)) && After.contains(XId(Main))) << After.join(' ').toStdString();
    EXPECT_GT(After.indexOf(XId(Dialog)), After.indexOf(XId(Main))) << "the dialog is above its owner";
    // Shown again without a modal loop it is no longer modal.
    EXPECT_FALSE(XProperty(Dialog, "_NET_WM_STATE").contains(QStringLiteral("_NET_WM_STATE_MODAL")));
    Dialog->Free();

    // Dialogs freed leave no X window behind.
    const auto Dialogs = [] {
        return RunXTool(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")})
            .count(QStringLiteral("\"Weg\""));
    };
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
    RunUntil([&] { return Dialogs() == 0; }, 3000);
    EXPECT_EQ(Dialogs(), 0);
    Main->Free();
}
