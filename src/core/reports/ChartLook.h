#pragma once

#include <cstdint>

namespace vantor::core {

// How the statistics chart is drawn, as [Statistic] of setting.ini says. Colours are colour values:
// red in the lowest byte, then green and blue.
struct ChartLook
{
    enum class Background
    {
        // Neither a plain colour nor the gradient is chosen: the chart keeps the background it has.
        Unchanged,
        Plain,
        Gradient
    };

    bool show3D = false;
    Background background = Background::Gradient;
    std::uint32_t backgroundColor = 0x00FFFFFF;
    std::uint32_t gradientStart = 0x00FFFFFF;
    std::uint32_t gradientEnd = 0x00FFF0BE;
    std::uint32_t checked = 0x00FF0000;
    std::uint32_t filtered = 0x00008000;
    std::uint32_t deleted = 0x000000FF;

    bool operator==(const ChartLook&) const = default;
};

} // namespace vantor::core
