#pragma once
// A form for the tab tests with a tab control or page control on it, tabs
// of fixed sizes (so that the geometry does not hang on the fonts), and
// the painted picture of a control.
#include "controls/lists/FcPageControl.h"
#include "platform/forms/Forms.h"
#include "tests/support/ImageHelpers.h"
#include "tests/support/WindowHelpers.h"

#include <QStringList>
#include <gtest/gtest.h>

struct TTabFixture : ::testing::Test {
    TForm* Form = CreateNewForm<TForm>(nullptr);
    void SetUp() override { Form->SetBounds(0, 0, 460, 300); }
    void TearDown() override { Form->Free(); }

    // A tab strip at R with one tab per caption; each tab Width x Height
    // when both are given.
    TFcCustomTabControl* NewTabs(TRect R, const QStringList& Captions, int Width = 0, int Height = 0)
    {
        auto* T = new TFcCustomTabControl(Form);
        T->SetBoundsRect(R);
        T->SetParent(Form);
        T->SetTabWidth(Width);
        T->SetTabHeight(Height);
        for (const QString& C : Captions) {
            auto* Tab = new TFcTabData;
            Tab->SetCaption(C);
            T->Tabs()->Add(Tab);
        }
        T->TabsChanged();
        return T;
    }
    // A page control at R with one named page per caption.
    TFcPageControl* NewPages(TRect R, const QStringList& Captions)
    {
        auto* P = new TFcPageControl(Form);
        const QString Prefix = FPageControls++ == 0 ? QString() : QString::number(FPageControls);
        P->SetName(QStringLiteral("Pages") + Prefix);
        P->SetBoundsRect(R);
        P->SetParent(Form);
        for (int I = 0; I < Captions.size(); ++I) {
            auto* S = new TFcTabSheet(Form);
            S->SetName(QStringLiteral("Page%1%2").arg(Prefix).arg(I));
            S->SetCaption(Captions[I]);
            S->SetPageControl(P);
        }
        return P;
    }
    TFcTabSheet* Page(TFcPageControl* P, int Index) { return P->Pages(Index); }

private:
    int FPageControls = 0;
};

// A point inside tab Index, away from its slants: the middle of its client
// rectangle.
inline TPoint TabCentre(TFcCustomTabControl* T, int Index)
{
    return CenterPoint(T->TabClientRect(Index));
}

// A control placed on the form laid out and painted, as the form shows it.
inline QImage Shown(TControl* C)
{
    return FormImage(C).copy(QRect(C->Left(), C->Top(), C->Width(), C->Height()));
}
