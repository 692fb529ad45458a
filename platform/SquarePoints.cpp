#include "platform/SquarePoints.hpp"

#include <SFML/OpenGL.hpp>

// From OpenGL 1.2 and 1.3; some system headers stop at 1.1.
constexpr GLenum aliasedPointSizeRange = 0x846D;
constexpr GLenum multisample = 0x809D;

bool drawSquarePoints(sf::RenderWindow& window, const std::vector<sf::Vertex>& centres, float side,
                      const sf::RenderStates& states) {
    if (!window.setActive(true))
        return false;
    GLfloat range[2] = {1.0f, 1.0f};
    glGetFloatv(aliasedPointSizeRange, range);
    if (side < range[0] || side > range[1])
        return false;
    // With multisampling on, OpenGL rasterises a point as a circle, and a driver setting may force
    // it on for every program; off, a point is a square. Mesa's software renderer draws squares
    // either way, so no check on it sees the difference.
    const GLboolean multisampled = glIsEnabled(multisample);
    glDisable(multisample);
    // The library never sets the point size itself, so it is put back for anyone else.
    glPointSize(side);
    window.draw(centres.data(), centres.size(), sf::PrimitiveType::Points, states);
    glPointSize(1.0f);
    if (multisampled)
        glEnable(multisample);
    return true;
}
