#pragma once
// The text of a profile (INI) file, read and edited the way the private-profile functions of
// Windows do it (GetPrivateProfileStringA / WritePrivateProfileStringA).
//
// Lines end with CR LF, LF or a lone CR. A line whose first non-blank character is '[' and that
// holds a ']' starts a section, named by what lies between the '[' and the last ']'. A line of a
// section holding '=' is an entry "name=value", unless its name starts with ';' (a comment).
// Other lines (no '=') are no entries: Windows does not list them, and here they are neither
// read nor replaced, only kept. Blanks (space, tab, vertical tab, form feed, ^Z) around names
// and values do not count; a name or value ends at a NUL byte, as the C strings of the ANSI
// functions do. Names compare case-insensitively (ASCII). Lines before the first section belong
// to no section.
//
// Duplicates: the first section of a name is the one read and written; the first entry of a
// name inside it wins. Deleting a key removes the first entry of that name in the first section
// of that name that holds one.
//
// Files: decoded line by line (FileEncoding.h): UTF-8 where a line is valid UTF-8, else
// Shift_JIS; UTF-16LE or UTF-8 after a byte-order mark. Edits keep every line they do not change
// byte for byte, its line end included, and the mark; a line written anew is in the file's
// encoding and ends as the line it replaces did, or with CR LF. In a file without a mark that is Shift_JIS for a line that
// replaces a Shift_JIS line, or is added to a file whose lines beyond ASCII are all Shift_JIS,
// when Shift_JIS holds every character of it; UTF-8 otherwise.
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/ProfileFiles.h"
#include "platform/sandbox/util/FileEncoding.h"

namespace hastelyn::sandbox {

class ProfileDocument {
public:
    ProfileDocument() = default;

    // The document of a file's bytes. Never fails: any bytes are some document.
    static ProfileDocument parse(std::string_view bytes);

    // The value of key in section (blanks around it removed, quotes still on), or nothing when
    // the section or the key is missing.
    std::optional<std::string_view> value(std::string_view section, std::string_view key) const;
    bool hasSection(std::string_view section) const;
    // The names of all sections in file order, duplicates included.
    std::vector<std::string_view> sectionNames() const;
    // The names of the section's entries in file order, duplicates included; empty names left
    // out.
    std::vector<std::string_view> keyNames(std::string_view section) const;

    // WritePrivateProfileString with a key and a value. An existing entry keeps its name as
    // written and gets "name=value"; a new one goes right after the last entry of the section;
    // a new section goes at the end of the text. Blanks before the value are dropped. True when
    // the text changed.
    bool setValue(std::string_view section, std::string_view key, std::string_view value);
    // setValue for each write in turn, the same text in the end; new entries of sections that
    // other sections follow go in together, so that many of them cost one pass over the text.
    bool setValues(const std::vector<platform::ProfileWrite>& writes);
    // WritePrivateProfileString with no value. True when an entry went.
    bool removeKey(std::string_view section, std::string_view key);
    // WritePrivateProfileString with no key: the section's header and all its lines go.
    bool removeSection(std::string_view section);

    // The bytes of the file: its lines as read where they did not change, the others encoded.
    // A line written anew is encoded once: its bytes are kept for the next call, so that
    // saving after each of many small edits costs a copy of the text, not its encoding.
    std::string text() const;

private:
    enum class Kind : std::uint8_t { Blank, Header, Entry, Comment, Text };
    struct LineInfo {
        Kind kind = Kind::Blank;
        std::size_t nameBegin = 0, nameLength = 0;
        std::size_t valueBegin = 0, valueLength = 0;
    };
    struct Section {
        std::size_t header = 0;   // line of "[name]"
        std::size_t end = 0;      // one past its last line
        std::size_t lastEntry = 0;  // its last entry line, or the header when it has none
        // folded name -> first line of that name, counted from the header
        std::unordered_map<std::string, std::size_t> entries;
    };

    // Entry lines waiting to go in after the last entry of a section (by number).
    struct PendingLines {
        std::vector<std::string> lines;
        std::unordered_set<std::string> entries;  // their names, folded
    };
    using Pending = std::map<std::size_t, PendingLines>;

    bool setValue(std::string_view section, std::string_view key, std::string_view value, Pending* pending);
    // Puts the waiting lines in and indexes the text again.
    void insertPending(Pending& pending);
    static LineInfo classify(std::string_view line);
    std::string_view nameOf(std::size_t line) const;
    std::string_view valueOf(std::size_t line) const;
    void reindex();
    // Indexes lines from `first` on, those before it being indexed already.
    void indexFrom(std::size_t first);
    // Puts text in as lines at the end and indexes them.
    void appendText(std::string_view text);
    // Puts one entry line right after the last entry of a section and updates the indexes,
    // when the line reads back as one entry; false (nothing done) otherwise.
    bool insertEntryAfterLast(std::size_t sectionNumber, std::string line);
    const Section* findSection(std::string_view foldedName) const;
    static std::optional<std::size_t> findEntry(const Section& section, std::string_view foldedName);
    // Puts text (which may hold line breaks of its own) in as lines before line `at`.
    void insertText(std::size_t at, std::string_view text);
    void eraseLines(std::size_t first, std::size_t count);

    // How a line stood in the file: its bytes with its line end, none for a line written anew.
    struct Stored {
        std::optional<std::string> raw;
        bool shiftJis = false;  // read as Shift_JIS, or to be written so
        std::string lineEnd;    // of a line written anew in place of one read; empty: CR LF
        bool ended = true;      // raw ends with a line end (only the file's last line may not)
    };

    FileEncoding encoding_ = FileEncoding::Ansi;
    bool shiftJisFile_ = false;  // every line beyond ASCII is Shift_JIS
    std::vector<std::string> lines_;  // as UTF-8, without line ends
    // One per line; text() fills in the bytes of lines written anew, which changes no result.
    mutable std::vector<Stored> stored_;
    std::vector<LineInfo> info_;
    std::vector<Section> sections_;
    std::unordered_map<std::string, std::size_t> sectionIndex_;  // folded name -> first section
};

// What GetPrivateProfileStringA puts in a buffer of bufferSize bytes for a value: one pair of
// enclosing double or single quotes removed, then cut to bufferSize - 1 bytes of Shift_JIS
// without splitting a character.
std::string profileValueForBuffer(std::string_view value, std::size_t bufferSize);

// What GetPrivateProfileStringA with no key puts in a buffer of bufferSize bytes: each name and
// its NUL, then a final NUL. When they do not all fit, Windows fills bufferSize - 2 bytes, the
// last name cut short (on a character boundary), and ends with two NULs. The result is the names
// a caller walking that buffer sees.
std::vector<std::string> profileNamesForBuffer(const std::vector<std::string_view>& names, std::size_t bufferSize);

// The default value as GetPrivateProfileStringA uses it: trailing spaces removed.
std::string_view profileDefaultValue(std::string_view defaultValue);

}  // namespace hastelyn::sandbox
