#include "sim/SimEventSignal.h"

#include "driver/OsSync.h"

void SignalEventByValue(uint32_t eventValue)
{
    OsSync::SignalEvent(reinterpret_cast<OsSync::EventHandle>(uintptr_t{eventValue}));
}
