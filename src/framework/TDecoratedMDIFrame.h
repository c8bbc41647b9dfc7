#pragma once
// The main frame: a menu from a menu resource, the client area, a title and icon, and
// decorations (control bars, the status bar) at the left, top and bottom edges. Commands
// from the menu and the tool bar go to the active tool window's hosted window first, then
// along its command chain; a menu item's enabler is asked when its menu opens.

#include "framework/TBarFrame.h"
#include "framework/TWindow.h"

#include <functional>
#include <string>
#include <vector>

class TMDIClient;
class TStatusBar;

class TDecoratedMDIFrame : public TWindow, public TBarFrame {
public:
    enum class Location { Left, Top, Bottom };

    TDecoratedMDIFrame(std::string title, int menuResource, TMDIClient& client,
                       bool trackMenuSelection);
    ~TDecoratedMDIFrame() override;

    TMDIClient& Client() const { return client; }
    // Decorations are created with the frame, or at once when it exists already.
    void Insert(TWindow& decoration, Location location);
    void Remove(TWindow& decoration);
    bool HasDecoration(const TWindow& decoration) const;
    // Lays the decorations out anew after they were inserted, removed, shown or hidden.
    void Layout();

    // Where a menu or tool-bar command starts: the active child's hosted window, else the
    // client window.
    TWindow* CommandTarget() const override;
    bool RouteCommand(int id);
    void ShowHint(const std::string& text) override;
    TStatusBar* StatusBar() const { return statusBar; }

    // The enabled state the menu shows for a command now.
    bool MenuItemEnabled(int command) const;

    // Test hook: chooses a menu item as the user does, only when the menu shows it enabled.
    bool ChooseMenuItem(int command);

    // Files and folders dropped anywhere on the frame, as local paths. Without a handler, or
    // for a drag that carries anything but local files, the frame takes no drop.
    using DropHandler = std::function<void(const std::vector<std::string>& paths)>;
    void OnFilesDropped(DropHandler handler);

protected:
    QWidget* CreateWidget(QWidget* parentWidget) override;
    void SetupWindow() override;
    // Closing the frame first asks the client, which asks every tool window.
    bool CanClose() override;
    void AfterDestroy(int value) override;

private:
    struct Placed {
        TWindow* window;
        Location location;
    };
    void BuildMenu();
    void PlaceDecoration(const Placed& placed);

    TMDIClient& client;
    int menuResource;
    bool trackMenuSelection;
    std::vector<Placed> decorations;
    TStatusBar* statusBar = nullptr;
    DropHandler dropHandler;
    class QBoxLayout* top = nullptr;
    class QBoxLayout* left = nullptr;
    class QBoxLayout* middle = nullptr;
    class QBoxLayout* bottom = nullptr;
};
