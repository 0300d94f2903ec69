#include "tests/chaos/ChaosTrace.h"

#include <sstream>

namespace {

int Nibble(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

}  // namespace

bool ChaosRequest::IsWrite() const
{
    return name.rfind("Set", 0) == 0 || name == "StartStreaming" || name == "StopStreaming";
}

uint32_t ChaosRequest::Word(size_t index) const
{
    uint32_t word = 0;
    for (size_t i = 0; i < 4; ++i) {
        const size_t at = index * 4 + i;
        if (at < input.size())
            word |= static_cast<uint32_t>(input[at]) << (8 * i);
    }
    return word;
}

std::string ChaosRequest::Text(size_t offset, size_t size) const
{
    std::string text;
    for (size_t i = offset; i < offset + size && i < input.size() && input[i] != 0; ++i)
        text += static_cast<char>(input[i]);
    return text;
}

bool ParseChaosRequest(const std::string& line, ChaosRequest& request)
{
    std::istringstream words(line);
    std::string hex, result;
    if (!(words >> request.name >> hex >> result) || result.rfind("0x", 0) != 0)
        return false;
    request.input.clear();
    if (hex != "-") {
        if (hex.size() % 2 != 0)
            return false;
        for (size_t i = 0; i < hex.size(); i += 2) {
            const int high = Nibble(hex[i]), low = Nibble(hex[i + 1]);
            if (high < 0 || low < 0)
                return false;
            request.input.push_back(static_cast<uint8_t>(high * 16 + low));
        }
    }
    request.result = static_cast<uint32_t>(std::stoul(result, nullptr, 16));
    return true;
}

std::vector<ChaosRequest> CChaosTrace::Since()
{
    std::vector<ChaosRequest> requests;
    std::ifstream in(m_path, std::ios::binary);
    if (!in)
        return requests;
    in.seekg(m_offset);
    std::string chunk((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    m_offset += static_cast<std::streamoff>(chunk.size());
    m_partial += chunk;
    size_t start = 0;
    for (size_t end; (end = m_partial.find('\n', start)) != std::string::npos; start = end + 1) {
        std::string line = m_partial.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        ChaosRequest request;
        if (ParseChaosRequest(line, request))
            requests.push_back(std::move(request));
    }
    m_partial.erase(0, start);
    return requests;
}
