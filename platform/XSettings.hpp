#pragma once

#include <optional>
#include <string_view>

/// The integer setting `name` in `settings`, the bytes of an XSETTINGS manager's
/// _XSETTINGS_SETTINGS property; empty when it is not there, is not an integer, or the bytes
/// are cut short or broken.
std::optional<int> xsettingsInteger(std::string_view settings, std::string_view name);
