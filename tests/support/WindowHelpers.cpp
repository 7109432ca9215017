#include "tests/support/WindowHelpers.h"

#include "platform/graphics/DeviceContext.h"
#include "platform/windows/LockKeys.h"
#include "platform/windows/WinControl.h"
#include "tests/support/ImageHelpers.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QRegion>
#include <QThread>
#include <QWheelEvent>
#include <QWidget>

namespace {

TWinControl* WindowOf(TControl* Control)
{
    if (auto* W = dynamic_cast<TWinControl*>(Control))
        return W;
    return Control->Parent();
}

QWidget* TopWidget(TControl* Control)
{
    return WindowQtWidget(WindowOf(Control)->Handle());
}

QPoint LocalPoint(TControl* Control, TPoint P, QWidget* Widget)
{
    const TPoint S = Control->ClientToScreen(P);
    TRect R;
    GetWindowRect(GetAncestor(WindowOf(Control)->Handle(), GA_ROOT), &R);
    (void)Widget;
    return QPoint(S.X - R.Left, S.Y - R.Top);
}

void SendMouse(TControl* Control, QEvent::Type Type, TPoint P, Qt::MouseButton Button, Qt::MouseButtons Buttons,
               Qt::KeyboardModifiers Mods, bool Pump = true)
{
    QWidget* W = TopWidget(Control);
    const QPoint L = LocalPoint(Control, P, W);
    const TPoint S = Control->ClientToScreen(P);
    QMouseEvent E(Type, QPointF(L), QPointF(L), QPointF(S.X, S.Y), Button, Buttons, Mods);
    QCoreApplication::sendEvent(W, &E);
    if (Pump)
        PumpMessages();
}

QWidget* KeyWidget(TControl* AnyOnForm)
{
    HWND Focus = GetFocus();
    if (Focus != nullptr)
        if (QWidget* Hosted = GetWindowHostedWidget(Focus))
            return Hosted->focusWidget() != nullptr ? Hosted->focusWidget() : Hosted;
    if (Focus != nullptr)
        return WindowQtWidget(Focus);
    return TopWidget(AnyOnForm);
}

QString DefaultText(int Key, Qt::KeyboardModifiers Mods)
{
    if (Mods & (Qt::ControlModifier | Qt::AltModifier))
        return QString();
    if (Key >= Qt::Key_A && Key <= Qt::Key_Z)
        return QString(QChar(Mods & Qt::ShiftModifier ? Key : Key - Qt::Key_A + 'a'));
    if ((Key >= Qt::Key_0 && Key <= Qt::Key_9) || Key == Qt::Key_Space)
        return QString(QChar(Key));
    switch (Key) {
    case Qt::Key_Return: return QStringLiteral("\r");
    case Qt::Key_Escape: return QString(QChar(27));
    case Qt::Key_Tab: return QStringLiteral("\t");
    case Qt::Key_Backspace: return QString(QChar(8));
    default: return QString();
    }
}

TMessageBoxHook GSavedHook;

} // namespace

struct TApplicationTestAccess {
    static void Restart()
    {
        Application->FTerminate = false;
        Application->FMainFormClosed = false;
        Application->FEndingSession = false;
    }
};

void RestartApplication()
{
    TApplicationTestAccess::Restart();
}

void MouseMove(TControl* Control, TPoint P, Qt::MouseButtons Buttons)
{
    SendMouse(Control, QEvent::MouseMove, P, Qt::NoButton, Buttons, Qt::NoModifier);
}

void MouseDown(TControl* Control, TPoint P, Qt::MouseButton Button, Qt::KeyboardModifiers Mods)
{
    SendMouse(Control, QEvent::MouseButtonPress, P, Button, Button, Mods);
}

void MouseUp(TControl* Control, TPoint P, Qt::MouseButton Button, Qt::KeyboardModifiers Mods)
{
    SendMouse(Control, QEvent::MouseButtonRelease, P, Button, Qt::NoButton, Mods);
}

void QueueMouseDown(TControl* Control, TPoint P, Qt::MouseButton Button)
{
    SendMouse(Control, QEvent::MouseButtonPress, P, Button, Button, Qt::NoModifier, false);
}

