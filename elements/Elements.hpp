#pragma once

#include <SFML/Graphics/Color.hpp>

#include <cstdint>
#include <random>
#include <string>
#include <unordered_map>

/// Identifier of an element; stored in every cell.
enum class ElementId : std::int32_t {
    Air = 0,
    Sand = 1,
    Rock = 2,
    Water = 3,
    Ice = 4,
    Steam = 5,
    Lava = 6,
    MoltenGlass = 7,
    Glass = 8,
    Fallback = 9,
};

/// How the step moves a cell.
enum class MatterState : std::int32_t {
    Special = 0,
    Solid = 1,
    Liquid = 2,
    Gas = 3,
    Powder = 4,
};

/// Base colour of each element (ten rows).
extern std::unordered_map<ElementId, sf::Color> elementColors;

/// Largest per-channel offset of a new cell's colour from the base colour (ten rows).
extern std::unordered_map<ElementId, int> colorVariation;

/// Heaviness of a painted cell. `Fallback` has no row; a subscript lookup adds it as 0.0.
extern std::unordered_map<ElementId, float> elementDensity;

/// Name text of an element; "fallback" for `Fallback` and any value outside the enumeration.
std::string elementName(ElementId id);

/// Element whose name equals `name` exactly; `Fallback` for every other text.
ElementId elementFromName(const std::string& name);

/// Name text of a matter state; "special" for any value outside the enumeration.
std::string stateName(MatterState state);

/// State a freshly painted cell of this element gets.
MatterState paintedState(ElementId id);

/// Colour of a new cell of `id`: each of red, green and blue offset by its own uniform draw
/// from [-variation, +variation], clamped to [0, 255]. Always takes exactly three draws.
sf::Color variedColor(ElementId id, std::mt19937& rng);

/// The same rule for a base colour and variation already looked up.
sf::Color variedColor(sf::Color base, int variation, std::mt19937& rng);

/// Fixed-point text with exactly two digits after the decimal point, such as "-273.00".
std::string formatTemperature(float temperature);
