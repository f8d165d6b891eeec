#include "engine/PcInformation.h"

#include "foundation/SystemTools.h"
#include "platform/Win32Types.h"

namespace hastelyn::engine {
namespace {

using foundation::kNull;
using platform::RootKey;

// All under HKEY_LOCAL_MACHINE.
constexpr std::string_view kKey9x = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr std::string_view kKeyNt = "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr std::string_view kKeyComputerName = "\\SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName";
constexpr std::string_view kKeyCpu = "\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";
// The setup answer file, below the Windows folder.
constexpr std::string_view kAnswerFile = "\\System32\\$winnt$.inf";

constexpr std::array<PcInfoRow, kPcInfoFieldCount> kRows{{
    {"EdtUser", "① 使用者"},
    {"EdtCorp", "② 会社名"},
    {"EdtComputer", "③ コンピュータ名"},
    {"EdtProduct", "④ OS"},
    {"EdtVersion", "⑤ OSのバージョン"},
    {"EdtID", "⑥ プロダクトID"},
    {"EdtKey", "⑦ プロダクトキー"},
    {"EdtRoot", "⑧ Windowsフォルダ"},
    {"EdtCPU", "⑨ CPU"},
    {"EdtMHz", "⑩ プロセッサ情報"},
}};

// What each editable field may not hold, and the message of a field that does.
struct Validation {
    std::string_view forbidden;
    std::string_view spoken;
    std::string_view text;     // followed by the forbidden characters
    std::string_view control;  // a line break or another control character
};

constexpr std::array<Validation, kPcInfoEditableCount> kValidations{{
    {kNameForbidden, "情報のメッセージ。指定した使用者名は有効ではありません。Enterキーを押すと 画面を閉じます。",
     "指定した使用者名は有効ではありません。\r\n使用者名に次の文字は使えません：",
     "指定した使用者名は有効ではありません。\r\n使用者名に改行などの制御文字は使えません。"},
    {kNameForbidden, "情報のメッセージ。指定した会社名は有効ではありません。Enterキーを押すと 画面を閉じます。",
     "指定した会社名は有効ではありません。\r\n会社名に次の文字は使えません：",
     "指定した会社名は有効ではありません。\r\n会社名に改行などの制御文字は使えません。"},
    {kComputerNameForbidden,
     "情報のメッセージ。指定したコンピュータ名は有効ではありません。Enterキーを押すと 画面を閉じます。",
     "指定したコンピュータ名は有効ではありません。\r\nコンピュータ名に次の文字は使えません：",
     "指定したコンピュータ名は有効ではありません。\r\nコンピュータ名に改行などの制御文字は使えません。"},
}};

// C0 controls (line breaks, tab, NUL...), DEL, and the C1 controls U+0080 to U+009F.
bool holdsControlCharacter(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7F) return true;
        if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
            static_cast<unsigned char>(text[i + 1]) <= 0x9F)
            return true;
    }
    return false;
}

constexpr std::string_view kChangeQuestionSpoken =
    "確認のメッセージ。入力した使用者 会社名 コンピュータ名を設定しますか？Yキーを押すと 入力した文字列を設定します。Nキーを押すと 画面を閉じます。";
constexpr std::string_view kChangeQuestion = "\r\n表示されている使用者/会社名/コンピュータ名を設定しますか？";
constexpr std::string_view kRestartSpoken =
    "確認のメッセージ。使用者 会社名 コンピュータ名に 入力した文字列を設定しました。Yキーを押すと パソコンを再起動します。Nキーを押すと 画面を閉じます。";
constexpr std::string_view kDoneText =
    "使用者/会社名/コンピュータ名に、表示されている文字列を設定しました。\r\n一部の項目では、設定を有効にするために、\r\n"
    "Windowsへの再ログオン、または、Windowsの再起動が必要です。";
constexpr std::string_view kRestartQuestionTail = "\r\n再起動しますか？";
constexpr std::string_view kDoneSpoken =
    "情報のメッセージ。使用者 会社名 コンピュータ名に 入力した文字列を設定しました。Enterキーを押すと 画面を閉じます。";

// Where each editable field is kept: its key on this family and its value name.
struct Place {
    std::string_view key;
    std::string_view name;
};

std::array<Place, kPcInfoEditableCount> editablePlaces(const Session& session) {
    const std::string_view version = session.codes.ntFamily() ? kKeyNt : kKey9x;
    return {{{version, "RegisteredOwner"}, {version, "RegisteredOrganization"}, {kKeyComputerName, "ComputerName"}}};
}

