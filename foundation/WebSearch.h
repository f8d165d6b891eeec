#pragma once
// The pages the commentary panel opens: the four search sites, and the help pages beside the
// program that the help button and the more-information button show.
#include <optional>
#include <string>
#include <string_view>

#include "platform/Shell.h"

namespace hastelyn::foundation {

// The address that looks the word up on the site of an engine key ("e-Words", "ASCII",
// "Google"); nullopt for any other key, "Pelmora" included: our own site is the help pages
// beside the program, which have no search address. The word is percent-encoded in Shift_JIS,
// the encoding these sites take, so spaces and symbols such as "&" arrive as part of the word.
std::optional<std::string> searchAddress(std::string_view engineKey, std::string_view word);

// The path of a help page ("index.htm", "service.htm", ...): the folder "help" in the
// program's folder.
std::string helpPagePath(std::string_view programPath, std::string_view page);

// Opens the address in the default browser (verb "open", shown as it was last). The shell's result
// is not looked at: without a browser nothing happens.
void openAddress(platform::Shell& shell, std::string_view address);

// Percent-encoding of the Shift_JIS bytes of a text: letters, digits and "-._~" stay, every
// other byte becomes "%XX".
std::string percentEncodeShiftJis(std::string_view utf8);

}  // namespace hastelyn::foundation
