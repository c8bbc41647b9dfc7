#include "framework/TApplication.h"

#include "framework/TQtConvert.h"

#include <QApplication>
#include <QPalette>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QStyleFactory>

#include <cerrno>
#include <csignal>
#include <clocale>
#include <fcntl.h>
#include <unistd.h>

namespace {

TApplication* current = nullptr;

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
    current = this;
}

TApplication::~TApplication() {
    sessionContext.reset();
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

bool TApplication::MayEndSession() { return !mainWindow || mainWindow->QueryClose(); }

void TApplication::OnTerminationSignal(int) {
    if (mainWindow) {
        mainWindow->Destroy(0);
    }
    Quit(0);
}

TApplication* TApplication::Instance() { return current; }

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
    if (!Start()) {
        return 1;
    }
    return QApplication::exec();
}

void TApplication::Quit(int exitCode) { QApplication::exit(exitCode); }
