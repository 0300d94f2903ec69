// The platform's device I/O on Windows: plain synchronous file and device calls.
#include "driver/DeviceIo.h"

#include <windows.h>

namespace {

class CWin32DeviceIo final : public IDeviceIo {
public:
    DeviceHandle Open(const char* path, uint32_t& error) override
    {
        HANDLE handle = CreateFileA(path, GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    0, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            error = GetLastError();
            return nullptr;   // callers never hold the invalid-handle value
        }
        error = 0;
        return handle;
    }

    uint32_t Control(DeviceHandle handle, uint32_t code, const void* in, uint32_t inSize,
                     void* out, uint32_t outSize, uint32_t& bytesReturned) override
    {
        DWORD returned = 0;
        // DeviceIoControl takes a non-const input pointer but does not write through it.
        const BOOL ok = DeviceIoControl(handle, code, const_cast<void*>(in), inSize, out, outSize,
                                        &returned, nullptr);
        const uint32_t result = ok ? 0 : GetLastError();
        bytesReturned = returned;
        return result;
    }

    void Close(DeviceHandle handle) override { CloseHandle(handle); }
};

}  // namespace

IDeviceIo& PlatformDeviceIo()
{
    static CWin32DeviceIo io;
    return io;
}
