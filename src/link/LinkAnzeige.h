#pragma once
#include <QString>

// What the command exchange shows in the main window: the busy lamp, the time-out meter,
// the status panels, the pointer and the enabled state of the frame and its active child.
class LinkAnzeige {
public:
    virtual ~LinkAnzeige() = default;

    virtual void Lampe_Setzen(bool rot) = 0;
    virtual void Meter_Maximum_Setzen(int maximum) = 0;
    virtual void Meter_Setzen(int wert) = 0;  // clamped to the maximum
    // Panel 2 is the status text, 3 the input-buffer length, 4 the port.
    virtual void Panel_Setzen(int panel, const QString& text) = 0;
    // Hourglass, frame and active child disabled (true); restored to what was disabled (false).
    virtual void Sperren(bool gesperrt) = 0;
    // The communication log changed (mirrored into the hidden log window).
    virtual void Log_Geaendert(const QString& log) = 0;
    // The transfer progress bar (ProgressBar4): maximum and value; the value never exceeds it.
    virtual void Fortschritt_Setzen(int /*wert*/, int /*maximum*/) {}
};
