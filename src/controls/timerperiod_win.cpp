#include "timerperiod.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <mmsystem.h>

namespace pel {
namespace {

struct Caps {
    unsigned min = 1, max = 1000000;
    Caps()
    {
        TIMECAPS tc;
        if (timeGetDevCaps(&tc, sizeof tc) == MMSYSERR_NOERROR) {
            min = tc.wPeriodMin;
            max = tc.wPeriodMax;
        }
    }
};

const Caps& caps()
{
    static const Caps c;
    return c;
}

} // namespace

unsigned timerMinPeriod()
{
    return caps().min;
}

unsigned timerMaxPeriod()
{
    return caps().max;
}

void beginTimerPeriod(unsigned ms)
{
    if (ms > 0)
        timeBeginPeriod(ms);
}

void endTimerPeriod(unsigned ms)
{
    if (ms > 0)
        timeEndPeriod(ms);
}

} // namespace pel
