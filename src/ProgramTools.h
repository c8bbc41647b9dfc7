#pragma once
// Hands the program's pictures to the framework and registers every tool with the shell:
// its dialog template, its speed menu and how its dialog is made.

class ProgramTools {
public:
    static void Register();
};
