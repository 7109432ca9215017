#pragma once
// Shared pieces of the group bar's tests: a shown form holding one bar,
// groups made on it with items whose clicks are counted, and the process's
// colour state held steady for painting.
#include "controls/lists/FcGroupBar.h"
#include "controls/lists/FcGroupController.h"
#include "tests/controls/foundation/FcTestSupport.h"
#include "tests/support/WindowHelpers.h"

#include "platform/forms/Forms.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <map>

// A form of 300 x 400 with a bar aligned left, shown; every group and item
// made through it counts its clicks by caption.
class GroupBarFixture : public ::testing::Test {
protected:
    TForm* Form = CreateNewForm<TForm>(nullptr);
    TFcGroupBar* Bar = new TFcGroupBar(Form);
    std::map<QString, int> Clicks;
    TColorStateGuard Colors{false};

    void SetUp() override
    {
        Form->SetBounds(40, 40, 300, 400);
        Bar->SetParent(Form);
        Form->Show();
    }
    void TearDown() override { Form->Free(); }

    // A group on the bar; an item captioned "-" is a separator, one
    // starting with "~" has no handler (its caption without the "~").
    TFcGroup* AddGroup(const QString& Caption, std::initializer_list<QString> Items = {})
    {
        auto* G = new TFcGroup(Form);
        G->SetCaption(Caption);
        for (const QString& Text : Items)
            AddItem(G, Text);
        G->SetGroupBar(Bar);
        return G;
    }
    TFcGroupItem* AddItem(TFcGroup* G, const QString& Text)
    {
        TFcGroupItem* Item = G->Items()->Add();
        const bool Static = Text.startsWith(QLatin1Char('~'));
        Item->SetCaption(Static ? Text.mid(1) : Text);
        if (!Static && Text != QLatin1String("-"))
            Item->SetOnClick([this, Text](TObject*) { ++Clicks[Text]; });
        return Item;
    }
    static TPoint Middle(const TRect& R) { return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2}; }
    // The middle of an item's caption, once everything pending is painted
    // (the painter places the items).
    TPoint ItemPoint(TFcGroupItem* Item)
    {
        Paint();
        return Middle(Item->CaptionRect());
    }
    void Paint() { FormImage(Bar); }
};
