#pragma once
// A fresh folder per test (and one for backups beside it), counted and read back, and a
// reporter that keeps the store's messages.

#include "store/ErrorReporter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

class RecordingReporter : public ErrorReporter {
public:
    void ReportError(const char* message) override { messages.emplace_back(message); }
    std::vector<std::string> messages;
};

class TempFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/veloria-store-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        folder = pattern;
        // Backups of the test's logbooks go beside its folder, never into the home folder.
        ::setenv("XDG_DATA_HOME", (folder.string() + ".data").c_str(), 1);
    }
    void TearDown() override {
        std::filesystem::remove_all(folder);
        std::filesystem::remove_all(folder.string() + ".data");
    }

    std::string Path(const std::string& name) const { return (folder / name).string(); }

    static std::string Read(const std::string& name) {
        std::ifstream in(name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static void Write(const std::string& name, const std::string& bytes) {
        std::ofstream(name, std::ios::binary | std::ios::trunc) << bytes;
    }

    // How many names a folder holds (the test's own by default), hidden ones included;
    // only those with the given part when one is given.
    int FileCount(const std::filesystem::path& in = {}, const std::string& part = {}) const {
        int count = 0;
        std::error_code error;
        for (const auto& entry :
             std::filesystem::directory_iterator(in.empty() ? folder : in, error)) {
            count += entry.path().filename().string().find(part) != std::string::npos;
        }
        return count;
    }
    // The temporary files a writer left behind.
    int Leftovers(const std::filesystem::path& in = {}) const { return FileCount(in, ".tmp-"); }

    std::filesystem::path folder;
};
