// A request the driver failed: which one (its control code, named by the catalogue)
// and the result it gave. Reads and writes report their first failure this way, so
// that every caller can say which request failed and why.
#pragma once

#include <cstdint>

#include "driver/ResultCodes.h"

struct RequestFailure {
    uint32_t request = 0;     // the control code; 0 while nothing failed
    DrvResult code = DRV_OK;

    bool Ok() const { return code == DRV_OK; }
    // The catalogue's name of the request, such as GetDeviceList; empty while nothing failed.
    const char* RequestName() const;
    // Keeps the first failure of a sequence whose later requests are still sent.
    void Note(uint32_t failedRequest, DrvResult result)
    {
        if (result != DRV_OK && Ok())
            *this = {failedRequest, result};
    }
    void Note(const RequestFailure& other) { Note(other.request, other.code); }
};
