#include "shell/Settings.h"

std::string Settings::TitleFor(const std::string& path) {
    return "Veloria - [" + (path.empty() ? std::string("no logbook open") : path) + "]";
}
