#pragma once
// The heart-rate timer's count-down: minutes and seconds left, and the tenths of a second
// since the period began. The dialog delivers its two ticks here and shows the result; the
// count-down knows nothing of timers or drawing.

#include <string>

class HeartRateCountdown {
public:
    enum class State { Idle, Running, Stopped };

    // Begins a period afresh from any state; the progress bar's maximum is its length in
    // tenths of a second, less one second.
    void Start(int minutes, int seconds);
    void Stop();
    void Reset();
    // One second has passed. False when the period had already reached 00:00: the
    // count-down has then reset itself. Ticks outside a run change nothing.
    bool TickSecond();
    // A tenth of a second has passed; the tenths since the start.
    int TickTenth();

    State GetState() const { return state; }
    int Minutes() const { return minutes; }
    int Seconds() const { return seconds; }
    int Tenths() const { return tenths; }
    int GaugeMaximum() const { return gaugeMaximum; }
    // "mm:ss", five characters.
    std::string Text() const;

private:
    State state = State::Idle;
    int minutes = 0;
    int seconds = 0;
    int tenths = 0;
    int gaugeMaximum = 0;
};
