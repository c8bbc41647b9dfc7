#pragma once
// The Records window's buttons (dialog 15), left to right along its foot and in the order of
// its speed menu. They are push buttons with their captions: the pictures are not drawn.

#include "shell/ToolButton.h"

struct RecordsButtons {
    static constexpr int kGoToDay = 206;
    static constexpr int kNotForRecords = 207;
    static constexpr int kRace = 208;

    static constexpr ToolButton kButtons[] = {
        {kGoToDay, "Go to Day", ButtonPicture::Find, "Go to Day"},
        {kNotForRecords, "Not for Records", ButtonPicture::Minus, "Not for Records"},
        {kRace, "Race", ButtonPicture::Plus, "Race"},
        kCloseButton,
    };
};
