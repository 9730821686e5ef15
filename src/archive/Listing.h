#pragma once
// The members of an archive with the result of decoding each one (nothing is written).
#include <string>
#include <vector>

#include "archive/Headers.h"

namespace kv::archive {

struct TMemberListing {
    std::string Name;
    TMemberHeader Header;
    bool Verified = false;  // decoded and the checksum agrees
    std::string Problem;    // otherwise, the message of the failure
};

// Throws what ExpandArchive throws for the archive header; member failures go into the listing.
std::vector<TMemberListing> ListArchive(const std::string& archiveName);

}  // namespace kv::archive
