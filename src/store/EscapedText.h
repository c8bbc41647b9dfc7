#pragma once
// Text from a file (its name, its content) made safe to quote in a message on a terminal or
// in a window: C0 controls, DEL and bytes that are no UTF-8 become "\x1b", C1 controls
// "\u009b" (a terminal may take either for the start of a command); every other character
// stays as it is, a backslash too.

#include <string>
#include <string_view>

class EscapedText {
public:
    static std::string Of(std::string_view text);
};
