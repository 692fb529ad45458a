#pragma once

// The one place that knows which SFML major version we build against; everything else uses
// what SFML 2.5+ and SFML 3 have in common.

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/System/Vector2.hpp>

#include <optional>
#include <streambuf>
#include <string>
#include <vector>

/// A window event, reduced to what the sandbox reacts to.
struct InputEvent {
    enum class Kind { Closed, Resized, MouseButtonPressed, MouseWheelScrolled, TextEntered, Other };

    Kind kind = Kind::Other;
    /// Pointer position of a mouse-button press, window pixels.
    sf::Vector2i position;
    /// Wheel events: whether it is the vertical wheel, and its delta.
    bool verticalWheel = false;
    float wheelDelta = 0.0f;
    /// Typed character, as a Unicode code point.
    char32_t character = 0;
    /// The window's new size, in pixels.
    sf::Vector2u size;
};

/// A font read whole into memory, so that the file may change or vanish while it is in use.
/// Not movable: the font refers to the bytes.
struct LoadedFont {
    LoadedFont() = default;
    LoadedFont(const LoadedFont&) = delete;
    LoadedFont& operator=(const LoadedFont&) = delete;

    std::vector<char> bytes;
    sf::Font font;
    bool loaded = false;
};

/// Silences SFML's own error stream while it lives: load failures are reported by the caller,
/// in its own words, exactly once.
class QuietSfmlErrors {
public:
    QuietSfmlErrors();
    ~QuietSfmlErrors();
    QuietSfmlErrors(const QuietSfmlErrors&) = delete;
    QuietSfmlErrors& operator=(const QuietSfmlErrors&) = delete;

private:
    std::streambuf* previous;
};

/// Opens a windowed, non-resizable window with a close button only.
void openWindow(sf::RenderWindow& window, unsigned width, unsigned height, unsigned bitsPerPixel,
                const std::string& title);

/// Takes the next event off the window's queue, if there is one.
std::optional<InputEvent> pollInputEvent(sf::RenderWindow& window);

/// Reads and opens the font at `path`; false, without a message, when it cannot.
bool loadFont(LoadedFont& target, const std::string& path);

/// Gives the texture a size, contents undefined; false when the graphics driver refuses it.
bool resizeTexture(sf::Texture& texture, unsigned width, unsigned height);

/// Gives the window the icon held by `png`, the bytes of a PNG image; a broken image is ignored.
void setWindowIcon(sf::RenderWindow& window, const void* png, std::size_t size);

/// A text object in the library's default colour and style.
sf::Text makeText(const sf::Font& font, const std::string& string, unsigned characterSize);
