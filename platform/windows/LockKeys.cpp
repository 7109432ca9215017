#include "platform/windows/LockKeys.h"

#include "platform/graphics/GuiApplication.h"
#include "platform/graphics/MessageTypes.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QtGui/qguiapplication_platform.h>

namespace {

TLockKeyStateHook& LockHook()
{
    static TLockKeyStateHook H;
    return H;
}

bool GLocksStale = true;

// A lock key pressed or released anywhere in the program (in its windows,
// or in a dialog of Qt's own that the key table never sees): the desktop
// has the last word on what the lock is now.
class TLockKeyWatch : public QObject {
public:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        if (Event->type() == QEvent::KeyPress || Event->type() == QEvent::KeyRelease) {
            const int Key = static_cast<QKeyEvent*>(Event)->key();
            if (Key == Qt::Key_CapsLock || Key == Qt::Key_NumLock || Key == Qt::Key_ScrollLock)
                GLocksStale = true;
        }
        return QObject::eventFilter(Watched, Event);
    }
};

// Watches the application there is (it owns the watch).
void WatchLockKeys()
{
    static QPointer<TLockKeyWatch> Watch;
    QCoreApplication* App = QCoreApplication::instance();
    if (Watch != nullptr || App == nullptr)
        return;
    Watch = new TLockKeyWatch;
    Watch->setParent(App);
    App->installEventFilter(Watch);
}

const int LockKeys[] = {VK_CAPITAL, VK_NUMLOCK, VK_SCROLL};

// The XKB indicator of a lock key (below, after Xlib's header).
std::optional<bool> XkbIndicator(Display* D, int VirtKey);

// The kernel's keyboard LEDs ("input3::numlock" ...); on when any
// keyboard's is.
std::optional<bool> KernelLed(int VirtKey)
{
    const QString Suffix = VirtKey == VK_CAPITAL ? QStringLiteral("capslock")
        : VirtKey == VK_NUMLOCK                  ? QStringLiteral("numlock")
                                                 : QStringLiteral("scrolllock");
    const QDir Leds(QStringLiteral("/sys/class/leds"));
    const QStringList Names = Leds.entryList({QStringLiteral("*::") + Suffix}, QDir::Dirs | QDir::System);
    if (Names.isEmpty())
        return std::nullopt;
    for (const QString& Name : Names) {
        QFile F(Leds.filePath(Name + QStringLiteral("/brightness")));
        if (F.open(QIODevice::ReadOnly) && F.readAll().trimmed().toInt() != 0)
            return true;
    }
    return false;
}

std::optional<bool> AskDesktop(int VirtKey)
{
    QGuiApplication* App = GuiApplication();
    // The offscreen and minimal platforms have no desktop to ask.
    if (App == nullptr || QGuiApplication::platformName() == QLatin1String("offscreen")
        || QGuiApplication::platformName() == QLatin1String("minimal"))
        return std::nullopt;
    if (auto* X11 = App->nativeInterface<QNativeInterface::QX11Application>(); X11 != nullptr && X11->display())
        return XkbIndicator(X11->display(), VirtKey);
    return KernelLed(VirtKey);
}

} // namespace

void SetLockKeyStateHook(TLockKeyStateHook Hook)
{
    LockHook() = std::move(Hook);
    GLocksStale = true;
}

std::optional<bool> DesktopLockKeyState(int VirtKey)
{
    if (VirtKey != VK_CAPITAL && VirtKey != VK_NUMLOCK && VirtKey != VK_SCROLL)
        return std::nullopt;
    return LockHook() ? LockHook()(VirtKey) : AskDesktop(VirtKey);
}

void LockKeysMayHaveChanged()
{
    GLocksStale = true;
}

void UpdateLockKeys(std::uint8_t* Keys)
{
    WatchLockKeys();
    // Before the application is there nothing can be asked yet.
    if (!GLocksStale || (!LockHook() && GuiApplication() == nullptr))
        return;
    GLocksStale = false;
    for (const int Vk : LockKeys)
        if (const std::optional<bool> On = DesktopLockKeyState(Vk))
            Keys[Vk] = std::uint8_t((Keys[Vk] & ~0x01) | (*On ? 0x01 : 0));
}

// Last: Xlib's macros (None, Bool, KeyPress ...) must reach no other code,
// which is also why this file is compiled on its own, outside any batch.
#include <X11/XKBlib.h>

namespace {

// By the name every keymap gives it.
std::optional<bool> XkbIndicator(Display* D, int VirtKey)
{
    const char* Name = VirtKey == VK_CAPITAL ? "Caps Lock" : VirtKey == VK_NUMLOCK ? "Num Lock" : "Scroll Lock";
    const Atom Indicator = XInternAtom(D, Name, True);
    Bool On = False;
    if (Indicator == None || !XkbGetNamedIndicator(D, Indicator, nullptr, &On, nullptr, nullptr))
        return std::nullopt;
    return On != False;
}

} // namespace
