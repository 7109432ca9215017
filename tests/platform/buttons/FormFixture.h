#pragma once
// A form for the tests of this folder, with controls put on it by one call.
#include "platform/forms/Forms.h"

#include <gtest/gtest.h>

struct TFormFixture : ::testing::Test {
    TForm* Form = CreateNewForm<TForm>(nullptr);
    void TearDown() override { Form->Free(); }

    // A new T owned by the form, at R on Parent (the form when nullptr).
    template <typename T>
    T* Add(TRect R, TWinControl* Parent = nullptr)
    {
        auto* C = new T(Form);
        C->SetBoundsRect(R);
        C->SetParent(Parent != nullptr ? Parent : Form);
        return C;
    }
    template <typename T>
    T* Add(const char* Name, TRect R, TWinControl* Parent = nullptr)
    {
        T* C = Add<T>(R, Parent);
        C->SetName(QString::fromLatin1(Name));
        return C;
    }
};
