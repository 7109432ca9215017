#pragma once
// Controls for the foundation's tests: framed controls that take their
// settings by name or through the framing notification, a blinking
// control, a control that reads obsolete properties, transparent controls
// that paint their parent's backdrop, and a form to stream them on.
#include "controls/foundation/FcFrameController.h"
#include "platform/windows/CustomControl.h"
#include "platform/windows/GraphicControl.h"
#include "platform/forms/Forms.h"

#include <QStringList>

// Publishes framing properties of its own, so the controller sets them by
// name; Log names each setter called.
class TTestFramed : public TGraphicControl {
public:
    explicit TTestFramed(TComponent* AOwner);
    ~TTestFramed() override;
    QStringList Log;

    TColor FocusColor() const { return FFocusColor; }
    void SetFocusColor(TColor Value) { Set("FocusColor", FFocusColor, Value); }
    TColor FrameColor() const { return FFrameColor; }
    void SetFrameColor(TColor Value) { Set("FrameColor", FFrameColor, Value); }
    TSides FrameSides() const { return FFrameSides; }
    void SetFrameSides(TSides Value) { Set("FrameSides", FFrameSides, Value); }
    TFrameStyle FrameStyle() const { return FFrameStyle; }
    void SetFrameStyle(TFrameStyle Value) { Set("FrameStyle", FFrameStyle, Value); }
    TFrameStyle FrameHotStyle() const { return FFrameHotStyle; }
    void SetFrameHotStyle(TFrameStyle Value) { Set("FrameHotStyle", FFrameHotStyle, Value); }
    bool FrameHotTrack() const { return FFrameHotTrack; }
    void SetFrameHotTrack(bool Value) { Set("FrameHotTrack", FFrameHotTrack, Value); }
    TFcFrameControllerNotifications FrameControllerNotifications() const { return FNotifications; }
    void SetFrameControllerNotifications(TFcFrameControllerNotifications Value) { FNotifications = Value; }
    TFcFrameController* FrameController() const { return FFrameController; }
    void SetFrameController(TFcFrameController* Value) { ChangeFrameController(this, FFrameController, Value); }
    bool IsStored(TFcFrameControllerProperty Prop) const
    {
        return IsFramingPropertyStored(FFrameController, FNotifications, Prop);
    }

protected:
    void DefineProperties(TFiler& Filer) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    template <typename T>
    void Set(const char* Name, T& Field, const T& Value)
    {
        Log << QString::fromLatin1(Name);
        Field = Value;
    }

    TColor FFocusColor = clWindow;
    TColor FFrameColor = clBtnShadow;
    TSides FFrameSides = AllSides;
    TFrameStyle FFrameStyle = fsFlat;
    TFrameStyle FFrameHotStyle = fsFlatBold;
    bool FFrameHotTrack = false;
    TFcFrameControllerNotifications FNotifications = AllFrameControllerNotifications;
    TFcFrameController* FFrameController = nullptr;
};

// Reads the controller's settings itself; Applied counts the notifications.
class TTestFramedClient : public TGraphicControl, public IFcFrameControllerClient {
public:
    explicit TTestFramedClient(TComponent* AOwner) : TGraphicControl(AOwner) {}
    ~TTestFramedClient() override;
    int Applied = 0;
    void ApplyFrameController() override { ++Applied; }
    // A colour by name that the controller must not set on a client.
    TColor FrameColor() const { return FFrameColor; }
    void SetFrameColor(TColor Value) { FFrameColor = Value; }
    TFcFrameController* FrameController() const { return FFrameController; }
    void SetFrameController(TFcFrameController* Value) { ChangeFrameController(this, FFrameController, Value); }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TColor FFrameColor = clBtnShadow;
    TFcFrameController* FFrameController = nullptr;
};

// Joins the blinking list while it lives; Phases records each CM_BLINKSTATE,
// Queries counts CM_QUERYBLINKING.
class TTestBlinker : public TGraphicControl {
public:
    explicit TTestBlinker(TComponent* AOwner);
    ~TTestBlinker() override;
    bool Blinking() const { return FBlinking; }
    void SetBlinking(bool Value) { FBlinking = Value; }
    std::vector<int> Phases;
    int Queries = 0;
    // Freed when this one hears of a new phase.
    TTestBlinker* FreeOnBlink = nullptr;

protected:
    void WndProc(TMessage& Message) override;

private:
    bool FBlinking = false;
};

// Drops five obsolete properties of older form definitions.
class TTestOldProps : public TGraphicControl {
public:
    explicit TTestOldProps(TComponent* AOwner) : TGraphicControl(AOwner) {}

protected:
    void DefineProperties(TFiler& Filer) override;
};

// A transparent window: erases nothing, paints its parent's backdrop and
// then a 2 x 2 mark in clRed at (1, 1).
class TTestBackdropBox : public TCustomControl {
public:
    explicit TTestBackdropBox(TComponent* AOwner) : TCustomControl(AOwner) {}
    bool RepaintParent = false;

protected:
    void WndProc(TMessage& Message) override;
    void Paint() override;
};

// The same without a window of its own.
class TTestBackdropGraphic : public TGraphicControl {
public:
    explicit TTestBackdropGraphic(TComponent* AOwner) : TGraphicControl(AOwner) {}
    int Paints = 0;

protected:
    void Paint() override;
};

// A plain window that is no custom control (its parent is invalidated by
// a backdrop that asks for it); Paints counts its paint passes.
class TTestPlainWindow : public TWinControl {
public:
    explicit TTestPlainWindow(TComponent* AOwner);
    int Paints = 0;

protected:
    void WndProc(TMessage& Message) override;
};

// Publishes Transparent; Paints counts its paint passes.
class TTestSeeThrough : public TGraphicControl {
public:
    explicit TTestSeeThrough(TComponent* AOwner) : TGraphicControl(AOwner) {}
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value) { FTransparent = Value; }
    int Paints = 0;

protected:
    void Paint() override { ++Paints; }

private:
    bool FTransparent = false;
};

// A form to stream the controls above on.
class TTestFcForm : public TForm {
public:
    explicit TTestFcForm(TComponent* AOwner) : TForm(AOwner) {}
};
