#include "report/SupportReader.h"

#include "protocol/DriverReader.h"
#include "res/ProgramVersion.h"

std::vector<const RequestFailure*> SupportReads::Parts() const
{
    return {&version,     &devices,  &syncModes, &inputs,      &outputs,   &clockSource, &rateMode,
            &sampleRates, &streams, &streamDepth, &asioDepth, &wdmDepth, &statistics};
}

RequestFailure SupportReads::First() const
{
    RequestFailure first;
    for (const RequestFailure* part : Parts())
        first.Note(*part);
    return first;
}

SupportFacts CSupportReader::Read(const SupportSources& sources)
{
    SupportFacts facts;
    facts.writtenBy = sources.writtenBy;
    facts.programVersion = OVX_VERSION_TEXT;
    facts.operatingSystem = sources.operatingSystem;
    facts.writtenAt = std::chrono::system_clock::now();
    facts.opening = sources.opening;
    // A closed connection answers every request with the same code: the opening's own
    // failure says more.
    if (facts.DriverOpen())
        ReadDriver(facts);
    if (sources.journal)
        facts.failedRequests.assign(sources.journal->RecentFailures().begin(), sources.journal->RecentFailures().end());
    if (sources.history) {
        const CEventHistory& history = *sources.history;
        facts.history = SupportHistory{{history.Entries().begin(), history.Entries().end()}, history.Dropped()};
    }
    facts.names = sources.names;
    return facts;
}

void CSupportReader::ReadDriver(SupportFacts& facts)
{
    CDriverReader reader(m_drv);
    DriverState& state = facts.driver;
    SupportReads& reads = facts.reads;
    reads.version = reader.Version(state);
    reads.devices = reader.Devices(state);
    reads.syncModes = reader.SyncModes(state);
    reads.inputs = reader.Channels(state, false);
    reads.outputs = reader.Channels(state, true);
    reads.clockSource = reader.ClockSource(state);
    reads.rateMode = reader.RateMode(state);
    reads.sampleRates = reader.SampleRates(state);
    reads.streams = reader.Streams(state);
    reads.streamDepth = reader.Buffer(state, BufferKind::Stream);
    reads.asioDepth = reader.Buffer(state, BufferKind::Asio);
    reads.wdmDepth = reader.Buffer(state, BufferKind::Wdm);
    reads.statistics = reader.Statistics(state);
}
