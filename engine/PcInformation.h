#pragma once
// The PC information page without its window: the ten facts read from the registry (and the
// setup answer file), and the change command for the registered user, organisation and
// computer name with its validation, question, write and restart question.
#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "engine/Session.h"

namespace hastelyn::engine {

inline constexpr std::size_t kPcInfoFieldCount = 10;
inline constexpr std::size_t kPcInfoEditableCount = 3;  // user, organisation, computer name

struct PcInfoRow {
    const char* name;         // component name (EdtUser ... EdtMHz)
    std::string_view label;   // the row of LstInfo
};

// The ten rows, in order.
std::span<const PcInfoRow> pcInfoRows();

using PcInformation = std::array<std::string, kPcInfoFieldCount>;

// The ten fields as the page shows them, from their sources on this family; "NULL" for what is
// missing, the CPU name empty on the 9x family.
PcInformation ReadPcInformation(Session& session);

// The three editable fields as the user left them.
struct PcInfoEdit {
    std::string user;
    std::string organization;
    std::string computer;
    // Whether each field's control is enabled (a disabled one is not written).
    std::array<bool, kPcInfoEditableCount> enabled{true, true, true};
};

// The characters a registered user or organisation may not hold, and those a computer name may
// not hold, in the order the messages list them.
inline constexpr std::string_view kNameForbidden = "/\\[]\":;|<>+=,?*";
inline constexpr std::string_view kComputerNameForbidden = "`~!@#$ ^&*()=+[]{}\\|;:'\",<>/?";

enum class PcInfoChange {
    Invalid,    // a field holds a character it may not; the message was shown
    Empty,      // a field is empty: nothing asked, nothing written
    Cancelled,  // No to the question
    Written,
};

// BtnChange: the three validations in order, the spoken question, the question, the write, and
// then the restart question ("DlgReboot" = "On") or the information message. A refused write
// throws CommandError with the system's text; the fields after it are not written.
PcInfoChange BtnChangeClick(Session& session, const PcInfoEdit& edit);

// The registered user, organisation and computer name as the registry holds them ("NULL" for
// what is absent), every field enabled.
PcInfoEdit ReadEditablePcInformation(Session& session);
// Writes the three fields in order ("NULL" writes an empty value).
void WritePcInformation(Session& session, const PcInfoEdit& edit);

// BtnDetail: the system-information tool.
void BtnDetailClick(Session& session);

}  // namespace hastelyn::engine
