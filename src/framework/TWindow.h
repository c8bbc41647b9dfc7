#pragma once
// The base of every window: a stable handle, creation and destruction with their hooks,
// placement, painting through a TDC, window messages answered synchronously from a table,
// commands dispatched from a table with their enablers, and timers by id.

#include "framework/TColor.h"
#include "framework/TMenuItem.h"
#include "framework/TPoint.h"
#include "framework/TRect.h"
#include "framework/TWindowEvents.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QWidget;
class TDC;

using THandle = std::uintptr_t;

enum class TShowMode { Hide, Normal, Maximized, Minimized };

class TWindow : public TWindowEvents {
public:
    using MessageHandler = std::function<std::int64_t(std::uint64_t wParam, std::int64_t lParam)>;
    // The ids a window ends with: Ok, or Cancel when it goes without a choice (its close box,
    // its parent closing).
    static constexpr int kIdOk = 1;
    static constexpr int kIdCancel = 2;

    explicit TWindow(TWindow* parent = nullptr, std::string title = {});
    virtual ~TWindow();
    TWindow(const TWindow&) = delete;
    TWindow& operator=(const TWindow&) = delete;

    // A number that names this window for as long as the object lives; never reused.
    THandle Handle() const { return handle; }
    static TWindow* FromHandle(THandle handle);

    // Builds the window on screen (not yet shown) and runs SetupWindow. False on failure.
    bool Create();
    bool IsCreated() const;
    // Asks CanClose, then destroys; false when the window refused.
    bool CloseWindow(int returnValue = kIdOk);
    // Takes the window off the screen: CleanupWindow runs first, timers stop, the parent hears
    // of it. The object stays; with SetDeleteOnDestroy it is deleted soon after.
    void Destroy(int returnValue = kIdOk);
    void SetDeleteOnDestroy(bool deleteIt) { deleteOnDestroy = deleteIt; }
    // Deletes at once the destroyed windows still waiting for the loop to delete them (the
    // loop has ended); false when there were none.
    static bool DeletePending();

    void Show(TShowMode mode);
    bool IsVisible() const;
    void BringToTop();
    // Gives the keyboard focus to the window (a dialog to the control that had it last).
    virtual void TakeFocus();
    // Moves, keeping the size, in the parent's coordinates (the screen for top-level windows).
    void MoveWindow(int x, int y);
    void SetSize(int width, int height);
    // The position and size recorded at the last move or size, frame included.
    TRect WindowRect() const;
    // The client area: 0, 0, width, height.
    virtual TRect ClientRect() const;
    TPoint ClientToScreen(TPoint point) const;

    void Invalidate(bool erase = true);
    void InvalidateRect(const TRect& rect, bool erase = true);
    // Runs the window's own paint on another device context (printing a window).
    void PaintTo(TDC& dc, bool erase, const TRect& area) { Paint(dc, erase, area); }
    // Paints the window's client area at once (tests and printing read what it draws).
    void UpdateWindow();

    void SetCaption(const std::string& title);
    const std::string& Title() const { return title; }
    void SetBkgndColor(TColor color);
    std::optional<TColor> BkgndColor() const { return bkgndColor; }
    void SetIcon(int iconResource);
    int IconResource() const { return iconResource; }

    TWindow* Parent() const { return parent; }
    void SetParent(TWindow* newParent) { parent = newParent; }

    // Window messages by number, answered by the handler registered for the number (0 when
    // none is).
    std::int64_t SendMessage(unsigned message, std::uint64_t wParam = 0, std::int64_t lParam = 0);

    // Commands: the first window along the command chain (this window, then its command
    // parents) with a handler or an enabler for the id takes it.
    bool Command(int id);
    // This window's own table only (a dialog's controls and speed menu).
    bool CommandHere(int id);
    bool IsCommandEnabled(int id) const;
    bool HandlesCommand(int id) const;
    virtual TWindow* CommandParent() const { return parent; }

    // Timers by id: SetTimer starts or restarts, KillTimer stops.
    bool SetTimer(int id, int milliseconds);
    void KillTimer(int id);
    bool HasTimer(int id) const;
    // The period a running timer was started with, in milliseconds; 0 when it is stopped.
    int TimerPeriod(int id) const;

