#pragma once
// The program started offscreen in a fresh folder with the real calculator and heart-rate
// timer registered, for the tests that open them through the client window.

#include "framework/TButtonGadget.h"
#include "framework/TControlBar.h"
#include "framework/UserInput.h"
#include "shell/ClientWindow.h"
#include "shell/ResourceIds.h"
#include "tools/CalculatorDialog.h"
#include "tools/HRateDialog.h"

#include "ShellFixture.h"



class PopupToolFixture : public ShellFixture {
protected:
    void RegisterTools() override {
        Register<CalculatorDialog>(res::kCalculatorDialog);
        Register<HRateDialog>(res::kHRateDialog);
    }

    TButtonGadget* ToolBarButton(int command) {
        return dynamic_cast<TButtonGadget*>(frame->ToolBar()->GadgetWithId(command));
    }
};
