#include "framework/TWindow.h"

#include "framework/TDC.h"
#include "framework/TResources.h"
#include "framework/TWindowHost.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace {

std::map<THandle, TWindow*>& Registry() {
    static std::map<THandle, TWindow*> windows;
    return windows;
}

THandle NextHandle() {
    static THandle next = 0x1000;
    return next += 4;
}

// Destroyed windows whose deletion the loop has yet to run.
std::vector<THandle>& PendingDeletes() {
    static std::vector<THandle> pending;
    return pending;
}

std::vector<std::pair<void*, std::function<void()>>>& Listeners() {
    static std::vector<std::pair<void*, std::function<void()>>> listeners;
    return listeners;
}

} // namespace

TWindow::TWindow(TWindow* parent, std::string title)
    : parent(parent), title(std::move(title)), handle(NextHandle()) {
    Registry()[handle] = this;
}

TWindow::~TWindow() {
    Registry().erase(handle);
    timers.clear();
    if (widget) {
        // Too late for the hooks of a derived class: the widget simply goes.
        QWidget* w = widget;
        widget = nullptr;
        if (auto* link = dynamic_cast<TWindowLink*>(w)) {
            link->Detach();
        }
        w->setProperty("veloriaDetached", true);
        delete w;
    }
}

TWindow* TWindow::FromHandle(THandle h) {
    const auto found = Registry().find(h);
    return found == Registry().end() ? nullptr : found->second;
}

QWidget* TWindow::CreateWidget(QWidget* parentWidget) {
    auto* host = new TWindowHost<QWidget>(this, parentWidget);
    host->setAttribute(Qt::WA_OpaquePaintEvent);
    return host;
}

bool TWindow::Create() {
    if (widget) {
        return true;
    }
    QWidget* parentWidget = parent ? parent->ContainerWidget() : nullptr;
    widget = CreateWidget(parentWidget);
    if (!widget) {
        return false;
    }
    life = Life::Created;
    if (!title.empty()) {
        widget->setWindowTitle(TQtConvert::Text(title));
    }
    if (attr.right >= 0 && attr.Width() > 0) {
        widget->setGeometry(attr.left, attr.top, attr.Width(), attr.Height());
    }
    ApplyIcon();
    for (const THandle h : autoCreateChildren) {
        if (TWindow* child = FromHandle(h)) {
            child->Create();
            child->Show(TShowMode::Normal);
        }
    }
    SetupWindow();
    CommandStateChanged();
    return true;
}

namespace {

std::function<int(const std::vector<TMenuItem>&)>& SpeedMenuChooser() {
    static std::function<int(const std::vector<TMenuItem>&)> chooser;
    return chooser;
}

void AddItems(QMenu& menu, const std::vector<TMenuItem>& items, const TWindow& owner) {
    for (const TMenuItem& item : items) {
        if (item.separator) {
            menu.addSeparator();
        } else if (item.IsPopup()) {
            AddItems(*menu.addMenu(TQtConvert::Text(item.text)), item.items, owner);
        } else {
            QAction* action = menu.addAction(TQtConvert::Text(item.text));
            action->setData(item.command);
            // Only what the window itself does can be chosen.
            action->setEnabled(owner.HandlesCommand(item.command) &&
                               owner.IsCommandEnabled(item.command));
        }
    }
}

} // namespace

void TWindow::SetSpeedMenuChooser(std::function<int(const std::vector<TMenuItem>&)> chooser) {
    SpeedMenuChooser() = std::move(chooser);
}

int TWindow::TrackSpeedMenu(int menuResource, int index, TPoint clientPoint) {
    const std::vector<TMenuItem>* menu = TResources::Menu(menuResource);
    if (!menu || index < 0 || index >= static_cast<int>(menu->size())) {
        return 0;
    }
    const std::vector<TMenuItem>& items = (*menu)[static_cast<std::size_t>(index)].items;
    int chosen = 0;
    if (SpeedMenuChooser()) {
        chosen = SpeedMenuChooser()(items);
    } else {
        QMenu popup(widget);
        AddItems(popup, items, *this);
        const TPoint at = ClientToScreen(clientPoint);
        if (QAction* action = popup.exec(QPoint(at.x, at.y))) {
            chosen = action->data().toInt();
        }
    }
    if (chosen != 0) {
        CommandHere(chosen);
    }
    return chosen;
}

