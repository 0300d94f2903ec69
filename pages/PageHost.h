// What a page may ask of the window that hosts it.
#pragma once
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

class IPageHost {
public:
    // Writes a status bar pane of the main frame and draws it at once.
    virtual void SetPaneText(int pane, const std::string& text) = 0;
    // Reloads the pages that show what the devices page changes.
    virtual void RefreshDependentPages() = 0;
    // The include-device-name option, shared by both channel pages, was changed on one.
    virtual void ShowIncludeDeviceName(int include) = 0;
    // Since when the panel watches the drop-outs (while the driver streams), or none.
    virtual std::optional<std::chrono::system_clock::time_point> DropOutsWatchedSince() const = 0;
    // The page read the drop-out count: the panel's watch takes it instead of asking again.
    virtual void OnDropOutsRead(uint32_t count) = 0;

protected:
    ~IPageHost() = default;
};
