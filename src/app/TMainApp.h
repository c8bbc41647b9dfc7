#pragma once
// The application: builds the main frame with its tool bar, side bar and status bar around
// the client window, from the settings in vrl.ini.

#include "framework/TApplication.h"
#include "framework/TProfile.h"

#include <memory>
#include <string>

class ClientWindow;
class TControlBar;
class TDecoratedMDIFrame;
class TStatusBar;
class TTextGadget;

class TMainApp : public TApplication {
public:
    static constexpr const char* kIniFile = "vrl.ini";
    static constexpr const char* kSection = "GENERAL INFO";

    TMainApp(int& argc, char** argv);
    ~TMainApp() override;

    ClientWindow* Client() const { return client.get(); }
    TDecoratedMDIFrame* Frame() const { return frame.get(); }
    TControlBar* ToolBar() const { return toolBar.get(); }
    TControlBar* SideBar() const { return sideBar.get(); }
    TStatusBar* StatusBar() const { return statusBar.get(); }
    TTextGadget* DateGadget() const { return dateGadget; }
    TProfile& Profile() { return profile; }

    // "Veloria - [path]".
    static std::string TitleFor(const std::string& path);

protected:
    void BuildMainWindow() override;

private:
    void FillToolBar();

    TProfile profile;
    std::unique_ptr<ClientWindow> client;
    std::unique_ptr<TDecoratedMDIFrame> frame;
    std::unique_ptr<TControlBar> toolBar;
    std::unique_ptr<TControlBar> sideBar;
    std::unique_ptr<TStatusBar> statusBar;
    TTextGadget* dateGadget = nullptr;
};
