#pragma once

namespace vantor::core {

// What the tray icon shows; the numbers are the indexes of its images (PreviewWaiting blinks between 3 and
// 4).
enum class TrayState
{
    Idle = 0,
    Filtering = 1,
    Watching = 2,
    PreviewBuilding = 3,
    PreviewWaiting = 4
};

} // namespace vantor::core
