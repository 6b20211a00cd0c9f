#pragma once
// The system timer's supported periods and its resolution requests.

namespace pel {

// Shortest and longest one-shot timer period in milliseconds.
unsigned timerMinPeriod();
unsigned timerMaxPeriod();

// Asks for (and gives back) a timer resolution of `ms` milliseconds; 0 asks nothing.
void beginTimerPeriod(unsigned ms);
void endTimerPeriod(unsigned ms);

} // namespace pel
