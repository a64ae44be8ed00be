// The keyboard tab order: which controls Tab and Shift+Tab visit, and in which order.
#pragma once

#include <cstddef>
#include <vector>

namespace dorvane {

struct TabCandidate {
    bool visible;  // the control and all its parents are shown
    bool enabled;
    bool tabStop;
    int tabIndex;
    std::size_t creationIndex;
};

// Indexes into `candidates` of the controls that take part, sorted by tab index; equal
// indexes keep creation order.
std::vector<std::size_t> TabOrder(const std::vector<TabCandidate>& candidates);

// The control that follows (forward) or precedes (backward) `current` in `order`, wrapping
// around. When `current` is not in the order, forward gives the first and backward the last;
// with an empty order, `current` itself.
std::size_t NextInTabOrder(const std::vector<std::size_t>& order, std::size_t current, bool forward);

}  // namespace dorvane
