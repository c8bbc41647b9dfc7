#include "framework/TStatusBar.h"

#include "framework/TKeyboardLocks.h"

#include <QApplication>
#include <QBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QWidget>

namespace {

// Follows the lock keys and Insert in every window of the program, and takes the lock state
// again from the display server whenever the bar's window is activated.
class TKeyWatcher : public QObject {
public:
    explicit TKeyWatcher(TStatusBar& bar) : bar(bar) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::WindowActivate) {
            QWidget* own = bar.Widget();
            if (own && watched == own->window()) {
                bar.SyncLocks();
            }
            return false;
        }
        // A key comes to its window once, then to the focused widget and on up through each
        // parent that leaves it: only the window's delivery counts, or a lock would toggle once
        // per widget on the way.
        if (!watched->isWindowType() ||
            (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)) {
            return false;
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->isAutoRepeat()) {
            return false;
        }
        const bool press = event->type() == QEvent::KeyPress;
        if (key->key() == Qt::Key_Insert) {
            if (press) {
                bar.SetMode(TStatusBar::kOvertype, !bar.ModeOn(TStatusBar::kOvertype));
            }
        } else if (key->key() == Qt::Key_CapsLock || key->key() == Qt::Key_NumLock) {
            // A lock may change on the press or on the release: where the server reports
            // it, it is asked after both; elsewhere a press toggles what the bar shows.
            if (!bar.SyncLocks() && press) {
                const unsigned lock =
                    key->key() == Qt::Key_CapsLock ? TStatusBar::kCapsLock : TStatusBar::kNumLock;
                bar.SetMode(lock, !bar.ModeOn(lock));
            }
        }
        return false;
    }

private:
    TStatusBar& bar;
};

const char* const kModeTexts[3] = {"CAPS", "NUM", "OVR"};

} // namespace

TStatusBar::TStatusBar(TWindow* parent, TGadget::Border border, unsigned modeIndicators,
                       TGadgetWindowFont font)
    : TControlBar(parent, Direction::Horizontal, font), border(border), indicators(modeIndicators) {
    auto text = std::make_unique<TTextGadget>(-1, border, TTextGadget::Align::Left, 0);
    message = text.get();
    Insert(std::move(text));
}

TStatusBar::~TStatusBar() {
    if (keyWatcher) {
        qApp->removeEventFilter(keyWatcher);
        delete keyWatcher;
    }
}

void TStatusBar::SetupWindow() {
    TControlBar::SetupWindow();
    auto* layout = qobject_cast<QBoxLayout*>(Widget()->layout());
    for (int i = 0; i < 3; ++i) {
        if (!(indicators & (1u << i))) {
            continue;
        }
        // The indicators stay at the right end, after every gadget inserted later.
        modeGadgets[i] =
            std::make_unique<TTextGadget>(-(i + 2), border, TTextGadget::Align::Center, 4);
        layout->addWidget(modeGadgets[i]->Build(*this, Widget()));
    }
    if (!keyWatcher) {
        keyWatcher = new TKeyWatcher(*this);
        qApp->installEventFilter(keyWatcher);
    }
    SyncLocks();
    ShowModes();
}

bool TStatusBar::SyncLocks() {
    const std::optional<TKeyboardLocks::State> locks = TKeyboardLocks::Current();
    if (!locks) {
        return false;
    }
    SetMode(kCapsLock, locks->capsLock);
    SetMode(kNumLock, locks->numLock);
    return true;
}

void TStatusBar::SetText(const std::string& utf8) {
    text = utf8;
    if (message && hint.empty()) {
        message->SetText(text);
    }
}

std::string TStatusBar::MessageText() const {
    return text;
}

void TStatusBar::SetHint(const std::string& utf8) {
    hint = utf8;
    if (message) {
        message->SetText(hint.empty() ? text : hint);
    }
}

std::string TStatusBar::ShownText() const {
    return message ? message->Text() : std::string();
}

bool TStatusBar::ModeOn(unsigned indicator) const {
    return (modes & indicator) != 0;
}

void TStatusBar::SetMode(unsigned indicator, bool on) {
    modes = on ? (modes | indicator) : (modes & ~indicator);
    ShowModes();
}

void TStatusBar::ShowModes() {
    for (int i = 0; i < 3; ++i) {
        if (modeGadgets[i]) {
            modeGadgets[i]->SetText(ModeOn(1u << i) ? kModeTexts[i] : "");
        }
    }
}
