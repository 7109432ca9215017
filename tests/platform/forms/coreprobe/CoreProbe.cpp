// A program on a bare QCoreApplication, as the tools that only read and
// write contact files are: it uses the desktop calls such a tool can reach
// (the cursor, the screen's facts, message boxes, a form's window) and
// writes one "name value" line for each answer.  None of them may crash or
// cast the application to a class it is not.
#include "platform/forms/Dialogs.h"
#include "platform/forms/Forms.h"
#include "platform/forms/InputQuery.h"
#include "platform/forms/Screen.h"
#include "platform/graphics/ThemeIcons.h"
#include "platform/windows/Themes.h"
#include "platform/windows/WinUser.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

void Print(const char* Name, long long Value)
{
    std::printf("%s %lld\n", Name, Value);
}

void ProbeCursor()
{
    Screen->SetCursor(crHourGlass);
    Print("cursor", Screen->Cursor());
    {
        const TCursorScope Busy(crHandPoint);
        Print("scoped", Screen->Cursor());
    }
    Print("restored", Screen->Cursor());
    Screen->SetCursor(crDefault);
    SetCursorPos(5, 7);
    TPoint P;
    GetCursorPos(&P);
    Print("cursorpos", P.X * 1000 + P.Y);
}

void ProbeScreen()
{
    Print("monitors", Screen->MonitorCount());
    Print("primary", Screen->PrimaryMonitor()->Primary());
    Print("place", Screen->CanPlaceWindows());
    Print("metrics.monitors", GetSystemMetrics(SM_CMONITORS));
    Print("metrics.drag", GetSystemMetrics(SM_CXDRAG));
    Print("doubleclick", GetDoubleClickTime());
    UINT Lines = 0;
    SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &Lines, 0);
    Print("wheel", Lines);
    Print("beep", MessageBeep(0));
    Print("themes", ThemeServices().ThemesAvailable());
    Print("icon", ThemeIconImage(QStringLiteral("document-open"), 16, 16).isNull());
}

void ProbeDialogs()
{
    Print("messagebox", MessageBox(QStringLiteral("Tekst"), QStringLiteral("Titel"), MB_OKCANCEL));
    String Value = QStringLiteral("oud");
    Print("inputquery", InputQuery(QStringLiteral("Titel"), QStringLiteral("Vraag"), Value));
}

void ProbeForm()
{
    TForm* Form = CreateNewForm<TForm>(nullptr);
    Form->HandleNeeded();
    Print("form", Form->HandleAllocated());
    Form->Free();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication App(argc, argv);
    ProbeCursor();
    ProbeScreen();
    ProbeDialogs();
    ProbeForm();
    std::fflush(stdout);
    return 0;
}
