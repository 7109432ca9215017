// Forms: streamed from a definition and shown, modal loops, closing with
// its questions, release after the running message, the main form.
#include "tests/platform/forms/TestControls.h"
#include "tests/support/ErrorMessages.h"
#include "tests/support/ImageHelpers.h"
#include "tests/support/StreamedForms.h"
#include "tests/support/TempDir.h"
#include "tests/support/WindowHelpers.h"

#include "platform/actions/ActnList.h"
#include "platform/actions/ImgList.h"
#include "platform/classes/Fixups.h"
#include "platform/classes/Resources.h"
#include "platform/forms/EndSession.h"
#include "platform/forms/Timer.h"

#include <QApplication>
#include <QFile>
#include <QWidget>
#include <QWindow>
#include <csignal>
#include <gtest/gtest.h>

namespace {

const char* const TestFormText = R"(object TestForm: TTestForm
  Left = 30
  Top = 20
  Caption = 'Proef'
  ClientWidth = 240
  ClientHeight = 120
  Color = clBtnFace
  OnCreate = FormCreate
  OnShow = FormShow
  object Box1: TTestBox
    Left = 8
    Top = 8
    Width = 100
    Height = 50
    Align = alTop
    Color = clYellow
  end
  object ButtonOK: TTestButton
    Left = 150
    Top = 80
    Caption = '&OK'
    Default = True
    ModalResult = 1
    OnClick = ButtonClick
  end
end
)";

struct FormDefinition : ::testing::Test {
    TTestDir Dir;
    void SetUp() override
    {
        QFile F(Dir.File(QStringLiteral("TestForm.form")));
        ASSERT_TRUE(F.open(QIODevice::WriteOnly));
        F.write(TestFormText);
        F.close();
        AddFormSearchPath(Dir.Path());
    }
    void TearDown() override { RemoveFormSearchPath(Dir.Path()); }
};

TEST_F(FormDefinition, IsStreamedThenCreatedThenShownOffscreen)
{
    TTestForm* F = CreateComponent<TTestForm>(nullptr);
    ASSERT_NE(F->Box1, nullptr);
    EXPECT_EQ(F->Created, 1);
    EXPECT_EQ(F->Shown, 0);
    EXPECT_EQ(F->Caption(), QStringLiteral("Proef"));
    F->Show();
    EXPECT_EQ(F->Shown, 1);
    EXPECT_EQ(F->ClientWidth(), 240);
    EXPECT_EQ(F->Box1->BoundsRect(), Rect(0, 0, 240, 50));
    EXPECT_TRUE(RectHasColor(FormImage(F), Bounds(0, 0, 240, 50), ColorToRGB(clYellow)));
    PressKey(F, Qt::Key_Return);
    EXPECT_EQ(F->Clicked, QStringList({"ButtonOK"}));
    F->Free();
}

TEST_F(FormDefinition, ValuesGivenBeforeStreamingAreSeenByOnCreate)
{
    TTestForm* F = CreateComponent<TTestForm>(nullptr, [](TTestForm* Made) {
        EXPECT_EQ(Made->Box1, nullptr); // not streamed yet
        Made->IsNew = true;
    });
    EXPECT_TRUE(F->IsNewAtCreate);
    EXPECT_EQ(F->Created, 1);
    F->Free();
    // A set-up step that raises frees the half-made form.
    EXPECT_THROW(CreateComponent<TTestForm>(nullptr, [](TTestForm*) { throw EInvalidOperation("nee"); }),
                 EInvalidOperation);
}

