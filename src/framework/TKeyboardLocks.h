#pragma once
// The lock keys' state as the display server keeps it. X11 reports it through its keyboard
// extension; other platforms (offscreen, a native Wayland session) report nothing, and a
// caller then has only the key presses it sees to go by.

#include <functional>
#include <optional>

class TKeyboardLocks {
public:
    struct State {
        bool capsLock = false;
        bool numLock = false;
    };

    // The state now, or nothing where the platform does not report it.
    static std::optional<State> Current();

    // Test hooks: a source stands in for the display server (nullptr gives it back).
    static void SetSourceForTests(std::function<std::optional<State>()> source);
};
