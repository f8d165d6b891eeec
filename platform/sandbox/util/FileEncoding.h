#pragma once
// The encodings of the text files the sandbox reads and writes back (profile files, hives,
// machine.ini), line by line, so that a line written back unchanged keeps its bytes:
//
// - no byte-order mark: each line is UTF-8 where it is valid UTF-8, else Shift_JIS (code page
//   932), so a file made on a Japanese Windows system, or one with a single such line, reads
//   right and one bad line spoils no other;
// - EF BB BF: UTF-8;
// - FF FE: UTF-16LE, as Windows keeps Unicode INI files and regedit writes its exports.
//
// Lines end with CR LF, LF or a lone CR (in UTF-16LE the same as 2-byte units).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hastelyn::sandbox {

enum class FileEncoding : std::uint8_t { Ansi, Utf8Bom, Utf16Le };

// The encoding the file's bytes declare by their byte-order mark.
FileEncoding encodingOf(std::string_view bytes);
// The mark the encoding starts a file with ("" for Ansi).
std::string_view byteOrderMark(FileEncoding encoding);

// The lines of a file's bytes after its mark, each with its line end; the last may have none.
std::vector<std::string_view> splitRawLines(std::string_view body, FileEncoding encoding);
// The line without its line end.
std::string_view withoutLineEnd(std::string_view rawLine, FileEncoding encoding);

// One line (without its line end) as UTF-8. shiftJis, when given, tells whether an Ansi line
// was read as Shift_JIS.
std::string decodeLine(std::string_view rawLine, FileEncoding encoding, bool* shiftJis = nullptr);
// A UTF-8 line (without its line end) as bytes of the encoding. An Ansi line is written in
// Shift_JIS when preferShiftJis is set and Shift_JIS holds every character of it, else in UTF-8.
std::string encodeLine(std::string_view utf8, FileEncoding encoding, bool preferShiftJis = false);
// CR LF in the encoding.
std::string_view crLf(FileEncoding encoding);

// A whole file as UTF-8 (mark dropped, line ends kept as they are), decoded line by line.
std::string decodeTextFile(std::string_view bytes);
// UTF-8 text as a file of the encoding, mark first; line ends are kept as they are.
std::string encodeTextFile(std::string_view utf8, FileEncoding encoding);

}  // namespace hastelyn::sandbox
