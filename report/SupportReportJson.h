// A support report as JSON, the same facts as the text (report/SupportReportText.h)
// under field names that stay as the README documents them. Texts are UTF-8 and, as in
// ovxctl's other JSON, every character beyond ASCII is written as a \uXXXX escape.
#pragma once

#include <string>

#include "report/SupportFacts.h"

// The format's name in the document, and its version: a later version adds fields only.
inline constexpr char kSupportReportFormat[] = "tormalin-zemra-1394-support-report";
inline constexpr int kSupportReportVersion = 1;

std::string WriteSupportReportJson(const SupportFacts& facts);
