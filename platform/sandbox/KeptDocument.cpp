#include "platform/sandbox/KeptDocument.h"

#include <utility>

namespace hastelyn::sandbox {

bool KeptDocument::take(const FileStamp& stamp, std::string bytes) {
    const bool parse = !known_ || !bytes_ || *bytes_ != bytes;
    if (parse) document_ = ProfileDocument::parse(bytes);
    known_ = true;
    stamp_ = stamp;
    trusted_ = settledBeforeNow(stamp);
    if (trusted_) bytes_.reset();
    else bytes_ = std::move(bytes);
    return parse;
}

void KeptDocument::written(const FileStamp& stamp) {
    known_ = true;
    stamp_ = stamp;
    trusted_ = stamp.exists;
    bytes_.reset();
}

void KeptDocument::forget() {
    known_ = false;
    trusted_ = false;
    bytes_.reset();
}

}  // namespace hastelyn::sandbox
