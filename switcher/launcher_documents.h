// The four server-list documents that a switch writes over the game launcher's
// TCLS\config\VersionServerConfig.xml and TCLS\config\dirserver.xml. They are constant bytes
// built into the program and reach the files unchanged: no terminator, no conversion of line
// ends or character set. Only their host values vary, with the build (launcher_hosts.h).
#pragma once

#include <cstddef>
#include <string_view>

namespace dorvane {

// A document's bytes. There is no NUL after the last byte that counts.
struct StoredDocument {
    const unsigned char* data;
    std::size_t size;

    std::string_view text() const { return {reinterpret_cast<const char*>(data), size}; }
};

// For the experience (public test) server.
extern const StoredDocument ExperienceVersionServerXml;
extern const StoredDocument ExperienceDirServerXml;

// For the official servers; each also carries an inactive second list inside an XML comment.
extern const StoredDocument OfficialVersionServerXml;
extern const StoredDocument OfficialDirServerXml;

}  // namespace dorvane
