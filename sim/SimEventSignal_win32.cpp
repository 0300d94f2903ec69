#include "sim/SimEventSignal.h"

#include <windows.h>

void SignalEventByValue(uint32_t eventValue)
{
    // Handle values are sign-extended from the 32 bits a driver receives.
    const auto handle = reinterpret_cast<HANDLE>(static_cast<intptr_t>(static_cast<int32_t>(eventValue)));
    SetEvent(handle);
}
