#pragma once
// Where the store sends its fixed failure messages; the window that owns the store shows them.

class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    virtual void ReportError(const char* message) = 0;
};
