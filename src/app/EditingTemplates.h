#pragma once
// The templates of the editor's two pop-ups: Find (dialog 11) and the distance/time/pace
// calculator (dialog 12).

class EditingTemplates {
public:
    static void Register();
};
