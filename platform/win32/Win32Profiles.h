#pragma once
// Profile (INI) files through GetPrivateProfileStringW and WritePrivateProfileStringW.
//
// Names and values cross as UTF-8 and go to Windows as UTF-16. Windows keeps a profile file in
// the system's ANSI code page (what the A functions read and write), or in Unicode when the
// file starts with the UTF-16LE byte-order mark. A write whose section, key or value the ANSI
// code page cannot hold makes the file a Unicode one first, so that such names survive on any
// system: a new file starts as the mark alone, an ANSI file is rewritten in UTF-16 (its text
// read in the ANSI code page, as the profile functions read it; attributes kept). Every other
// write leaves the file's encoding as it is, so on a Japanese system the files are Shift_JIS,
// as the A functions would have written them.
//
// Results are cut as the A functions cut them into the caller's buffer: the limits are bytes
// of the system's ANSI code page (ansiLength in WideText.h), counted on whole characters.
#include "platform/ProfileFiles.h"

namespace hastelyn::win32 {

class Win32Profiles final : public platform::ProfileFiles {
public:
    std::string getString(std::string_view file, std::string_view section, std::string_view key,
                          std::string_view defaultValue, std::size_t bufferSize) override;
    std::vector<std::string> getKeyNames(std::string_view file, std::string_view section,
                                         std::size_t bufferSize) override;
    platform::CallResult writeString(std::string_view file, std::string_view section, std::optional<std::string_view> key,
                                     std::optional<std::string_view> value) override;
    platform::CallResult writeStrings(std::string_view file, const std::vector<platform::ProfileWrite>& writes) override;
};

}  // namespace hastelyn::win32
