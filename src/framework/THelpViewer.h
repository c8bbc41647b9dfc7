#pragma once
// The help viewer: shows a named help document in a help window, switches to another one,
// and closes. The names "VRL.HLP" and "VRL1.HLP" map to vrl.html and vrl1.html in the
// program's help folder.

#include <string>

class TWindow;

class THelpViewer {
public:
    // False, after a message box, when the document is not there.
    static bool Show(TWindow* owner, const std::string& helpFile);
    static void Close();
    static bool IsShown();
    // The page shown, as a file path; "" when none is.
    static std::string CurrentPage();
    // The HTML page for a help name, or "" when there is none.
    static std::string PageFor(const std::string& helpFile);
    // The folder the pages are looked for in.
    static std::string HelpFolder();
};