void TWindow::AddDestroyListener(void* owner, std::function<void()> listener) {
    destroyListeners.emplace_back(owner, std::move(listener));
}

void TWindow::RemoveDestroyListener(void* owner) {
    std::erase_if(destroyListeners, [owner](const auto& e) { return e.first == owner; });
}

void TWindow::AddAutoCreateChild(TWindow& child) {
    autoCreateChildren.push_back(child.Handle());
    if (widget) {
        child.Create();
        child.Show(TShowMode::Normal);
    }
}

void TWindow::CenterIn(const TWindow* reference) {
    TSize outer;
    if (reference) {
        outer = reference->WindowRect().Size();
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        outer = {screen->size().width(), screen->size().height()};
    }
    TSize own = WindowRect().Size();
    if (widget && widget->isWindow() && !widget->isVisible() &&
        !(widget->windowFlags() & Qt::FramelessWindowHint)) {
        // The frame is known once the window is shown; until then the main window's frame
        // stands in for it (the same window manager draws both).
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top != widget && top->isVisible() && !top->parentWidget()) {
                own.cx += top->frameGeometry().width() - top->width();
                own.cy += top->frameGeometry().height() - top->height();
                break;
            }
        }
    }
    // A top-level window moves by its frame's corner.
    MoveWindow(outer.cx / 2 - own.cx / 2, outer.cy / 2 - own.cy / 2);
}

bool TWindow::IsCreated() const {
    return widget != nullptr;
}
QWidget* TWindow::Widget() const {
    return widget;
}

bool TWindow::CloseWindow(int value) {
    if (!CanClose()) {
        return false;
    }
    Destroy(value);
    return true;
}

void TWindow::Destroy(int value) {
    if (!widget || life == Life::Destroying) {
        return;
    }
    life = Life::Destroying;
    returnValue = value;
    timers.clear();
    CleanupWindow();
    // The clean-up may have taken the widget's parent, and the widget, along with it.
    if (QWidget* w = widget) {
        widget = nullptr;
        w->hide();
        if (auto* link = dynamic_cast<TWindowLink*>(w)) {
            link->Detach();
        }
        w->setProperty("veloriaDetached", true);
        w->deleteLater();
    }
    life = Life::Destroyed;
    AfterDestroy(value);
    // A listener or the parent may delete this window: nothing of it is touched after them.
    const bool deleteIt = deleteOnDestroy;
    const THandle self = handle;
    TWindow* const above = parent;
    const auto listeners = std::move(destroyListeners);
    destroyListeners.clear();
    for (const auto& [owner, listener] : listeners) {
        listener();
    }
    if (above && FromHandle(self)) {
        above->ChildDestroyed(*this);
    }
    CommandStateChanged();
    if (deleteIt) {
        DeleteSoon(self);
    }
}

void TWindow::DeleteSoon(THandle self) {
    PendingDeletes().push_back(self);
    QTimer::singleShot(0, [self] {
        std::erase(PendingDeletes(), self);
        delete TWindow::FromHandle(self);
    });
}

bool TWindow::DeletePending() {
    const bool any = !PendingDeletes().empty();
    while (!PendingDeletes().empty()) {
        const THandle next = PendingDeletes().back();
        PendingDeletes().pop_back();
        delete FromHandle(next); // already gone: nothing
    }
    return any;
}

void TWindow::WidgetGone() {
    // The widget went with its parent widget: the window is destroyed all the same.
    if (!widget) {
        return;
    }
    widget = nullptr;
    timers.clear();
    if (life == Life::Created) {
        life = Life::Destroyed;
        CleanupWindow();
        // Destroyed all the same, so deleted as Destroy would (File > Exit from the menu takes
        // the tool windows' widgets along with the frame's); nobody will destroy it again.
        if (deleteOnDestroy) {
            DeleteSoon(handle);
        }
    }
}

