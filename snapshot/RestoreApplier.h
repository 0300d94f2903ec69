// Applies a restore plan on the driver: the writes in the order and frames the pages
// use (StopStreaming ... StartStreaming around the clock master, the rate mode, the
// synchronisation modes and the stream and WDM depths; the ASIO depth alone; the
// ranking as the devices page stores it), each from the record last read with only
// the restored field changed. A write the driver refuses does not stop the others, and
// a frame that was opened is always closed. Then everything is read back, and an item
// the driver took but does not hold is reported as such.
#pragma once

#include <vector>

#include "driver/Ovx1394Driver.h"
#include "snapshot/RestorePlan.h"
#include "snapshot/StudioReader.h"

enum class ItemOutcome {
    Planned,   // not sent (yet)
    Applied,
    Refused,   // the driver failed the request: request and code say which and why
    Skipped,   // the plan's reason says why
    NotHeld,   // the driver took the write but reads back otherwise
};

struct ItemResult {
    ItemOutcome outcome = ItemOutcome::Planned;
    const char* request = "";
    DrvResult code = DRV_OK;
};

struct RestoreReport {
    std::vector<ItemResult> items;         // one per item of the plan, in its order
    DrvResult startStreaming = DRV_OK;     // closing a frame that was opened
    StudioReadResult readBack;             // when it failed, nothing could be confirmed

    size_t Count(ItemOutcome outcome) const;
    // Every change was applied and is held, and the frame closed.
    bool Complete() const;
};

class CRestoreApplier {
public:
    explicit CRestoreApplier(COvx1394Driver& drv) : m_drv(drv) {}

    // `state` is the read the plan was made from; it is updated by the writes the
    // driver takes, and holds the read back at the end.
    RestoreReport Apply(const Snapshot& file, const RestorePlan& plan, StudioState& state);

private:
    ItemResult Write(const PlanItem& item, StudioState& state);
    ItemResult WriteRanking(const PlanItem& item, StudioState& state);
    ItemResult WriteFramed(const PlanItem& item, StudioState& state);
    void ApplyFrame(const RestorePlan& plan, StudioState& state, RestoreReport& report);
    void ReadBack(const Snapshot& file, const RestorePlan& plan, StudioState& state, RestoreReport& report);

    COvx1394Driver& m_drv;
};
