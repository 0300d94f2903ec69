// The view's page tree: the platform tree view, nothing added.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <string>
#include "ui/Wnd.h"

class CTreeCtrlEx : public CWnd {
public:
    HTREEITEM InsertItem(const std::string& text, int image, int selectedImage,
                         HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST);
    BOOL SetItemData(HTREEITEM item, DWORD_PTR data);
    DWORD_PTR GetItemData(HTREEITEM item) const;
    std::string GetItemText(HTREEITEM item) const;
    HTREEITEM GetSelectedItem() const;
    HTREEITEM GetRootItem() const;
    HTREEITEM GetNextSiblingItem(HTREEITEM item) const;
    BOOL SelectItem(HTREEITEM item);
    UINT GetCount() const;
    HIMAGELIST SetImageList(HIMAGELIST images, int kind);
};
