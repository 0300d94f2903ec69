// The portable formatters with arbitrary records: plug states and details, stream
// errors, supported rates, sampling rates, synchronisation modes, record fields and
// trace lines. Each text stays bounded and a record field never leaks past its end.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "driver/RecordText.h"
#include "driver/ResultCodes.h"
#include "text/StreamText.h"
#include "pages/SyncModeText.h"
#include "sim/SimTraceLine.h"
#include "tests/fuzz/FuzzInput.h"

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

template <size_t N>
void CheckFieldRoundTrip(CFuzzInput& input)
{
    const std::string text = input.Text(2 * N);
    char field[N];
    input.Bytes(field, sizeof field);
    SetFieldText(field, text);
    Require(field[N - 1] == '\0');
    const std::string_view stored = FieldText(field);
    const std::string_view expected = std::string_view(text).substr(0, N - 1);
    Require(stored == expected.substr(0, expected.find('\0')));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CFuzzInput input(data, size);

    const auto stream = input.Read<_STREAM_INFO>();
    for (int plug = 0; plug < 4; ++plug) {
        const _PLUG_STATUS& status = PlugOf(stream, plug);
        const std::string state = FormatPlugState(status);
        Require(state.size() < 64);
        const std::string details = FormatPlugDetails(status, kPlugLabels[plug]);
        Require(details.size() < 1024);
        Require(details.empty() == (status.state != PlugState_Connected && status.state != PlugState_ConnectFailed));
    }
    const uint32_t code = input.Word32();
    const std::string error = FormatStreamError(code);
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", code);
    Require(error.find(hex) != std::string::npos);
    const auto rates = input.Read<_SAMPLE_RATE_INFO>();
    Require(FormatSupportedRates(rates.rateCount, rates.rates, rates.currentRate).size() < 512);

    const uint32_t rate = input.Word32();
    char expected[32];
    std::snprintf(expected, sizeof expected, "%u.%u kHz", rate / 1000, (rate % 1000) / 100);
    Require(FormatSampleRate(rate) == expected);

    const auto sync = input.Read<_DEVICE_SYNC_MODE_INFO>();
    const bool withName = input.Byte() & 1;
    Require(FormatSyncMode(sync.current, withName).size() < 128);
    for (const _SYNC_MODE_ENTRY& entry : sync.offered)
        Require(FormatSyncMode(entry, !withName).size() < 128);

    const auto device = input.Read<_OVX_DEVICE_PROPERTIES>();
    Require(FieldText(device.name).size() <= sizeof device.name);
    Require(FieldText(device.serialNumber).size() <= sizeof device.serialNumber);
    CheckFieldRoundTrip<kNameFieldSize>(input);
    CheckFieldRoundTrip<384>(input);
    CheckFieldRoundTrip<1>(input);

    SimTraceEntry entry{input.Word32(), input.Word32(), {}, input.Word32()};
    entry.input.resize(input.Byte() % 64);
    input.Bytes(entry.input.data(), entry.input.size());
    const std::string line = FormatTraceLine(entry);
    Require(line.find('\n') == std::string::npos && line.size() < 256);
    return 0;
}