std::array<const std::string*, kPcInfoEditableCount> fieldsOf(const PcInfoEdit& edit) {
    return {&edit.user, &edit.organization, &edit.computer};
}

}  // namespace

std::span<const PcInfoRow> pcInfoRows() { return kRows; }

PcInformation ReadPcInformation(Session& session) {
    using foundation::RegKeyValues;
    const bool nt = session.codes.ntFamily();
    const RegKeyValues version(session.registry, RootKey::LocalMachine, nt ? kKeyNt : kKey9x);
    const RegKeyValues computer(session.registry, RootKey::LocalMachine, kKeyComputerName);
    const RegKeyValues cpu(session.registry, RootKey::LocalMachine, kKeyCpu);
    const auto text = [](const RegKeyValues& key, std::string_view name) { return key.read(name, RegType::String); };

    PcInformation info;
    info[0] = text(version, "RegisteredOwner");
    info[1] = text(version, "RegisteredOrganization");
    info[2] = text(computer, "ComputerName");
    info[3] = text(version, "ProductName");
    info[5] = text(version, "ProductId");
    info[7] = text(version, "SystemRoot");
    const std::string processor = text(cpu, "Identifier") + " " + text(cpu, "VendorIdentifier");
    if (nt) {
        const std::string build = text(version, "CurrentBuildNumber");
        info[4] = text(version, "CurrentVersion") + "." + build + " " + text(version, "CSDVersion") + " ビルド " + build;
        info[6] = session.profiles.ReadProfileValue(session.platform.system.windowsDirectory() + std::string(kAnswerFile),
                                                    "userdata", "ProductKey");
        info[8] = text(cpu, "ProcessorNameString");
        info[9] = processor + " " + cpu.read("~MHz", RegType::DWORD) + "MHz";
    } else {
        info[4] = text(version, "Version") + " " + text(version, "VersionNumber");
        info[6] = text(version, "ProductKey");
        info[9] = processor;
    }
    return info;
}

PcInfoEdit ReadEditablePcInformation(Session& session) {
    const auto places = editablePlaces(session);
    const auto read = [&](const Place& place) {
        return session.registry.ReadRegValue(RootKey::LocalMachine, place.key, place.name, RegType::String);
    };
    return {read(places[0]), read(places[1]), read(places[2])};
}

void WritePcInformation(Session& session, const PcInfoEdit& edit) {
    const auto places = editablePlaces(session);
    const auto fields = fieldsOf(edit);
    for (std::size_t i = 0; i < kPcInfoEditableCount; ++i) {
        if (!edit.enabled[i]) continue;
        const std::string value = *fields[i] == kNull ? std::string() : *fields[i];
        // A refused write throws: the command ends there with the system's text, and the
        // fields after it stay as they were.
        session.registry.WriteRegValue(RootKey::LocalMachine, places[i].key, places[i].name, value, RegType::String);
    }
}

PcInfoChange BtnChangeClick(Session& session, const PcInfoEdit& edit) {
    const auto fields = fieldsOf(edit);
    for (std::size_t i = 0; i < kPcInfoEditableCount; ++i) {
        const Validation& v = kValidations[i];
        if (foundation::ContainsAnyChar(*fields[i], v.forbidden)) {
            session.dialogs.error(v.spoken, std::string(v.text) + std::string(v.forbidden));
            return PcInfoChange::Invalid;
        }
        // A line break would also split the line that keeps the field in a restore point.
        if (holdsControlCharacter(*fields[i])) {
            session.dialogs.error(v.spoken, v.control);
            return PcInfoChange::Invalid;
        }
    }
    session.speech.speak(kChangeQuestionSpoken);
    for (const std::string* field : fields)
        if (field->empty()) return PcInfoChange::Empty;
    if (!session.dialogs.confirm("", kChangeQuestion)) return PcInfoChange::Cancelled;
    WritePcInformation(session, edit);
    if (session.settings.general("DlgReboot") == "On") {
        if (session.dialogs.confirm(kRestartSpoken, std::string(kDoneText) + std::string(kRestartQuestionTail)))
            foundation::RestartWindows(session.platform);
    } else {
        session.dialogs.informIfAllowed(kDoneSpoken, kDoneText);
    }
    return PcInfoChange::Written;
}

void BtnDetailClick(Session& session) {
    // A tool that cannot start is reported to nobody, as on Windows.
    (void)session.platform.shell.shellExecute("open", "msinfo32", "", "", platform::showcmd::Normal);
}

}  // namespace hastelyn::engine
