// Reading what an administrator types: numbers, names, and devices and channels named
// by their position in the listing (1-based), serial number or name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ctl/CtlOutcome.h"
#include "driver/Drv.h"

// A whole decimal number of 32 bits; false for anything else.
bool ParseUnsigned(std::string_view text, uint32_t& value);

// The index in theDrv.m_devices of the device that text names, tried in this order:
// position in the listing, serial number, name (both compared whole, case ignored).
CtlOutcome FindDevice(const CDrv& drv, std::string_view text, int& index);

// The index in channels of the channel that text names: position in the listing,
// channel name, hardware name.
CtlOutcome FindChannel(const CChannelArray& channels, std::string_view text, int& index);

// Whole texts equal, ASCII case ignored.
bool SameText(std::string_view a, std::string_view b);

// The text in double quotes for a message, its control characters written as \xNN; a
// text longer than 60 characters is cut and its length said (text/ControlText.h).
std::string Quoted(std::string_view text);
// A file's name the same way, but whole: its end names the file.
std::string QuotedPath(std::string_view text);

// A name the driver can hold and show: 1 to 39 bytes of the ANSI code page, none of
// them a control character.
CtlOutcome CheckName(const std::string& name);
