// Writes the four launcher documents, each as <folder>/<document name>.xml, so that tools outside
// the program can read exactly the bytes it would write.
#include "switcher/launcher_documents.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace {

bool WriteDocument(const std::string& folder, const char* name,
                   const dorvane::StoredDocument& document) {
    std::ofstream file(folder + "/" + name + ".xml", std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(document.data),
               static_cast<std::streamsize>(document.size));
    file.close();
    return !file.fail();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_launcher_documents FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    const bool written =
        WriteDocument(folder, "ExperienceVersionServerXml", dorvane::ExperienceVersionServerXml) &&
        WriteDocument(folder, "ExperienceDirServerXml", dorvane::ExperienceDirServerXml) &&
        WriteDocument(folder, "OfficialVersionServerXml", dorvane::OfficialVersionServerXml) &&
        WriteDocument(folder, "OfficialDirServerXml", dorvane::OfficialDirServerXml);
    if (!written) {
        std::fprintf(stderr, "write_launcher_documents: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
