#include "engine/Utilities.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "engine/ServiceCommand.h"
#include "foundation/SystemTools.h"
#include "platform/Win32Types.h"

namespace hastelyn::engine {
namespace {

using enum Utility;
using enum UtilityCondition;
using enum UtilityLaunch;

constexpr std::string_view kConvert = "cmd /k %SystemRoot%\\system32\\convert {D}: /fs:ntfs /v";

constexpr std::array<UtilityCommand, 16> kCommands{{
    {WMP6, Always, ShellOpen, "mplayer2"},
    {Net, Always, ShellOpen, "conf"},
    {MS, Always, ShellOpen, "msconfig"},
    {IP, NtFamily, CommandLine, "cmd /k ipconfig"},
    {IP, OtherFamily, ShellOpen, "winipcfg"},
    {Group, NtFamily, ShellOpen, "gpedit.msc"},
    {Group, OtherFamily, Nothing, ""},
    {Reg, Always, ShellOpen, "regedit"},
    {DiskMgmt, Always, ShellOpen, "diskmgmt.msc"},
    {Format, NtFamily, CommandLine, "cmd /k format a:{Q}"},
    {Format, OtherFamily, CommandLine, "command.com /k format a:{Q}"},
    {CUIDefrag, NtXp, CommandLine, "cmd /k defrag {D}: -v -f"},
    {CUIDefrag, NtOtherEdition, ShellOpen, "dfrg.msc"},
    {CUIDefrag, OtherFamily, CommandLine, "defrag {D}: /noprompt /f"},
    {Convert, EditionXp, Conversion, ""},
    {Convert, OtherEdition, CommandLine, kConvert},
}};

bool holds(UtilityCondition condition, const foundation::EditionCodes& codes) {
    const bool xp = codes.edition == "XP";
    switch (condition) {
        case Always: return true;
        case NtFamily: return codes.ntFamily();
        case OtherFamily: return !codes.ntFamily();
        case NtXp: return codes.ntFamily() && xp;
        case NtOtherEdition: return codes.ntFamily() && !xp;
        case EditionXp: return xp;
        case OtherEdition: return !xp;
    }
    return false;
}

void replaceAll(std::string& text, std::string_view mark, std::string_view with) {
    for (std::size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + with.size()))
        text.replace(at, mark.size(), with);
}

// The list a button takes its drive from, if any.
std::optional<char> chosenDrive(Utility button, const UtilityChoices& choices) {
    return button == Convert ? choices.convertDrive : choices.defragDrive;
}

bool needsDrive(const UtilityCommand& command) {
    return command.how == Conversion || command.command.find("{D}") != std::string_view::npos;
}

std::string commandLine(std::string_view pattern, std::optional<char> drive, bool quick) {
    std::string line(pattern);
    if (drive) replaceAll(line, "{D}", std::string(1, *drive));
    replaceAll(line, "{Q}", quick ? " /q" : "");
    return line;
}

// Both ways of starting a tool leave it to the tool: one that cannot start is reported to
// nobody, as the Windows program does.
void start(Session& session, UtilityLaunch how, const std::string& command) {
    platform::Shell& shell = session.platform.shell;
    if (how == ShellOpen) (void)shell.shellExecute("open", command, "", "", platform::showcmd::Normal);
    else if (how == CommandLine) (void)shell.winExec(command, platform::showcmd::Normal);
}

constexpr std::string_view kConvertQuestion =
    "指定したドライブのファイルシステムをFATからNTFSに変換しますか？\r\n\r\n※ "
    "変換によってデータの破損や損失が起こることは、通常ありませんが、\r\n　"
    "万一を考えて、重要なデータをバックアップしておくことを推奨します。";

constexpr std::int64_t kMinimumReserve = 1048576;
constexpr std::int64_t kMaximumReserve = 4194304;

}  // namespace

std::span<const UtilityCommand> utilityCommands() { return kCommands; }

