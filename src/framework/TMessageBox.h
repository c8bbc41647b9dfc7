#pragma once
// Message boxes: text, caption, buttons and icon; the answer is the id of the button chosen.
// A termination signal closes the box shown (the answer is then Cancel, or OK for a box
// with OK alone), and no box is shown after it.

#include <deque>
#include <string>
#include <vector>

class TWindow;

class TMessageBox {
public:
    enum class Buttons { Ok, YesNoCancel, YesNo, OkCancel };
    enum class Icon { None, Exclamation, Question, Information };

    static constexpr int kIdOk = 1;
    static constexpr int kIdCancel = 2;
    static constexpr int kIdYes = 6;
    static constexpr int kIdNo = 7;

    struct Shown {
        std::string text;
        std::string caption;
        Buttons buttons;
        Icon icon;
    };

    static int Show(TWindow* owner, const std::string& text, const std::string& caption,
                    Buttons buttons, Icon icon);

    // Test hooks: a script answers the boxes and keeps what they showed. While answers are
    // queued, boxes are not shown: each takes the next answer.
    static void QueueAnswers(std::deque<int> answers);
    static std::vector<Shown>& History();
    static void ResetScript();
};
