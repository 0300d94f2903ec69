// Applies a restore plan on the driver through the driver layer's named operations
// (protocol/), in the plan's order: names, the ranking, the ASIO name option, then the
// clock master, the rate mode and the synchronisation modes in their one frame, the
// buffer depths with the restart each needs, and the sampling rate. Each write starts
// from the record last read with only the restored field changed; a write the driver
// refuses does not stop the others. Then everything is read back, and an item the
// driver took but does not hold is reported as such.
#pragma once

#include <string>
#include <vector>

#include "driver/Ovx1394Driver.h"
#include "driver/RequestFailure.h"
#include "protocol/WriteOutcome.h"
#include "snapshot/RestorePlan.h"
#include "snapshot/StudioReader.h"

enum class ItemOutcome {
    Planned,   // not sent (yet)
    Applied,
    Refused,   // the driver failed the request, or a rule of the driver layer refused the value
    Skipped,   // the plan's reason says why
    NotHeld,   // the driver took the write but reads back otherwise
};

struct ItemResult {
    ItemOutcome outcome = ItemOutcome::Planned;
    RequestFailure refused;            // the driver failed the request: which, and its code
    WriteRule rule = WriteRule::None;  // Refused by a rule: nothing was sent
    std::string heldOrder;             // the ranking: the devices in the order the driver holds after it
};

struct RestoreReport {
    std::vector<ItemResult> items;     // one per item of the plan, in its order
    RequestFailure restart;            // StartStreaming refused after a frame: streaming is stopped
    RequestFailure readBack;           // when it failed, nothing could be confirmed

    size_t Count(ItemOutcome outcome) const;
    bool StreamingLeftStopped() const { return !restart.Ok(); }
    // Every change was applied and is held, streaming runs, and the read back worked.
    bool Complete() const;
    // Complete, and nothing of the file was skipped: the driver holds all the file says.
    // (A connected device the file does not name is no part of the file.)
    bool HoldsAll(const RestorePlan& plan) const;
};

class CRestoreApplier {
public:
    explicit CRestoreApplier(COvx1394Driver& drv) : m_drv(drv) {}

    // `state` is the read the plan was made from; it is updated by the writes the
    // driver takes, and holds the read back at the end.
    RestoreReport Apply(const Snapshot& file, const RestorePlan& plan, StudioState& state);

private:
    ItemResult Write(const PlanItem& item, StudioState& state, RestoreReport& report);
    void ApplySynchronisationItems(const RestorePlan& plan, StudioState& state, RestoreReport& report);
    void ReadBack(const Snapshot& file, const RestorePlan& plan, StudioState& state, RestoreReport& report);

    COvx1394Driver& m_drv;
};
