// What the owner of a connection may want to know of each request made on it: the
// program's own writes (so that what it reads back afterwards is not taken for news
// from elsewhere) and the requests that failed (for a support report). It is told on
// the thread that made the request, right after it, with the connection's lock held:
// it must not make requests of its own.
#pragma once

#include <cstdint>

#include "driver/ResultCodes.h"

class IRequestObserver {
public:
    virtual void OnRequest(uint32_t code, const void* input, uint32_t inputSize, DrvResult result) = 0;

protected:
    ~IRequestObserver() = default;
};
