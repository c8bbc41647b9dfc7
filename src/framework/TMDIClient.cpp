#include "framework/TMDIClient.h"

#include "framework/TMDIChild.h"
#include "framework/TWindowHost.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

TMDIChild* ChildOf(QMdiSubWindow* sub) {
    auto* link = dynamic_cast<TWindowLink*>(sub);
    return link ? dynamic_cast<TMDIChild*>(link->Window()) : nullptr;
}

} // namespace

TMDIClient::TMDIClient(TWindow* parent) : TWindow(parent) { SetBkgndColor(TColor::Gray()); }

QWidget* TMDIClient::CreateWidget(QWidget* parentWidget) {
    auto* area = new TWindowHost<QMdiArea>(this, parentWidget);
    area->paintsItself = false;
    area->setBackground(QBrush(TQtConvert::Color(BkgndColor().value_or(TColor::Gray()))));
    area->setActivationOrder(QMdiArea::StackingOrder);
    QObject::connect(area, &QMdiArea::subWindowActivated, [] { TWindow::CommandStateChanged(); });
    return area;
}

QWidget* TMDIClient::ContainerWidget() const { return Widget(); }

std::vector<TMDIChild*> TMDIClient::Children() const {
    std::vector<TMDIChild*> out;
    if (auto* area = qobject_cast<QMdiArea*>(Widget())) {
        for (QMdiSubWindow* sub : area->subWindowList(QMdiArea::StackingOrder)) {
            if (TMDIChild* child = ChildOf(sub); child && sub->isVisible()) {
                out.push_back(child);
            }
        }
    }
    return out;
}

TMDIChild* TMDIClient::ActiveChild() const {
    auto* area = qobject_cast<QMdiArea*>(Widget());
    if (!area) {
        return nullptr;
    }
    TMDIChild* active = ChildOf(area->activeSubWindow());
    return active ? active : TopChild();
}

TMDIChild* TMDIClient::TopChild() const {
    const auto children = Children();
    return children.empty() ? nullptr : children.back();
}

void TMDIClient::ActivateChild(TMDIChild& child) {
    auto* area = qobject_cast<QMdiArea*>(Widget());
    if (auto* sub = qobject_cast<QMdiSubWindow*>(child.Widget()); area && sub) {
        area->setActiveSubWindow(sub);
        sub->raise();
    }
    CommandStateChanged();
}

void TMDIClient::CascadeChildren() {
    if (auto* area = qobject_cast<QMdiArea*>(Widget())) {
        area->cascadeSubWindows();
    }
}

void TMDIClient::TileChildren(bool horizontal) {
    std::vector<QWidget*> shown;
    for (TMDIChild* child : Children()) {
        if (QWidget* w = child->Widget(); w && !w->isMinimized()) {
            shown.push_back(w);
        }
    }
    if (shown.empty()) {
        return;
    }
    const TRect all = ClientRect();
    const int n = static_cast<int>(shown.size());
    for (int i = 0; i < n; ++i) {
        QWidget* w = shown[static_cast<std::size_t>(i)];
        if (horizontal) {
            const int top = all.Height() * i / n;
            w->setGeometry(0, top, all.Width(), all.Height() * (i + 1) / n - top);
        } else {
            const int left = all.Width() * i / n;
            w->setGeometry(left, 0, all.Width() * (i + 1) / n - left, all.Height());
        }
    }
}

bool TMDIClient::CanClose() {
    for (TMDIChild* child : Children()) {
        if (!child->QueryClose()) {
            return false;
        }
    }
    return true;
}

bool TMDIClient::CloseChildren() {
    const auto children = Children();
    for (TMDIChild* child : children) {
        if (!child->QueryClose()) {
            return false;
        }
    }
    std::vector<THandle> handles;
    for (TMDIChild* child : children) {
        handles.push_back(child->Handle());
    }
    for (const THandle h : handles) {
        if (TWindow* w = FromHandle(h)) {
            w->Destroy(kIdCancel);
        }
    }
    return true;
}
