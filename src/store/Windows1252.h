#pragma once
// Record texts are Windows-1252 bytes; the rest of the program speaks UTF-8.
// The five bytes the code page leaves undefined map to the C1 controls U+0081, U+008D,
// U+008F, U+0090 and U+009D, so every byte string decodes and encodes back unchanged.

#include <string>
#include <string_view>

class Windows1252 {
public:
    static std::string Decode(std::string_view bytes);
    // Characters the code page cannot hold (and malformed UTF-8) become '?'.
    static std::string Encode(std::string_view utf8);
    // As Encode, but false when any character could not be represented.
    static bool EncodeExact(std::string_view utf8, std::string& out);
};
