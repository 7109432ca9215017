#pragma once
// A form read from a definition text in tests, and its components looked
// up by name.
#include "platform/classes/Filer.h"
#include "platform/forms/Forms.h"
#include "tests/support/FormTextHelpers.h"

#include <gtest/gtest.h>

// A new form of class T, made without a definition of its own, with Text
// read into it.
template <typename T>
TRootPtr<T> ReadFormText(const QByteArray& Text, const QString& Source)
{
    TRootPtr<T> Form(CreateNewForm<T>(nullptr));
    ReadComponentFromText(Text, Form.get(), Source);
    return Form;
}

// The component of that name and class in Root; a failed expectation and
// nullptr when there is none.
template <typename T>
T* FindNamed(TComponent* Root, const char* Name)
{
    auto* C = dynamic_cast<T*>(Root->FindComponent(QString::fromLatin1(Name)));
    EXPECT_NE(C, nullptr) << Name;
    return C;
}
