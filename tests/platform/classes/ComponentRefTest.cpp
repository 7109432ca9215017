#include "platform/classes/ComponentRef.h"

#include <gtest/gtest.h>

namespace {

// Counts the notifications it hears of.
class TListening : public TComponent {
public:
    using TComponent::TComponent;
    int Removals = 0;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        TComponent::Notification(AComponent, Operation);
        if (Operation == opRemove)
            ++Removals;
    }
};

} // namespace

TEST(ComponentRef, ClearsWhicheverWayTheComponentGoes)
{
    struct TCase {
        const char* Name;
        void (*Free)(TComponent* Owner, TComponent* Target);
        bool FreesOwner;
    };
    const TCase Cases[] = {
        {"Free", [](TComponent*, TComponent* T) { T->Free(); }, false},
        {"delete", [](TComponent*, TComponent* T) { delete T; }, false},
        {"owner freed", [](TComponent* O, TComponent*) { O->Free(); }, true},
        {"owner's DestroyComponents", [](TComponent* O, TComponent*) { O->DestroyComponents(); }, false},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        auto* Owner = new TComponent(nullptr);
        auto* Target = new TComponent(Owner);
        const TComponentRef<> Ref(Target);
        const TComponentRef<> Copy = Ref;
        ASSERT_EQ(Ref.Get(), Target);
        EXPECT_TRUE(Copy);
        C.Free(Owner, Target);
        EXPECT_FALSE(Ref);
        EXPECT_EQ(Copy.Get(), nullptr);
        if (!C.FreesOwner)
            Owner->Free();
    }
}

TEST(ComponentRef, FollowsOneComponentAndLeavesQuietly)
{
    TListening A(nullptr), B(nullptr);
    TComponentRef<TListening> Ref(&A);
    EXPECT_EQ(Ref->Removals, 0);
    Ref.Reset(&B);
    EXPECT_EQ(Ref.Get(), &B);
    TComponentRef<TListening> Moved = std::move(Ref);
    EXPECT_FALSE(Ref);
    EXPECT_EQ(Moved.Get(), &B);
    Ref = Moved;
    Moved.Reset();
    EXPECT_FALSE(Moved);
    EXPECT_EQ(Ref.Get(), &B);
    // Letting go does not tell the component (which would pass it on to
    // all it owns) and leaves no link behind.
    Ref.Reset();
    EXPECT_EQ(A.Removals + B.Removals, 0);
    EXPECT_FALSE(A.ComponentState().Contains(csFreeNotification));
    EXPECT_FALSE(B.ComponentState().Contains(csFreeNotification));
}