void TWindow::Show(TShowMode mode) {
    if (!widget) {
        return;
    }
    switch (mode) {
    case TShowMode::Hide:
        widget->hide();
        break;
    case TShowMode::Normal:
        widget->showNormal();
        break;
    case TShowMode::Maximized:
        // Without a window manager nothing maximises: take the screen's free area first.
        if (widget->isWindow()) {
            if (const QScreen* screen = widget->screen()) {
                widget->setGeometry(screen->availableGeometry());
            }
        }
        widget->showMaximized();
        break;
    case TShowMode::Minimized:
        widget->showMinimized();
        break;
    }
    CommandStateChanged();
}

void TWindow::TakeFocus() {
    if (widget) {
        widget->setFocus();
    }
}

bool TWindow::IsVisible() const {
    return widget && widget->isVisible();
}

void TWindow::BringToTop() {
    if (widget) {
        widget->raise();
        widget->activateWindow();
    }
}

void TWindow::MoveWindow(int x, int y) {
    attr = TRect::OfSize(x, y, attr.Width(), attr.Height());
    if (widget) {
        widget->move(x, y);
        widget->update();
    }
}

void TWindow::SetSize(int width, int height) {
    attr = TRect::OfSize(attr.left, attr.top, width, height);
    if (widget) {
        widget->resize(width, height);
    }
}

TRect TWindow::WindowRect() const {
    if (!widget) {
        return attr;
    }
    // A top-level window's frame is known only once it is shown.
    return TQtConvert::Rect(widget->isWindow() && widget->isVisible() ? widget->frameGeometry()
                                                                      : widget->geometry());
}

TRect TWindow::ClientRect() const {
    return widget ? TRect{0, 0, widget->width(), widget->height()} : TRect{};
}

TPoint TWindow::ClientToScreen(TPoint point) const {
    if (!widget) {
        return point;
    }
    const QPoint p = widget->mapToGlobal(QPoint(point.x, point.y));
    return {p.x(), p.y()};
}

void TWindow::Invalidate(bool erase) {
    InvalidateRect(ClientRect(), erase);
}

void TWindow::InvalidateRect(const TRect& rect, bool erase) {
    if (!widget) {
        return;
    }
    eraseNext = eraseNext || erase;
    QRect area = TQtConvert::Rect(rect);
    const TPoint origin = ClientToDrawing({rect.left, rect.top});
    area.moveTopLeft(QPoint(origin.x, origin.y));
    DrawingWidget()->update(area);
}

void TWindow::UpdateWindow() {
    if (widget) {
        DrawingWidget()->repaint();
    }
}

void TWindow::SetCaption(const std::string& text) {
    title = text;
    if (widget) {
        widget->setWindowTitle(TQtConvert::Text(title));
    }
}

void TWindow::SetBkgndColor(TColor color) {
    bkgndColor = color;
    if (widget) {
        widget->update();
    }
}

void TWindow::SetIcon(int id) {
    iconResource = id;
    ApplyIcon();
}

void TWindow::ApplyIcon() {
    if (!widget || iconResource == 0) {
        return;
    }
    if (const QImage* icon = TResources::Icon(iconResource)) {
        widget->setWindowIcon(QIcon(QPixmap::fromImage(*icon)));
    }
}

void TWindow::HostPaint(QWidget& device, const TRect& area) {
    QPainter painter(&device);
    const bool erase = eraseNext;
    eraseNext = true; // paints the system asks for always start from the background
    if (erase) {
        EraseBackground(painter, device, area);
    }
    TDC dc(painter, 96, 96, TSize{device.width(), device.height()});
    Paint(dc, erase, area);
}

void TWindow::EraseBackground(QPainter& painter, const QWidget& device, const TRect& area) {
    const QColor background =
        bkgndColor ? TQtConvert::Color(*bkgndColor) : device.palette().color(QPalette::Window);
    painter.fillRect(TQtConvert::Rect(area), background);
}

void TWindow::HostResized() {
    if (widget) {
        attr = WindowRect();
        EvSize(TSize{ClientRect().Width(), ClientRect().Height()});
    }
}

void TWindow::HostMoved() {
    if (widget) {
        attr = WindowRect();
    }
}

