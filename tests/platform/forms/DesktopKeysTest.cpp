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
#include <functional>
#include <gtest/gtest.h>

namespace {

// A form of the test with one edit, which it returns in Edit.
TForm* FormWithEdit(const QString& Caption, const TRect& Rect, bool Dialog, TEdit*& Edit)
{
    TForm* Form = CreateNewForm<TForm>(nullptr);
    Form->SetCaption(Caption);
    if (Dialog)
        Form->SetBorderStyle(bsDialog);
    Form->SetBoundsRect(Rect);
    Edit = new TEdit(Form);
    Edit->SetBoundsRect(Bounds(10, 10, 200, 24));
    Edit->SetParent(Form);
    return Form;
}

// The main window shown on the desktop, its edit focused, and a dialog
// shown modally over it.  Typing runs before the dialog shows (Shown
// false) and in its loop, once its edit has the focus (Shown true), until
// it returns true; the loop ends once "abc" is in the dialog's edit, or
// after the patience a desktop step has.  The keys land in the dialog,
// none in the main window.
void ExpectTypedIntoTheModalForm(const std::function<bool(TForm* Main, bool Shown)>& Type)
{
    TEdit* Here = nullptr;
    TForm* Main = FormWithEdit(QStringLiteral("Hoofdvenster"), Bounds(100, 100, 400, 200), false, Here);
    const QString Problem = ShowOnDesktop(Main);
    ASSERT_TRUE(Problem.isEmpty()) << Problem.toStdString();
    Here->SetFocus();
    PumpMessages();
    TEdit* There = nullptr;
    TForm* Dialog = FormWithEdit(QStringLiteral("Dialoog"), Bounds(150, 150, 300, 100), true, There);
    bool Typed = Type(Main, false);
    QElapsedTimer Clock;
    QTimer Watch;
    Watch.setInterval(50);
    QObject::connect(&Watch, &QTimer::timeout, [&] {
        if (!Typed && There->Focused())
            Typed = Type(Main, true);
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

void TypeAbc()
{
    RunXTool(QStringLiteral("xdotool"), {QStringLiteral("type"), QStringLiteral("abc")});
}

} // namespace

QV_X_SERVER_TEST(KeysTypedBeforeAModalFormShowsLandInIt)
{
    // Typed while the program is busy: the desktop holds the keys for the
    // main window, which has the keyboard until the dialog shows.
    ExpectTypedIntoTheModalForm([](TForm*, bool) {
        TypeAbc();
        return true;
    });
}

QV_X_SERVER_TEST(KeysTheDesktopStillGivesTheOwnerLandInTheModalForm)
{
    ExpectTypedIntoTheModalForm([](TForm* Main, bool Shown) {
        if (!Shown)
            return false;
        // The keyboard still (or again) with the owner, as the desktop has
        // it while it has not yet moved it to the modal form.
        const QString MainId = QString::number(WindowQtWidget(Main->Handle())->winId());
        RunXTool(QStringLiteral("xdotool"), {QStringLiteral("windowfocus"), QStringLiteral("--sync"), MainId});
        TypeAbc();
        return true;
    });
}

// Typed ahead while the program is busy: Qt composes a dead key as it
// reads it from the X server, before it hands on the keys read earlier.
// The composed character still comes after them, in the field they lead
// to.
QV_X_SERVER_TEST(ACharacterComposedFromADeadKeyKeepsItsPlaceAmongTheKeys)
{
    // The keyboard Dutch users of US keyboards have: ' is a dead key.
    RunXTool(QStringLiteral("setxkbmap"), {QStringLiteral("us"), QStringLiteral("-variant"), QStringLiteral("intl")});
    TEdit* First = nullptr;
    TForm* Main = FormWithEdit(QStringLiteral("Hoofdvenster"), Bounds(100, 100, 400, 200), false, First);
    auto* Second = new TEdit(Main);
    Second->SetBoundsRect(Bounds(10, 50, 200, 24));
    Second->SetParent(Main);
    const QString Problem = ShowOnDesktop(Main);
    ASSERT_TRUE(Problem.isEmpty()) << Problem.toStdString();
    First->SetFocus();
    PumpMessages();
    // Sent while the program handles nothing: it reads them all at once.
    RunXTool(QStringLiteral("xdotool"),
             {QStringLiteral("key"), QStringLiteral("a"), QStringLiteral("Tab"), QStringLiteral("dead_acute"),
              QStringLiteral("e"), QStringLiteral("b")});
    EXPECT_TRUE(RunUntil([&] { return Second->Text().size() >= 2; }, XPatience));
    EXPECT_EQ(First->Text(), QStringLiteral("a"));
    EXPECT_EQ(Second->Text(), QString::fromUtf8("éb"));
    Main->Free();
}
