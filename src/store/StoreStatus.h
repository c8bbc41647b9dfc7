#pragma once
// The outcome of a store operation that can fail, handed back with its words for the user:
// why it failed, or what is worth saying when it worked (empty when nothing is), and the
// file it concerns. Handed back rather than left on the object, so the window says what the
// command line says and no caller can read a later operation's words by mistake.

#include <string>
#include <utility>

template <typename Code> class StoreStatus {
public:
    StoreStatus(Code code = Code{}, std::string words = {}, std::string file = {})
        : code(code), words(std::move(words)), file(std::move(file)) {}

    Code Outcome() const { return code; }
    bool Is(Code other) const { return code == other; }
    bool operator==(Code other) const { return code == other; }
    const std::string& Words() const { return words; }
    // The backup made or found unchanged, or the one that holds the days a restore replaced.
    const std::string& File() const { return file; }

private:
    Code code;
    std::string words;
    std::string file;
};
