#pragma once
// TComponentRef: a pointer to a component that turns nullptr when the
// component goes.
//
// Code that calls out - an event handler, a modal loop, a menu - may find
// that the call freed the very object it runs in ("free yourself from your
// own event").  It holds a reference to itself across the call and leaves
// without touching its members once the reference has cleared:
//
//     const TComponentRef<> Self(this);
//     FOnChange(this);
//     if (!Self)
//         return;
//
// The reference hears of the component going through the free
// notification every component sends (BeforeDestruction, or ~TComponent
// for a component deleted outright), so it is cleared before the memory is
// released.  A copy follows the same component on its own.
#include "platform/classes/Component.h"

#include <memory>

class TComponentRefBase {
public:
    TComponentRefBase(const TComponentRefBase& Other);
    TComponentRefBase& operator=(const TComponentRefBase& Other);
    TComponentRefBase(TComponentRefBase&&) noexcept;
    TComponentRefBase& operator=(TComponentRefBase&&) noexcept;
    ~TComponentRefBase();

    // Whether the component is still there (false for a null reference).
    explicit operator bool() const { return Component() != nullptr; }
    // Follows another component (or none).
    void Reset(TComponent* Target = nullptr);

protected:
    explicit TComponentRefBase(TComponent* Target);
    TComponent* Component() const;

private:
    class TLink;
    std::unique_ptr<TLink> FLink;
};

template <typename T = TComponent>
class TComponentRef : public TComponentRefBase {
public:
    TComponentRef() : TComponentRefBase(nullptr) {}
    explicit TComponentRef(T* Target) : TComponentRefBase(Target) {}

    T* Get() const { return static_cast<T*>(Component()); }
    T* operator->() const { return Get(); }
    void Reset(T* Target = nullptr) { TComponentRefBase::Reset(Target); }
};
