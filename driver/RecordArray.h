// An array that owns driver records of one type, in the order the driver gave them.
// Access checks the index: outside the array there is no record, only null.
#pragma once

#include <cstdint>
#include <memory>
#include <new>
#include <vector>

template <typename Record>
class CRecordArray {
public:
    CRecordArray() = default;
    CRecordArray(const CRecordArray&) = delete;
    CRecordArray& operator=(const CRecordArray&) = delete;

    int GetSize() const { return static_cast<int>(m_records.size()); }
    bool IsEmpty() const { return m_records.empty(); }

    // The record at index, or null when index is not below the count.
    Record* GetAt(int index) const
    {
        if (index < 0 || index >= GetSize())
            return nullptr;
        return m_records[static_cast<size_t>(index)].get();
    }

    // What a list row's item data designates. Item data is pointer-sized, so it is
    // compared whole, never cut down to an int first.
    bool HoldsIndex(uintptr_t index) const { return index < m_records.size(); }
    Record* AtIndex(uintptr_t index) const { return HoldsIndex(index) ? m_records[index].get() : nullptr; }

    // Counts every rebuild, so that a page can tell that the indices and records it
    // took before (around a modal dialog, say) are stale.
    uint32_t Generation() const { return m_generation; }

    // A zero-filled record to be filled and then appended; null when memory is short.
    static std::unique_ptr<Record> NewRecord() { return std::unique_ptr<Record>(new (std::nothrow) Record{}); }

    void Add(std::unique_ptr<Record> record) { m_records.push_back(std::move(record)); }

    void RemoveAll()
    {
        m_records.clear();
        ++m_generation;
    }

private:
    std::vector<std::unique_ptr<Record>> m_records;
    uint32_t m_generation = 0;
};
