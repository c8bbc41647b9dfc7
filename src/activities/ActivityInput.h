#pragma once
// The bytes of an activity file as a stream, inflated on the way when they begin with the
// gzip magic (1F 8B), whatever the file is called. Memory stays at two fixed buffers
// however far the content expands.

#include "activities/Activity.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class ActivityInput {
public:
    // Fills up to length bytes; the count, 0 at the end, -1 when the input cannot be read.
    using Source = std::function<std::int64_t(unsigned char* buffer, std::size_t length)>;

    // inflateGzip: whether gzip content is inflated (off for an input already inflated).
    explicit ActivityInput(Source source, bool inflateGzip = true);
    ~ActivityInput();
    ActivityInput(const ActivityInput&) = delete;
    ActivityInput& operator=(const ActivityInput&) = delete;

    // Up to length bytes of the (inflated) content; 0 at its end, -1 on a failure, after
    // which Problem says what went wrong.
    std::int64_t Read(unsigned char* buffer, std::size_t length);

    FileProblem Problem() const { return problem; }
    const std::string& Detail() const { return detail; }

private:
    struct Inflater;

    std::int64_t ReadRaw(unsigned char* buffer, std::size_t length);
    std::int64_t Fail(FileProblem what, std::string why);

    Source source;
    std::vector<unsigned char> raw; // bytes read ahead while looking for the magic
    std::size_t rawAt = 0;
    bool started = false;
    bool inflateGzip;
    std::unique_ptr<Inflater> inflater;
    FileProblem problem = FileProblem::None;
    std::string detail;
};
