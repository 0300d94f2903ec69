// Owners of the system handles the framework and the panel keep. Each is move-only
// and treats both null and INVALID_HANDLE_VALUE as empty where the kind has them.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <dbt.h>

#include "base/UniqueHandle.h"

struct KernelHandleTraits {
    static HANDLE Empty() { return nullptr; }
    static bool IsValid(HANDLE h) { return h && h != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::CloseHandle(h); }
};
using CKernelHandle = CUniqueHandle<HANDLE, KernelHandleTraits>;
using CMenuHandle = CUniqueHandle<HMENU, NullIsEmptyTraits<HMENU, ::DestroyMenu>>;
using CAcceleratorHandle = CUniqueHandle<HACCEL, NullIsEmptyTraits<HACCEL, ::DestroyAcceleratorTable>>;
using CImageListHandle = CUniqueHandle<HIMAGELIST, NullIsEmptyTraits<HIMAGELIST, ::ImageList_Destroy>>;
using CDeviceNotifyHandle = CUniqueHandle<HDEVNOTIFY, NullIsEmptyTraits<HDEVNOTIFY, ::UnregisterDeviceNotification>>;
using CIconHandle = CUniqueHandle<HICON, NullIsEmptyTraits<HICON, ::DestroyIcon>>;
using CModuleHandle = CUniqueHandle<HMODULE, NullIsEmptyTraits<HMODULE, ::FreeLibrary>>;
using CFontHandle = CUniqueHandle<HFONT, NullIsEmptyTraits<HFONT, ::DeleteObject>>;
using CGlobalHandle = CUniqueHandle<HGLOBAL, NullIsEmptyTraits<HGLOBAL, ::GlobalFree>>;