TEST_F(FormDefinition, TerminatingFromTheExceptionHandlerStillClosesTheMainForm)
{
    TTestForm* Main = nullptr;
    Application->CreateForm(Main);
    int Asked = 0, Closed = 0, Raised = 0;
    // The first close query refuses: the program goes on until the next
    // error, whose Terminate closes the main form for good.
    Main->SetOnCloseQuery([&](TObject*, bool& CanClose) { CanClose = ++Asked > 1; });
    Main->SetOnClose([&](TObject*, TCloseAction&) { ++Closed; });
    Application->SetOnException([](TObject*, Exception&) { Application->Terminate(); });
    TTimer Failing(nullptr);
    Failing.SetInterval(1);
    Failing.SetOnTimer([&](TObject*) {
        if (++Raised <= 2)
            throw EInvalidOperation("fout");
    });
    Application->Run();
    EXPECT_GE(Raised, 2);
    EXPECT_EQ(Asked, 2);
    EXPECT_EQ(Closed, 1);
    Application->SetOnException(nullptr);
    Main->Free();
    RestartApplication();
}

// Told to stop by the system (the session ends): each of the signals
// reaches the UI thread; the modal form is cancelled and the main form
// closes, its close query knowing why, as the program's close command would.
TEST_F(FormDefinition, TheEndOfTheSessionCancelsTheModalFormAndClosesTheMainForm)
{
    int Seen = 0;
    InstallEndSessionSignals([&] { ++Seen; });
    for (int Signal : {SIGTERM, SIGHUP, SIGINT}) {
        const int Before = Seen;
        ::raise(Signal);
        EXPECT_TRUE(RunUntil([&] { return Seen > Before; })) << "signal " << Signal;
    }

    TTestForm* Main = nullptr;
    Application->CreateForm(Main);
    bool EndingWhenAsked = false;
    int Closed = 0;
    Main->SetOnCloseQuery([&](TObject*, bool& CanClose) {
        EndingWhenAsked = Application->EndingSession();
        CanClose = true;
    });
    Main->SetOnClose([&](TObject*, TCloseAction&) { ++Closed; });
    InstallEndSessionSignals();
    TModalResult Result = mrNone;
    TTimer Signal(nullptr);
    Signal.SetInterval(1);
    Signal.SetOnTimer([&](TObject*) {
        Signal.SetEnabled(false);
        ::raise(SIGTERM);
    });
    TTimer Start(nullptr);
    Start.SetInterval(1);
    Start.SetOnTimer([&](TObject*) {
        Start.SetEnabled(false);
        TTestForm* Dialog = CreateComponent<TTestForm>(nullptr);
        Signal.SetEnabled(true);
        Result = Dialog->ShowModal();
        Dialog->Free();
    });
    Signal.SetEnabled(false);
    Application->Run();
    RemoveEndSessionSignals();
    EXPECT_EQ(Result, mrCancel);
    EXPECT_TRUE(EndingWhenAsked);
    EXPECT_EQ(Closed, 1);
    EXPECT_FALSE(Application->EndingSession());
    Main->Free();
    RestartApplication();
}

TEST_F(FormDefinition, ShowModalReturnsTheResultAButtonSets)
{
    TTestForm* F = CreateComponent<TTestForm>(nullptr);
    // Whatever ends a modal loop is scheduled before the loop starts.
    TTimer Later(nullptr);
    Later.SetInterval(1);
    Later.SetOnTimer([&](TObject*) {
        Later.SetEnabled(false);
        MouseClick(F->ButtonOK, {5, 5});
    });
    EXPECT_EQ(F->ShowModal(), mrOk);
    EXPECT_FALSE(F->Visible());
    EXPECT_EQ(F->Clicked, QStringList({"ButtonOK"}));
    F->Free();
}

struct Forms : ::testing::Test {
    TForm* Form = CreateNewForm<TForm>(nullptr);
    void TearDown() override
    {
        if (Form != nullptr)
            Form->Free();
    }
};

