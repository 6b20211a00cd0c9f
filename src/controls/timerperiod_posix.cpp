#include "timerperiod.h"

// The timer thread sleeps on a steady clock whose resolution needs no request.

namespace pel {

unsigned timerMinPeriod()
{
    return 1;
}

unsigned timerMaxPeriod()
{
    return 1000000;
}

void beginTimerPeriod(unsigned) {}

void endTimerPeriod(unsigned) {}

} // namespace pel
