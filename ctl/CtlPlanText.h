// The lines ovxctl prints for a restore plan and its outcome: one difference a line,
// the driver's texts as it holds them with their control characters escaped.
#pragma once

#include <string>

#include "snapshot/RestoreApplier.h"
#include "snapshot/RestorePlan.h"

// "device ZD4-0019-82 (Desk) name: "Zemra Desk 4" -> "Desk"", with the reason when skipped.
std::string PlanItemLine(const PlanItem& item);

// A value of a snapshot that no restore can give back exactly, and why.
std::string UnrestorableLine(const PlanItem& item);

// The line of an applied plan's item: "applied: ...", "refused: ...: REQUEST refused: 0x...".
std::string OutcomeLine(const PlanItem& item, const ItemResult& result);
