#include "art/Artwork.h"

#include "art/AboutPicture.h"
#include "art/BannerStrip.h"
#include "art/ButtonFace.h"
#include "art/CalendarLegend.h"
#include "art/DigitStrip.h"
#include "art/IconArt.h"
#include "art/SideBar.h"
#include "art/TitlePicture.h"
#include "art/ToolBarFace.h"
#include "framework/TResources.h"
#include "shell/ResourceIds.h"

namespace {

constexpr int timerDigits = res::kHRateDigits;
constexpr int calculatorDigits = res::kCalculatorDigits;
constexpr int sideBar = res::kSideBarBitmap;
constexpr int calendarLegend = res::kCalendarLegend + res::kPictureOffset;
constexpr int aboutPicture = res::kAboutPicture + res::kPictureOffset;
constexpr int titleVersion = res::kTitleVersion + res::kPictureOffset;
constexpr int titleScene = res::kTitleRunners + res::kPictureOffset;
constexpr int titleBanner = res::kBannerStrip;

// Button N keeps its up, pressed and focused faces at N + 1000, N + 3000 and
// N + 5000.
constexpr int upFaces = 1000;
constexpr int pressedFaces = 3000;
constexpr int focusedFaces = 5000;
constexpr int faceRange = 1000;

bool SplitFace(int resourceId, int& button, ButtonFace::State& state) {
    struct Base {
        int base;
        ButtonFace::State state;
    };
    for (const Base b :
         {Base{upFaces, ButtonFace::State::Up}, Base{pressedFaces, ButtonFace::State::Pressed},
          Base{focusedFaces, ButtonFace::State::Focused}}) {
        if (resourceId >= b.base && resourceId < b.base + faceRange &&
            ButtonFace::Has(resourceId - b.base)) {
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

QImage Artwork::Render(int resourceId) {
    int button = 0;
    ButtonFace::State state = ButtonFace::State::Up;
    if (SplitFace(resourceId, button, state)) {
        return ButtonFace::Render(button, state);
    }
    if (ToolBarFace::Has(resourceId)) {
        return ToolBarFace::Render(resourceId);
    }
    if (IconArt::Has(resourceId)) {
        return IconArt::Render(resourceId);
    }
    switch (resourceId) {
    case timerDigits:
        return DigitStrip::Timer();
    case calculatorDigits:
        return DigitStrip::Calculator();
    case sideBar:
        return SideBar::Render();
    case calendarLegend:
        return CalendarLegend::Render();
    case aboutPicture:
        return AboutPicture::Render();
    case titleVersion:
        return TitlePicture::Version();
    case titleScene:
        return TitlePicture::Scene();
    case titleBanner:
        return BannerStrip::Render();
    default:
        return {};
    }
}

bool Artwork::Has(int resourceId) {
    int button = 0;
    ButtonFace::State state = ButtonFace::State::Up;
    return SplitFace(resourceId, button, state) || ToolBarFace::Has(resourceId) ||
           IconArt::Has(resourceId) || IsPicture(resourceId);
}

std::vector<int> Artwork::ShownAtStart() {
    std::vector<int> ids{res::kAppIcon, sideBar};
    for (int id = res::kOpenFace; id < upFaces; ++id) {
        if (ToolBarFace::Has(id)) {
            ids.push_back(id);
        }
    }
    return ids;
}

void Artwork::Install() {
    TResources::SetArtSource(&Artwork::Render);
}
