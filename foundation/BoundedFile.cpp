#include "foundation/BoundedFile.h"

#include <vector>

namespace hastelyn::foundation {

BoundedRead readFileWithin(platform::FileSystem& files, std::string_view path, std::uint64_t limit,
                           std::string& bytes) {
    std::vector<platform::FindData> found;
    if (files.findFiles(path, found).ok())
        for (const platform::FindData& f : found)
            if (f.size > limit) return BoundedRead::TooLarge;
    if (!files.readFile(path, bytes).ok()) return BoundedRead::Missing;
    // Grown since the folder was read.
    return bytes.size() > limit ? BoundedRead::TooLarge : BoundedRead::Read;
}

}  // namespace hastelyn::foundation
