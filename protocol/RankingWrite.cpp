#include "protocol/RankingWrite.h"

#include <vector>

#include "driver/RecordLists.h"

namespace {

bool IsRankingOrder(size_t records, std::span<const size_t> order)
{
    if (order.size() != records)
        return false;
    std::vector<bool> placed(records, false);
    for (const size_t record : order) {
        if (record >= records || placed[record])
            return false;
        placed[record] = true;
    }
    return true;
}

}  // namespace

WriteOutcome StoreRanking(COvx1394Driver& drv, std::span<_OVX_DEVICE_PROPERTIES* const> records,
                          std::span<const size_t> order)
{
    if (!IsRankingOrder(records.size(), order))
        return WriteOutcome::Refused(WriteRule::RankingNotAnOrder);
    for (size_t place = 0; place < order.size(); ++place)
        records[order[place]]->ranking = static_cast<uint32_t>(place);
    const std::vector<const _OVX_DEVICE_PROPERTIES*> sent(records.begin(), records.end());
    WriteOutcome outcome;
    outcome.refused = StoreDeviceRecords(drv, sent);
    return outcome;
}
