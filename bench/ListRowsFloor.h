// The least that showing a refresh's rows can cost: the same rows with the same texts
// inserted into bare list views of the same styles, with redraw off, as a copy taken
// from the panel's own lists.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

class CListRowsFloor {
public:
    // Copies the rows of every list view under this window (its pages' lists).
    void CaptureFrom(HWND top);
    // Rebuilds all copied rows in bare list views; milliseconds taken.
    double InsertAll();
    size_t Rows() const;
    ~CListRowsFloor();

private:
    struct List {
        DWORD style = 0;
        DWORD extendedStyle = 0;
        int columns = 0;
        std::vector<std::vector<std::string>> rows;   // a row's texts, column by column
        HWND bare = nullptr;
    };
    static BOOL CALLBACK CollectList(HWND hWnd, LPARAM self);
    void CreateBareLists();

    std::vector<List> m_lists;
    HWND m_host = nullptr;
};