void QueueMouseMove(TControl* Control, TPoint P, Qt::MouseButtons Buttons)
{
    SendMouse(Control, QEvent::MouseMove, P, Qt::NoButton, Buttons, Qt::NoModifier, false);
}

void QueueMouseUp(TControl* Control, TPoint P, Qt::MouseButton Button)
{
    SendMouse(Control, QEvent::MouseButtonRelease, P, Button, Qt::NoButton, Qt::NoModifier, false);
}

void MouseClick(TControl* Control, TPoint P, Qt::MouseButton Button)
{
    MouseMove(Control, P);
    MouseDown(Control, P, Button);
    MouseUp(Control, P, Button);
}

void MouseWheel(TControl* Control, TPoint P, int AngleDelta, Qt::KeyboardModifiers Mods)
{
    QWidget* W = TopWidget(Control);
    const QPoint L = LocalPoint(Control, P, W);
    const TPoint S = Control->ClientToScreen(P);
    QWheelEvent E(QPointF(L), QPointF(S.X, S.Y), QPoint(), QPoint(0, AngleDelta), Qt::NoButton, Mods,
                  Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(W, &E);
    PumpMessages();
}

void MouseLeaveWindow(TControl* Control)
{
    QEvent E(QEvent::Leave);
    QCoreApplication::sendEvent(TopWidget(Control), &E);
    PumpMessages();
}

void KeyDown(TControl* AnyOnForm, int QtKey, Qt::KeyboardModifiers Mods, const QString& Text)
{
    QKeyEvent E(QEvent::KeyPress, QtKey, Mods, Text.isNull() ? DefaultText(QtKey, Mods) : Text);
    QCoreApplication::sendEvent(KeyWidget(AnyOnForm), &E);
    PumpMessages();
}

void KeyUp(TControl* AnyOnForm, int QtKey, Qt::KeyboardModifiers Mods)
{
    QueueKeyUp(AnyOnForm, QtKey, Mods);
    PumpMessages();
}

void QueueKeyDown(TControl* AnyOnForm, int QtKey, Qt::KeyboardModifiers Mods)
{
    QKeyEvent E(QEvent::KeyPress, QtKey, Mods, DefaultText(QtKey, Mods));
    QCoreApplication::sendEvent(KeyWidget(AnyOnForm), &E);
}

void QueueKeyUp(TControl* AnyOnForm, int QtKey, Qt::KeyboardModifiers Mods)
{
    QKeyEvent E(QEvent::KeyRelease, QtKey, Mods);
    QCoreApplication::sendEvent(KeyWidget(AnyOnForm), &E);
}

void PressKey(TControl* AnyOnForm, int QtKey, Qt::KeyboardModifiers Mods, const QString& Text)
{
    KeyDown(AnyOnForm, QtKey, Mods, Text);
    KeyUp(AnyOnForm, QtKey, Mods);
}

void TypeCharacters(TControl* AnyOnForm, const QString& Text)
{
    for (qsizetype I = 0; I < Text.size();) {
        const bool Pair = Text[I].isHighSurrogate() && I + 1 < Text.size() && Text[I + 1].isLowSurrogate();
        const QString Character = Text.mid(I, Pair ? 2 : 1);
        const char32_t Code = Character.toUcs4().value(0);
        // The key code of a letter is its capital, as Qt gives it.
        const int Key = Code < 0x80 ? int(QChar::toUpper(Code)) : int(Code);
        PressKey(AnyOnForm, Key, QChar::isUpper(Code) ? Qt::ShiftModifier : Qt::NoModifier, Character);
        I += Character.size();
    }
}

void CommitInput(TControl* AnyOnForm, const QString& Text)
{
    QueueCommitInput(AnyOnForm, Text);
    PumpMessages();
}

void QueueCommitInput(TControl* AnyOnForm, const QString& Text)
{
    QInputMethodEvent Commit;
    Commit.setCommitString(Text);
    QCoreApplication::sendEvent(KeyWidget(AnyOnForm), &Commit);
}

void PumpMessages()
{
    Application->ProcessMessages();
}

void IdleOnce()
{
    PumpMessages();
    const TIdleEvent Was = Application->OnIdle();
    Application->SetOnIdle([](TObject*, bool& Done) { Done = false; });
    Application->HandleMessage();
    Application->SetOnIdle(Was);
}

bool RunUntil(const std::function<bool()>& Done, int TimeoutMs)
{
    QElapsedTimer Clock;
    Clock.start();
    for (;;) {
        Application->ProcessMessages();
        if (Done())
            return true;
        if (Clock.elapsed() > TimeoutMs)
            return false;
        QThread::msleep(1);
    }
}

TTestClock::TTestClock()
{
    SetTickCountHook([this] { return FNow; });
}

TTestClock::~TTestClock()
{
    SetTickCountHook({});
}

TScriptedLockKeys::TScriptedLockKeys(std::map<int, bool> Initial) : On(std::move(Initial))
{
    SetLockKeyStateHook([this](int VirtKey) -> std::optional<bool> { return On[VirtKey]; });
}

TScriptedLockKeys::~TScriptedLockKeys()
{
    On.clear();
    SetLockKeyStateHook([this](int VirtKey) -> std::optional<bool> { return On[VirtKey]; });
    GetKeyState(VK_NUMLOCK);
    SetLockKeyStateHook({});
}

TScriptedMessageBoxes::TScriptedMessageBoxes(std::vector<int> Answers) : FAnswers(std::move(Answers))
{
    SetMessageBoxHook([this](const String& Text, const String& Caption, unsigned Flags) {
        FAsked.push_back({Text, Caption, Flags});
        const std::size_t I = std::min(FAsked.size(), FAnswers.size()) - 1;
        return FAnswers.empty() ? IDOK : FAnswers[I];
    });
}

TScriptedMessageBoxes::~TScriptedMessageBoxes()
{
    SetMessageBoxHook({});
}

QImage PaintControlImage(TControl* Control, COLORREF Background)
{
    TTestSurface Surface(Control->Width(), Control->Height(), Background);
    if (auto* W = dynamic_cast<TWinControl*>(Control)) {
        W->PaintTo(Surface.DC(), 0, 0);
    } else {
        const int Saved = SaveDC(Surface.DC());
        IntersectClipRect(Surface.DC(), 0, 0, Control->Width(), Control->Height());
        Control->Perform(WM_PAINT, WPARAM(Surface.DC()), 0);
        RestoreDC(Surface.DC(), Saved);
    }
    return Surface.Image().copy();
}

QImage FormImage(TControl* AnyOnForm)
{
    HWND Top = GetAncestor(WindowOf(AnyOnForm)->Handle(), GA_ROOT);
    UpdateWindow(Top);
    const QImage* Image = WindowSurfaceImage(Top);
    return Image != nullptr ? Image->copy() : QImage();
}

class TScreenPaints::TFilter : public QObject {
public:
    QRegion Painted;
    bool eventFilter(QObject* Watched, QEvent* E) override
    {
        if (E->type() == QEvent::Paint)
            Painted += static_cast<QPaintEvent*>(E)->region();
        return QObject::eventFilter(Watched, E);
    }
};

TScreenPaints::TScreenPaints(TControl* AnyOnForm) : FFilter(new TFilter)
{
    PumpMessages();
    QCoreApplication::processEvents();
    if (QWidget* W = TopWidget(AnyOnForm))
        W->installEventFilter(FFilter);
}

TScreenPaints::~TScreenPaints()
{
    delete FFilter;
}

bool TScreenPaints::Shown(TControl* Control, TRect R)
{
    PumpMessages();
    QCoreApplication::processEvents();
    const TPoint S = Control->ClientToScreen({R.Left, R.Top});
    TRect Top;
    GetWindowRect(GetAncestor(WindowOf(Control)->Handle(), GA_ROOT), &Top);
    const QRect Wanted(S.X - Top.Left, S.Y - Top.Top, R.Width(), R.Height());
    return (QRegion(Wanted) - FFilter->Painted).isEmpty();
}
