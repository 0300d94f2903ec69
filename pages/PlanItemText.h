// The texts of a restore plan's items as the panel shows them: what is set, what it is
// now, what it will be, and why an item is skipped, all from the string table. The
// driver's names are ANSI, as the controls show them.
#pragma once
#include <windows.h>
#include <string>

#include "snapshot/RestorePlan.h"

std::string PlanSettingText(const PlanItem& item);
std::string PlanNowText(const PlanItem& item);
// What the item will be, or why it is skipped.
std::string PlanThenText(const PlanItem& item);
std::string PlanSkipText(const PlanItem& item);
