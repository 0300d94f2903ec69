// Reading what an administrator types: numbers, names, and devices and channels named
// by their position in the listing (1-based), serial number or name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ctl/CtlOutcome.h"
#include <vector>

#include "driver/DriverRecords.h"
#include "protocol/WriteOutcome.h"

// A whole decimal number of 32 bits; false for anything else.
bool ParseUnsigned(std::string_view text, uint32_t& value);

// The index in devices of the device that text names, tried in this order: position
// in the listing, serial number, name (both compared whole, case ignored).
CtlOutcome FindDevice(const std::vector<_OVX_DEVICE_PROPERTIES>& devices, std::string_view text, int& index);

// The index in channels of the channel that text names: position in the listing,
// channel name, hardware name.
CtlOutcome FindChannel(const std::vector<_OVX_CHANNEL_PROPERTIES>& channels, std::string_view text, int& index);

// Whole texts equal, ASCII case ignored.
bool SameText(std::string_view a, std::string_view b);

// The text in double quotes for a message, its control characters written as \xNN; a
// text longer than 60 characters is cut and its length said (text/ControlText.h).
std::string Quoted(std::string_view text);
// A file's name the same way, but whole: its end names the file.
std::string QuotedPath(std::string_view text);

// A name the driver layer's name rule takes (protocol/NameRule.h), or why not.
CtlOutcome CheckNameArgument(const std::string& name);
// The message of a rule of the driver layer that refused a value; value is the text
// the rule was given, when it helps to quote it.
std::string RuleMessage(WriteRule rule, std::string_view value = {});
