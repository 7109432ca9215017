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

inline void SetClipboardText(const QString& Text)
{
    QApplication::clipboard()->setText(Text);
}

inline QString ClipboardText()
{
    return QApplication::clipboard()->text();
}

// Steps a test posts before a control starts a loop of its own: each runs
// from the queue, one per message, in the order given.
class TQueuedSteps {
public:
    TQueuedSteps() : FWnd(AllocateHWnd([this](TMessage& M) { Run(M); })) {}
    ~TQueuedSteps() { DeallocateHWnd(FWnd); }
    void Post(std::function<void()> Step)
    {
        FSteps.push_back(std::move(Step));
        PostMessage(FWnd, WM_USER, WPARAM(FSteps.size() - 1), 0);
    }

private:
    void Run(TMessage& M)
    {
        if (M.Msg == WM_USER && M.WParam < FSteps.size())
            FSteps[M.WParam]();
    }
    HWND FWnd;
    std::deque<std::function<void()>> FSteps;
};
