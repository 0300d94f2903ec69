// What a support report says of the system it was made on, read where it is made.
#pragma once

#include <string>

#include "report/SupportFacts.h"

// The system's own version, UTF-8: on Windows as the kernel reports it, not as the
// compatibility layer tells an application without a manifest entry for it
// ("Windows NT 10.0 build 19045", and the Wine version under Wine); elsewhere uname's.
std::string OperatingSystemText();

// The computer's and the signed-in user's names; an empty text for one not found.
ComputerNames ReadComputerNames();
