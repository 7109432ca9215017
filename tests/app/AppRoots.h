#pragma once
// The program's data module and main window, made for the whole test
// program as the program makes them before any other window: the other
// windows' definitions refer to them ("DataModuleMain.DataSourceQuorvy"),
// so every window read from its definition (the conformance test's among
// them) finds them.  A test that makes its own puts them aside while it
// runs with a TOwnAppRoots.
class TOwnAppRoots {
public:
    TOwnAppRoots();
    ~TOwnAppRoots();
    TOwnAppRoots(const TOwnAppRoots&) = delete;
    TOwnAppRoots& operator=(const TOwnAppRoots&) = delete;
};
