#pragma once
// TControlCanvas: a canvas on a control's window.  The window layer binds
// it by installing the hooks below; until then the canvas has no context
// and drawing raises EInvalidOperation "Canvas does not allow drawing".
#include "platform/graphics/Canvas.h"

#include <functional>

class TControl;

struct TControlCanvasHooks {
    // A device context for painting the control (client area, origin at
    // its client top-left), or nullptr.
    std::function<HDC(TControl*)> GetDC;
    // Gives back what GetDC returned.
    std::function<void(TControl*, HDC)> ReleaseDC;
};
TControlCanvasHooks& ControlCanvasHooks();

class TControlCanvas : public TCanvas {
public:
    TControlCanvas() = default;
    ~TControlCanvas() override;

    TControl* Control() const { return FControl; }
    // Changing the control lets go of the current context.
    void SetControl(TControl* Value);
    // Lets go of the context (it is fetched again on the next drawing).
    void FreeHandle();
    // Draws through DC (the context a paint message hands over) for the
    // length of Paint, then lets it go, also when Paint raises: the canvas
    // fetches a context of its own when drawn on later.
    void PaintOn(HDC DC, const std::function<void()>& Paint);

protected:
    void CreateHandle() override;

private:
    TControl* FControl = nullptr;
    HDC FDeviceContext = nullptr;
};

// Lets go of the context of every control canvas that fetched one of its
// own (drawing outside a paint message): what they drew then reaches the
// screen, and the next drawing fetches a fresh context.  The message loop
// calls it whenever it hands Qt's events out.
void FreeDeviceContexts();
