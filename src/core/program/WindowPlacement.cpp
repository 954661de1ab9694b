#include "core/program/WindowPlacement.h"

namespace vantor::core {

using namespace storage;

WindowPlacement WindowPlacement::read(const SettingsFile& settings)
{
    WindowPlacement placement;
    placement.isMaximized = settings.read(WindowStateState) == 1;
    placement.left = settings.read(WindowStateLeft);
    placement.top = settings.read(WindowStateTop);
    placement.width = settings.read(WindowStateWidth);
    placement.height = settings.read(WindowStateHeight);
    return placement;
}

void WindowPlacement::write(SettingsFile& settings) const
{
    const auto writeIfSet = [&settings](const OptionalIntSetting& setting, const std::optional<int>& value) {
        if (value)
            settings.write(setting, *value);
    };
    writeIfSet(WindowStateLeft, left);
    writeIfSet(WindowStateTop, top);
    writeIfSet(WindowStateWidth, width);
    writeIfSet(WindowStateHeight, height);
    settings.write(WindowStateState, isMaximized ? 1 : 0);
}

} // namespace vantor::core
