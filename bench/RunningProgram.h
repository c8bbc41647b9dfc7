#pragma once
// The program started offscreen on a sample logbook, as a user starts it: its own settings
// file naming the sample, no title screen, every tool registered. Any message box fails the
// benchmark instead of waiting. Client() is null when the program did not open the sample.

#include "SampleLogBook.h"

#include <memory>

class ClientWindow;
class TMainApp;

class RunningProgram {
public:
    explicit RunningProgram(SampleLogBook& book);
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    ClientWindow* Client() const;

private:
    SampleLogBook& book;
    int argc = 1;
    char name[8] = "veloria";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<TMainApp> app;
};
