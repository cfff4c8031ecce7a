#pragma once

#include "app/build_profile.h"
#include "app/form1.h"
#include "app/form2.h"

// One whole program: the notice window and the main window with every handler connected.
// Tests build one exactly as the programs do.
class Program {
public:
    explicit Program(const BuildProfile& profile);

    TForm2 Form2;
    TForm1 Form1;
};

// Start-up: the application object, both windows, the maximized main window, the event loop
// until the main window closes.
int RunProgram(int argc, char** argv, const BuildProfile& profile);
