#include "host/command_line.h"

namespace dorvane {

Text QuotedCommandLine(const Text& programPath) {
    // A file name cannot hold a quotation mark, and the first word of a command line is read
    // up to the closing quote with no escapes, so nothing inside needs escaping.
    return L"\"" + programPath + L"\"";
}

}  // namespace dorvane
