#pragma once

#include "core/program/SettingsFile.h"

#include <optional>

namespace vantor::core {

// The main window's position and size in [WindowState] of setting.ini.
struct WindowPlacement
{
    bool isMaximized = false;
    // A missing key leaves the window's own value.
    std::optional<int> left;
    std::optional<int> top;
    std::optional<int> width;
    std::optional<int> height;

    static WindowPlacement read(const SettingsFile& settings);
    // Left, Top, Width and Height (those that are set), then State 1 when maximized, else 0.
    void write(SettingsFile& settings) const;
};

} // namespace vantor::core
