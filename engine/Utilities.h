#pragma once
// The utilities page without its window: the command each of the ten tools starts on each
// edition (one table), and the NTFS conversion with its space estimate and placeholder file.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "engine/Session.h"

namespace hastelyn::engine {

inline constexpr std::size_t kUtilityCount = 10;

// The buttons in row order (BtnWMP6 ... BtnConvert); the settings key of each is "Utility" and
// its number from 1.
enum class Utility { WMP6, Net, MS, IP, Group, Reg, DiskMgmt, Format, CUIDefrag, Convert };

// When a command row applies, by the family and edition codes.
enum class UtilityCondition { Always, NtFamily, OtherFamily, NtXp, NtOtherEdition, EditionXp, OtherEdition };
// How a command is started.
enum class UtilityLaunch { ShellOpen, CommandLine, Nothing, Conversion };

// One row of the command table. In a command, "{D}" stands for the chosen drive letter and
// "{Q}" for " /q" when the quick-format box is ticked (nothing otherwise).
struct UtilityCommand {
    Utility button;
    UtilityCondition condition;
    UtilityLaunch how;
    std::string_view command;
};

// Every command, per button in the order the conditions are tried.
std::span<const UtilityCommand> utilityCommands();
// The first row of the button whose condition holds on this edition.
const UtilityCommand& commandFor(Utility button, const foundation::EditionCodes& codes);

// What the page holds when a button is pressed: the drive chosen in each list (its letter),
// and the quick-format box.
struct UtilityChoices {
    std::optional<char> defragDrive;
    std::optional<char> convertDrive;
    bool quickFormat = false;
};

// The drive letter of a drive-list item ("C ドライブ"): its first character; nothing for no item.
std::optional<char> driveOfItem(std::string_view item);

// The text and spoken text that ask the user to choose a drive first.
inline constexpr std::string_view kChooseDriveText =
    "\r\nドライブが選ばれていません。\r\nボタンの左にある一覧で、対象のドライブを選んでから、もう一度押してください。";
inline constexpr std::string_view kChooseDriveSpoken =
    "エラーのメッセージ。ドライブが選ばれていません。Tabキーで ドライブの一覧に移動して、上下キーで "
    "ドライブを選んでください。Enterキーを押すと 画面を閉じます。";

// A button press: starts the button's command for this edition. A command that needs a drive
// when none is chosen starts nothing and asks the user to choose one (an error dialog). The
// conversion may throw CommandError ("Exec Error " and the code) when fsutil cannot start.
void runUtility(Session& session, Utility button, const UtilityChoices& choices);

// The conversion's estimate (64-bit): the space the conversion needs besides the placeholder,
// and the placeholder's size, from the free bytes (-1 when unknown) and the number of entries.
struct ConversionEstimate {
    std::int64_t need = 0;
    std::int64_t placeholderSize = 0;
    // size + need < free; false also when a figure would not fit 64 bits.
    bool fits = false;
};
ConversionEstimate estimateConversion(std::int64_t freeBytes, std::int64_t entries);

// a / b rounded to the nearest integer, ties to even (b > 0).
std::int64_t roundedQuotient(std::int64_t a, std::int64_t b);

// BtnConvert with a drive chosen: the question, then on XP the placeholder file through fsutil
// (awaited while the window processes its events) and convert with "/cvtarea:", or the plain
// convert command. False when the user said No.
bool convertToNtfs(Session& session, char drive);

}  // namespace hastelyn::engine
