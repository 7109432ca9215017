#pragma once
// TEventSlot: where an object keeps an event handler (a std::function) so
// that the handler may free the object.
//
// "Free yourself from your own event" is a classic pattern: a button's
// OnClick closes its window, a timer's handler frees the pane that owns
// it.  A handler kept in a plain std::function member would be destroyed
// with the object while it still runs, its captured variables with it.  A
// call through the slot keeps the handler alive until it returns; the
// calling code then leaves without touching the object when a
// TComponentRef says it went.  Copies of a slot share one handler.
#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

template <typename TEvent>
class TEventSlot;

template <typename R, typename... A>
class TEventSlot<std::function<R(A...)>> {
public:
    using TEvent = std::function<R(A...)>;

    TEventSlot() = default;
    TEventSlot(TEvent Handler) { Assign(std::move(Handler)); }
    TEventSlot& operator=(TEvent Handler)
    {
        Assign(std::move(Handler));
        return *this;
    }
    TEventSlot& operator=(std::nullptr_t)
    {
        FHandler.reset();
        return *this;
    }

    explicit operator bool() const { return FHandler != nullptr; }
    bool operator==(std::nullptr_t) const { return FHandler == nullptr; }
    // The handler as the event's own type (empty when there is none), for
    // getters, parameters and the registry.  One overload for each kind of
    // reference, so that these win over std::function's own constructor,
    // which would wrap the slot itself.
    operator TEvent() const& { return Get(); }
    operator TEvent() & { return Get(); }
    operator TEvent() && { return Get(); }
    TEvent Get() const { return FHandler ? *FHandler : TEvent(); }

    // Calls the handler, kept alive until it returns; an empty slot does
    // nothing (or throws std::bad_function_call where a result is due).
    R operator()(A... Args) const
    {
        const std::shared_ptr<const TEvent> Running = FHandler;
        if constexpr (std::is_void_v<R>) {
            if (Running)
                (*Running)(std::forward<A>(Args)...);
        } else {
            if (!Running)
                throw std::bad_function_call();
            return (*Running)(std::forward<A>(Args)...);
        }
    }

private:
    void Assign(TEvent Handler)
    {
        if (Handler)
            FHandler = std::make_shared<const TEvent>(std::move(Handler));
        else
            FHandler.reset();
    }

    std::shared_ptr<const TEvent> FHandler;
};
