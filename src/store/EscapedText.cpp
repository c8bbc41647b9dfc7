#include "store/EscapedText.h"

#include <cstdio>

namespace {

std::string Escape(const char* format, unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// The length of the well-formed UTF-8 sequence at the start of bytes, 0 when there is none
// (overlong forms and surrogates included).
std::size_t SequenceLength(std::string_view bytes) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned lead = byte(0);
    std::size_t length = 0;
    unsigned low = 0x80, high = 0xBF; // the second byte's range
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    }
    if (length == 0 || bytes.size() < length || byte(1) < low || byte(1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) {
            return 0;
        }
    }
    return length;
}

} // namespace

std::string EscapedText::Of(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const auto c = static_cast<unsigned char>(text[at]);
        if (c < 0x80) {
            shown += c < 0x20 || c == 0x7F ? Escape("\\x%02x", c) : std::string(1, text[at]);
            ++at;
            continue;
        }
        const std::size_t length = SequenceLength(text.substr(at));
        if (length == 0) {
            shown += Escape("\\x%02x", c);
            ++at;
        } else if (c == 0xC2 && static_cast<unsigned char>(text[at + 1]) < 0xA0) {
            shown += Escape("\\u%04x", static_cast<unsigned char>(text[at + 1]));
            at += 2;
        } else {
            shown += text.substr(at, length);
            at += length;
        }
    }
    return shown;
}
