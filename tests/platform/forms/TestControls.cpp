#include "tests/platform/forms/TestControls.h"

#include "platform/actions/Menus.h"
#include "platform/classes/TypInfo.h"
#include "platform/graphics/Canvas.h"

REGISTER_COMPONENT(TTestBox, TCustomControl)
    PUBLISHED_STORED(Color, clWhite, &TTestBox::IsColorStored)
    PUBLISHED(ParentColor, false)
    PUBLISHED(TabStop, false)
END_REGISTER

REGISTER_COMPONENT(TTestGraphic, TGraphicControl)
    PUBLISHED_STORED(Color, clBlue, &TTestGraphic::IsColorStored)
    PUBLISHED(ParentColor, false)
    PUBLISHED(Opaque, true)
END_REGISTER

REGISTER_COMPONENT(TTestButton, TCustomControl)
    PUBLISHED(TabStop, true)
    PUBLISHED(Default, false)
    PUBLISHED(Cancel, false)
    PUBLISHED(ModalResult, 0)
END_REGISTER

REGISTER_COMPONENT(TTestForm, TForm)
    PUBLISHED_FIELD(Box1)
    PUBLISHED_FIELD(ButtonOK)
    PUBLISHED_METHOD(FormCreate)
    PUBLISHED_METHOD(FormShow)
    PUBLISHED_METHOD(ButtonClick)
END_REGISTER

QString MessageName(UINT Msg)
{
    switch (Msg) {
    case WM_NCPAINT: return QStringLiteral("NCPAINT");
    case WM_ERASEBKGND: return QStringLiteral("ERASE");
    case WM_PAINT: return QStringLiteral("PAINT");
    case WM_SETFOCUS: return QStringLiteral("SETFOCUS");
    case WM_KILLFOCUS: return QStringLiteral("KILLFOCUS");
    case CM_ENTER: return QStringLiteral("ENTER");
    case CM_EXIT: return QStringLiteral("EXIT");
    case CM_MOUSEENTER: return QStringLiteral("MOUSEENTER");
    case CM_MOUSELEAVE: return QStringLiteral("MOUSELEAVE");
    case WM_LBUTTONDOWN: return QStringLiteral("LDOWN");
    case WM_LBUTTONUP: return QStringLiteral("LUP");
    case WM_LBUTTONDBLCLK: return QStringLiteral("LDBL");
    case WM_MOUSEMOVE: return QStringLiteral("MOVE");
    case WM_MOUSEWHEEL: return QStringLiteral("WHEEL");
    case WM_CAPTURECHANGED: return QStringLiteral("CAPTURECHANGED");
    default: return QString();
    }
}

// --- TTestBox -----------------------------------------------------------------------

TTestBox::TTestBox(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle.Include(csAcceptsControls);
    SetBounds(0, 0, 40, 30);
    SetColor(clWhite);
}

QStringList& TTestBox::Log()
{
    static QStringList L;
    return L;
}

void TTestBox::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.Style |= ExtraStyle;
    Params.ExStyle |= ExtraExStyle;
}

void TTestBox::Paint()
{
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
}

void TTestBox::WndProc(TMessage& Message)
{
    const QString N = MessageName(Message.Msg);
    if (!N.isEmpty() && Message.Msg != WM_MOUSEMOVE)
        Log().append(Name() + QLatin1Char(':') + N);
    TCustomControl::WndProc(Message);
}

void TTestBox::Click()
{
    ++Clicks;
    TCustomControl::Click();
}

// --- TTestGraphic ---------------------------------------------------------------------

TTestGraphic::TTestGraphic(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetBounds(0, 0, 20, 20);
    FControlStyle.Include(csOpaque);
    SetColor(clBlue);
}

void TTestGraphic::SetOpaque(bool Value)
{
    if (Value)
        FControlStyle.Include(csOpaque);
    else
        FControlStyle.Exclude(csOpaque);
    Invalidate();
}

void TTestGraphic::Paint()
{
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(Opaque() ? ClientRect() : Rect(0, 0, 4, 4));
}

void TTestGraphic::WndProc(TMessage& Message)
{
    const QString N = MessageName(Message.Msg);
    if (!N.isEmpty() && Message.Msg != WM_PAINT)
        Events.append(N);
    if (Message.Msg == CM_MOUSEENTER || Message.Msg == CM_MOUSELEAVE) {
        // Only the control's own notices, not those of children.
        if (Message.LParam != 0)
            Events.removeLast();
    }
    TGraphicControl::WndProc(Message);
}

// --- TTestButton -----------------------------------------------------------------------

TTestButton::TTestButton(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

void TTestButton::Click()
{
    ++Clicks;
    if (TCustomForm* Form = GetParentForm(this))
        Form->SetModalResult(FModalResult);
    TCustomControl::Click();
}

void TTestButton::WndProc(TMessage& Message)
{
    if (Message.Msg == CM_DIALOGKEY && KeyDataToShiftState(Message.LParam).Empty()
        && ((Message.WParam == VK_RETURN && FDefault) || (Message.WParam == VK_ESCAPE && FCancel)) && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
    }
    if (Message.Msg == CM_DIALOGCHAR && IsAccel(WORD(QChar(char16_t(Message.WParam)).toUpper().unicode()), Caption())
        && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
    }
    if (Message.Msg == WM_GETDLGCODE) {
        Message.Result = FDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON;
        return;
    }
    TCustomControl::WndProc(Message);
}

// --- TTestForm ---------------------------------------------------------------------------

void TTestForm::FormCreate(TObject* Sender)
{
    (void)Sender;
    ++Created;
    IsNewAtCreate = IsNew;
}

void TTestForm::FormShow(TObject* Sender)
{
    (void)Sender;
    ++Shown;
}

void TTestForm::ButtonClick(TObject* Sender)
{
    Clicked.append(static_cast<TComponent*>(Sender)->Name());
}
