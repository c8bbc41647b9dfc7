#pragma once
// A fast 64-bit hash of a stream of bytes, fed in pieces of any size: it tells whether two
// copies of a logbook hold the same bytes. It guards against accidents, not against anyone
// making two files collide on purpose.

#include <cstddef>
#include <cstdint>
#include <string_view>

class ContentHash {
public:
    ContentHash();

    void Add(const void* bytes, std::size_t length);
    std::uint64_t Value() const;

    static std::uint64_t Of(std::string_view bytes);
    // The hash of the first size bytes of an open file; false when they cannot all be read.
    static bool OfFile(int fd, std::int64_t size, std::uint64_t& hash);

private:
    void Stripe(const unsigned char* stripe);

    std::uint64_t lanes[4];
    unsigned char pending[32];
    std::size_t pendingLength = 0;
    std::uint64_t total = 0;
};
