#pragma once

#include <SFML/System/Vector2.hpp>

#include <optional>
#include <vector>

/// A rectangle of the desktop, in device pixels from the top-left corner of the whole screen.
struct ScreenArea {
    sf::Vector2i position;
    sf::Vector2i size;
};

/// A monitor as the window system lists it.
struct Monitor {
    ScreenArea area;
    bool primary = false;
};

/// The area a new window belongs in: the monitor under `pointer` (where the user looks, and where
/// desktops open new windows), else the primary one, else `screen`; clipped by the desktop's work
/// area where one is published and overlaps it.
ScreenArea windowArea(const std::vector<Monitor>& monitors, std::optional<sf::Vector2i> pointer,
                      const ScreenArea& screen, const std::optional<ScreenArea>& workArea);
