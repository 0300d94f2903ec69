// Every page of the control panel view, once: its kind, its title, its tree item and
// where it comes in a refresh. The view creates, hides and finds its pages from this
// table, and the tests select pages from it instead of lists of their own.
#pragma once
#include <windows.h>
#include <cstdint>
#include <span>

class CDialogPage;

// The page kind in the high byte of a tree item's data.
enum PageKind : uint32_t {
    PAGE_SETTINGS = 0x11,
    PAGE_DEVICES = 0x12,
    PAGE_INPUT_CHANNELS = 0x13,
    PAGE_OUTPUT_CHANNELS = 0x14,
    PAGE_STREAMS = 0x15,
    PAGE_SYNCHRONISATION = 0x18,
};

struct PageTableRow {
    PageKind kind;
    UINT titleId;
    int image;          // its tree item's image; -1: the page has no tree item and is never shown
    int treePlace;      // its tree item's place from the top; -1 for none
    int refreshPlace;   // its turn in a refresh of every page
    CDialogPage* (*create)();   // a new page object, its window not yet created
};

constexpr size_t kPageCount = 6;

// The rows in the order the view creates and hides the pages.
std::span<const PageTableRow> PageTable();

// The row of a kind, or null for a kind the view does not know.
const PageTableRow* FindPageRow(uint32_t kind);

// A tree item's data: the kind in its high byte.
constexpr uint32_t PageItemData(uint32_t kind)
{
    return kind << 24;
}
