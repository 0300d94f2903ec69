// The driver's versions as every reader is shown them.
#pragma once

#include <string>

#include "driver/DriverRecords.h"

std::string InterfaceVersionText(const _DRIVER_VERSION_INFO& v);   // "2.14"
std::string DriverVersionText(const _DRIVER_VERSION_INFO& v);      // "1.1.517"