TEST_F(Forms, ACloseQueryCanRefuseTheClose)
{
    bool Allow = false;
    int Closed = 0;
    Form->SetOnCloseQuery([&](TObject*, bool& CanClose) { CanClose = Allow; });
    Form->SetOnClose([&](TObject*, TCloseAction&) { ++Closed; });
    Form->Show();
    Form->Close();
    EXPECT_TRUE(Form->Visible());
    EXPECT_EQ(Closed, 0);
    Allow = true;
    // The desktop's close button goes the same way.
    PostMessage(Form->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpMessages();
    EXPECT_FALSE(Form->Visible());
    EXPECT_EQ(Closed, 1);
}

TEST_F(Forms, CloseWithCaFreeReleasesTheFormAfterTheMessage)
{
    bool Destroyed = false;
    Form->SetOnClose([](TObject*, TCloseAction& Action) { Action = caFree; });
    Form->SetOnDestroy([&](TObject*) { Destroyed = true; });
    Form->Show();
    Form->Close();
    EXPECT_FALSE(Destroyed);
    PumpMessages();
    EXPECT_TRUE(Destroyed);
    Form = nullptr;
}

TEST_F(Forms, AModalFormClosedByItsCloseQueryStaysUntilAllowed)
{
    int Asked = 0;
    Form->SetOnCloseQuery([&](TObject*, bool& CanClose) { CanClose = ++Asked > 1; });
    TTimer Later(nullptr);
    Later.SetInterval(1);
    Later.SetOnTimer([&](TObject*) { Form->SetModalResult(mrCancel); });
    EXPECT_EQ(Form->ShowModal(), mrCancel);
    EXPECT_EQ(Asked, 2);
}

TEST_F(Forms, OtherFormsTakeNoInputWhileAModalOneRuns)
{
    TForm* Other = CreateNewForm<TForm>(nullptr);
    Other->Show();
    bool OtherEnabled = true;
    TTimer Later(nullptr);
    Later.SetInterval(1);
    Later.SetOnTimer([&](TObject*) {
        OtherEnabled = IsWindowEnabled(Other->Handle()) != 0;
        Form->SetModalResult(mrOk);
    });
    Form->ShowModal();
    EXPECT_FALSE(OtherEnabled);
    EXPECT_TRUE(IsWindowEnabled(Other->Handle()));
    Other->Free();
}

TEST_F(Forms, FocusGivenToAnotherFormDuringAModalLoopWaitsForThatForm)
{
    auto* First = new TTestBox(Form);
    auto* Second = new TTestBox(Form);
    for (TTestBox* B : {First, Second}) {
        B->SetTabStop(true);
        B->SetParent(Form);
    }
    Second->SetLeft(50);
    Form->Show();
    First->SetFocus();
    TForm* Dialog = CreateNewForm<TForm>(nullptr);
    HWND FocusDuring = nullptr;
    TTimer Later(nullptr);
    Later.SetInterval(1);
    Later.SetOnTimer([&](TObject*) {
        Later.SetEnabled(false);
        EXPECT_NO_THROW(Second->SetFocus());
        FocusDuring = GetFocus();
        Dialog->SetModalResult(mrOk);
    });
    Dialog->ShowModal();
    EXPECT_NE(FocusDuring, Second->Handle());
    EXPECT_EQ(Form->ActiveControl(), Second);
    PumpMessages();
    EXPECT_TRUE(Second->Focused());
    Dialog->Free();
}

// A dialog made, shown modally and freed, a hundred times: each one's Qt
// window goes with it once the loop has run, not only when some Qt loop of
// its own (a menu) happens to run.
TEST_F(Forms, FreedDialogsLeaveNoWindowBehind)
{
    Form->Show();
    PumpMessages();
    const auto Windows = [] { return QApplication::topLevelWidgets().size(); };
    const auto Before = Windows();
    for (int I = 0; I < 100; ++I) {
        TForm* Dialog = CreateNewForm<TForm>(nullptr);
        Dialog->SetBorderStyle(bsDialog);
        Dialog->SetBounds(40, 40, 200, 100);
        PostMessage(Dialog->Handle(), WM_CLOSE, 0, 0);
        Dialog->ShowModal();
        Dialog->Free();
        PumpMessages();
    }
    EXPECT_EQ(Windows(), Before);
}

// What the desktop is told (shown on a real window manager by the X
// server tests): a modal form is owned by the window that was active and
// shown modal to it; its dialog border gives a fixed size.
TEST_F(Forms, AModalDialogIsOwnedByTheActiveWindowAndFixed)
{
    Form->Show();
    TForm* Dialog = CreateNewForm<TForm>(nullptr);
    Dialog->SetBorderStyle(bsDialog);
    Dialog->SetBounds(40, 40, 200, 100);
    HWND Owner = nullptr;
    Qt::WindowModality Modality = Qt::NonModal;
    QWindow* Transient = nullptr;
    QSize Min, Max;
    TTimer Later(nullptr);
    Later.SetInterval(1);
    Later.SetOnTimer([&](TObject*) {
        Later.SetEnabled(false);
        QWidget* W = WindowQtWidget(Dialog->Handle());
        Owner = GetWindow(Dialog->Handle(), GW_OWNER);
        Modality = W->windowModality();
        Transient = W->windowHandle()->transientParent();
        Min = W->minimumSize();
        Max = W->maximumSize();
        Dialog->SetModalResult(mrOk);
    });
    Dialog->ShowModal();
    EXPECT_EQ(Owner, Form->Handle());
    EXPECT_EQ(Modality, Qt::WindowModal);
    EXPECT_EQ(Transient, WindowQtWidget(Form->Handle())->windowHandle());
    EXPECT_EQ(Min, QSize(200, 100));
    EXPECT_EQ(Max, QSize(200, 100));
    EXPECT_EQ(WindowQtWidget(Dialog->Handle())->windowModality(), Qt::NonModal);
    Dialog->Free();
}

TEST_F(Forms, ShowModalOnAVisibleFormIsRefused)
{
    Form->Show();
    EXPECT_THROW(Form->ShowModal(), EInvalidOperation);
}

TEST_F(Forms, DraggingTheSizeGripOrTheCaptionFollowsTheMouse)
{
    // Offscreen there is no desktop drag: the window's own loop follows
    // the queued mouse until the button is let go or Escape is pressed.
    Form->SetBounds(100, 100, 300, 200);
    Form->Constraints()->SetMinWidth(250);
    Form->Show();
    const TPoint Grip{295, 195};
    auto Drag = [&](WPARAM Command, TPoint To, bool Escape) {
        MouseMove(Form, Grip);
        QueueMouseMove(Form, {Grip.X + 40, Grip.Y + 30});
        QueueMouseMove(Form, To);
        if (Escape)
            PostMessage(Form->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
        else
            QueueMouseUp(Form, To);
        SendMessage(Form->Handle(), WM_SYSCOMMAND, Command, 0);
        EXPECT_EQ(GetCapture(), nullptr);
    };
    Drag(WPARAM(SC_SIZE) + WMSZ_BOTTOMRIGHT, {Grip.X - 100, Grip.Y + 10}, false);
    EXPECT_EQ(Form->BoundsRect(), Bounds(100, 100, 250, 210)); // 200 wide asked, the minimum holds
    Drag(WPARAM(SC_SIZE) + WMSZ_BOTTOMRIGHT, {Grip.X + 10, Grip.Y + 10}, true);
    EXPECT_EQ(Form->BoundsRect(), Bounds(100, 100, 250, 210));
    Drag(SC_MOVE, {Grip.X + 5, Grip.Y - 20}, false);
    EXPECT_EQ(Form->BoundsRect(), Bounds(105, 80, 250, 210));
}

TEST_F(Forms, TheFirstFormMadeByTheApplicationIsItsMainForm)
{
    ASSERT_EQ(Application->MainForm(), nullptr);
    TForm* Main = nullptr;
    TTestDir Dir;
    QFile F(Dir.File(QStringLiteral("TestForm.form")));
    ASSERT_TRUE(F.open(QIODevice::WriteOnly));
    F.write(TestFormText);
    F.close();
    AddFormSearchPath(Dir.Path());
    TTestForm* Made = nullptr;
    Application->CreateForm(Made);
    Main = Made;
    EXPECT_EQ(Application->MainForm(), Main);
    EXPECT_EQ(Made->Created, 1);
    Main->Free();
    RemoveFormSearchPath(Dir.Path());
    EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST(FormGeometry, EveryBorderStyleKeepsItsClientSizeWhenShown)
{
    // The desktop's window manager frames every form with a caption,
    // dialogs too: nothing of the designed client area goes to a frame.
    for (const char* Style : {"bsSizeable", "bsSingle", "bsDialog", "bsToolWindow", "bsSizeToolWin", "bsNone"}) {
        const QByteArray Text = "object F: TForm\n  BorderStyle = " + QByteArray(Style)
            + "\n  ClientWidth = 400\n  ClientHeight = 260\nend\n";
        auto Form = ReadFormText<TForm>(Text, QStringLiteral("dialog.form"));
        Form->Show();
        EXPECT_EQ(Form->ClientWidth(), 400) << Style;
        EXPECT_EQ(Form->ClientHeight(), 260) << Style;
        EXPECT_TRUE(WriteComponentToText(Form.get()).contains("ClientWidth = 400")) << Style;
    }
}

TEST(FormReferences, AnotherFormsComponentsAreFoundByTheFormsName)
{
    // The record windows take their images from the main window's list.
    const char* const Main = "object FormMain: TForm\n"
                             "  object ImageListMain: TImageList\n"
                             "  end\n"
                             "end\n";
    const char* const Record = "object FormQuorvy: TForm\n"
                               "  object ActionListQuorvy: TActionList\n"
                               "    Images = FormMain.ImageListMain\n"
                               "  end\n"
                               "end\n";
    auto MainForm = ReadFormText<TForm>(Main, QStringLiteral("qv_main.form"));
    auto RecordForm = ReadFormText<TForm>(Record, QStringLiteral("qv_qvy.form"));
    auto* Actions = FindNamed<TActionList>(RecordForm.get(), "ActionListQuorvy");
    EXPECT_EQ(Actions->Images(), MainForm->FindComponent(QStringLiteral("ImageListMain")));
    EXPECT_EQ(FindGlobalComponent(QStringLiteral("FormQuorvy")), RecordForm.get());
    EXPECT_TRUE(WriteComponentToText(RecordForm.get()).contains("Images = FormMain.ImageListMain"));

    // The main window going clears the reference; without it the record
    // window's definition does not read, and says what is missing.
    MainForm.reset();
    EXPECT_EQ(Actions->Images(), nullptr);
    EXPECT_EQ(FindGlobalComponent(QStringLiteral("FormMain")), nullptr);
    RecordForm.reset();
    const QString Message =
        ErrorMessage<EReadError>([&] { ReadFormText<TForm>(Record, QStringLiteral("qv_qvy.form")); });
    EXPECT_TRUE(Message.startsWith(QStringLiteral("qv_qvy.form(3): Error reading ActionListQuorvy.Images: "
                                                  "Unresolved reference 'FormMain.ImageListMain'")))
        << Message.toStdString();
}

} // namespace

TEST_F(Forms, ANewCaptionOfAShownFormReachesTheDesktopsTitleBar)
{
    Form->SetCaption("Eerst");
    Form->Show();
    ASSERT_NE(WindowQtWidget(Form->Handle()), nullptr);
    EXPECT_EQ(WindowQtWidget(Form->Handle())->windowTitle(), "Eerst");
    Form->SetCaption("Daarna - met een bestand");
    EXPECT_EQ(WindowQtWidget(Form->Handle())->windowTitle(), "Daarna - met een bestand");
}
