#include "framework/TDecoratedMDIFrame.h"

#include "framework/TApplication.h"
#include "framework/TMDIChild.h"
#include "framework/TMDIClient.h"
#include "framework/TResources.h"
#include "framework/TStatusBar.h"
#include "framework/TWindowHost.h"

#include <QAction>
#include <QBoxLayout>
#include <QCoreApplication>
#include <QDropEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

namespace {

QMenu* BuildPopup(TDecoratedMDIFrame& frame, const TMenuItem& popup, QWidget* parent, bool track) {
    auto* menu = new QMenu(TQtConvert::Text(popup.text), parent);
    for (const TMenuItem& item : popup.items) {
        if (item.separator) {
            menu->addSeparator();
        } else if (item.IsPopup()) {
            menu->addMenu(BuildPopup(frame, item, menu, track));
        } else {
            QAction* action = menu->addAction(TQtConvert::Text(item.text));
            action->setData(item.command);
            const int command = item.command;
            QObject::connect(action, &QAction::triggered,
                             [&frame, command] { frame.RouteCommand(command); });
            if (track) {
                QObject::connect(action, &QAction::hovered, [&frame, command] {
                    frame.ShowHint(TResources::String(command));
                });
            }
        }
    }
    QObject::connect(menu, &QMenu::aboutToShow, [&frame, menu] {
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator() && !action->menu()) {
                action->setEnabled(frame.MenuItemEnabled(action->data().toInt()));
            }
        }
    });
    if (track) {
        QObject::connect(menu, &QMenu::aboutToHide, [&frame] { frame.ShowHint(""); });
    }
    return menu;
}

// The local paths a drag carries; none when it carries anything else too.
std::vector<std::string> LocalPaths(const QMimeData* data) {
    std::vector<std::string> paths;
    if (!data || !data->hasUrls()) {
        return paths;
    }
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile() || url.toLocalFile().isEmpty()) {
            return {};
        }
        paths.push_back(TQtConvert::Text(url.toLocalFile()));
    }
    return paths;
}

// Takes drags and drops of files for the whole frame: its children pass the drops they do
// not take themselves up to it.
class DropFilter : public QObject {
public:
    DropFilter(QObject* parent, const TDecoratedMDIFrame::DropHandler& handler)
        : QObject(parent), handler(handler) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) {
            return QObject::eventFilter(watched, event);
        }
        auto* drop = static_cast<QDropEvent*>(event);
        const std::vector<std::string> paths = LocalPaths(drop->mimeData());
        if (!handler || paths.empty()) {
            drop->ignore();
            return true;
        }
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        if (type == QEvent::Drop) {
            // After the drop has returned to the system, so the source is not held up by
            // whatever the handler shows.
            QTimer::singleShot(0, this, [this, paths] {
                if (handler) {
                    handler(paths);
                }
            });
        }
        return true;
    }

private:
    const TDecoratedMDIFrame::DropHandler& handler;
};

} // namespace

TDecoratedMDIFrame::TDecoratedMDIFrame(std::string title, int menuResource, TMDIClient& client,
                                       bool trackMenuSelection)
    : TWindow(nullptr, std::move(title)), client(client), menuResource(menuResource),
      trackMenuSelection(trackMenuSelection) {
    client.SetParent(this);
}

TDecoratedMDIFrame::~TDecoratedMDIFrame() = default;

QWidget* TDecoratedMDIFrame::CreateWidget(QWidget*) {
    auto* host = new TWindowHost<QMainWindow>(this);
    host->paintsItself = false;
    auto* central = new QWidget(host);
    auto* rows = new QVBoxLayout(central);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);
    top = new QVBoxLayout;
    middle = new QHBoxLayout;
    left = new QHBoxLayout;
    bottom = new QVBoxLayout;
    for (QBoxLayout* l : {top, middle, left, bottom}) {
        l->setContentsMargins(0, 0, 0, 0);
        l->setSpacing(0);
    }
    rows->addLayout(top);
    rows->addLayout(middle, 1);
    rows->addLayout(bottom);
    middle->addLayout(left);
    host->setCentralWidget(central);
    host->resize(800, 600);
    host->setAcceptDrops(true);
    host->installEventFilter(new DropFilter(host, dropHandler));
    return host;
}

