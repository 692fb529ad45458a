#include "platform/SfmlCompat.hpp"

#include "platform/Files.hpp"

#include <SFML/Config.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/System/Err.hpp>
#include <SFML/Window/Event.hpp>

#include <fstream>
#include <iterator>

QuietSfmlErrors::QuietSfmlErrors() : previous(sf::err().rdbuf(nullptr)) {}

QuietSfmlErrors::~QuietSfmlErrors() {
    sf::err().rdbuf(previous);
}

#if SFML_VERSION_MAJOR >= 3

void openWindow(sf::RenderWindow& window, unsigned width, unsigned height, unsigned bitsPerPixel,
                const std::string& title) {
    window.create(sf::VideoMode({width, height}, bitsPerPixel), title, sf::Style::Close,
                  sf::State::Windowed, sf::ContextSettings{});
}

std::optional<InputEvent> pollInputEvent(sf::RenderWindow& window) {
    const std::optional<sf::Event> event = window.pollEvent();
    if (!event)
        return std::nullopt;
    InputEvent result;
    if (event->is<sf::Event::Closed>()) {
        result.kind = InputEvent::Kind::Closed;
    } else if (const auto* resized = event->getIf<sf::Event::Resized>()) {
        result.kind = InputEvent::Kind::Resized;
        result.size = resized->size;
    } else if (const auto* press = event->getIf<sf::Event::MouseButtonPressed>()) {
        result.kind = InputEvent::Kind::MouseButtonPressed;
        result.position = press->position;
    } else if (const auto* wheel = event->getIf<sf::Event::MouseWheelScrolled>()) {
        result.kind = InputEvent::Kind::MouseWheelScrolled;
        result.verticalWheel = wheel->wheel == sf::Mouse::Wheel::Vertical;
        result.wheelDelta = wheel->delta;
    } else if (const auto* text = event->getIf<sf::Event::TextEntered>()) {
        result.kind = InputEvent::Kind::TextEntered;
        result.character = text->unicode;
    }
    return result;
}

static bool openFontFromMemory(sf::Font& font, const std::vector<char>& bytes) {
    return font.openFromMemory(bytes.data(), bytes.size());
}

static void setIcon(sf::RenderWindow& window, const sf::Image& image) {
    window.setIcon(image);
}

bool resizeTexture(sf::Texture& texture, unsigned width, unsigned height) {
    return texture.resize({width, height});
}

sf::Text makeText(const sf::Font& font, const std::string& string, unsigned characterSize) {
    return sf::Text(font, sf::String(string), characterSize);
}

#else

void openWindow(sf::RenderWindow& window, unsigned width, unsigned height, unsigned bitsPerPixel,
                const std::string& title) {
    window.create(sf::VideoMode(width, height, bitsPerPixel), title, sf::Style::Close,
                  sf::ContextSettings());
}

std::optional<InputEvent> pollInputEvent(sf::RenderWindow& window) {
    sf::Event event;
    if (!window.pollEvent(event))
        return std::nullopt;
    InputEvent result;
    switch (event.type) {
    case sf::Event::Closed:
        result.kind = InputEvent::Kind::Closed;
        break;
    case sf::Event::Resized:
        result.kind = InputEvent::Kind::Resized;
        result.size = {event.size.width, event.size.height};
        break;
    case sf::Event::MouseButtonPressed:
        result.kind = InputEvent::Kind::MouseButtonPressed;
        result.position = {event.mouseButton.x, event.mouseButton.y};
        break;
    case sf::Event::MouseWheelScrolled:
        result.kind = InputEvent::Kind::MouseWheelScrolled;
        result.verticalWheel = event.mouseWheelScroll.wheel == sf::Mouse::VerticalWheel;
        result.wheelDelta = event.mouseWheelScroll.delta;
        break;
    case sf::Event::TextEntered:
        result.kind = InputEvent::Kind::TextEntered;
        result.character = static_cast<char32_t>(event.text.unicode);
        break;
    default:
        break;
    }
    return result;
}

static bool openFontFromMemory(sf::Font& font, const std::vector<char>& bytes) {
    return font.loadFromMemory(bytes.data(), bytes.size());
}

static void setIcon(sf::RenderWindow& window, const sf::Image& image) {
    window.setIcon(image.getSize().x, image.getSize().y, image.getPixelsPtr());
}

bool resizeTexture(sf::Texture& texture, unsigned width, unsigned height) {
    return texture.create(width, height);
}

sf::Text makeText(const sf::Font& font, const std::string& string, unsigned characterSize) {
    return sf::Text(sf::String(string), font, characterSize);
}

#endif

bool loadFont(LoadedFont& target, const std::string& path) {
    // Reading a folder throws, and opening a named pipe waits for a writer.
    std::ifstream file;
    if (isRegularFile(path))
        file.open(path, std::ios::binary);
    if (!file)
        return false;
    std::vector<char> bytes;
    try {
        bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    } catch (const std::ios_base::failure&) {
        return false;
    }
    if (bytes.empty())
        return false;
    // The font keeps pointing at the bytes, so they move in before it opens.
    target.bytes = std::move(bytes);
    QuietSfmlErrors quiet;
    target.loaded = openFontFromMemory(target.font, target.bytes);
    return target.loaded;
}

void setWindowIcon(sf::RenderWindow& window, const void* png, std::size_t size) {
    sf::Image image;
    if (image.loadFromMemory(png, size))
        setIcon(window, image);
}
