#pragma once
// Reports (dialog 7): a paginated report of the selected days, previewed, printed or
// written to a text file.

#include "shell/ToolDialog.h"

class ReportsDialog : public ToolDialog {
public:
    // Controls of dialog template 7 besides the shared selectors.
    static constexpr int kPreview = 400;
    static constexpr int kPrint = 401;
    static constexpr int kCreateFile = 402;
    static constexpr int kPreviousPage = 403;
    static constexpr int kNextPage = 404;
    static constexpr int kTitle = 405;
    static constexpr int kComments = 406;
    static constexpr int kPreviewPane = 407;
    static constexpr int kPlainText = 408;
    static constexpr int kGraphics = 409;
    static constexpr int kTitlePage = 410;
    static constexpr int kPageNumbers = 411;
    static constexpr int kPageText = 412;
    // The title and the comments hold 79 characters (the limit counts the terminating zero).
    static constexpr int kTextLimit = 80;

    explicit ReportsDialog(ClientWindow& client);
    // Dialog template 7 and the Reports Speed Menu.
    static void RegisterTemplate();
};
