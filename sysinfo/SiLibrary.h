#pragma once
// The start and end of the system-information library.  Called by the
// program, not by static constructors: the library's objects need the
// platform's Application and a Qt application object.
//
// InitializeSiLibrary detects the version flags, notes whether the
// platform can draw themes, and makes the application object (SiApplication)
// and then the theme manager (SiXPThemeManager).  FinalizeSiLibrary frees
// them in the reverse order.  Both may be called more than once.
void InitializeSiLibrary();
void FinalizeSiLibrary();

// Initialises the library for its lifetime: the program's main holds one
// after its Qt application object, so the library ends before the platform.
class TSiLibraryScope {
public:
    TSiLibraryScope() { InitializeSiLibrary(); }
    ~TSiLibraryScope() { FinalizeSiLibrary(); }
    TSiLibraryScope(const TSiLibraryScope&) = delete;
    TSiLibraryScope& operator=(const TSiLibraryScope&) = delete;
};
