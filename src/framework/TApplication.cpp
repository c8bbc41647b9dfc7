#include "framework/TApplication.h"

#include "framework/TQtConvert.h"

#include <QApplication>
#include <QDialog>
#include <QPalette>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QStyleFactory>
#include <QThread>
#include <QTimer>

#include <cerrno>
#include <clocale>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

TApplication* current = nullptr;
int busyDepth = 0;

// How long an ending program waits between looks at whether the work above the main loop
// has unwound: short, since everything there has been told to end.
constexpr int kUnwindRetry = 10;

// The self-pipe: the signal handler writes the signal's number, the loop reads it.
int signalPipe[2] = {-1, -1};

void WriteSignal(int signalNumber) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
    errno = saved;
}

// A fixed light-grey look whatever the desktop's theme.
void ApplyLook(QApplication& app) {
    if (QStyle* fusion = QStyleFactory::create("Fusion")) {
        app.setStyle(fusion);
    }
    QPalette p;
    const QColor grey(192, 192, 192);
    p.setColor(QPalette::Window, grey);
    p.setColor(QPalette::Button, grey);
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::AlternateBase, QColor(224, 224, 224));
    p.setColor(QPalette::WindowText, Qt::black);
    p.setColor(QPalette::ButtonText, Qt::black);
    p.setColor(QPalette::Text, Qt::black);
    p.setColor(QPalette::Highlight, QColor(0, 0, 128));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Light, Qt::white);
    p.setColor(QPalette::Midlight, QColor(223, 223, 223));
    p.setColor(QPalette::Mid, QColor(160, 160, 160));
    p.setColor(QPalette::Dark, QColor(128, 128, 128));
    p.setColor(QPalette::Shadow, Qt::black);
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(128, 128, 128));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(128, 128, 128));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(128, 128, 128));
    app.setPalette(p);
    app.setFont(TQtConvert::DialogFont());
}

} // namespace

TApplication::TApplication(std::string appName, int& argc, char** argv) : name(std::move(appName)) {
    if (!QApplication::instance()) {
        ownApplication = std::make_unique<QApplication>(argc, argv);
    }
    // Qt takes the whole locale from the environment; numbers are written and read with a
    // point everywhere in the program (boxes, stored texts, reports), so the C library's
    // number formatting stays that of the C locale.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(TQtConvert::Text(name));
    if (auto* app = qobject_cast<QApplication*>(QApplication::instance())) {
        ApplyLook(*app);
        app->setQuitOnLastWindowClosed(false);
        sessionContext = std::make_unique<QObject>();
        QObject::connect(app, &QGuiApplication::commitDataRequest, sessionContext.get(),
                         [this](QSessionManager& session) {
                             if (session.allowsInteraction()) {
                                 if (!MayEndSession()) {
                                     session.cancel();
                                 }
                                 session.release();
                             }
                         });
    }
    terminationContext = std::make_unique<QObject>();
    current = this;
}

TApplication::~TApplication() {
    sessionContext.reset();
    terminationContext.reset();
    if (signalNotifier) {
        signalNotifier.reset();
        for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
            std::signal(signalNumber, SIG_DFL);
        }
    }
    if (current == this) {
        current = nullptr;
    }
}

void TApplication::HandleTerminationSignals() {
    if (signalNotifier) {
        return;
    }
    if (signalPipe[0] < 0 && ::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    signalNotifier = std::make_unique<QSocketNotifier>(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(signalNotifier.get(), &QSocketNotifier::activated, [this] {
        unsigned char byte = 0;
        while (::read(signalPipe[0], &byte, 1) == 1) {
            OnTerminationSignal(byte);
        }
    });
    struct sigaction action {};
    action.sa_handler = WriteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        ::sigaction(signalNumber, &action, nullptr);
    }
}

bool TApplication::MayEndSession() {
    return !mainWindow || mainWindow->QueryClose();
}

void TApplication::OnTerminationSignal(int) {
    if (terminating) {
        return; // already ending
    }
    terminating = true;
    FinishTermination();
}

bool TApplication::TerminationRequested() {
    return current && current->terminating;
}

TApplication::Busy::Busy() {
    ++busyDepth;
}
TApplication::Busy::~Busy() {
    --busyDepth;
}

void TApplication::PumpWaitingMessages() {
    QApplication::processEvents();
}

bool TApplication::WorkUnderWay() const {
    // A closed dialog's loop is still on the stack until its exec returns: the loop level
    // tells, beside the windows that are still up.
    const int mainLevel = mainLoopRunning ? 1 : 0;
    return busyDepth > 0 || QApplication::activeModalWidget() ||
           QApplication::activePopupWidget() || QThread::currentThread()->loopLevel() > mainLevel;
}

void TApplication::EndModalWindows() {
    if (QWidget* popup = QApplication::activePopupWidget()) {
        popup->close();
    }
    // The innermost first; a window that will not close is left to the retries.
    QWidget* previous = nullptr;
    while (QWidget* modal = QApplication::activeModalWidget()) {
        if (modal == previous) {
            break;
        }
        previous = modal;
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        } else {
            modal->close();
        }
    }
}

void TApplication::FinishTermination() {
    if (WorkUnderWay()) {
        EndModalWindows();
        QTimer::singleShot(kUnwindRetry, terminationContext.get(), [this] { FinishTermination(); });
        return;
    }
    if (mainWindow) {
        mainWindow->Destroy(0);
    }
    Quit(0);
}

TApplication* TApplication::Instance() {
    return current;
}

bool TApplication::Start() {
    if (!built) {
        built = true;
        BuildMainWindow();
    }
    if (!mainWindow || !mainWindow->Create()) {
        return false;
    }
    mainWindow->Show(showMode);
    return true;
}

int TApplication::Run() {
    HandleTerminationSignals();
    const bool started = Start();
    // A signal that came while the start-up was still showing a message box.
    if (terminating) {
        FinishTermination();
    }
    int result = started ? 0 : 1;
    if (started && !terminating) {
        mainLoopRunning = true;
        result = QApplication::exec();
        mainLoopRunning = false;
    }
    // Windows destroyed in the loop's last pass (the tool windows at Exit) wait for a turn of
    // the loop that will not come: they are freed now.
    do {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    } while (TWindow::DeletePending());
    return result;
}

void TApplication::Quit(int exitCode) {
    QApplication::exit(exitCode);
}
