// What a page may ask of the window that hosts it.
#pragma once
#include <string>

class IPageHost {
public:
    // Writes a status bar pane of the main frame and draws it at once.
    virtual void SetPaneText(int pane, const std::string& text) = 0;
    // Reloads the pages that show what the devices page changes.
    virtual void RefreshDependentPages() = 0;
    // The include-device-name option, shared by both channel pages, was changed on one.
    virtual void ShowIncludeDeviceName(int include) = 0;

protected:
    ~IPageHost() = default;
};
