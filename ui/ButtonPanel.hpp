#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/System/Vector2.hpp>

#include <optional>
#include <string>
#include <unordered_map>
#include <variant>
#include <vector>

/// One square button: a name, and either a flat colour or an image path.
struct PanelButton {
    std::string name;
    /// A colour, or the path of an image, which is also its key into the texture cache.
    std::variant<sf::Color, std::string> face;
};

/// A strip of 32 by 32 buttons, 8 pixels apart, centred along one window edge: "left",
/// "right", "top" or "bottom". A click selects the button under it; the selection is marked
/// with a white frame. The layout follows the size of the window's view on every call.
class ButtonPanel {
public:
    ButtonPanel() = default;

    /// One colour button per name. When the two lists differ in length, writes "elements and
    /// colors provided do not match" to the standard error stream and stays empty.
    ButtonPanel(std::vector<std::string> names, std::vector<sf::Color> colors, std::string anchor);

    /// Appends a button showing the image at `imagePath`. The image is read once per path;
    /// when it cannot be read, writes "Failed to load image: " and the path to the standard
    /// error stream and adds nothing, so that a later call tries again.
    void addImageButton(std::string name, std::string imagePath);

    void addColorButton(std::string name, sf::Color color);

    /// True when some button's name equals `name` exactly.
    bool hasButton(const std::string& name) const;

    /// Selects the button under `position`, if any; a miss keeps the selection.
    void handleClick(sf::Vector2i position, const sf::RenderWindow& window);

    void draw(sf::RenderWindow& window) const;

    /// Name of the selected button, or "none" while nothing is selected.
    std::string selectedName() const;

    /// Top-left corner of button `index` in a window of `windowSize`.
    sf::Vector2i buttonPosition(std::size_t index, sf::Vector2u windowSize) const;

    /// Index of the first button containing `position`: left and top edges are inside,
    /// right and bottom edges outside.
    std::optional<std::size_t> buttonAt(sf::Vector2i position, sf::Vector2u windowSize) const;

    std::vector<PanelButton> buttons;
    std::unordered_map<std::string, sf::Texture> textures;
    std::string anchor;
    int selectedIndex = -1;
};

inline constexpr int panelButtonSize = 32;
inline constexpr int panelButtonStep = 40;
inline constexpr int panelInset = 8;
inline constexpr int panelDepth = 48;
