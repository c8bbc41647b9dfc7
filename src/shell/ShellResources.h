#pragma once
// The shell's resources: the main menu with its hints, the About box and the title screen.

class ShellResources {
public:
    // Registers them once; later calls do nothing.
    static void Register();
};
