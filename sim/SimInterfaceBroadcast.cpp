#include "sim/SimInterfaceBroadcast.h"

#include <dbt.h>
#include <cstddef>
#include <cstring>
#include <vector>

#include "driver/InterfaceClass.h"

const char CSimInterfaceBroadcast::kInterfaceName[] =
    "\\\\?\\ROOT#OVX1394#0000#{918d4f3e-6947-4ec3-989e-f3b1bd397eaa}";

CSimInterfaceBroadcast::CSimInterfaceBroadcast(CSimDriver& driver, std::function<HWND()> target)
    : m_driver(driver), m_target(std::move(target))
{
    m_cookie = m_driver.AddInterfaceListener([this](bool arrived) { Send(arrived); });
}

CSimInterfaceBroadcast::~CSimInterfaceBroadcast()
{
    m_driver.RemoveInterfaceListener(m_cookie);
}

void CSimInterfaceBroadcast::Send(bool arrived) const
{
    HWND target = m_target ? m_target() : nullptr;
    if (!target)
        return;
    // The record's size covers the name and its terminator, as the system's does.
    const size_t size = offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_name) + sizeof kInterfaceName;
    std::vector<unsigned char> buffer(size);
    auto* record = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_A*>(buffer.data());
    record->dbcc_size = static_cast<DWORD>(size);
    record->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    record->dbcc_classguid = kOvxInterfaceClass;
    std::memcpy(record->dbcc_name, kInterfaceName, sizeof kInterfaceName);
    ::SendMessageA(target, WM_DEVICECHANGE, arrived ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE,
                   reinterpret_cast<LPARAM>(record));
}
