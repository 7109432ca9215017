#pragma once
// A form for the container tests (panels, group boxes, status bars, panes,
// popups), with controls put on it by one call and their pixels as the
// form shows them.
#include "platform/forms/Forms.h"
#include "tests/support/ImageHelpers.h"
#include "tests/support/WindowHelpers.h"

#include <gtest/gtest.h>

struct TContainerFixture : ::testing::Test {
    TForm* Form = CreateNewForm<TForm>(nullptr);
    void TearDown() override
    {
        if (Form != nullptr)
            Form->Free();
    }

    // A new T owned by the form, at R on Parent (the form when nullptr).
    template <typename T>
    T* Add(TRect R, TWinControl* Parent = nullptr)
    {
        auto* C = new T(Form);
        C->SetBoundsRect(R);
        C->SetParent(Parent != nullptr ? Parent : Form);
        return C;
    }

    // What the form shows of C once everything pending is painted.
    QImage Shown(TControl* C)
    {
        const QImage I = FormImage(Form);
        const TPoint A = C->ClientToScreen({0, 0}), B = Form->ClientToScreen({0, 0});
        return I.copy(A.X - B.X, A.Y - B.Y, C->Width(), C->Height());
    }
};

// The colours along row Y of Image from X0 on, Count of them.
inline std::vector<COLORREF> RowColors(const QImage& Image, int Y, int X0, int Count, int Step = 1)
{
    std::vector<COLORREF> Colors;
    for (int I = 0; I < Count; ++I)
        Colors.push_back(ImagePixel(Image, X0 + I * Step, Y));
    return Colors;
}

inline std::vector<COLORREF> RGBs(std::initializer_list<TColor> Colors)
{
    std::vector<COLORREF> Result;
    for (TColor C : Colors)
        Result.push_back(ColorToRGB(C));
    return Result;
}
