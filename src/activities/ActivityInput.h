#pragma once
// The bytes of an activity file as a stream, inflated on the way when they begin with the
// gzip magic (1F 8B), whatever the file is called. Memory stays at two fixed buffers
// however far the content expands; the content is cut off at kMaxContent, and a caller's
// keepGoing is asked now and then whether to read on, so neither a compressed file that
// expands to gigabytes nor a slow one holds an import up past a Cancel.

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
    // Asked after every kPollEvery bytes read or inflated (so never in a small file); false
    // stops the reading (FileProblem::Cancelled).
    using KeepGoing = std::function<bool()>;

    // More than any watch records in a day (a day of points each second as GPX is about
    // 30 MB); past it the content is refused as FileProblem::TooLarge. FileProblemText
    // names the figure.
    static constexpr std::int64_t kMaxContent = std::int64_t{512} * 1024 * 1024;
    static constexpr std::int64_t kPollEvery = 256 * 1024;

    // inflateGzip: whether gzip content is inflated (off for an input already inflated).
    explicit ActivityInput(Source source, bool inflateGzip = true, KeepGoing keepGoing = {});
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
    std::int64_t Inflate(unsigned char* buffer, std::size_t length);
    std::int64_t Fail(FileProblem what, std::string why);
    // Counts bytes toward the next poll; false when keepGoing said stop.
    bool Poll(std::int64_t bytes);

    Source source;
    std::vector<unsigned char> raw; // bytes read ahead while looking for the magic
    std::size_t rawAt = 0;
    bool started = false;
    bool inflateGzip;
    std::unique_ptr<Inflater> inflater;
    KeepGoing keepGoing;
    std::int64_t sincePoll = 0;
    std::int64_t content = 0; // bytes handed out
    FileProblem problem = FileProblem::None;
    std::string detail;
};
