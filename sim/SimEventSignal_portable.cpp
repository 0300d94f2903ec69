#include "sim/SimEventSignal.h"

// Without Windows there are no event objects to signal by handle value; tests that
// need signals install their own signaller on the simulated driver.
void SignalEventByValue(uint32_t) {}
