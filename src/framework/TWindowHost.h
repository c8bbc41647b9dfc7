#pragma once
// The widget that shows a TWindow: passes Qt's events to the window's hooks. For framework
// code only.

#include "framework/TQtConvert.h"
#include "framework/TWindowEvents.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QWidget>

#include <utility>

// Marks a widget that mouse clicks pass through to the window below, as static texts,
// pictures, group frames and shaded cells do.
inline void MarkPassive(QWidget* widget) {
    widget->setProperty("veloriaPassive", true);
}
inline bool IsPassive(const QWidget* widget) {
    return widget->property("veloriaPassive").toBool();
}

// What every host widget has: the window it shows, cut when the window lets go first.
class TWindowLink {
public:
    explicit TWindowLink(TWindowEvents* window) : window(window) {}
    virtual ~TWindowLink() = default;
    void Detach() { window = nullptr; }
    TWindowEvents* Window() const { return window; }

protected:
    TWindowEvents* window;
};

template <typename Base> class TWindowHost : public Base, public TWindowLink {
public:
    template <typename... Args>
    explicit TWindowHost(TWindowEvents* window, Args&&... args)
        : Base(std::forward<Args>(args)...), TWindowLink(window) {}
    ~TWindowHost() override {
        if (window) {
            window->WidgetGone();
        }
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        if (window && paintsItself) {
            window->HostPaint(*this, TQtConvert::Rect(event->rect()));
        } else {
            Base::paintEvent(event);
        }
    }
    void resizeEvent(QResizeEvent* event) override {
        Base::resizeEvent(event);
        if (window) {
            window->HostResized();
        }
    }
    void moveEvent(QMoveEvent* event) override {
        Base::moveEvent(event);
        if (window) {
            window->HostMoved();
        }
    }
    void closeEvent(QCloseEvent* event) override {
        if (window && !window->HostClose()) {
            event->ignore();
            return;
        }
        event->accept();
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (window && event->button() == Qt::RightButton) {
            const QPoint p = event->position().toPoint();
            QWidget* under = this->childAt(p);
            if (!under || IsPassive(under)) {
                window->HostRightButton(TPoint{p.x(), p.y()});
                event->accept();
                return;
            }
        }
        Base::mousePressEvent(event);
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        if (window && event->button() == Qt::LeftButton) {
            const QPoint p = event->position().toPoint();
            QWidget* under = this->childAt(p);
            if (!under || IsPassive(under)) {
                window->HostDoubleClick(TPoint{p.x(), p.y()});
                event->accept();
                return;
            }
        }
        Base::mouseDoubleClickEvent(event);
    }

public:
    bool paintsItself = true;
};
