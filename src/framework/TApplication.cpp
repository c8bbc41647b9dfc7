#include "framework/TApplication.h"

#include "framework/TQtConvert.h"

#include <QApplication>
#include <QPalette>
#include <QStyleFactory>

#include <clocale>

namespace {

TApplication* current = nullptr;

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
    }
    current = this;
}

TApplication::~TApplication() {
    if (current == this) {
        current = nullptr;
    }
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
    if (!Start()) {
        return 1;
    }
    return QApplication::exec();
}

void TApplication::Quit(int exitCode) { QApplication::exit(exitCode); }
