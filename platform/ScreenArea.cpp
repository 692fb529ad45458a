#include "platform/ScreenArea.hpp"

#include <algorithm>

namespace {

bool contains(const ScreenArea& area, sf::Vector2i point) {
    return point.x >= area.position.x && point.x - area.position.x < area.size.x &&
           point.y >= area.position.y && point.y - area.position.y < area.size.y;
}

// The overlap of two areas, of no size where they do not meet.
ScreenArea overlap(const ScreenArea& a, const ScreenArea& b) {
    const int left = std::max(a.position.x, b.position.x);
    const int top = std::max(a.position.y, b.position.y);
    const int right = std::min(a.position.x + a.size.x, b.position.x + b.size.x);
    const int bottom = std::min(a.position.y + a.size.y, b.position.y + b.size.y);
    if (right <= left || bottom <= top)
        return {};
    return {{left, top}, {right - left, bottom - top}};
}

} // namespace

ScreenArea windowArea(const std::vector<Monitor>& monitors, std::optional<sf::Vector2i> pointer,
                      const ScreenArea& screen, const std::optional<ScreenArea>& workArea) {
    const auto pointed = [&pointer](const Monitor& monitor) {
        return pointer && contains(monitor.area, *pointer);
    };
    auto chosen = std::find_if(monitors.begin(), monitors.end(), pointed);
    if (chosen == monitors.end())
        chosen = std::find_if(monitors.begin(), monitors.end(), [](const Monitor& monitor) {
            return monitor.primary && monitor.area.size.x > 0 && monitor.area.size.y > 0;
        });
    ScreenArea area = chosen != monitors.end() ? chosen->area : screen;
    // A work area spans every monitor, less the panels and docks along its edges.
    if (workArea) {
        if (const ScreenArea free = overlap(area, *workArea); free.size.x > 0)
            area = free;
    }
    return area;
}
