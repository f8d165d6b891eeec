#pragma once
// One profile file's parsed document, kept while the file's stamp (inode, size, modification
// time) proves it unchanged. A stamp taken within the file system clock's tick of the file's
// last change (settledBeforeNow) proves nothing: a writer rewriting the file in place to the
// same size within that tick leaves it as it was. Such a file is read again at every look and
// parsed again only when its bytes differ from those kept. The stamp of a file written here is
// unique: every writer replaces the file whole.
#include <optional>
#include <string>

#include "platform/sandbox/ProfileDocument.h"
#include "platform/sandbox/util/FileStamp.h"

namespace hastelyn::sandbox {

class KeptDocument {
public:
    // Whether the kept document is the file's, the file now having this stamp.
    bool current(const FileStamp& stamp) const { return known_ && trusted_ && stamp == stamp_; }
    // Takes the file's bytes, read after its stamp was taken; true when they were parsed (they
    // differ from the bytes kept, or none are).
    bool take(const FileStamp& stamp, std::string bytes);
    // The document was just written to the file, which got this stamp.
    void written(const FileStamp& stamp);
    // Keeps nothing: the next bytes taken are parsed.
    void forget();
    ProfileDocument& document() { return document_; }

private:
    bool known_ = false;
    FileStamp stamp_;
    bool trusted_ = false;              // the same stamp means the same file
    std::optional<std::string> bytes_;  // as read, while the stamp is not trusted
    ProfileDocument document_;
};

}  // namespace hastelyn::sandbox
