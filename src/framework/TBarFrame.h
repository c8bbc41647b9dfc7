#pragma once
// What a control bar asks of the frame it is a decoration of: where its buttons' commands
// start, and where its hints show. TDecoratedMDIFrame answers; the bar needs no more of it.

#include <string>

class TWindow;

class TBarFrame {
public:
    virtual TWindow* CommandTarget() const = 0;
    virtual void ShowHint(const std::string& text) = 0;

protected:
    ~TBarFrame() = default;
};
