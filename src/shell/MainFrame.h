#pragma once
// The main frame around the client window: the menu, the tool bar along the top, the
// side bar at the left and the status bar with the lock indicators and today's date.

#include "framework/TDecoratedMDIFrame.h"

#include <memory>
#include <string>

class TControlBar;
class TStatusBar;
class TTextGadget;

class MainFrame : public TDecoratedMDIFrame {
public:
    MainFrame(std::string title, TMDIClient& client, const std::string& dateText);
    ~MainFrame() override;

    TControlBar* ToolBar() const { return toolBar.get(); }
    TControlBar* SideBar() const { return sideBar.get(); }
    TStatusBar* Status() const { return statusBar.get(); }
    TTextGadget* DateGadget() const { return dateGadget; }

    void ShowToolBar(bool show);
    bool ToolBarShown() const { return toolBarShown; }

private:
    void FillToolBar();

    std::unique_ptr<TControlBar> toolBar;
    std::unique_ptr<TControlBar> sideBar;
    std::unique_ptr<TStatusBar> statusBar;
    TTextGadget* dateGadget = nullptr;
    bool toolBarShown = true;
};
