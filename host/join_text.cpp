#include "host/text.h"

namespace dorvane {

Text JoinText(std::initializer_list<Text> parts) {
    size_t length = 0;
    for (const Text& part : parts) length += part.size();
    Text joined;
    joined.reserve(length);
    for (const Text& part : parts) joined += part;
    return joined;
}

}  // namespace dorvane
