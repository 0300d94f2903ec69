#include "app/PageTable.h"

#include <iterator>

#include "pages/DlgPgASIOSettings.h"
#include "pages/DlgPgChannels.h"
#include "pages/DlgPgDevices.h"
#include "pages/DlgPgStreams.h"
#include "pages/DlgPgSynchronisation.h"
#include "res/resource.h"

namespace {

template <typename Page, int... Arguments>
CDialogPage* Create()
{
    return new Page(Arguments...);
}

// The tree's images are the icons of the view's image list, in its order: 1 devices,
// 2 settings, 3 channels, 5 synchronisation.
constexpr PageTableRow kPages[] = {
    {PAGE_SETTINGS, IDS_PAGE_SETTINGS, 2, 4, 4, &Create<CDlgPgASIOSettings>},
    {PAGE_DEVICES, IDS_PAGE_DEVICES, 1, 0, 0, &Create<CDlgPgDevices>},
    {PAGE_INPUT_CHANNELS, IDS_PAGE_INPUT_CHANNELS, 3, 1, 1, &Create<CDlgPgChannels, 0>},
    {PAGE_OUTPUT_CHANNELS, IDS_PAGE_OUTPUT_CHANNELS, 3, 2, 2, &Create<CDlgPgChannels, 1>},
    {PAGE_STREAMS, IDS_PAGE_STREAMS, -1, -1, 3, &Create<CDlgPgStreams>},
    {PAGE_SYNCHRONISATION, IDS_PAGE_SYNCHRONISATION, 5, 3, 5, &Create<CDlgPgSynchronisation>},
};
static_assert(std::size(kPages) == kPageCount, "the view keeps one slot per row");

}  // namespace

std::span<const PageTableRow> PageTable()
{
    return kPages;
}

const PageTableRow* FindPageRow(uint32_t kind)
{
    for (const PageTableRow& row : kPages) {
        if (row.kind == kind)
            return &row;
    }
    return nullptr;
}
