#include "tests/controls/foundation/FcTestControls.h"

#include "controls/foundation/FcBlinking.h"
#include "controls/foundation/FcMessages.h"
#include "controls/foundation/FcOldPropReader.h"
#include "controls/foundation/FcWindowPaint.h"
#include "platform/classes/TypInfo.h"

REGISTER_COMPONENT(TTestFramed, TGraphicControl)
    PUBLISHED_STORED(FocusColor, clWindow, [](const TTestFramed& C) { return C.IsStored(fcpFocusColor); })
    PUBLISHED_STORED(FrameColor, clBtnShadow, [](const TTestFramed& C) { return C.IsStored(fcpFrameColor); })
    PUBLISHED_STORED(FrameSides, AllSides, [](const TTestFramed& C) { return C.IsStored(fcpFrameSides); })
    PUBLISHED_STORED(FrameStyle, TFrameStyle(fsFlat), [](const TTestFramed& C) { return C.IsStored(fcpFrameStyle); })
    PUBLISHED_STORED(FrameHotStyle, TFrameStyle(fsFlatBold),
                     [](const TTestFramed& C) { return C.IsStored(fcpFrameHotStyle); })
    PUBLISHED_STORED(FrameHotTrack, false, [](const TTestFramed& C) { return C.IsStored(fcpFrameHotTrack); })
    PUBLISHED(FrameControllerNotifications, AllFrameControllerNotifications)
    PUBLISHED(FrameController, nullptr)
END_REGISTER

REGISTER_COMPONENT(TTestFramedClient, TGraphicControl)
    PUBLISHED(FrameColor, clBtnShadow)
    PUBLISHED(FrameController, nullptr)
END_REGISTER

REGISTER_COMPONENT(TTestBlinker, TGraphicControl)
    PUBLISHED(Blinking, false)
END_REGISTER

REGISTER_COMPONENT(TTestOldProps, TGraphicControl)
END_REGISTER

REGISTER_COMPONENT(TTestBackdropBox, TCustomControl)
END_REGISTER

REGISTER_COMPONENT(TTestBackdropGraphic, TGraphicControl)
END_REGISTER

REGISTER_COMPONENT(TTestPlainWindow, TWinControl)
END_REGISTER

REGISTER_COMPONENT(TTestSeeThrough, TGraphicControl)
    PUBLISHED(Transparent, false)
END_REGISTER

REGISTER_COMPONENT(TTestFcForm, TForm)
END_REGISTER

// --- framed controls ------------------------------------------------------------------

TTestFramed::TTestFramed(TComponent* AOwner) : TGraphicControl(AOwner)
{}

TTestFramed::~TTestFramed()
{
    SetFrameController(nullptr);
}

void TTestFramed::DefineProperties(TFiler& Filer)
{
    TGraphicControl::DefineProperties(Filer);
    DefineOldFrameProperties(Filer, this);
}

void TTestFramed::Notification(TComponent* AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFrameController)
        FFrameController = nullptr;
}

TTestFramedClient::~TTestFramedClient()
{
    SetFrameController(nullptr);
}

void TTestFramedClient::Notification(TComponent* AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFrameController)
        FFrameController = nullptr;
}

// --- blinking -------------------------------------------------------------------------

TTestBlinker::TTestBlinker(TComponent* AOwner) : TGraphicControl(AOwner)
{
    AddBlinkingControl(this);
}

TTestBlinker::~TTestBlinker()
{
    RemoveBlinkingControl(this);
}

void TTestBlinker::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_QUERYBLINKING:
        ++Queries;
        Message.Result = FBlinking ? 1 : 0;
        return;
    case CM_BLINKSTATE:
        Phases.push_back(int(Message.WParam));
        if (FreeOnBlink != nullptr) {
            delete FreeOnBlink;
            FreeOnBlink = nullptr;
        }
        return;
    default:
        TGraphicControl::WndProc(Message);
    }
}

// --- obsolete properties --------------------------------------------------------------

void TTestOldProps::DefineProperties(TFiler& Filer)
{
    TGraphicControl::DefineProperties(Filer);
    Filer.DefineProperty(QStringLiteral("OldBoolean"), TFcOldPropReader::SkipBooleanProperty, nullptr, false);
    Filer.DefineProperty(QStringLiteral("OldIdent"), TFcOldPropReader::SkipIdentProperty, nullptr, false);
    Filer.DefineProperty(QStringLiteral("OldInteger"), TFcOldPropReader::SkipIntegerProperty, nullptr, false);
    Filer.DefineProperty(QStringLiteral("OldSet"), TFcOldPropReader::SkipSetProperty, nullptr, false);
    Filer.DefineProperty(QStringLiteral("OldString"), TFcOldPropReader::SkipStringProperty, nullptr, false);
}

// --- backdrops ------------------------------------------------------------------------

void TTestBackdropBox::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_ERASEBKGND) {
        Message.Result = 1; // the backdrop is painted instead
        return;
    }
    TCustomControl::WndProc(Message);
}

void TTestBackdropBox::Paint()
{
    PaintParentBackdropOnCanvas(this, Canvas(), RepaintParent);
    Canvas()->Brush()->SetColor(clRed);
    Canvas()->FillRect(Rect(1, 1, 3, 3));
}

void TTestBackdropGraphic::Paint()
{
    ++Paints;
    PaintParentBackdropOnCanvas(this, Canvas(), false);
    Canvas()->Brush()->SetColor(clRed);
    Canvas()->FillRect(Rect(1, 1, 3, 3));
}

TTestPlainWindow::TTestPlainWindow(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle.Include(csAcceptsControls);
}

void TTestPlainWindow::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_PAINT)
        ++Paints;

    TWinControl::WndProc(Message);
}
