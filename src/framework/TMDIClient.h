#pragma once
// The area of the main frame that holds the tool windows: background, size, the children in
// stacking order, cascade and the two tilings, and closing all children only when every one
// of them agrees.

#include "framework/TWindow.h"

#include <vector>

class TMDIChild;

class TMDIClient : public TWindow {
public:
    explicit TMDIClient(TWindow* parent = nullptr);

    // Bottom to top; minimised children included.
    std::vector<TMDIChild*> Children() const;
    TMDIChild* ActiveChild() const;
    TMDIChild* TopChild() const;
    void ActivateChild(TMDIChild& child);

    void CascadeChildren();
    // Horizontal: stacked one above the other, each the full width. Vertical: side by side.
    void TileChildren(bool horizontal);
    // Asks every child; closes all only when none refused.
    bool CloseChildren();

    QWidget* ContainerWidget() const override;

protected:
    QWidget* CreateWidget(QWidget* parentWidget) override;
    // The client may close when every child may.
    bool CanClose() override;
};
