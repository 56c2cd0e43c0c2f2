#pragma once

class QObject;

namespace platform {

// Timers with the ids the program uses. Each tick is delivered to the target
// as a sent WindowMessage WM_TIMER whose wParam is the id. Starting an id
// that runs restarts it with the new interval. Timers die with their target.
// Call on the target's thread.
void setTimer(QObject* target, int id, int intervalMs);

// Stops the timer; false when no timer of that id runs on the target.
bool killTimer(QObject* target, int id);

// Whether a timer of that id runs on the target.
bool isTimerActive(const QObject* target, int id);

} // namespace platform
