#include "text/VersionText.h"

std::string InterfaceVersionText(const _DRIVER_VERSION_INFO& v)
{
    return std::to_string(unsigned{v.interfaceMajor}) + "." + std::to_string(unsigned{v.interfaceMinor});
}

std::string DriverVersionText(const _DRIVER_VERSION_INFO& v)
{
    return std::to_string(unsigned{v.driverMajor}) + "." + std::to_string(unsigned{v.driverMinor}) + "." +
           std::to_string(v.driverBuild);
}
