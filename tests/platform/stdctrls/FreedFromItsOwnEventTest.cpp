// "Free yourself from your own event": a handler that frees the control
// (or timer) whose event it is, fired by real input.  The handler goes on
// to use what it captured after the free, and the control must not be
// touched again once the handler returns; the sanitizer build sees any
// use of freed memory.
#include "platform/classes/ComponentRef.h"
#include "platform/forms/Timer.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/ExtCtrls.h"
#include "platform/stdctrls/ListBox.h"
#include "platform/stdctrls/SpeedButton.h"
#include "tests/platform/stdctrls/StdCtrlsFixture.h"

namespace {

struct FreedFromItsOwnEvent : StdForm {
    QString Seen;

    // A handler of any event's signature that frees Target, then reads what
    // it captured.
    auto Freeing(TComponent* Target)
    {
        return [this, Self = TComponentRef<>(Target), Note = QString(200, u'n')](auto&&...) {
            if (Self)
                Self->Free();
            Seen = Note;
        };
    }
    void ExpectFreedAndHandlerWhole(const TComponentRef<>& Target)
    {
        PumpMessages();
        EXPECT_FALSE(Target);
        EXPECT_EQ(Seen, QString(200, u'n'));
    }
};

struct TCase {
    const char* Name;
    // Makes the control, hooks the freeing handler and returns the control.
    TComponent* (*Make)(FreedFromItsOwnEvent& T);
    // The input that fires the event.
    void (*Drive)(FreedFromItsOwnEvent& T, TComponent* Made);
};

template <typename C>
C* Focused(FreedFromItsOwnEvent& T)
{
    auto* Control = T.Make<C>(Bounds(10, 10, 120, 24));
    Control->SetFocus();
    return Control;
}

TControl* AsControl(TComponent* C)
{
    return static_cast<TControl*>(C);
}

const TCase Cases[] = {
    {"button clicked",
     [](FreedFromItsOwnEvent& T) -> TComponent* {
         auto* B = T.Make<TButton>(Bounds(10, 10, 80, 24));
         B->SetOnClick(T.Freeing(B));
         return B;
     },
     [](FreedFromItsOwnEvent&, TComponent* C) {
         MouseClick(AsControl(C), {20, 10});
     }},
    {"button pressed with the space bar",
     [](FreedFromItsOwnEvent& T) -> TComponent* {
         auto* B = Focused<TButton>(T);
         B->SetOnClick(T.Freeing(B));
         return B;
     },
     [](FreedFromItsOwnEvent&, TComponent* C) { PressKey(AsControl(C), Qt::Key_Space); }},
    {"check box clicked",
     [](FreedFromItsOwnEvent& T) -> TComponent* {
         auto* B = T.Make<TCheckBox>(Bounds(10, 10, 80, 24));
         B->SetOnClick(T.Freeing(B));
         return B;
     },
     [](FreedFromItsOwnEvent&, TComponent* C) {
         MouseClick(AsControl(C), {8, 10});
     }},
    {"speed button clicked",
     [](FreedFromItsOwnEvent& T) -> TComponent* {
         auto* B = T.Make<TSpeedButton>(Bounds(10, 10, 30, 30));
         B->SetOnClick(T.Freeing(B));
         return B;
     },
     [](FreedFromItsOwnEvent&, TComponent* C) {
         MouseClick(AsControl(C), {10, 10});
     }},
    {"edit changed by typing",
     [](FreedFromItsOwnEvent& T) -> TComponent* {
         auto* E = Focused<TEdit>(T);
         E->SetOnChange(T.Freeing(E));
         return E;
     },
     [](FreedFromItsOwnEvent&, TComponent* C) { PressKey(AsControl(C), Qt::Key_A, Qt::NoModifier, "a"); }},
    {"key down",
     [](FreedFromItsOwnEvent& T) -> TComponent* {
         auto* E = Focused<TEdit>(T);
         E->SetOnKeyDown(T.Freeing(E));
         return E;
     },
     [](FreedFromItsOwnEvent&, TComponent* C) { PressKey(AsControl(C), Qt::Key_A, Qt::NoModifier, "a"); }},
    {"key press",
     [](FreedFromItsOwnEvent& T) -> TComponent* {
         auto* E = Focused<TEdit>(T);
         E->SetOnKeyPress(T.Freeing(E));
         return E;
     },
     [](FreedFromItsOwnEvent&, TComponent* C) { PressKey(AsControl(C), Qt::Key_A, Qt::NoModifier, "a"); }},
    {"focus leaving",
     [](FreedFromItsOwnEvent& T) -> TComponent* {
         T.Make<TEdit>(Bounds(10, 50, 120, 24));
         auto* E = Focused<TEdit>(T);
         E->SetOnExit(T.Freeing(E));
         return E;
     },
     [](FreedFromItsOwnEvent&, TComponent* C) { PressKey(AsControl(C), Qt::Key_Tab); }},
    {"mouse down",
     [](FreedFromItsOwnEvent& T) -> TComponent* {
         auto* P = T.Make<TPanel>(Bounds(10, 10, 80, 40));
         P->SetOnMouseDown(T.Freeing(P));
         return P;
     },
     [](FreedFromItsOwnEvent& T, TComponent* C) {
         MouseDown(AsControl(C), {20, 20});
         MouseUp(T.Form, {40, 40});
     }},
    {"mouse up",
     [](FreedFromItsOwnEvent& T) -> TComponent* {
         auto* P = T.Make<TPanel>(Bounds(10, 10, 80, 40));
         P->SetOnMouseUp(T.Freeing(P));
         return P;
     },
     [](FreedFromItsOwnEvent&, TComponent* C) {
         MouseClick(AsControl(C), {20, 20});
     }},
    {"double click",
     [](FreedFromItsOwnEvent& T) -> TComponent* {
         auto* P = T.Make<TPanel>(Bounds(10, 10, 80, 40));
         P->SetOnDblClick(T.Freeing(P));
         return P;
     },
     [](FreedFromItsOwnEvent& T, TComponent* C) {
         MouseClick(AsControl(C), {20, 20});
         MouseDown(AsControl(C), {20, 20});
         MouseUp(T.Form, {30, 30});
     }},
    {"list box item clicked",
     [](FreedFromItsOwnEvent& T) -> TComponent* {
         auto* L = T.Make<TListBox>(Bounds(10, 10, 120, 80));
         L->Items()->Add("een");
         L->Items()->Add("twee");
         L->SetOnClick(T.Freeing(L));
         return L;
     },
     [](FreedFromItsOwnEvent&, TComponent* C) {
         MouseClick(AsControl(C), {10, 5});
     }},
    {"combo box stepped with a key",
     [](FreedFromItsOwnEvent& T) -> TComponent* {
         auto* B = Focused<TComboBox>(T);
         B->SetStyle(csDropDownList);
         B->Items()->Add("een");
         B->Items()->Add("twee");
         B->SetOnChange(T.Freeing(B));
         return B;
     },
     [](FreedFromItsOwnEvent&, TComponent* C) { PressKey(AsControl(C), Qt::Key_Down); }},
    {"timer",
     [](FreedFromItsOwnEvent& T) -> TComponent* {
         auto* Timer = new TTimer(T.Form);
         Timer->SetInterval(1);
         Timer->SetOnTimer(T.Freeing(Timer));
         return Timer;
     },
     [](FreedFromItsOwnEvent& T, TComponent*) { RunUntil([&] { return !T.Seen.isEmpty(); }); }},
};

} // namespace

TEST_F(FreedFromItsOwnEvent, EveryWayLeavesTheFreedControlAlone)
{
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        Seen.clear();
        TComponent* Made = C.Make(*this);
        const TComponentRef<> Target(Made);
        C.Drive(*this, Made);
        ExpectFreedAndHandlerWhole(Target);
    }
}
