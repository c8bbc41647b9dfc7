#pragma once
// The application: its name, the main window built once before the message loop, the show
// mode the main window starts in, and the loop's exit code.

#include "framework/TWindow.h"

#include <memory>
#include <string>

class QApplication;
class QObject;
class QSocketNotifier;

class TApplication {
public:
    // Builds the platform's application object unless one exists (tests make their own).
    TApplication(std::string name, int& argc, char** argv);
    virtual ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    static TApplication* Instance();
    const std::string& Name() const { return name; }

    void SetMainWindow(TWindow* window) { mainWindow = window; }
    TWindow* MainWindow() const { return mainWindow; }
    void SetShowMode(TShowMode mode) { showMode = mode; }
    TShowMode ShowMode() const { return showMode; }

    // BuildMainWindow once, then create and show the main window and run the loop until the
    // main window goes. Returns the loop's exit code; 1 when there is no main window.
    int Run();
    // Builds, creates and shows the main window without entering the loop (tests).
    bool Start();
    void Quit(int exitCode);

    // From now on SIGTERM, SIGINT and SIGHUP arrive as calls of OnTerminationSignal on the
    // user-interface thread (the handler only writes to a pipe the loop watches). Run calls
    // it; tests may call it themselves.
    void HandleTerminationSignals();
    // True once a termination signal has come: work under way ends early (a print stops and
    // removes its file), message boxes are no longer shown, and the program closes as soon
    // as that work has unwound.
    static bool TerminationRequested();

    // Runs the events waiting now: work that takes a while calls it between its steps, so
    // its windows stay alive and a Cancel button can be pressed.
    static void PumpWaitingMessages();

    // Held by work that runs events itself without a modal window of its own (a print
    // run): a termination signal lets it end before any window goes.
    class Busy {
    public:
        Busy();
        ~Busy();
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;
    };
    // When a desktop session ends and lets the program ask, the main window is asked
    // whether it may close, as Exit asks (the Log Book's save question); false when the
    // user keeps the program running, which cancels the logout. The session then ends the
    // program with SIGTERM.
    bool MayEndSession();

protected:
    virtual void BuildMainWindow() {}
    // Ends the program as Exit does, without questions: the main window is destroyed
    // (taking every window in it along) and the loop ends; what the windows own is
    // released as the program unwinds. Arriving inside a modal window, a message box or a
    // print run, it first ends those and waits until their code has returned, so that
    // nothing on their stack is destroyed under them.
    virtual void OnTerminationSignal(int signalNumber);

private:
    // A modal loop, a pop-up menu or busy work is on the stack above the main loop.
    bool WorkUnderWay() const;
    static void EndModalWindows();
    void FinishTermination();

    std::string name;
    std::unique_ptr<QApplication> ownApplication;
    TWindow* mainWindow = nullptr;
    TShowMode showMode = TShowMode::Normal;
    bool built = false;
    bool mainLoopRunning = false;
    bool terminating = false;
    std::unique_ptr<QSocketNotifier> signalNotifier;
    // The session's request reaches this object while it lives.
    std::unique_ptr<QObject> sessionContext;
    // The retries of an ending program wait on this object.
    std::unique_ptr<QObject> terminationContext;
};
