#include "activities/ActivityInput.h"

#include <algorithm>
#include <cstring>
#include <zlib.h>

namespace {
constexpr std::size_t kChunk = 64 * 1024;
} // namespace

struct ActivityInput::Inflater {
    z_stream stream{};
    std::vector<unsigned char> in = std::vector<unsigned char>(kChunk);
    bool inputEnded = false;
    bool memberEnded = false;
};

ActivityInput::ActivityInput(Source source, bool inflateGzip, KeepGoing keepGoing)
    : source(std::move(source)), inflateGzip(inflateGzip), keepGoing(std::move(keepGoing)) {}

ActivityInput::~ActivityInput() {
    if (inflater) {
        inflateEnd(&inflater->stream);
    }
}

std::int64_t ActivityInput::Fail(FileProblem what, std::string why) {
    problem = what;
    detail = std::move(why);
    return -1;
}

bool ActivityInput::Poll(std::int64_t bytes) {
    sincePoll += bytes;
    if (!keepGoing || sincePoll < kPollEvery) {
        return true;
    }
    sincePoll = 0;
    return keepGoing();
}

std::int64_t ActivityInput::ReadRaw(unsigned char* buffer, std::size_t length) {
    if (rawAt < raw.size()) {
        const std::size_t n = std::min(length, raw.size() - rawAt);
        std::memcpy(buffer, raw.data() + rawAt, n);
        rawAt += n;
        return static_cast<std::int64_t>(n);
    }
    // Compressed bytes count toward the poll too: a stream of empty blocks inflates to
    // nothing however long it reads.
    if (!Poll(0)) {
        return Fail(FileProblem::Cancelled, "");
    }
    const std::int64_t n = source(buffer, length);
    if (n < 0) {
        return Fail(FileProblem::Unreadable, "");
    }
    if (inflater && !Poll(n)) {
        return Fail(FileProblem::Cancelled, "");
    }
    return n;
}

std::int64_t ActivityInput::Read(unsigned char* buffer, std::size_t length) {
    if (problem != FileProblem::None) {
        return -1;
    }
    if (!started) {
        started = true;
        raw.resize(2);
        std::size_t got = 0;
        while (got < 2) {
            const std::int64_t n = source(raw.data() + got, 2 - got);
            if (n < 0) {
                return Fail(FileProblem::Unreadable, "");
            }
            if (n == 0) {
                break;
            }
            got += static_cast<std::size_t>(n);
        }
        raw.resize(got);
        if (inflateGzip && got == 2 && raw[0] == 0x1F && raw[1] == 0x8B) {
            inflater = std::make_unique<Inflater>();
            // 16 + 15: a gzip wrapper only, the largest window.
            if (inflateInit2(&inflater->stream, 16 + MAX_WBITS) != Z_OK) {
                inflater.reset();
                return Fail(FileProblem::Unreadable, "cannot start decompressing");
            }
        }
    }
    const std::int64_t n = inflater ? Inflate(buffer, length) : ReadRaw(buffer, length);
    if (n <= 0) {
        return n;
    }
    content += n;
    if (content > kMaxContent) {
        return Fail(FileProblem::TooLarge, "");
    }
    if (!Poll(n)) {
        return Fail(FileProblem::Cancelled, "");
    }
    return n;
}

std::int64_t ActivityInput::Inflate(unsigned char* buffer, std::size_t length) {
    z_stream& z = inflater->stream;
    z.next_out = buffer;
    z.avail_out = static_cast<uInt>(std::min<std::size_t>(length, kChunk));
    while (z.avail_out > 0) {
        if (z.avail_in == 0 && !inflater->inputEnded) {
            const std::int64_t n = ReadRaw(inflater->in.data(), inflater->in.size());
            if (n < 0) {
                return -1;
            }
            inflater->inputEnded = n == 0;
            z.next_in = inflater->in.data();
            z.avail_in = static_cast<uInt>(n);
        }
        if (inflater->memberEnded) {
            if (z.avail_in == 0) {
                break; // every member inflated
            }
            // Another gzip member follows (files joined with cat).
            if (inflateReset(&z) != Z_OK) {
                return Fail(FileProblem::Damaged, "compressed data is damaged");
            }
            inflater->memberEnded = false;
        }
        if (z.avail_in == 0 && inflater->inputEnded) {
            return Fail(FileProblem::CutShort, "compressed data ends early");
        }
        const int result = inflate(&z, Z_NO_FLUSH);
        if (result == Z_STREAM_END) {
            inflater->memberEnded = true;
        } else if (result == Z_BUF_ERROR) {
            continue; // needs more input
        } else if (result != Z_OK) {
            return Fail(FileProblem::Damaged, "compressed data is damaged");
        }
    }
    return static_cast<std::int64_t>(std::min<std::size_t>(length, kChunk) - z.avail_out);
}
