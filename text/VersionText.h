// The driver's version as the About box, ovxctl and the bus window show it.
#pragma once

#include <string>

#include "driver/DriverRecords.h"

// "2.14": interface major and minor.
std::string InterfaceVersionText(const _DRIVER_VERSION_INFO& v);
// "1.1.517": driver major, minor and build, every part unsigned.
std::string DriverVersionText(const _DRIVER_VERSION_INFO& v);
