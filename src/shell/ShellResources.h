#pragma once
// The shell's resources: the main menu with its hints, the About box and the title screen.

class ShellResources {
public:
    // Registers them once; later calls do nothing.
    static void Register();
    // The main menu, with the File menu's commands registered so far; again for each new
    // main window, since the program registers its features after the application starts.
    static void RegisterMenu();
};
