// Misbehaviour the simulated driver can be told to show, request by request.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

enum class Malformation {
    UnterminatedText,      // every text field filled to its end, no terminator
    CountsBeyondCapacity,  // every count larger than the record's room
    ShortAnswer,           // only the first half of the record is written
};

enum class FaultRepeat { Once, Always };

// A pseudo code for faults of opening the control device rather than of a request.
constexpr uint32_t kSimOpenRequest = 0;

class CSimFaults {
public:
    // After `skip` more requests of code succeed, fail once or from then on.
    void Fail(uint32_t code, uint32_t error, FaultRepeat repeat, uint32_t skip = 0);
    void Delay(uint32_t code, std::chrono::milliseconds delay);
    void Malform(uint32_t code, Malformation malformation, FaultRepeat repeat);
    // While set, the event queue never runs dry: every GetNextEvent answers an event
    // of this kind, as a faulty driver or an endless storm of events would.
    void SetEndlessEvents(std::optional<uint32_t> kind) { m_endlessEvents = kind; }
    std::optional<uint32_t> EndlessEvents() const { return m_endlessEvents; }
    void Clear();
    // Every fault of this code, of any kind.
    void Remove(uint32_t code);

    // One fault in effect, as the statement that would set it says it.
    struct Entry {
        uint32_t code;
        std::string words;   // after the request's name, e.g. "0xE0000001 always" for a failure
        enum class Kind { Fail, Delay, Malform } kind;
    };
    std::vector<Entry> List() const;

    // The error to answer code with instead of doing it, consuming a one-time fault.
    std::optional<uint32_t> TakeFailure(uint32_t code);
    std::chrono::milliseconds DelayOf(uint32_t code) const;
    std::optional<Malformation> TakeMalformation(uint32_t code);

private:
    struct Failure {
        uint32_t error;
        FaultRepeat repeat;
        uint32_t skip;
    };
    struct Misshape {
        Malformation malformation;
        FaultRepeat repeat;
    };

    std::map<uint32_t, Failure> m_failures;
    std::map<uint32_t, std::chrono::milliseconds> m_delays;
    std::map<uint32_t, Misshape> m_malformations;
    std::optional<uint32_t> m_endlessEvents;
};
