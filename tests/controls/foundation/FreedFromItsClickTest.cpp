// Framed buttons and links whose OnClick frees them: the click ends there,
// and the handler's own state outlives the control (the sanitizer build
// sees any use of freed memory).
#include "controls/foundation/FcControlButton.h"
#include "controls/foundation/FcToolButton.h"
#include "controls/foundation/FcURLLabel.h"
#include "platform/classes/ComponentRef.h"
#include "tests/controls/foundation/ContainerFixture.h"
#include "tests/support/ScriptedDialogs.h"

namespace {

struct FreedFromItsClick : TContainerFixture {
    void SetUp() override
    {
        Form->SetBounds(0, 0, 300, 200);
        Form->Show();
    }

    // Clicks C, whose OnClick frees it.
    template <typename T>
    void ClickAway(T* C)
    {
        QString Seen;
        const TComponentRef<> Target(C);
        C->SetOnClick([&Seen, Target, Note = QString(200, u'n')](TObject*) {
            if (Target)
                Target->Free();
            Seen = Note;
        });
        MouseDown(C, {5, 5});
        MouseUp(Form, {C->Left() + 5, C->Top() + 5});
        PumpMessages();
        EXPECT_FALSE(Target);
        EXPECT_EQ(Seen, QString(200, u'n'));
    }
};

} // namespace

TEST_F(FreedFromItsClick, FramedButtonsAndLinksLeaveTheFreedControlAlone)
{
    ClickAway(Add<TFcToolButton>(Bounds(10, 10, 25, 25)));
    ClickAway(Add<TFcControlButton>(Bounds(10, 10, 25, 25)));
    // A link freed by its own click opens nothing.
    const TShellRecorder Shell;
    auto* Link = Add<TFcURLLabel>(Bounds(10, 10, 80, 20));
    Link->SetURL("https://example.org");
    ClickAway(Link);
    EXPECT_TRUE(Shell.Opened().empty());
}
