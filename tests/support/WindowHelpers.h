#pragma once
// Driving windows in tests, headless: input sent to a control as the desktop
// would send it to the control's Qt window, the message loop run until
// something holds (with a time limit), a clock the tests move, message
// boxes answered by script, and any control painted into an image.
//
// Every sender runs the application's message processing afterwards, so
// the control has handled the input when the call returns.
#include "platform/forms/Application.h"
#include "platform/forms/Dialogs.h"

#include <QImage>
#include <QString>
#include <functional>
#include <map>
#include <vector>

class TControl;

// --- mouse, in the control's client coordinates ---
void MouseMove(TControl* Control, TPoint P, Qt::MouseButtons Buttons = Qt::NoButton);
void MouseDown(TControl* Control, TPoint P, Qt::MouseButton Button = Qt::LeftButton,
               Qt::KeyboardModifiers Mods = Qt::NoModifier);
void MouseUp(TControl* Control, TPoint P, Qt::MouseButton Button = Qt::LeftButton,
             Qt::KeyboardModifiers Mods = Qt::NoModifier);
void MouseClick(TControl* Control, TPoint P, Qt::MouseButton Button = Qt::LeftButton);
// Mouse input queued as the desktop would deliver it, without handling it:
// for a test that runs a message loop of its own (popups, drags).
void QueueMouseDown(TControl* Control, TPoint P, Qt::MouseButton Button = Qt::LeftButton);
void QueueMouseMove(TControl* Control, TPoint P, Qt::MouseButtons Buttons = Qt::LeftButton);
void QueueMouseUp(TControl* Control, TPoint P, Qt::MouseButton Button = Qt::LeftButton);
// Wheel steps as a mouse reports them (angle delta, 120 a notch), with the
// keys held.
void MouseWheel(TControl* Control, TPoint P, int AngleDelta, Qt::KeyboardModifiers Mods = Qt::NoModifier);
// The mouse leaves the control's top-level window.
void MouseLeaveWindow(TControl* Control);

// --- keys, to whatever window has the focus of Form ---
void KeyDown(TControl* AnyOnForm, int QtKey, Qt::KeyboardModifiers Mods = Qt::NoModifier,
             const QString& Text = QString());
void KeyUp(TControl* AnyOnForm, int QtKey, Qt::KeyboardModifiers Mods = Qt::NoModifier);
// Key input queued as the desktop would deliver it, without handling it:
// keys typed ahead while the program is busy.
void QueueKeyDown(TControl* AnyOnForm, int QtKey, Qt::KeyboardModifiers Mods = Qt::NoModifier);
void QueueKeyUp(TControl* AnyOnForm, int QtKey, Qt::KeyboardModifiers Mods = Qt::NoModifier);
// Down and up; the text defaults to what the key types.
void PressKey(TControl* AnyOnForm, int QtKey, Qt::KeyboardModifiers Mods = Qt::NoModifier,
              const QString& Text = QString());
// Text typed as a keyboard sends it: one key press per character, its text
// that character; one beyond the Basic Multilingual Plane comes whole, its
// two code units in the one key press.
void TypeCharacters(TControl* AnyOnForm, const QString& Text);
// Text an input method composed, committed into the focused editor at once.
void CommitInput(TControl* AnyOnForm, const QString& Text);
// The same, queued without handling it, as typed-ahead keys are.
void QueueCommitInput(TControl* AnyOnForm, const QString& Text);

// --- the loop ---
void PumpMessages();
// Handles what is queued, then lets the loop go idle once without waiting,
// as between two inputs (the application's hint is set then).
void IdleOnce();
// After a test ran Application->Run to its end: loops can run again.
void RestartApplication();
// Runs the message loop until Done() holds; false after TimeoutMs.
bool RunUntil(const std::function<bool()>& Done, int TimeoutMs = 2000);

// --- the clock of GetTickCount ---
class TTestClock {
public:
    TTestClock();
    ~TTestClock();
    void Advance(DWORD Milliseconds) { FNow += Milliseconds; }
    DWORD Now() const { return FNow; }

private:
    DWORD FNow = 100000;
};

// --- the desktop's lock keys ---
// Caps, Num and Scroll Lock as the desktop has them (VirtKey -> on), for
// as long as this lives; afterwards all off again in the key table, and
// the desktop's own state back.
class TScriptedLockKeys {
public:
    explicit TScriptedLockKeys(std::map<int, bool> On);
    ~TScriptedLockKeys();
    std::map<int, bool> On;
};

// --- message boxes ---
class TScriptedMessageBoxes {
public:
    struct TQuestion {
        QString Text;
        QString Caption;
        unsigned Flags;
    };
    // Answers with Answers in turn; the last one again when they run out.
    explicit TScriptedMessageBoxes(std::vector<int> Answers = {IDOK});
    ~TScriptedMessageBoxes();
    const std::vector<TQuestion>& Asked() const { return FAsked; }

private:
    std::vector<int> FAnswers;
    std::vector<TQuestion> FAsked;
};

// --- what reaches the screen ---
// Records what of a form's Qt window Qt paints from now on (the image is
// shown in those paints); a drawing that never asks for one stays off the
// screen however right the image is.
class TScreenPaints {
public:
    explicit TScreenPaints(TControl* AnyOnForm);
    ~TScreenPaints();
    // Runs the loop and lets Qt paint what is due; then whether all of R
    // (Control's client coordinates) was painted on the screen.
    bool Shown(TControl* Control, TRect R);

private:
    class TFilter;
    TFilter* FFilter;
};

// --- pictures ---
// The control as it paints (windowed: frame and children included;
// graphic: its own painting) on a background of BackgroundColor.
QImage PaintControlImage(TControl* Control, COLORREF Background = 0xFF00FF);
// The image a form shows once everything pending is painted.
QImage FormImage(TControl* AnyOnForm);
