// Reads a fuzzer's input front to back; once it runs out every read yields zeros,
// so a target never needs to check how much is left.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

class CFuzzInput {
public:
    CFuzzInput(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    bool Empty() const { return m_used >= m_size; }
    size_t Remaining() const { return m_size - m_used; }

    uint8_t Byte() { return Empty() ? 0 : m_data[m_used++]; }

    uint16_t Word16()
    {
        const uint16_t low = Byte();
        return static_cast<uint16_t>(low | (Byte() << 8));
    }

    uint32_t Word32()
    {
        const uint32_t low = Word16();
        return low | (uint32_t{Word16()} << 16);
    }

    // Copies up to size bytes into out and returns how many there were.
    size_t Bytes(void* out, size_t size)
    {
        const size_t count = size < Remaining() ? size : Remaining();
        if (count > 0)
            std::memcpy(out, m_data + m_used, count);
        m_used += count;
        return count;
    }

    template <typename Record>
    Record Read()
    {
        Record record{};
        Bytes(&record, sizeof record);
        return record;
    }

    std::string Text(size_t maxLength)
    {
        std::string text(Byte() % (maxLength + 1), '\0');
        text.resize(Bytes(text.data(), text.size()));
        return text;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_used = 0;
};
