#include "platform/rtl/System.h"

#include <gtest/gtest.h>

namespace {

// An object with an event, as the classes declare them.
class THolder : public TObject {
public:
    DECLARE_EVENT(TNotifyEvent, OnChange)
    void Change() { FOnChange(this); }
    // The stored handler as the code that keeps it passes it on.
    bool PassedOnEmpty() const { return IsEmpty(FOnChange); }
    TNotifyEvent CopiedOut() const
    {
        TNotifyEvent Copy = FOnChange;
        return Copy;
    }

private:
    static bool IsEmpty(const TNotifyEvent& Event) { return !Event; }
};

struct TCounter {
    int* Count;
    void operator()(TObject*) const { ++*Count; }
};

} // namespace

TEST(EventSlot, PassesOnTheHandlerItHoldsAndNothingWhenEmpty)
{
    THolder H;
    EXPECT_FALSE(H.OnChange());
    EXPECT_TRUE(H.PassedOnEmpty());
    EXPECT_FALSE(H.CopiedOut());
    H.Change(); // nothing to call: nothing happens

    int Count = 0;
    H.SetOnChange(TCounter{&Count});
    EXPECT_FALSE(H.PassedOnEmpty());
    // What the getter hands out is the handler itself, not a wrapper: the
    // form writer finds the method it binds.
    ASSERT_NE(H.OnChange().target<TCounter>(), nullptr);
    ASSERT_NE(H.CopiedOut().target<TCounter>(), nullptr);
    H.Change();
    H.OnChange()(&H);
    EXPECT_EQ(Count, 2);
    H.SetOnChange(nullptr);
    EXPECT_FALSE(H.OnChange());
}

TEST(EventSlot, AHandlerMayFreeTheObjectWhoseEventItIs)
{
    auto* H = new THolder;
    QString Seen;
    H->SetOnChange([H, &Seen, Note = QString(100, u'n')](TObject*) {
        delete H;
        // The handler's own state outlives the object that held it.
        Seen = Note;
    });
    H->Change();
    EXPECT_EQ(Seen, QString(100, u'n'));
}
