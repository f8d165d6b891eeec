#pragma once
// The boot file found at start: boot.ini on the NT family ([boot loader] "default" and
// "timeout", one line per installed system in [operating systems]) or Msdos.sys on the 9x
// family ([Options] "Logo"). Before the program first changes it, a copy of the file as it was
// is kept beside it.
#include <string>
#include <string_view>

#include "engine/Session.h"

namespace hastelyn::engine {

// Appended to the boot file's path to name the copy kept before the first change.
inline constexpr std::string_view kBootCopySuffix = ".hastelyn-backup";

class BootFile {
public:
    explicit BootFile(Session& session) : session_(session) {}

    // A path was found at start and the file is still there.
    bool found() const;
    bool ntFamily() const { return session_.codes.ntFamily(); }
    const std::string& path() const { return session_.paths.boot; }
    std::string copyPath() const { return path() + std::string(kBootCopySuffix); }

    // "NULL" when the file was not found or has no such key.
    std::string read(std::string_view section, std::string_view key) const;
    std::string timeout() const { return read(kLoaderSection, "timeout"); }
    std::string logo() const { return read(kOptionsSection, "Logo"); }
    // The key of [operating systems] that [boot loader] "default" names, and that key's line.
    std::string defaultKey() const { return read(kLoaderSection, "default"); }
    std::string defaultLine() const;
    // A line of [operating systems], with its title quoted (see withTitleQuotes).
    std::string systemLine(std::string_view key) const { return withTitleQuotes(read(kSystemsSection, key)); }

    // A line of [operating systems] is a title, quoted or not, followed by switches
    // ("Microsoft Windows XP Professional" /fastdetect, or the same without the quotes). The
    // profile reader drops the quotes around a line that is nothing but its title ("Windows NT"
    // reads as Windows NT); such a line gets them back, so that appending a switch or writing
    // the line back never leaves that title unquoted. A line with switches, or one that starts
    // with a quote, is read as it stands and stays as it is. "NULL" stays as it is.
    static std::string withTitleQuotes(std::string line);

    // The line without every occurrence of the switch (" /noguiboot", exact case) that stands as
    // a word of its own: followed by a blank or the line's end.
    static std::string withoutSwitch(std::string line, std::string_view switchText);

    // Writes one key ("NULL" writes nothing, and neither does a value the key already reads
    // as). The first time, the file is copied to copyPath() before it changes; an existing copy
    // is never replaced. Throws CommandError when neither the copy nor the key can be written.
    void write(std::string_view section, std::string_view key, std::string_view value);

    // Removes one key, when the file has it; the copy is kept first as for a write.
    void remove(std::string_view section, std::string_view key);

    static constexpr std::string_view kLoaderSection = "boot loader";
    static constexpr std::string_view kSystemsSection = "operating systems";
    static constexpr std::string_view kOptionsSection = "Options";

private:
    void keepCopy();

    Session& session_;
};

}  // namespace hastelyn::engine
