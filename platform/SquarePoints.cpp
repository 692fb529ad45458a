#include "platform/SquarePoints.hpp"

#include <SFML/OpenGL.hpp>

// GL_ALIASED_POINT_SIZE_RANGE, from OpenGL 1.2; some system headers stop at 1.1.
constexpr GLenum aliasedPointSizeRange = 0x846D;

bool drawSquarePoints(sf::RenderWindow& window, const std::vector<sf::Vertex>& centres, float side,
                      const sf::RenderStates& states) {
    if (!window.setActive(true))
        return false;
    GLfloat range[2] = {1.0f, 1.0f};
    glGetFloatv(aliasedPointSizeRange, range);
    if (side < range[0] || side > range[1])
        return false;
    // The library never sets the point size itself, so it is put back for anyone else.
    glPointSize(side);
    window.draw(centres.data(), centres.size(), sf::PrimitiveType::Points, states);
    glPointSize(1.0f);
    return true;
}
