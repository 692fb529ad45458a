#include "platform/XSettings.hpp"

#include <cstdint>

namespace {

// Reads the settings' numbers in the byte order their first byte names, and refuses to read past
// their end: the bytes come from another program.
struct Reader {
    std::string_view bytes;
    bool bigEndian = false;
    std::size_t at = 0;

    bool skip(std::size_t count) {
        if (count > bytes.size() - at)
            return false;
        at += count;
        return true;
    }
    std::optional<std::uint32_t> number(std::size_t size) {
        const std::size_t start = at;
        if (!skip(size))
            return std::nullopt;
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < size; ++i) {
            const std::size_t index = bigEndian ? start + i : start + size - 1 - i;
            value = value << 8 | static_cast<unsigned char>(bytes[index]);
        }
        return value;
    }
};

std::size_t padded(std::size_t length) {
    return (length + 3) / 4 * 4;
}

} // namespace

std::optional<int> xsettingsInteger(std::string_view settings, std::string_view name) {
    enum : std::uint32_t { Integer = 0, String = 1, Color = 2 };
    if (settings.empty() || static_cast<unsigned char>(settings[0]) > 1)
        return std::nullopt;
    Reader reader{settings, settings[0] == 1};
    const std::optional<std::uint32_t> count = reader.skip(8) ? reader.number(4) : std::nullopt;
    for (std::uint32_t i = 0; count && i < *count; ++i) {
        const std::optional<std::uint32_t> type = reader.number(1);
        const std::optional<std::uint32_t> nameLength =
            reader.skip(1) ? reader.number(2) : std::nullopt;
        if (!type || !nameLength)
            return std::nullopt;
        const std::size_t nameAt = reader.at;
        if (!reader.skip(padded(*nameLength)) || !reader.skip(4))
            return std::nullopt;
        const bool wanted = settings.substr(nameAt, *nameLength) == name;
        if (*type == Integer) {
            const std::optional<std::uint32_t> value = reader.number(4);
            if (!value)
                return std::nullopt;
            if (wanted)
                return static_cast<std::int32_t>(*value);
        } else if (*type == String) {
            const std::optional<std::uint32_t> length = reader.number(4);
            if (!length || !reader.skip(padded(*length)))
                return std::nullopt;
        } else if (*type != Color || !reader.skip(8)) {
            return std::nullopt;
        }
        if (wanted)
            return std::nullopt;
    }
    return std::nullopt;
}
