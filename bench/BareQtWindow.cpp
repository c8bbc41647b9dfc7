// The yardstick for start-up: a bare Qt program with what the main window has in plain Qt,
// a frame with an MDI area, a menu, a tool bar and a status bar, shown maximised.
#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow frame;
    frame.setWindowTitle("Bare Qt window");
    frame.setCentralWidget(new QMdiArea);
    for (const char* title : {"&File", "&Tools", "&View", "&Preferences", "&Window", "&Help"}) {
        QMenu* menu = frame.menuBar()->addMenu(title);
        for (int i = 0; i < 5; ++i) {
            menu->addAction(QString("Item %1").arg(i));
        }
    }
    QToolBar* bar = frame.addToolBar("Tools");
    for (int i = 0; i < 17; ++i) {
        bar->addAction(QString::number(i));
    }
    frame.statusBar()->showMessage("Ready");
    // As the program's frame does, so both paint the same area without a window manager.
    frame.setGeometry(frame.screen()->availableGeometry());
    frame.showMaximized();
    return app.exec();
}
