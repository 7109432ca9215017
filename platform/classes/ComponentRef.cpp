#include "platform/classes/ComponentRef.h"

// The listener behind a reference: a component of no owner that asks the
// target for its free notification.  It lives on the heap so that the
// reference can move without the target having to hear of it.
class TComponentRefBase::TLink : public TComponent {
public:
    explicit TLink(TComponent* Target) : TComponent(nullptr) { Follow(Target); }
    ~TLink() override { Follow(nullptr); }

    TComponent* Target() const { return FTarget; }

    void Follow(TComponent* Target)
    {
        if (Target == FTarget)
            return;
        // Both ends of the link go, so the target is not told of this
        // listener going (which it would pass on to all it owns).
        if (FTarget != nullptr)
            FTarget->RemoveFreeNotification(this);
        FTarget = Target;
        if (Target != nullptr)
            Target->FreeNotification(this);
    }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        TComponent::Notification(AComponent, Operation);
        if (Operation == opRemove && AComponent == FTarget)
            FTarget = nullptr;
    }

private:
    TComponent* FTarget = nullptr;
};

TComponentRefBase::TComponentRefBase(TComponent* Target) : FLink(std::make_unique<TLink>(Target))
{}

TComponentRefBase::TComponentRefBase(const TComponentRefBase& Other) : FLink(std::make_unique<TLink>(Other.Component()))
{}

TComponentRefBase& TComponentRefBase::operator=(const TComponentRefBase& Other)
{
    Reset(Other.Component());
    return *this;
}

TComponentRefBase::TComponentRefBase(TComponentRefBase&&) noexcept = default;
TComponentRefBase& TComponentRefBase::operator=(TComponentRefBase&&) noexcept = default;
TComponentRefBase::~TComponentRefBase() = default;

void TComponentRefBase::Reset(TComponent* Target)
{
    if (!FLink)
        FLink = std::make_unique<TLink>(Target);
    else
        FLink->Follow(Target);
}

TComponent* TComponentRefBase::Component() const
{
    return FLink ? FLink->Target() : nullptr;
}
