#include "shell/WindowList.h"

#include <algorithm>

int WindowList::IndexOf(THandle handle) const {
    const auto found = std::find_if(nodes.begin(), nodes.end(),
                                    [handle](const Node& n) { return n.handle == handle; });
    return found == nodes.end() ? -1 : static_cast<int>(found - nodes.begin());
}

void WindowList::Add(THandle handle, std::int32_t kind) {
    if (IndexOf(handle) < 0) {
        nodes.push_back({handle, kind});
    }
}

void WindowList::Remove(std::int32_t kind) {
    const auto found =
        std::find_if(nodes.begin(), nodes.end(), [kind](const Node& n) { return n.kind == kind; });
    if (found != nodes.end()) {
        nodes.erase(found);
    }
}

const WindowList::Node* WindowList::Find(THandle handle) const {
    const int i = IndexOf(handle);
    return i < 0 ? nullptr : &nodes[static_cast<std::size_t>(i)];
}

const WindowList::Node* WindowList::Next(THandle handle) const {
    const int i = IndexOf(handle);
    if (i < 0) {
        return nullptr;
    }
    return &nodes[static_cast<std::size_t>((i + 1) % Count())];
}

const WindowList::Node* WindowList::Previous(THandle handle) const {
    const int i = IndexOf(handle);
    if (i < 0) {
        return nullptr;
    }
    return &nodes[static_cast<std::size_t>((i + Count() - 1) % Count())];
}
