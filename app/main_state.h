#pragma once

#include <array>
#include <cstdint>

// State the main window's handlers share. Only PortOpened and RunningTotal carry a value from
// one handler call to a later one; the two byte areas are scratch space that every user fills
// before reading and zeroes after use.
struct MainState {
    static constexpr int AreaSize = 2048;

    std::int32_t PortOpened = 0; // 1 while Open COM has the port open
    double RunningTotal = 0.0;   // Sum's running total; About / display base resets it
    std::array<std::uint8_t, AreaSize> ByteArea{};
    std::array<std::uint8_t, AreaSize> SendArea{};
};
