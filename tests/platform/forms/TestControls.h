#pragma once
// Controls for the window tests: a windowed box and a graphic box that fill
// themselves with their colour and record what reaches them, and a button
// that answers default, cancel and accelerator keys as a push button does.
#include "platform/windows/CustomControl.h"
#include "platform/windows/GraphicControl.h"
#include "platform/forms/Forms.h"

#include <QStringList>

// Names of the messages the tests follow ("NCPAINT", "PAINT" ...).
QString MessageName(UINT Msg);

class TTestBox : public TCustomControl {
public:
    explicit TTestBox(TComponent* AOwner);
    // Messages seen, by name, with the box's name in front ("Box1:PAINT").
    static QStringList& Log();
    DWORD ExtraExStyle = 0;
    DWORD ExtraStyle = 0;
    int Clicks = 0;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void Click() override;
};

// A graphic control; when not Opaque it paints only a 4 x 4 corner, so
// whatever lies below shows through the rest.
class TTestGraphic : public TGraphicControl {
public:
    explicit TTestGraphic(TComponent* AOwner);
    bool Opaque() const { return ControlStyle().Contains(csOpaque); }
    void SetOpaque(bool Value);
    QStringList Events;

protected:
    void Paint() override;
    void WndProc(TMessage& Message) override;
};

// A push button: Enter clicks it when Default, Escape when Cancel, its
// caption's accelerator always; a click sets the form's ModalResult.
class TTestButton : public TCustomControl {
public:
    explicit TTestButton(TComponent* AOwner);
    bool Default() const { return FDefault; }
    void SetDefault(bool Value) { FDefault = Value; }
    bool Cancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }
    int Clicks = 0;
    void Click() override;

protected:
    void WndProc(TMessage& Message) override;

private:
    bool FDefault = false;
    bool FCancel = false;
    TModalResult FModalResult = mrNone;
};

// A form for definitions read in the tests, with handlers bound by name.
class TTestForm : public TForm {
public:
    explicit TTestForm(TComponent* AOwner) : TForm(AOwner) {}
    TTestBox* Box1 = nullptr;
    TTestButton* ButtonOK = nullptr;
    int Created = 0;
    int Shown = 0;
    // Set before the definition is read; FormCreate records what it saw.
    bool IsNew = false;
    bool IsNewAtCreate = false;
    QStringList Clicked;
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void ButtonClick(TObject* Sender);
};