void TDecoratedMDIFrame::SetupWindow() {
    client.Create();
    middle->addWidget(client.Widget(), 1);
    BuildMenu();
    for (const Placed& p : decorations) {
        PlaceDecoration(p);
    }
}

void TDecoratedMDIFrame::BuildMenu() {
    auto* host = qobject_cast<QMainWindow*>(Widget());
    const std::vector<TMenuItem>* menu = TResources::Menu(menuResource);
    if (!host || !menu) {
        return;
    }
    QMenuBar* bar = host->menuBar();
    bar->clear();
    for (const TMenuItem& popup : *menu) {
        bar->addMenu(BuildPopup(*this, popup, bar, trackMenuSelection));
    }
}

void TDecoratedMDIFrame::Insert(TWindow& decoration, Location location) {
    decoration.SetParent(this);
    decorations.push_back({&decoration, location});
    if (auto* bar = dynamic_cast<TStatusBar*>(&decoration)) {
        statusBar = bar;
    }
    if (Widget()) {
        PlaceDecoration(decorations.back());
    }
}

void TDecoratedMDIFrame::PlaceDecoration(const Placed& p) {
    p.window->Create();
    QWidget* w = p.window->Widget();
    QBoxLayout* into = p.location == Location::Top    ? top
                       : p.location == Location::Left ? left
                                                      : bottom;
    if (w && into && into->indexOf(w) < 0) {
        w->setParent(top->parentWidget());
        into->addWidget(w);
        w->show();
    }
}

void TDecoratedMDIFrame::Remove(TWindow& decoration) {
    std::erase_if(decorations, [&](const Placed& p) { return p.window == &decoration; });
    if (statusBar == &decoration) {
        statusBar = nullptr;
    }
    if (QWidget* w = decoration.Widget()) {
        for (QBoxLayout* l : {top, left, bottom}) {
            if (l) {
                l->removeWidget(w);
            }
        }
        w->hide();
    }
}

bool TDecoratedMDIFrame::HasDecoration(const TWindow& decoration) const {
    return std::any_of(decorations.begin(), decorations.end(),
                       [&](const Placed& p) { return p.window == &decoration; });
}

void TDecoratedMDIFrame::Layout() {
    if (auto* w = qobject_cast<QMainWindow*>(Widget()); w && w->centralWidget()) {
        w->centralWidget()->layout()->activate();
    }
}

TWindow* TDecoratedMDIFrame::CommandTarget() const {
    if (TMDIChild* child = client.ActiveChild(); child && child->Hosted()) {
        return child->Hosted();
    }
    return &client;
}

bool TDecoratedMDIFrame::RouteCommand(int id) {
    TWindow* target = CommandTarget();
    return target && target->Command(id);
}

bool TDecoratedMDIFrame::MenuItemEnabled(int command) const {
    const TWindow* target = CommandTarget();
    return target && target->HandlesCommand(command) && target->IsCommandEnabled(command);
}

bool TDecoratedMDIFrame::ChooseMenuItem(int command) {
    return MenuItemEnabled(command) && RouteCommand(command);
}

void TDecoratedMDIFrame::ShowHint(const std::string& text) {
    if (statusBar) {
        statusBar->SetHint(text);
    }
}

void TDecoratedMDIFrame::OnFilesDropped(DropHandler handler) {
    dropHandler = std::move(handler);
}

bool TDecoratedMDIFrame::CanClose() {
    return client.QueryClose();
}

void TDecoratedMDIFrame::AfterDestroy(int) {
    if (TApplication* app = TApplication::Instance(); app && app->MainWindow() == this) {
        QCoreApplication::exit(0);
    }
}