    // For framework code: the widget that shows this window, and the one its children go in.
    QWidget* Widget() const;
    virtual QWidget* ContainerWidget() const { return Widget(); }
    // For framework code: the widget whose paint draws the client area, and where a client
    // point lies in it (a scrolled drawing lies shifted under its view).
    virtual QWidget* DrawingWidget() const { return Widget(); }
    virtual TPoint ClientToDrawing(TPoint point) const { return point; }

    // Called by the widget that shows this window.
    void HostPaint(QWidget& device, const TRect& area) override;
    void HostResized() override;
    void HostMoved() override;
    bool HostClose() override;
    void HostRightButton(TPoint point) override;
    void HostDoubleClick(TPoint point) override;
    void WidgetGone() override;

    // Every enabler of the program is asked again (tool bars follow at once; menus are asked
    // when they open). Runs after every command, creation, destruction and activation.
    static void CommandStateChanged();
    static void AddCommandStateListener(void* owner, std::function<void()> listener);
    static void RemoveCommandStateListener(void* owner);

    // Opens popup `index` of a menu resource at a point of the client area, tracked with the
    // right button; the chosen item comes to this window as a command of its own table.
    // Returns the command chosen, 0 for none.
    int TrackSpeedMenu(int menuResource, int index, TPoint clientPoint);

    // A window's place on screen as a new window takes it, before Create.
    void SetInitialRect(const TRect& rect) { attr = rect; }
    // Asks the window whether it may close, as closing it would.
    bool QueryClose() { return CanClose(); }
    // Called once when the window is destroyed, after CleanupWindow.
    void AddDestroyListener(void* owner, std::function<void()> listener);
    void RemoveDestroyListener(void* owner);

    // A child control created together with this window (at once when this one exists).
    void AddAutoCreateChild(TWindow& child);
    // Centres the window in the reference window, or on the screen without one: x = RW / 2
    // - W / 2 and y = RH / 2 - H / 2 from the recorded sizes, in the parent's coordinates.
    void CenterIn(const TWindow* reference);

    // Test hooks: they stand in for time and for the user; the program never calls them.
    // Runs a timer's handler at once, as a tick does.
    void DeliverTimer(int id) { EvTimer(id); }
    // Chooses from every speed menu instead of the user (nullptr gives the menu back).
    static void SetSpeedMenuChooser(std::function<int(const std::vector<TMenuItem>&)> chooser);

protected:
    // Hooks.
    virtual void SetupWindow() {}
    virtual bool CanClose() { return true; }
    virtual void CleanupWindow() {}
    virtual void Paint(TDC& dc, bool erase, const TRect& area);
    virtual void EvTimer(int id);
    virtual void EvRButtonDown(TPoint point);
    virtual void EvLButtonDblClk(TPoint point);
    virtual void EvSize(TSize clientSize);
    // A window whose parent this is has been destroyed.
    virtual void ChildDestroyed(TWindow& child);

    // Builds the widget; the default is a plain window that paints through Paint.
    virtual QWidget* CreateWidget(QWidget* parentWidget);
    virtual void AfterDestroy(int /*returnValue*/) {}
    // For framework code: clears an area before an erasing Paint, in the background colour.
    virtual void EraseBackground(class QPainter& painter, const QWidget& device, const TRect& area);

    void OnMessage(unsigned message, MessageHandler handler);
    void OnCommand(int id, std::function<void()> handler);
    void OnCommandEnable(int id, std::function<bool()> enabler);

    int returnValue = 0;

private:
    static void DeleteSoon(THandle self);
    struct CommandEntry {
        std::function<void()> handler;
        std::function<bool()> enabler;
    };
    const TWindow* CommandOwner(int id) const;
    void ApplyIcon();

    TWindow* parent;
    std::string title;
    THandle handle;
    QWidget* widget = nullptr;
    std::vector<THandle> autoCreateChildren;
    std::vector<std::pair<void*, std::function<void()>>> destroyListeners;
    std::map<unsigned, MessageHandler> messages;
    std::map<int, CommandEntry> commands;
    std::map<int, std::unique_ptr<class QTimer>> timers;
    std::optional<TColor> bkgndColor;
    int iconResource = 0;
    TRect attr{-1, -1, -1, -1};
    bool eraseNext = true;
    bool deleteOnDestroy = false;
    // Where the window is in its life: not yet created, created, being destroyed (its
    // CleanupWindow has run), destroyed. Create starts it anew.
    enum class Life { NotCreated, Created, Destroying, Destroyed };
    Life life = Life::NotCreated;
};
