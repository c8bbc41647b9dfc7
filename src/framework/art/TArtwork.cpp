#include "TArtwork.h"

#include "TAboutPicture.h"
#include "TBannerStrip.h"
#include "TButtonFace.h"
#include "TCalendarLegend.h"
#include "TDigitStrip.h"
#include "TIconArt.h"
#include "TSideBar.h"
#include "TTitlePicture.h"
#include "TToolBarFace.h"

namespace {

constexpr int timerDigits = 801;
constexpr int calculatorDigits = 802;
constexpr int sideBar = 803;
constexpr int calendarLegend = 1804;
constexpr int aboutPicture = 1806;
constexpr int titleVersion = 1050;
constexpr int titleScene = 1051;
constexpr int titleBanner = 1052;

// Button N keeps its up, pressed and focused faces at N + 1000, N + 3000 and
// N + 5000.
constexpr int upFaces = 1000;
constexpr int pressedFaces = 3000;
constexpr int focusedFaces = 5000;
constexpr int faceRange = 1000;

bool SplitFace(int resourceId, int& button, TButtonFace::State& state) {
    struct Base {
        int base;
        TButtonFace::State state;
    };
    for (const Base b :
         {Base{upFaces, TButtonFace::State::Up}, Base{pressedFaces, TButtonFace::State::Pressed},
          Base{focusedFaces, TButtonFace::State::Focused}}) {
        if (resourceId >= b.base && resourceId < b.base + faceRange &&
            TButtonFace::Has(resourceId - b.base)) {
            button = resourceId - b.base;
            state = b.state;
            return true;
        }
    }
    return false;
}

bool IsPicture(int resourceId) {
    switch (resourceId) {
    case timerDigits:
    case calculatorDigits:
    case sideBar:
    case calendarLegend:
    case aboutPicture:
    case titleVersion:
    case titleScene:
    case titleBanner:
        return true;
    default:
        return false;
    }
}

} // namespace

QImage TArtwork::Render(int resourceId) {
    int button = 0;
    TButtonFace::State state = TButtonFace::State::Up;
    if (SplitFace(resourceId, button, state)) {
        return TButtonFace::Render(button, state);
    }
    if (TToolBarFace::Has(resourceId)) {
        return TToolBarFace::Render(resourceId);
    }
    if (TIconArt::Has(resourceId)) {
        return TIconArt::Render(resourceId);
    }
    switch (resourceId) {
    case timerDigits:
        return TDigitStrip::Timer();
    case calculatorDigits:
        return TDigitStrip::Calculator();
    case sideBar:
        return TSideBar::Render();
    case calendarLegend:
        return TCalendarLegend::Render();
    case aboutPicture:
        return TAboutPicture::Render();
    case titleVersion:
        return TTitlePicture::Version();
    case titleScene:
        return TTitlePicture::Scene();
    case titleBanner:
        return TBannerStrip::Render();
    default:
        return {};
    }
}

bool TArtwork::Has(int resourceId) {
    int button = 0;
    TButtonFace::State state = TButtonFace::State::Up;
    return SplitFace(resourceId, button, state) || TToolBarFace::Has(resourceId) ||
           TIconArt::Has(resourceId) || IsPicture(resourceId);
}
