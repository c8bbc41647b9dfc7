#pragma once
// The application: builds the client window and the main frame around it, from the
// settings in vrl.ini.

#include "framework/TApplication.h"
#include "framework/TProfile.h"

#include <memory>

class ClientWindow;
class MainFrame;

class TMainApp : public TApplication {
public:
    TMainApp(int& argc, char** argv);
    ~TMainApp() override;

    ClientWindow* Client() const { return client.get(); }
    MainFrame* Frame() const { return frame.get(); }
    TProfile& Profile() { return profile; }

protected:
    void BuildMainWindow() override;

private:
    TProfile profile;
    std::unique_ptr<ClientWindow> client;
    std::unique_ptr<MainFrame> frame;
};
