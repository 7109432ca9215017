#pragma once
// A shown form to put standard controls on, and the few helpers the
// standard-control tests share: the clipboard's text and a message handler
// that runs whatever a test wants done inside a control's own loop (the
// combo box's open list).
#include "platform/forms/Application.h"
#include "tests/support/WindowHelpers.h"

#include <QApplication>
#include <QClipboard>
#include <deque>
#include <functional>
#include <gtest/gtest.h>

struct StdForm : ::testing::Test {
    // A message box no test expects answers at once and fails the test,
    // where a real one would wait for a person.
    TScriptedMessageBoxes Unexpected;
    TForm* Form = CreateNewForm<TForm>(nullptr);

    void SetUp() override
    {
        Form->SetBounds(50, 50, 400, 300);
        Form->Show();
    }
    void TearDown() override
    {
        if (Form != nullptr)
            Form->Free();
        for (const auto& Box : Unexpected.Asked())
            ADD_FAILURE() << "Unexpected message box: " << Box.Text.toStdString();
    }
    // Where a client point of Control is in the form's image.
    TPoint InForm(TControl* Control, TPoint P = {0, 0})
    {
        const TPoint S = Control->ClientToScreen(P);
        const TPoint F = Form->ClientToScreen({0, 0});
        return {S.X - F.X, S.Y - F.Y};
    }
    template <typename T>
    T* Make(const TRect& Bounds)
    {
        auto* C = new T(Form);
        C->SetBoundsRect(Bounds);
        C->SetParent(Form);
        return C;
    }
};

// The same form, counting the beeps of what its controls refuse.
struct StdFormCountingBeeps : StdForm {
    int Beeps = 0;
    void SetUp() override
    {
        StdForm::SetUp();
        SetBeepHook([this](UINT) { ++Beeps; });
    }
    void TearDown() override
    {
        SetBeepHook(nullptr);
        StdForm::TearDown();
    }
};

inline void SetClipboardText(const QString& Text)
{
    QApplication::clipboard()->setText(Text);
}

inline QString ClipboardText()
{
    return QApplication::clipboard()->text();
}

// Steps a test has run from the queue once a control runs a loop of its
// own: Start posts the first, and each posts the next when it is done, so
// that input a step sends is handled before the next step runs.
class TQueuedSteps {
public:
    TQueuedSteps() : FWnd(AllocateHWnd([this](TMessage& M) { Run(M); })) {}
    ~TQueuedSteps() { DeallocateHWnd(FWnd); }
    void Add(std::function<void()> Step) { FSteps.push_back(std::move(Step)); }
    // Runs the steps added since the last start.
    void Start()
    {
        if (FStarted < FSteps.size())
            PostMessage(FWnd, WM_USER, FStarted, 0);
        FStarted = FSteps.size();
    }

private:
    void Run(TMessage& M)
    {
        if (M.Msg != WM_USER || M.WParam >= FSteps.size())
            return;
        FSteps[M.WParam]();
        if (M.WParam + 1 < FStarted)
            PostMessage(FWnd, WM_USER, M.WParam + 1, 0);
    }
    HWND FWnd;
    std::deque<std::function<void()>> FSteps;
    std::size_t FStarted = 0;
};
