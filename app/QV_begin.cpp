// The program.  Its windows are not built yet: it starts the libraries it
// stands on, says so and stops.
#include "sysinfo/SiLibrary.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication QtApp(argc, argv);
    // The platform's Application exists from the program's start; the
    // system-information library's application and theme-manager objects
    // follow it here and go at the end of main, before Qt and the platform.
    TSiLibraryScope SiLibrary;
    std::puts("Quorvy: de vensters zijn nog niet gebouwd; dit programma doet nog niets.");
    return 0;
}