bool TWindow::HostClose() {
    if (!CanClose()) {
        return false;
    }
    Destroy(kIdCancel);
    return true;
}

void TWindow::HostRightButton(TPoint point) {
    EvRButtonDown(point);
}

void TWindow::HostDoubleClick(TPoint point) {
    EvLButtonDblClk(point);
}

void TWindow::Paint(TDC&, bool, const TRect&) {}
void TWindow::EvLButtonDblClk(TPoint) {}
void TWindow::EvTimer(int) {}
void TWindow::EvRButtonDown(TPoint) {}
void TWindow::EvSize(TSize) {}
void TWindow::ChildDestroyed(TWindow&) {}

void TWindow::OnMessage(unsigned message, MessageHandler handler) {
    messages[message] = std::move(handler);
}

std::int64_t TWindow::SendMessage(unsigned message, std::uint64_t wParam, std::int64_t lParam) {
    const auto found = messages.find(message);
    return found == messages.end() ? 0 : found->second(wParam, lParam);
}

void TWindow::OnCommand(int id, std::function<void()> handler) {
    commands[id].handler = std::move(handler);
}

void TWindow::OnCommandEnable(int id, std::function<bool()> enabler) {
    commands[id].enabler = std::move(enabler);
}

const TWindow* TWindow::CommandOwner(int id) const {
    for (const TWindow* w = this; w; w = w->CommandParent()) {
        if (w->commands.count(id)) {
            return w;
        }
    }
    return nullptr;
}

bool TWindow::HandlesCommand(int id) const {
    const TWindow* owner = CommandOwner(id);
    return owner && owner->commands.at(id).handler;
}

bool TWindow::IsCommandEnabled(int id) const {
    const TWindow* owner = CommandOwner(id);
    if (!owner) {
        return true;
    }
    const CommandEntry& entry = owner->commands.at(id);
    return !entry.enabler || entry.enabler();
}

bool TWindow::Command(int id) {
    TWindow* owner = const_cast<TWindow*>(CommandOwner(id));
    if (!owner || !owner->commands.at(id).handler) {
        return false;
    }
    if (!IsCommandEnabled(id)) {
        return false;
    }
    // The handler may destroy the window: hold it by handle.
    const auto handler = owner->commands.at(id).handler;
    handler();
    CommandStateChanged();
    return true;
}

bool TWindow::CommandHere(int id) {
    const auto found = commands.find(id);
    if (found == commands.end() || !found->second.handler ||
        (found->second.enabler && !found->second.enabler())) {
        return false;
    }
    const auto handler = found->second.handler;
    handler();
    CommandStateChanged();
    return true;
}

bool TWindow::SetTimer(int id, int milliseconds) {
    if (!widget) {
        return false;
    }
    auto& timer = timers[id];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        QObject::connect(timer.get(), &QTimer::timeout, [this, id] { EvTimer(id); });
    }
    timer->start(std::max(0, milliseconds));
    return true;
}

void TWindow::KillTimer(int id) {
    const auto found = timers.find(id);
    if (found != timers.end()) {
        found->second->stop();
        // Deleting a timer from inside its own tick is left to the event loop.
        found->second.release()->deleteLater();
        timers.erase(found);
    }
}

bool TWindow::HasTimer(int id) const {
    return timers.count(id) != 0;
}

int TWindow::TimerPeriod(int id) const {
    const auto found = timers.find(id);
    return found != timers.end() && found->second->isActive() ? found->second->interval() : 0;
}

void TWindow::CommandStateChanged() {
    // A listener may remove itself or others while running: walk a copy, and skip those
    // removed meanwhile.
    const auto listeners = Listeners();
    for (const auto& [owner, listener] : listeners) {
        const auto& now = Listeners();
        if (std::any_of(now.begin(), now.end(),
                        [o = owner](const auto& e) { return e.first == o; })) {
            listener();
        }
    }
}

void TWindow::AddCommandStateListener(void* owner, std::function<void()> listener) {
    Listeners().emplace_back(owner, std::move(listener));
}

void TWindow::RemoveCommandStateListener(void* owner) {
    auto& l = Listeners();
    std::erase_if(l, [owner](const auto& entry) { return entry.first == owner; });
}
