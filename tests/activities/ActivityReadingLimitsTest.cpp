// A compressed file that expands to gigabytes: refused at the cap, and stopped by Cancel
// while it is read rather than after it.

#include "activities/ActivityFile.h"
#include "activities/ActivityImportPlan.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>
#include <zlib.h>

namespace {

constexpr std::size_t kMiB = 1024 * 1024;

// A gzip stream of "<gpx>" and then blanks, 1 MiB a block, as many blocks as asked: each
// block is flushed whole, so after the first one the same compressed bytes repeat.
class GzipBomb {
public:
    explicit GzipBomb(std::size_t mebibytes) : blocks(mebibytes) {
        z_stream z{};
        deflateInit2(&z, 9, Z_DEFLATED, 16 + MAX_WBITS, 9, Z_DEFAULT_STRATEGY);
        head = Deflate(z, "<gpx>" + std::string(kMiB - 5, ' '), Z_FULL_FLUSH);
        block = Deflate(z, std::string(kMiB, ' '), Z_FULL_FLUSH);
        repeated = Deflate(z, std::string(kMiB, ' '), Z_FULL_FLUSH) == block;
        tail = Deflate(z, "</gpx>", Z_FINISH); // its CRC is never reached
        deflateEnd(&z);
    }

    bool Repeats() const { return repeated; }
    // Bytes of the compressed file handed out so far.
    std::size_t Given() const { return given; }
    std::size_t Size() const { return head.size() + (blocks - 1) * block.size() + tail.size(); }

    ActivityInput::Source Source() {
        return [this](unsigned char* buffer, std::size_t length) -> std::int64_t {
            std::size_t n = 0;
            while (n < length && given < Size()) {
                const std::string& part = given < head.size()            ? head
                                          : given < Size() - tail.size() ? block
                                                                         : tail;
                const std::size_t into = given < head.size() ? given
                                         : given < Size() - tail.size()
                                             ? (given - head.size()) % block.size()
                                             : given - (Size() - tail.size());
                const std::size_t take = std::min(length - n, part.size() - into);
                std::memcpy(buffer + n, part.data() + into, take);
                n += take;
                given += take;
            }
            return static_cast<std::int64_t>(n);
        };
    }

private:
    static std::string Deflate(z_stream& z, const std::string& in, int flush) {
        std::string out(in.size() + 1024, '\0');
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
        z.avail_in = static_cast<uInt>(in.size());
        z.next_out = reinterpret_cast<Bytef*>(out.data());
        z.avail_out = static_cast<uInt>(out.size());
        deflate(&z, flush);
        out.resize(out.size() - z.avail_out);
        return out;
    }

    std::size_t blocks;
    std::string head, block, tail;
    bool repeated = false;
    std::size_t given = 0;
};

// 700 MiB expanded from about 700 KB: past the 512 MiB cap, refused without reading on.
TEST(ActivityReadingLimitsTest, ContentPastTheCapIsRefused) {
    GzipBomb bomb(700);
    ASSERT_TRUE(bomb.Repeats());
    ASSERT_LT(bomb.Size(), 2 * kMiB);
    const ActivityFileResult result = ActivityFile::Read(bomb.Source());
    EXPECT_EQ(result.problem, FileProblem::TooLarge) << result.detail;
    EXPECT_TRUE(result.activities.empty());
    EXPECT_LT(bomb.Given(), bomb.Size()); // stopped at 512 of 700 MiB
    EXPECT_STREQ(FileProblemText(FileProblem::TooLarge),
                 "is too large (over 512 MiB uncompressed)");
}

// keepGoing is asked every 256 KiB: told to stop on its tenth question, the reading ends
// within the first few MiB of the 700, having read a 64 KiB piece or two of the file.
TEST(ActivityReadingLimitsTest, CancelStopsTheReadingWithinTheFile) {
    GzipBomb bomb(700);
    int asked = 0;
    const ActivityFileResult result =
        ActivityFile::Read(bomb.Source(), [&asked] { return ++asked < 10; });
    EXPECT_EQ(result.problem, FileProblem::Cancelled);
    EXPECT_EQ(asked, 10);
    EXPECT_LT(bomb.Given(), bomb.Size() / 4);
}

// The plan asks its Progress while a file is read: false there stops the plan in the file,
// which is then neither read nor left out.
TEST(ActivityReadingLimitsTest, ThePlansProgressStopsAFileWhileItIsRead) {
    GzipBomb bomb(700);
    const std::string path =
        (std::filesystem::temp_directory_path() / "veloria-bomb-test.gpx.gz").string();
    {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::vector<unsigned char> all(bomb.Size());
        const ActivityInput::Source source = bomb.Source();
        source(all.data(), all.size());
        std::fwrite(all.data(), 1, all.size(), file);
        std::fclose(file);
    }
    ActivityImportPlan plan;
    int asked = 0;
    const bool whole = plan.Read({path}, [&asked](std::size_t done, std::size_t total) {
        EXPECT_EQ(done, 0u);
        EXPECT_EQ(total, 1u);
        return ++asked < 5;
    });
    std::filesystem::remove(path);
    EXPECT_FALSE(whole);
    EXPECT_EQ(asked, 5); // once before the file, four times in it
    EXPECT_TRUE(plan.LeftOutFiles().empty());
    EXPECT_EQ(plan.FilesRead(), 0u);
}

} // namespace
