// A support report as one UTF-8 text a person reads in any editor. Its sections come
// in a fixed order: versions; Windows; devices with their serial numbers, channels and
// synchronisation; clock and rates; plugs; buffers and drop-outs; failed requests; the
// event history; and, only when asked for, the computer's and the user's names. A part
// of the driver that could not be read is named in its section, beside what was read.
#pragma once

#include <string>
#include <string_view>

#include "report/SupportFacts.h"

// Lines end in "\n", as a stream of the platform takes them.
std::string WriteSupportReportText(const SupportFacts& facts);

// The text as a file holds it: every line ending in "\r\n", which every Windows editor,
// the oldest Notepad included, shows as lines.
std::string SupportReportFileText(std::string_view text);
