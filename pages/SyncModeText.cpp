#include "pages/SyncModeText.h"

#include "driver/RecordText.h"
#include "res/resource.h"
#include "ui/ResourceText.h"

std::string FormatSyncMode(const _SYNC_MODE_ENTRY& entry, bool withName)
{
    static constexpr UINT kModeTexts[] = {IDS_SYNC_MODE_UNSPECIFIED,    IDS_SYNC_MODE_CSP,
                                          IDS_SYNC_MODE_SYT,            IDS_SYNC_MODE_SYT_3,
                                          IDS_SYNC_MODE_DIGITAL_INPUT,  IDS_SYNC_MODE_EXTERNAL_CLOCK,
                                          IDS_SYNC_MODE_INTERNAL};
    std::string text = entry.modeCode < std::size(kModeTexts) ? LoadResString(kModeTexts[entry.modeCode]) : "";
    const std::string_view name = FieldText(entry.name);
    if (withName && !name.empty())
        text += " (" + std::string(name) + ")";
    return text;
}
