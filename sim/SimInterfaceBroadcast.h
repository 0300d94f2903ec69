// Brings the simulated driver's interface arrival and removal to a window the way
// Windows brings a real driver's: WM_DEVICECHANGE with DBT_DEVICEARRIVAL or
// DBT_DEVICEREMOVECOMPLETE and a device-interface record of the driver's class.
#pragma once
#include <windows.h>
#include <functional>
#include "sim/SimDriver.h"

class CSimInterfaceBroadcast {
public:
    // target names the window at the moment of each notification; null sends nothing.
    CSimInterfaceBroadcast(CSimDriver& driver, std::function<HWND()> target);
    ~CSimInterfaceBroadcast();
    CSimInterfaceBroadcast(const CSimInterfaceBroadcast&) = delete;
    CSimInterfaceBroadcast& operator=(const CSimInterfaceBroadcast&) = delete;

    // The symbolic link name the records carry.
    static const char kInterfaceName[];

private:
    void Send(bool arrived) const;

    CSimDriver& m_driver;
    std::function<HWND()> m_target;
    int m_cookie = 0;
};
