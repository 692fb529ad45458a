#include "platform/DesktopScale.hpp"

#include <charconv>
#include <cstdlib>

namespace {

std::optional<int> wholeNumber(const std::string& text) {
    int number = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return number;
}

} // namespace

double desktopScale(const ScaleSettings& settings) {
    if (settings.gdkScale)
        if (const std::optional<int> scale = wholeNumber(*settings.gdkScale); scale && *scale >= 1)
            return *scale;
    if (settings.windowScalingFactor && *settings.windowScalingFactor >= 2)
        return *settings.windowScalingFactor;
    if (settings.xftDpi) {
        // strtod reads the point the "C" locale's way, which the program never leaves.
        const char* text = settings.xftDpi->c_str();
        char* end = nullptr;
        const double dpi = std::strtod(text, &end);
        // Anything beyond 16 times 96 is no desktop's setting.
        if (end != text && dpi >= 1.0 && dpi <= 96.0 * 16)
            return dpi / 96.0;
    }
    return 1.0;
}
