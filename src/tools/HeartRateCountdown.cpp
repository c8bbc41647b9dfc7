#include "tools/HeartRateCountdown.h"

void HeartRateCountdown::Start(int m, int s) {
    minutes = m;
    seconds = s;
    tenths = 0;
    gaugeMaximum = (m * 60 + s - 1) * 10;
    state = State::Running;
}

void HeartRateCountdown::Stop() {
    if (state == State::Running) {
        state = State::Stopped;
    }
}

void HeartRateCountdown::Reset() {
    minutes = 0;
    seconds = 0;
    state = State::Idle;
}

bool HeartRateCountdown::TickSecond() {
    if (state != State::Running) {
        return true; // a tick that was already on its way when the timer stopped
    }
    if (--seconds < 0) {
        if (minutes <= 0) {
            // 00:00 has been shown for a whole second.
            Reset();
            return false;
        }
        --minutes;
        seconds = 59;
    }
    return true;
}

int HeartRateCountdown::TickTenth() {
    if (state == State::Running) {
        ++tenths;
    }
    return tenths;
}

std::string HeartRateCountdown::Text() const {
    // Both fields are kept to two digits, whatever a caller passed to Start.
    const auto two = [](int v) {
        v = v < 0 ? 0 : v % 100;
        return std::string{static_cast<char>('0' + v / 10), static_cast<char>('0' + v % 10)};
    };
    return two(minutes) + ":" + two(seconds);
}
