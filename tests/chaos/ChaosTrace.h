// The simulated driver's request trace as the panel writes it to its file, read on from
// where the last read stopped: one request a line, "NAME INPUT-HEX|- 0xRESULT".
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

struct ChaosRequest {
    std::string name;
    std::vector<uint8_t> input;
    uint32_t result = 0;

    bool IsWrite() const;
    // The little-endian word at this index of the input, 0 beyond it.
    uint32_t Word(size_t index) const;
    // The text field of this size at this offset of the input, up to its terminator.
    std::string Text(size_t offset, size_t size) const;
};

class CChaosTrace {
public:
    explicit CChaosTrace(std::string path) : m_path(std::move(path)) {}

    // The requests written since the last call.
    std::vector<ChaosRequest> Since();
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
    std::streamoff m_offset = 0;
    std::string m_partial;
};

// Reads one trace line; false when it is not one.
bool ParseChaosRequest(const std::string& line, ChaosRequest& request);
