// Framed list controls whose event frees them: the wheel choosing a combo
// box item whose OnClick frees the box, and a click on a tab whose
// OnChange frees the strip.  Nothing touches the freed control afterwards
// (the sanitizer build sees it) and the handler's own state outlives it.
#include "controls/lists/FcComboBox.h"
#include "platform/classes/ComponentRef.h"
#include "tests/controls/lists/ListsFixture.h"
#include "tests/controls/lists/TabTestSupport.h"

namespace {

// A handler of any signature that frees Target and then uses what it
// captured; Seen holds the note once it ran.
auto Freeing(TComponent* Target, QString& Seen)
{
    return [Self = TComponentRef<>(Target), &Seen, Note = QString(200, u'n')](auto&&...) {
        if (Self)
            Self->Free();
        Seen = Note;
    };
}

struct FreedComboBox : ListsForm {};
struct FreedTabs : TTabFixture {};

} // namespace

TEST_F(FreedComboBox, TheWheelsChoiceEndsWithTheBox)
{
    auto* Combo = Make<TFcComboBox>(Bounds(10, 10, 150, 21));
    Combo->Items()->Add("een");
    Combo->Items()->Add("twee");
    Combo->SetItemIndex(0);
    QString Seen;
    int Changes = 0;
    Combo->SetOnClick(Freeing(Combo, Seen));
    Combo->SetOnChange([&](TObject*) { ++Changes; });
    const TComponentRef<> Left(Combo);
    Combo->SetFocus();
    MouseWheel(Combo, {10, 10}, -120);
    PumpMessages();
    EXPECT_FALSE(Left);
    EXPECT_EQ(Seen, QString(200, u'n'));
    EXPECT_EQ(Changes, 0);
}

TEST_F(FreedTabs, AClickedTabWhoseChangeFreesTheStripEndsThere)
{
    Form->Show();
    TFcCustomTabControl* T = NewTabs(Bounds(10, 10, 400, 30), {"een", "twee", "drie"}, 60, 24);
    QString Seen;
    T->SetOnChange(Freeing(T, Seen));
    const TComponentRef<> Left(T);
    Shown(T);
    const TPoint At = TabCentre(T, 1);
    MouseDown(T, At);
    MouseUp(Form, {At.X + 10, At.Y + 10});
    PumpMessages();
    EXPECT_FALSE(Left);
    EXPECT_EQ(Seen, QString(200, u'n'));
}
