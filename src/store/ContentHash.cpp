#include "store/ContentHash.h"

#include "store/FileIo.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr std::uint64_t kPrime1 = 0x9E3779B185EBCA87ULL;
constexpr std::uint64_t kPrime2 = 0xC2B2AE3D27D4EB4FULL;
constexpr std::uint64_t kPrime3 = 0x165667B19E3779F9ULL;
constexpr std::uint64_t kPrime4 = 0x85EBCA77C2B2AE63ULL;

std::uint64_t RotateLeft(std::uint64_t value, int bits) {
    return (value << bits) | (value >> (64 - bits));
}

// Little-endian whatever the machine, so a hash means the same bytes everywhere.
std::uint64_t Word(const unsigned char* bytes) {
    std::uint64_t word = 0;
    for (int i = 7; i >= 0; --i) {
        word = (word << 8) | bytes[i];
    }
    return word;
}

std::uint64_t Round(std::uint64_t lane, std::uint64_t word) {
    return RotateLeft(lane + word * kPrime2, 31) * kPrime1;
}

} // namespace

ContentHash::ContentHash() : lanes{kPrime1 + kPrime2, kPrime2, 0, 0 - kPrime1}, pending{} {}

void ContentHash::Stripe(const unsigned char* stripe) {
    for (int i = 0; i < 4; ++i) {
        lanes[i] = Round(lanes[i], Word(stripe + 8 * i));
    }
}

void ContentHash::Add(const void* data, std::size_t length) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    total += length;
    if (pendingLength > 0) {
        const std::size_t take = std::min(length, sizeof pending - pendingLength);
        std::memcpy(pending + pendingLength, bytes, take);
        pendingLength += take;
        bytes += take;
        length -= take;
        if (pendingLength < sizeof pending) {
            return;
        }
        Stripe(pending);
        pendingLength = 0;
    }
    for (; length >= sizeof pending; bytes += sizeof pending, length -= sizeof pending) {
        Stripe(bytes);
    }
    std::memcpy(pending, bytes, length);
    pendingLength = length;
}

std::uint64_t ContentHash::Value() const {
    std::uint64_t hash = RotateLeft(lanes[0], 1) + RotateLeft(lanes[1], 7) +
                         RotateLeft(lanes[2], 12) + RotateLeft(lanes[3], 18);
    for (const std::uint64_t lane : lanes) {
        hash = (hash ^ Round(0, lane)) * kPrime1 + kPrime4;
    }
    hash += total;
    std::size_t i = 0;
    for (; i + 8 <= pendingLength; i += 8) {
        hash = RotateLeft(hash ^ Round(0, Word(pending + i)), 27) * kPrime1 + kPrime4;
    }
    for (; i < pendingLength; ++i) {
        hash = RotateLeft(hash ^ (pending[i] * kPrime3), 11) * kPrime1;
    }
    hash ^= hash >> 33;
    hash *= kPrime2;
    hash ^= hash >> 29;
    hash *= kPrime3;
    return hash ^ (hash >> 32);
}

std::uint64_t ContentHash::Of(std::string_view bytes) {
    ContentHash hash;
    hash.Add(bytes.data(), bytes.size());
    return hash.Value();
}

bool ContentHash::OfFile(int fd, std::int64_t size, std::uint64_t& value) {
    // 1 MiB a read: a few reads for years of days, little memory.
    std::vector<unsigned char> buffer(1 << 20);
    ContentHash hash;
    for (std::int64_t offset = 0; offset < size;) {
        const auto want = static_cast<std::size_t>(
            std::min<std::int64_t>(size - offset, static_cast<std::int64_t>(buffer.size())));
        const std::int64_t got = fileio::ReadUpTo(fd, buffer.data(), want, offset);
        if (got <= 0) {
            return false;
        }
        hash.Add(buffer.data(), static_cast<std::size_t>(got));
        offset += got;
    }
    value = hash.Value();
    return true;
}
