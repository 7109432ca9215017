#pragma once
// A shown form to put the framed list and edit controls on, with the
// process-wide colour and theme state reset for each test, beeps counted,
// the clock and the wheel setting under the test's control, and the pixels
// of a control as the form shows them.
#include "controls/foundation/FcColorScheme.h"
#include "controls/foundation/FcThemeBridge.h"
#include "platform/forms/Forms.h"
#include "tests/support/ErrorMessages.h"
#include "tests/support/ImageHelpers.h"
#include "tests/support/WindowHelpers.h"

#include <QApplication>
#include <QClipboard>
#include <gtest/gtest.h>

struct ListsForm : ::testing::Test {
    TScriptedMessageBoxes Unexpected;
    TFcThemeBridge SavedBridge = FcThemeBridge();
    TForm* Form = CreateNewForm<TForm>(nullptr);
    int Beeps = 0;

    void SetUp() override
    {
        FcThemeBridge().ThemesEnabled = [] { return false; };
        SetBeepHook([this](UINT) { ++Beeps; });
        QApplication::setWheelScrollLines(3);
        Form->SetBounds(50, 50, 420, 320);
        Form->Show();
    }
    void TearDown() override
    {
        if (Form != nullptr)
            Form->Free();
        SetBeepHook(nullptr);
        FcThemeBridge() = SavedBridge;
        for (const auto& Box : Unexpected.Asked())
            ADD_FAILURE() << "Unexpected message box: " << Box.Text.toStdString();
    }
    template <typename T>
    T* Make(const TRect& Bounds, TWinControl* Parent = nullptr)
    {
        auto* C = new T(Form);
        C->SetBoundsRect(Bounds);
        C->SetParent(Parent != nullptr ? Parent : Form);
        return C;
    }
    // What the form shows of C (its whole window) once everything pending
    // is painted.
    QImage Shown(TControl* C)
    {
        const QImage I = FormImage(Form);
        const TPoint A = C->ClientOrigin(), B = Form->ClientToScreen({0, 0});
        TRect W;
        if (auto* Win = dynamic_cast<TWinControl*>(C); Win != nullptr && Win->HandleAllocated()) {
            GetWindowRect(Win->Handle(), &W);
            return I.copy(W.Left - B.X, W.Top - B.Y, W.Width(), W.Height());
        }
        return I.copy(A.X - B.X, A.Y - B.Y, C->Width(), C->Height());
    }
};

// Types Text into whatever has the focus of the form Control is on, key by
// key as a keyboard would.
inline void TypeText(TControl* Control, const QString& Text)
{
    TypeCharacters(Control, Text);
}

inline void SetClipboardText(const QString& Text)
{
    QApplication::clipboard()->setText(Text);
}
