// The steps of a chaos run as a pure function of its seed: bus statements and user
// actions in a weighted mix. What the generator believes of the panel (the page shown,
// a modal box open, the number of devices) only steers the mix; a step that does not
// fit the panel as it is when the step runs is skipped there, so the sequence never
// depends on timing.
#pragma once

#include <cstdint>

#include "tests/chaos/ChaosRandom.h"
#include "tests/chaos/ChaosScript.h"

class CChaosGenerator {
public:
    explicit CChaosGenerator(uint64_t seed) : m_random(seed) {}

    ChaosStep Next();

private:
    ChaosStep BusStep();
    ChaosStep FaultStep();
    ChaosStep SettingStep();
    ChaosStep UserStep();
    ChaosStep PageAction();
    ChaosStep ModalAction();
    std::string DeviceNumber();
    std::string Name(const char* prefix);

    CChaosRandom m_random;
    int m_page = 0;               // the page the generator last chose
    int m_modalSteps = 0;         // steps since it opened an editor or dialog
    uint32_t m_devices = 3;       // the default bus's, changed by its own statements
    uint32_t m_names = 0;         // names and serial numbers are never repeated
    bool m_driverUnloaded = false;
    bool m_endless = false;
};
