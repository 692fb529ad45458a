#pragma once

#include <optional>
#include <string>

/// What an X11 desktop says of its scale, each as read; empty where it says nothing.
struct ScaleSettings {
    /// GDK_SCALE, the override users set for GTK and Java programs.
    std::optional<std::string> gdkScale;
    /// Gdk/WindowScalingFactor, the window scale that GNOME, Cinnamon, MATE, Xfce and Budgie
    /// publish through XSETTINGS.
    std::optional<int> windowScalingFactor;
    /// Xft.dpi from the resource database, as xrdb and the desktops set it.
    std::optional<std::string> xftDpi;
};

/// Device pixels per pixel of an unscaled desktop: GDK_SCALE where it is a whole number of at
/// least 1; else the window scaling factor where it is 2 or more (Large Text then raises Xft.dpi
/// alone, for text); else Xft.dpi over 96 where it is a number from 1 to 16 times 96; else 1.
double desktopScale(const ScaleSettings& settings);
