#include "text/VersionText.h"

std::string InterfaceVersionText(const _DRIVER_VERSION_INFO& v)
{
    return std::to_string(v.interfaceMajor) + "." + std::to_string(v.interfaceMinor);
}

std::string DriverVersionText(const _DRIVER_VERSION_INFO& v)
{
    return std::to_string(v.driverMajor) + "." + std::to_string(v.driverMinor) + "." + std::to_string(v.driverBuild);
}
