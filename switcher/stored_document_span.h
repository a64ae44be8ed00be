// Hands a stored launcher document to the host services' file write.
#pragma once

#include "host/host_services.h"
#include "switcher/launcher_documents.h"

namespace dorvane {

inline ByteSpan ToByteSpan(const StoredDocument& document) {
    return ByteSpan{document.data, document.size};
}

}  // namespace dorvane
