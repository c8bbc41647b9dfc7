#include "framework/THelpViewer.h"

#include "framework/TMessageBox.h"
#include "framework/TQtConvert.h"
#include "framework/TWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QWidget>

#include <cstdlib>

namespace {

QPointer<QTextBrowser>& Viewer() {
    static QPointer<QTextBrowser> viewer;
    return viewer;
}

std::string& Page() {
    static std::string page;
    return page;
}

} // namespace

std::string THelpViewer::HelpFolder() {
    QStringList candidates;
    if (const char* own = std::getenv("VELORIA_RESOURCES"); own && *own) {
        candidates << QString::fromLocal8Bit(own) + "/help";
    }
    const QString exe = QCoreApplication::applicationDirPath();
    candidates << exe + "/resources/help" << exe + "/../share/veloria/help";
#ifdef VELORIA_SOURCE_DIR
    candidates << QStringLiteral(VELORIA_SOURCE_DIR) + "/resources/help";
#endif
    for (const QString& c : candidates) {
        if (QFileInfo(c).isDir()) {
            return TQtConvert::Text(QDir(c).absolutePath());
        }
    }
    return TQtConvert::Text(candidates.back());
}

std::string THelpViewer::PageFor(const std::string& helpFile) {
    QString base = QFileInfo(TQtConvert::Text(helpFile)).completeBaseName().toLower();
    if (base.isEmpty()) {
        return {};
    }
    const QString page = TQtConvert::Text(HelpFolder()) + "/" + base + ".html";
    return QFileInfo(page).isFile() ? TQtConvert::Text(page) : std::string();
}

bool THelpViewer::Show(TWindow* owner, const std::string& helpFile) {
    const std::string page = PageFor(helpFile);
    if (page.empty()) {
        TMessageBox::Show(owner, "Cannot find the help file " + helpFile + ".", "Help",
                          TMessageBox::Buttons::Ok, TMessageBox::Icon::Exclamation);
        return false;
    }
    QPointer<QTextBrowser>& viewer = Viewer();
    // Owned by the owner's top-level window, so it stays above it and goes with it.
    QWidget* main = owner && owner->Widget() ? owner->Widget()->window() : nullptr;
    if (!viewer) {
        viewer = new QTextBrowser(main);
        viewer->setWindowFlags(Qt::Window);
        viewer->setAttribute(Qt::WA_DeleteOnClose);
        viewer->setOpenExternalLinks(true);
        viewer->resize(640, 720);
        viewer->setWindowTitle("Help");
        if (main) {
            const QRect over = main->frameGeometry();
            viewer->move(over.center() - QPoint(viewer->width() / 2, viewer->height() / 2));
        }
    }
    viewer->setSource(QUrl::fromLocalFile(TQtConvert::Text(page)));
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
    Page() = page;
    return true;
}

void THelpViewer::Close() {
    if (Viewer()) {
        Viewer()->close();
    }
    Page().clear();
}

bool THelpViewer::IsShown() {
    return Viewer() && Viewer()->isVisible();
}

std::string THelpViewer::CurrentPage() {
    return IsShown() ? Page() : std::string();
}
