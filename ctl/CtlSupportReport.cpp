#include "ctl/CtlSupportReport.h"

#include <optional>

#include "ctl/CtlArguments.h"
#include "report/SupportReader.h"
#include "report/SupportReportJson.h"
#include "report/SupportReportText.h"
#include "report/SystemFacts.h"
#include "snapshot/SnapshotFile.h"
#include "text/ControlText.h"

namespace {

constexpr char kWithNames[] = "--with-names";

// The journal of this run's own requests, told of each while the report is read.
class CJournalWhileReading {
public:
    explicit CJournalWhileReading(COvx1394Driver& drv) : m_drv(drv) { m_drv.SetRequestObserver(&m_journal); }
    ~CJournalWhileReading() { m_drv.SetRequestObserver(nullptr); }
    CJournalWhileReading(const CJournalWhileReading&) = delete;
    CJournalWhileReading& operator=(const CJournalWhileReading&) = delete;

    const CRequestJournal& Journal() const { return m_journal; }

private:
    COvx1394Driver& m_drv;
    CRequestJournal m_journal;
};

struct ReportTarget {
    bool withNames = false;
    std::optional<FilePath> file;   // none: standard output
    std::string shown;              // the file's name in the code page, for the messages
};

SupportFacts ReadFacts(CtlSession& session, bool withNames)
{
    CJournalWhileReading journal(session.drv);
    SupportSources sources;
    sources.writtenBy = "ovxctl";
    sources.operatingSystem = OperatingSystemText();
    sources.opening = session.opened;
    sources.journal = &journal.Journal();
    if (withNames)
        sources.names = ReadComputerNames();
    return CSupportReader(session.drv).Read(sources);
}

CtlOutcome Report(CtlSession& session, const ReportTarget& target)
{
    const SupportFacts facts = ReadFacts(session, target.withNames);
    const std::string report = session.json ? WriteSupportReportJson(facts) : WriteSupportReportText(facts);
    if (target.file) {
        const std::string contents = session.json ? report : SupportReportFileText(report);
        if (const FileOutcome written = WriteFileAtomically(*target.file, contents); !written.ok)
            return {CtlExit_Output,
                    QuotedPath(target.shown) + " was not written, and a file there before is unchanged: " + written.why};
        session.out << "support report written to " << EscapeControlCharacters(target.shown) << '\n';
    } else {
        session.out << report;
    }
    if (!facts.DriverOpen())
        return CtlRefused("opening the driver", facts.opening);
    if (const RequestFailure first = facts.reads.First(); !first.Ok())
        return CtlRefused(first);
    return CtlDone();
}

}  // namespace

CtlOutcome PrepareSupportReport(const CtlWords& arguments, const CtlPaths& paths, CtlAction& action)
{
    ReportTarget target;
    for (size_t i = 0; i < arguments.size(); ++i) {
        // A flag given twice is no file name.
        const bool flag = arguments[i] == kWithNames;
        if (flag && !target.withNames) {
            target.withNames = true;
        } else if (flag || target.file || paths[i].empty()) {
            return CtlUsage("report expects [FILE] [--with-names], not " + Quoted(arguments[i]));
        } else {
            target.file = paths[i];
            target.shown = arguments[i];
        }
    }
    action = [target](CtlSession& session) { return Report(session, target); };
    return CtlDone();
}
