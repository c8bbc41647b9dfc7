#include "TArtwork.h"

#include "TButtonFace.h"

namespace {

// Button N keeps its up, pressed and focused faces at N + 1000, N + 3000 and
// N + 5000.
bool SplitFace(int resourceId, int& button, TButtonFace::State& state) {
    if (resourceId >= 5000) {
        button = resourceId - 5000;
        state = TButtonFace::State::Focused;
    } else if (resourceId >= 3000) {
        button = resourceId - 3000;
        state = TButtonFace::State::Pressed;
    } else if (resourceId >= 1000) {
        button = resourceId - 1000;
        state = TButtonFace::State::Up;
    } else {
        return false;
    }
    return button < 1000 && TButtonFace::Has(button);
}

} // namespace

QImage TArtwork::Render(int resourceId) {
    int button = 0;
    TButtonFace::State state = TButtonFace::State::Up;
    if (SplitFace(resourceId, button, state)) {
        return TButtonFace::Render(button, state);
    }
    return {};
}

bool TArtwork::Has(int resourceId) { return !Render(resourceId).isNull(); }
