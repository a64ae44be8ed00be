#include "app/tab_order.h"

#include <algorithm>

namespace dorvane {

std::vector<std::size_t> TabOrder(const std::vector<TabCandidate>& candidates) {
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const TabCandidate& c = candidates[i];
        if (c.visible && c.enabled && c.tabStop) order.push_back(i);
    }
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        if (candidates[a].tabIndex != candidates[b].tabIndex)
            return candidates[a].tabIndex < candidates[b].tabIndex;
        return candidates[a].creationIndex < candidates[b].creationIndex;
    });
    return order;
}

std::size_t NextInTabOrder(const std::vector<std::size_t>& order, std::size_t current, bool forward) {
    if (order.empty()) return current;
    auto it = std::find(order.begin(), order.end(), current);
    if (it == order.end()) return forward ? order.front() : order.back();
    std::size_t pos = static_cast<std::size_t>(it - order.begin());
    std::size_t next = forward ? (pos + 1) % order.size() : (pos + order.size() - 1) % order.size();
    return order[next];
}

}  // namespace dorvane
