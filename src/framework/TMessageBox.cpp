#include "framework/TMessageBox.h"

#include "framework/TApplication.h"
#include "framework/TQtConvert.h"
#include "framework/TWindow.h"

#include <QMessageBox>
#include <QWidget>

namespace {

struct Script {
    bool active = false;
    std::deque<int> answers;
    std::vector<TMessageBox::Shown> history;
};

Script& TheScript() {
    static Script script;
    return script;
}

} // namespace

void TMessageBox::QueueAnswers(std::deque<int> answers) {
    TheScript().active = true;
    for (int a : answers) {
        TheScript().answers.push_back(a);
    }
}

std::vector<TMessageBox::Shown>& TMessageBox::History() {
    return TheScript().history;
}

void TMessageBox::ResetScript() {
    TheScript() = Script{};
}

int TMessageBox::Show(TWindow* owner, const std::string& text, const std::string& caption,
                      Buttons buttons, Icon icon) {
    Script& script = TheScript();
    script.history.push_back({text, caption, buttons, icon});
    if (script.active) {
        if (script.answers.empty()) {
            return buttons == Buttons::Ok ? kIdOk : kIdCancel;
        }
        const int answer = script.answers.front();
        script.answers.pop_front();
        return answer;
    }
    // The program is ending on a signal: a box would hold it open, and nobody is asked.
    const int unanswered = buttons == Buttons::Ok ? kIdOk : kIdCancel;
    if (TApplication::TerminationRequested()) {
        return unanswered;
    }
    QMessageBox box(owner && owner->Widget() ? owner->Widget()->window() : nullptr);
    box.setText(TQtConvert::Text(text));
    box.setWindowTitle(TQtConvert::Text(caption));
    box.setIcon(icon == Icon::Exclamation   ? QMessageBox::Warning
                : icon == Icon::Question    ? QMessageBox::Question
                : icon == Icon::Information ? QMessageBox::Information
                                            : QMessageBox::NoIcon);
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    }
    const int chosen = box.exec();
    if (TApplication::TerminationRequested()) {
        return unanswered; // closed by the signal, not by the user
    }
    switch (chosen) {
    case QMessageBox::Yes:
        return kIdYes;
    case QMessageBox::No:
        return kIdNo;
    case QMessageBox::Ok:
        return kIdOk;
    default:
        return kIdCancel;
    }
}
