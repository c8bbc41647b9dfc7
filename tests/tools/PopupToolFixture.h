#pragma once
// The program started offscreen in a fresh folder with the real calculator and heart-rate
// timer registered, for the tests that open them through the client window.

#include "framework/TButtonGadget.h"
#include "framework/TControlBar.h"
#include "framework/TDecoratedMDIFrame.h"
#include "framework/UserInput.h"
#include "shell/ClientWindow.h"
#include "shell/ResourceIds.h"
#include "shell/TMainApp.h"
#include "tools/CalculatorDialog.h"
#include "tools/HRateDialog.h"

#include "ShellFixture.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cstdlib>
#include <filesystem>
#include <memory>

class PopupToolFixture : public ShellFixture {
protected:
    void RegisterTools() override {
        ClientWindow::RegisterTool(res::kCalculatorDialog,
                                   [](ClientWindow& c) { return new CalculatorDialog(c); });
        ClientWindow::RegisterTool(res::kHRateDialog,
                                   [](ClientWindow& c) { return new HRateDialog(c); });
    }

    // Opens a tool with its menu command; the tool's dialog, or null.
    template <typename Dialog> Dialog* Open(int command, int resourceId) {
        frame->ChooseMenuItem(command);
        return dynamic_cast<Dialog*>(client->Tool(resourceId));
    }

    TButtonGadget* ToolBarButton(int command) {
        return dynamic_cast<TButtonGadget*>(frame->ToolBar()->GadgetWithId(command));
    }

    // A pop-up tool opens once from its menu command, on the middle of the screen under its
    // own caption; its command is disabled in the menu and the tool bar while it is open;
    // closing it enables the command again and the tool bar opens a fresh one.
    void ExpectOpensOnceCentred(int command, int resourceId, const char* caption) {
        ASSERT_TRUE(frame->MenuItemEnabled(command));
        frame->ChooseMenuItem(command);
        TDialog* tool = client->Tool(resourceId);
        ASSERT_NE(tool, nullptr);
        EXPECT_TRUE(tool->IsVisible());
        EXPECT_EQ(tool->Widget()->windowTitle().toStdString(), caption);
        // Centred by its frame's size (the offscreen platform draws a 2-pixel frame).
        const QSize screen = QGuiApplication::primaryScreen()->size();
        const TRect at = tool->WindowRect();
        const TSize own = at.Size();
        EXPECT_EQ(at.left, screen.width() / 2 - own.cx / 2);
        EXPECT_EQ(at.top, screen.height() / 2 - own.cy / 2);
        EXPECT_FALSE(frame->MenuItemEnabled(command));
        ASSERT_NE(ToolBarButton(command), nullptr);
        EXPECT_FALSE(ToolBarButton(command)->IsEnabled());

        UserInput::CloseBox(*tool);
        QApplication::processEvents();
        EXPECT_FALSE(client->IsToolOpen(resourceId));
        EXPECT_TRUE(frame->MenuItemEnabled(command));
        EXPECT_TRUE(ToolBarButton(command)->IsEnabled());
        ToolBarButton(command)->Click();
        EXPECT_TRUE(client->IsToolOpen(resourceId));
    }
};
