#pragma once
// The open tool windows in the order they were opened, for cycling through them: each node
// holds a child window's handle and its window kind (the tool's dialog resource number).

#include "framework/TWindow.h"

#include <cstdint>
#include <vector>

class WindowList {
public:
    struct Node {
        THandle handle = 0;
        std::int32_t kind = 0;
    };

    // Appends unless the handle is already in the list.
    void Add(THandle handle, std::int32_t kind);
    // Takes out the first node of the kind; nothing when there is none.
    void Remove(std::int32_t kind);
    // The handle's node, or null. A node pointer is good until the list next changes.
    const Node* Find(THandle handle) const;
    // The node after (before) the handle's node, wrapping around at the ends; null when the
    // handle is not in the list.
    const Node* Next(THandle handle) const;
    const Node* Previous(THandle handle) const;

    const Node* Head() const { return nodes.empty() ? nullptr : &nodes.front(); }
    int Count() const { return static_cast<int>(nodes.size()); }

private:
    int IndexOf(THandle handle) const;

    std::vector<Node> nodes;
};
