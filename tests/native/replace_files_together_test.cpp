// Replacing the launcher's two files together, on files in memory that fail on demand: every
// way a write can go wrong must leave both files as they were.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "switcher/replace_files_together.h"

namespace dorvane {
namespace {

using State = FileContent::State;

// Files in memory. A refused write changes nothing, as the host's write does; a garbled write
// keeps only the first half of the bytes yet reports success, as a device that loses data would.
class MemoryFiles : public FileAccess {
public:
    std::map<Text, std::string> files;
    std::set<Text> unreadable;
    std::set<Text> refused;
    std::map<Text, int> garbledWrites;  // how many of the next writes to a path are garbled
    int writes = 0;

    FileContent Read(const Text& path) override {
        if (unreadable.count(path)) return {State::Unreadable, {}};
        const auto found = files.find(path);
        if (found == files.end()) return {State::Missing, {}};
        return {State::Read, found->second};
    }
    bool Write(const Text& path, std::string_view bytes) override {
        ++writes;
        if (refused.count(path)) return false;
        int& garbled = garbledWrites[path];
        files[path] = std::string(garbled > 0 ? bytes.substr(0, bytes.size() / 2) : bytes);
        if (garbled > 0) --garbled;
        return true;
    }
    bool Remove(const Text& path) override {
        files.erase(path);
        return true;
    }
};

const Text kVersion = L"C:\\game\\TCLS\\config\\VersionServerConfig.xml";
const Text kDir = L"C:\\game\\TCLS\\config\\dirserver.xml";
const std::string kNewVersion = "<Server>new version list</Server>\r\n";
const std::string kNewDir = "<Server>new dir list</Server>";
const std::string kOldVersion = "old version list, longer than the new one........................";
const std::string kOldDir = "old dir";

using Files = std::map<Text, std::string>;

TEST(ReplaceFilesTogether, EitherBothFilesHoldTheNewBytesOrBothAreAsBefore) {
    struct Case {
        const char* what;
        Files before;
        std::set<Text> unreadable;
        std::set<Text> refused;
        std::map<Text, int> garbled;
        bool replaced;
        Files after;
        int writes;  // write calls, put-backs included
    };
    const Files old{{kVersion, kOldVersion}, {kDir, kOldDir}};
    const Files fresh{{kVersion, kNewVersion}, {kDir, kNewDir}};
    const Case cases[] = {
        {"both replaced", old, {}, {}, {}, true, fresh, 2},
        {"both created where there were none", {}, {}, {}, {}, true, fresh, 2},
        {"first refused: the second is not touched", old, {}, {kVersion}, {}, false, old, 1},
        {"no folder for either: nothing is created", {}, {}, {kVersion, kDir}, {}, false, {}, 1},
        {"second refused: the first gets its bytes back", old, {}, {kDir}, {}, false, old, 3},
        {"second refused, first new: the first is removed again",
         {{kDir, kOldDir}}, {}, {kDir}, {}, false, {{kDir, kOldDir}}, 2},
        {"first reads back wrong: put back, second never written",
         old, {}, {}, {{kVersion, 1}}, false, old, 2},
        {"second reads back wrong: both put back", old, {}, {}, {{kDir, 1}}, false, old, 4},
        {"second cannot be put back: the first still is", old, {}, {}, {{kDir, 2}}, false,
         Files{{kVersion, kOldVersion}, {kDir, kOldDir.substr(0, kOldDir.size() / 2)}}, 4},
        {"first unreadable beforehand: nothing written", old, {kVersion}, {}, {}, false, old, 0},
        {"second unreadable beforehand: nothing written", old, {kDir}, {}, {}, false, old, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryFiles files;
        files.files = c.before;
        files.unreadable = c.unreadable;
        files.refused = c.refused;
        files.garbledWrites = c.garbled;

        const bool replaced =
            ReplaceFilesTogether(files, {{kVersion, kNewVersion}, {kDir, kNewDir}});
        EXPECT_EQ(c.replaced, replaced);
        EXPECT_EQ(c.after, files.files);
        EXPECT_EQ(c.writes, files.writes);
    }
}

}  // namespace
}  // namespace dorvane
