// The launcher documents, put together at compile time from one literal per line and the host
// values of launcher_hosts.h. Every line ends with CR LF except where a document ends without
// one; indentation, attribute order and tag closings are exactly those the launcher files use.
#include "switcher/launcher_documents.h"

#include "launcher_hosts.h"

namespace dorvane {
namespace {

// The literal's terminating NUL is not part of the document.
template <std::size_t N>
constexpr StoredDocument Stored(const unsigned char (&bytes)[N]) {
    return StoredDocument{bytes, N - 1};
}

constexpr unsigned char kExperienceVersionServerXml[] =
    "<?xml version=\"1.0\" encoding=\"gb2312\"?>\r\n"
    "<Server>\r\n"
    "  <versionserver version=\"1\" count=\"3\" SuccessfulServerID=\"1\" SectionTimeOut=\"5000\""
    " TotalTimeOut=\"600000\" SuccessfulPort=\"8000\">\r\n"
    "    <Server1 host=\"" DORVANE_EXPERIENCE_HOST1 "\"/>\r\n"
    "    <Server2 host=\"" DORVANE_EXPERIENCE_HOST2 "\"/>\r\n"
    "    <Server3 host=\"" DORVANE_EXPERIENCE_HOST3 "\"/>\r\n"
    "    <portlist count=\"2\" port1=\"8000\" port2=\"10008\"/>\r\n"
    "  </versionserver>\r\n"
    "</Server>";

constexpr unsigned char kExperienceDirServerXml[] =
    "<?xml version=\"1.0\" encoding=\"gb2312\"?>\r\n"
    "<Server>\r\n"
    "  <DirServer count=\"3\" SuccessfulServerID=\"1\" SectionTimeOut=\"5000\""
    " TotalTimeOut=\"600000\" SuccessfulPort=\"8080\">\r\n"
    "    <Server1 host=\"" DORVANE_EXPERIENCE_HOST1 "\" Catalog=\"\"/>\r\n"
    "    <Server2 host=\"" DORVANE_EXPERIENCE_HOST2 "\" Catalog=\"\"/>\r\n"
    "    <Server3 host=\"" DORVANE_EXPERIENCE_HOST3 "\" Catalog=\"\"/>\r\n"
    "    <portlist count=\"3\" port1=\"8080\" port2=\"443\" port3=\"10009\">0</portlist>\r\n"
    "  </DirServer>\r\n"
    "</Server>";

// The block after the empty line is an inactive one-server list, kept inside a comment.
constexpr unsigned char kOfficialVersionServerXml[] =
    "<?xml version=\"1.0\" encoding=\"gb2312\" ?>\r\n"
    "<Server>\r\n"
    "    <versionserver version=\"1\" count=\"5\" SuccessfulServerID=\"1\" SectionTimeOut=\"5000\""
    " TotalTimeOut=\"600000\" SuccessfulPort=\"10008\">\r\n"
    "       \t<server1 host=\"" DORVANE_OFFICIAL_HOST1 "\" />\r\n"
    "\t\t<server2 host=\"" DORVANE_OFFICIAL_HOST2 "\" />\r\n"
    "\t\t<server3 host=\"" DORVANE_OFFICIAL_HOST3 "\" />\r\n"
    "\t\t<server4 host=\"" DORVANE_OFFICIAL_HOST4 "\" />\r\n"
    "\t\t<server5 host=\"" DORVANE_OFFICIAL_HOST5 "\" />\r\n"
    "        <portlist count=\"3\" port1=\"10008\" port2=\"8000\" port3=\"443\"/>\r\n"
    "    </versionserver>\r\n"
    "</Server>\r\n"
    "\r\n"
    "<!--<Server>\r\n"
    "    <versionserver version=\"1\" count=\"1\" SuccessfulServerID=\"1\" SectionTimeOut=\"5000\""
    " TotalTimeOut=\"600000\" SuccessfulPort=\"8000\">\r\n"
    "       \t<server1 host=\"" DORVANE_OFFICIAL_COMMENTED_HOST "\" />\r\n"
    "\t\t\r\n"
    "        <portlist count=\"3\" port1=\"10008\" port2=\"8000\" port3=\"443\"/>\r\n"
    "    </versionserver>\r\n"
    "</Server> -->\r\n"
    "\r\n";

// No XML declaration; the first line is a comment. The last block is commented out as above.
constexpr unsigned char kOfficialDirServerXml[] =
    "<!-- dir server ip ,port   -->\r\n"
    "<Server>\r\n"
    "    <DirServer count=\"5\" SuccessfulServerID=\"1\" SuccessfulPort=\"8080\">\r\n"
    "        <Server1 Catalog=\"\" host=\"" DORVANE_OFFICIAL_HOST1 "\" />\r\n"
    "\t\t<Server2 Catalog=\"\" host=\"" DORVANE_OFFICIAL_HOST2 "\" />\r\n"
    "\t\t<Server3 Catalog=\"\" host=\"" DORVANE_OFFICIAL_HOST3 "\" />\r\n"
    "\t\t<Server4 Catalog=\"\" host=\"" DORVANE_OFFICIAL_HOST4 "\" />\r\n"
    "\t\t<Server5 Catalog=\"\" host=\"" DORVANE_OFFICIAL_HOST5 "\" />\r\n"
    "        <portlist count=\"3\" port1=\"5223\" port2=\"10009\" port3=\"8080\">0</portlist>\r\n"
    "    </DirServer>\r\n"
    "\r\n"
    "</Server>\r\n"
    "\r\n"
    "<!--<Server>\r\n"
    "    <DirServer count=\"1\" SuccessfulServerID=\"1\" SuccessfulPort=\"8080\">\r\n"
    "        <Server1 Catalog=\"\" host=\"" DORVANE_OFFICIAL_COMMENTED_HOST "\" />\r\n"
    "\t\t\r\n"
    "        <portlist count=\"3\" port1=\"5223\" port2=\"10009\" port3=\"8080\">0</portlist>\r\n"
    "    </DirServer>\r\n"
    "\r\n"
    "</Server>-->\r\n";

}  // namespace

const StoredDocument ExperienceVersionServerXml = Stored(kExperienceVersionServerXml);
const StoredDocument ExperienceDirServerXml = Stored(kExperienceDirServerXml);
const StoredDocument OfficialVersionServerXml = Stored(kOfficialVersionServerXml);
const StoredDocument OfficialDirServerXml = Stored(kOfficialDirServerXml);

}  // namespace dorvane
