#pragma once
// TApplicationEvents: puts the application's events on a form.  Every
// instance hears them, the newest first; CancelDispatch stops the others
// from hearing the current one.
#include "platform/forms/Application.h"

class TApplicationEvents : public TComponent {
public:
    explicit TApplicationEvents(TComponent* AOwner);
    ~TApplicationEvents() override;
    void BeforeDestruction() override;

    // The instances after this one do not hear the event being handled.
    void CancelDispatch() { FCancelled = true; }
    bool TakeCancelled()
    {
        const bool C = FCancelled;
        FCancelled = false;
        return C;
    }

    DECLARE_EVENT(TActionEvent, OnActionExecute)
    DECLARE_EVENT(TActionEvent, OnActionUpdate)
    DECLARE_EVENT(TNotifyEvent, OnActivate)
    DECLARE_EVENT(TNotifyEvent, OnDeactivate)
    DECLARE_EVENT(TExceptionEvent, OnException)
    DECLARE_EVENT(TNotifyEvent, OnHint)
    DECLARE_EVENT(TIdleEvent, OnIdle)
    DECLARE_EVENT(TMessageEvent, OnMessage)
    DECLARE_EVENT(TShowHintEvent, OnShowHint)

private:
    bool FCancelled = false;
    bool FRemoved = false;
};