const UtilityCommand& commandFor(Utility button, const foundation::EditionCodes& codes) {
    for (const UtilityCommand& command : kCommands)
        if (command.button == button && holds(command.condition, codes)) return command;
    // Every button's conditions cover every edition; this is not reached.
    static constexpr UtilityCommand kNothing{WMP6, Always, Nothing, ""};
    return kNothing;
}

std::optional<char> driveOfItem(std::string_view item) {
    if (item.empty()) return std::nullopt;
    return item.front();
}

void runUtility(Session& session, Utility button, const UtilityChoices& choices) {
    const UtilityCommand& command = commandFor(button, session.codes);
    if (command.how == Nothing) return;
    const std::optional<char> drive = chosenDrive(button, choices);
    if (needsDrive(command) && !drive) {
        session.dialogs.error(kChooseDriveSpoken, kChooseDriveText);
        return;
    }
    if (command.how == Conversion) {
        convertToNtfs(session, *drive);
        return;
    }
    start(session, command.how, commandLine(command.command, drive, choices.quickFormat));
}

std::int64_t roundedQuotient(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    const std::int64_t r = a % b;  // same sign as a
    const std::int64_t twice = r < 0 ? -2 * r : 2 * r;
    if (twice > b || (twice == b && q % 2 != 0)) q += a < 0 ? -1 : 1;
    return q;
}

ConversionEstimate estimateConversion(std::int64_t freeBytes, std::int64_t entries) {
    ConversionEstimate e;
    std::int64_t reserve = std::clamp(roundedQuotient(freeBytes, 100), kMinimumReserve, kMaximumReserve);
    std::int64_t perEntry = 0;
    // A count that big is no real drive's; the plain conversion then asks for no placeholder.
    if (__builtin_mul_overflow(entries, 1280, &perEntry) || __builtin_mul_overflow(entries, 1024, &e.placeholderSize) ||
        __builtin_add_overflow(reserve + roundedQuotient(freeBytes, 803), perEntry, &e.need))
        return ConversionEstimate{};
    std::int64_t total = 0;
    e.fits = !__builtin_add_overflow(e.placeholderSize, e.need, &total) && total < freeBytes;
    return e;
}

bool convertToNtfs(Session& session, char drive) {
    if (!session.dialogs.confirm("", kConvertQuestion)) return false;
    const std::optional<char> letter = drive;
    if (session.codes.edition != "XP") {
        start(session, CommandLine, commandLine(kConvert, letter, false));
        return true;
    }
    platform::FileSystem& files = session.platform.files;
    const std::string root = std::string(1, drive) + ":\\";
    platform::VolumeInfo volume;
    // A volume that cannot be queried has no file-system name, so it is not taken for NTFS.
    if (!files.getVolumeInformation(root, volume).ok()) volume.fileSystem.clear();
    platform::DiskSpace space;
    std::int64_t freeBytes = -1;
    if (files.getDiskFreeSpace(root, space).ok())
        freeBytes = space.freeToCaller > static_cast<std::uint64_t>(INT64_MAX) ? INT64_MAX
                                                                               : static_cast<std::int64_t>(space.freeToCaller);
    const std::int64_t entries = foundation::CountFolderEntries(files, std::string(1, drive) + ":");
    const ConversionEstimate estimate = estimateConversion(freeBytes, entries);
    if (estimate.fits && volume.fileSystem != "NTFS") {
        const std::string placeholder = std::string(1, drive) + ":\\TmpMFT";
        // The same start-and-await as a service command: fsutil's exit code is not examined.
        runServiceCommand(session, "fsutil file createnew " + placeholder + " " + std::to_string(estimate.placeholderSize));
        start(session, CommandLine, commandLine(kConvert, letter, false) + " /cvtarea:" + placeholder);
        return true;
    }
    start(session, CommandLine, commandLine(kConvert, letter, false));
    return true;
}

}  // namespace hastelyn::engine
