// The program: shows the splash window while it starts, makes the data
// module and the main window, and runs until the main window closes.
#include "app/qv_data.h"
#include "app/qv_main.h"
#include "app/qv_splsh.h"
#include "platform/forms/Application.h"
#include "platform/forms/EndSession.h"
#include "sysinfo/SiLibrary.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication QtApp(argc, argv);
    // The platform's Application exists from the program's start; the
    // system-information library's application and theme-manager objects
    // follow it here and go at the end of main, before Qt and the platform.
    TSiLibraryScope SiLibrary;

    // Not through CreateForm: the splash window must never become the
    // main window.
    FormSplash = CreateComponent<TFormSplash>(Application);
    FormSplash->Show();
    FormSplash->Update();

    Application->Initialize();
    // Logging out, shutting down or Ctrl+C in a terminal closes the main
    // window as its close command does, so an open contact file is written.
    InstallEndSessionSignals();
    Application->SetTitle(QStringLiteral("Quorvy®"));
    Application->CreateForm(DataModuleMain);
    Application->CreateForm(FormMain);

    FormSplash->Hide();
    FormSplash->Free();
    FormSplash = nullptr;

    Application->Run();
    return 0;
}
