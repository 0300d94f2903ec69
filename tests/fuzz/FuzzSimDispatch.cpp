// The simulated driver as a hostile client calls it: any handle, any control code,
// any buffer sizes and contents, null buffers, opens and closes and bus changes in
// between. It must answer each call with a code, never write past the caller's
// buffer and never report more bytes than the buffer holds.
#include <cstdlib>
#include <string>
#include <vector>

#include "driver/ControlCodes.h"
#include "driver/Ovx1394Driver.h"
#include "sim/SimDriver.h"
#include "tests/fuzz/FuzzInput.h"

namespace {

constexpr uint32_t kMaxBuffer = 4096;

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

uint32_t PickCode(CFuzzInput& input)
{
    const auto catalogue = OvxIoctl::Catalogue();
    const uint8_t choice = input.Byte();
    if (choice < 0xE0)
        return catalogue[choice % catalogue.size()].code;
    return input.Word32();
}

uint32_t PickSize(CFuzzInput& input, uint32_t catalogueSize)
{
    const uint8_t choice = input.Byte();
    if (choice < 0xA0)
        return catalogueSize;
    if (choice < 0xC0)
        return catalogueSize > 0 ? catalogueSize - 1 : 1;
    if (choice < 0xE0)
        return catalogueSize + 1;
    return input.Word16() % (kMaxBuffer + 1);
}

DeviceHandle PickHandle(CFuzzInput& input, const std::vector<DeviceHandle>& handles)
{
    const uint8_t choice = input.Byte();
    if (choice < 0xF0 && !handles.empty())
        return handles[choice % handles.size()];
    return reinterpret_cast<DeviceHandle>(uintptr_t{input.Word32()});
}

void CallControl(CSimDriver& driver, CFuzzInput& input, const std::vector<DeviceHandle>& handles)
{
    const DeviceHandle handle = PickHandle(input, handles);
    const uint32_t code = PickCode(input);
    const OvxIoctl::Request* request = OvxIoctl::FindRequest(code);
    const uint32_t inSize = PickSize(input, request ? request->inSize : 0);
    const uint32_t outSize = PickSize(input, request ? request->outSize : 0);
    const uint8_t nulls = input.Byte();
    std::vector<uint8_t> in(inSize);
    input.Bytes(in.data(), in.size());
    std::vector<uint8_t> out(outSize);
    const void* inBuffer = (nulls & 1) ? nullptr : in.data();
    void* outBuffer = (nulls & 2) ? nullptr : out.data();
    uint32_t bytesReturned = 0xFFFFFFFF;
    const uint32_t result = driver.Control(handle, code, inBuffer, inSize, outBuffer, outSize, bytesReturned);
    Require(bytesReturned <= outSize);
    if (result == 0)
        Require(request != nullptr && handle != nullptr);
    if (!request)
        Require(result != 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CFuzzInput input(data, size);
    CSimDriver driver;
    driver.SetEventSignaller([](uint32_t) {});
    std::vector<DeviceHandle> handles;
    int plugged = 0;
    const std::string path = std::string("\\\\.\\") + kOvxDeviceName;
    for (int step = 0; step < 256 && !input.Empty(); ++step) {
        switch (input.Byte() % 12) {
        case 0: {
            uint32_t error = 0;
            const std::string other = input.Text(64);
            const DeviceHandle handle = driver.Open(input.Byte() & 1 ? other.c_str() : path.c_str(), error);
            Require((handle == nullptr) == (error != 0));
            if (handle)
                handles.push_back(handle);
            break;
        }
        case 1:
            if (!handles.empty()) {
                const size_t index = input.Byte() % handles.size();
                driver.Close(handles[index]);
                if (input.Byte() & 1)   // else it stays, and is used after its close
                    handles.erase(handles.begin() + static_cast<std::ptrdiff_t>(index));
            }
            break;
        case 2:
            driver.RaiseEvent(input.Word32());
            break;
        case 3:
            // Few and small devices: a bus at the record limits only slows the search.
            if (plugged++ < 8)
                driver.PlugDevice(input.Text(48), input.Text(48), input.Byte() % 17, input.Byte() % 17);
            break;
        case 4:
            driver.UnplugDevice(input.Word32());
            break;
        case 5:
            driver.SetDriverPresent(input.Byte() & 1);
            break;
        default:
            CallControl(driver, input, handles);
            break;
        }
    }
    for (DeviceHandle handle : handles)
        driver.Close(handle);
    Require(driver.OpenConnections() == 0 || !handles.empty());
    return 0;
}
