#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "foundation/CommandError.h"
#include "foundation/KeyboardMap.h"
#include "foundation/MessageDialogs.h"
#include "foundation/ProfileValues.h"
#include "foundation/Settings.h"
#include "foundation/Speech.h"
#include "foundation/SpokenTexts.h"
#include "platform/Win32Types.h"
#include "tests/support/SandboxFixture.h"

namespace hastelyn::foundation {
namespace {

using testing::MiniMachine;
using testing::SandboxFixture;

const char* const kIni = "C:\\Program Files\\Hastelyn\\Hastelyn.ini";
const std::string kRowHintText =
    "F4キーを押すと 選択している高速化項目について、詳しい解説が説明されます。"
    "上下キーを押すと ほかの高速化項目を選択します。";
const std::string kFirstPromptText =
    "このソフトで 音声対応機能を利用するには F6キーを押して 音声対応機能を有効にする必要があります。"
    "F6キーを押さないと 音声対応機能は自動的に無効となります。";
const std::string kSpeechOnText = "音声対応機能を有効にしました。";
const std::string kF5PromptText = "F5キーを押すと ソフトの 操作方法を説明します。";

// The clipboard, the dialogs and the main window in one, noting clipboard writes, dialogs and
// window actions in order.
class Recorder : public Clipboard, public DialogProvider, public MainWindowActions {
public:
    std::string text() override { return busy ? std::string() : content; }
    void setText(std::string_view text) override {
        if (!busy) log.push_back("clipboard:" + (content = std::string(text)));
        if (afterSet) afterSet(*this);
    }
    bool show(DialogKind kind, std::string_view text) override {
        static const char* const kNames[] = {"確認", "情報", "エラー", "警告"};
        log.push_back(std::string("dialog:") + kNames[static_cast<int>(kind)] + ":" + std::string(text));
        const bool answer = !answers.empty() && answers.front();
        if (!answers.empty()) answers.pop_front();
        return answer;
    }
    void focusFirstMenuButton() override { log.push_back("focus BtnSystem"); }
    void closeMainWindow() override { log.push_back("close"); }
    std::optional<bool> focusedTweakRowTicked() override { return tick; }
    void openHelp() override { log.push_back("help"); }
    void pressAccelerate() override { log.push_back("accelerate"); }
    std::string commentText() override { return comment; }

    std::vector<std::string> log;
    std::string content;
    bool busy = false;  // a busy clipboard loses writes and reads empty
    // Runs after each write, lost or not: another program using the clipboard between our steps.
    std::function<void(Recorder&)> afterSet;
    std::deque<bool> answers;  // for the dialogs to come; No when none is left
    std::optional<bool> tick;
    std::string comment;
};
using EventLog = std::vector<std::string>;

// A machine whose settings file holds the given general settings (none: no file at all).
struct Env {
    explicit Env(std::string general = "", std::string settingsPath = kIni)
        : fx(general.empty() ? MiniMachine{} : MiniMachine{}.file(kIni, "[環境設定]\r\n" + general)),
          profiles(fx.platform()),
          settings(profiles, std::move(settingsPath)),
          speech(settings, rec),
          dialogs(rec, speech, settings) {}

    void press(MainKey key) { handleMainWindowKey(key, rec, speech, settings); }
    void startupPrompt(std::uint32_t driveType) { runStartupPrompt(settings, speech, driveType); }

    Recorder rec;
    SandboxFixture fx;
    ProfileValues profiles;
    Settings settings;
    Speech speech;
    MessageDialogs dialogs;
};

TEST(Speech, SpeakReadsTheSoundSettingAtEveryCall) {
    Env env;
    env.speech.speak("一");
    env.speech.speakAlways("二");
    env.settings.write(kGeneralSection, "Sound", "Off");
    env.speech.speak("三");
    env.settings.write(kGeneralSection, "Sound", "On");
    env.speech.speak("四");
    env.settings.write(kGeneralSection, "Sound", "on");
    env.speech.speak("五");
    env.speech.speakAlways("");
    EXPECT_EQ(env.rec.log, (EventLog{"clipboard:二", "clipboard:四", "clipboard:"}));
}

TEST(Speech, RowSelectionBuildsItsTextInThreeStepsFromWhatTheClipboardHoldsNow) {
    Env env("Sound=On\r\n");
    env.speech.speakRowSelection("システム", "①メニューの表示を速くする", true);
    EXPECT_EQ(env.rec.log, (EventLog{
                               "clipboard:システム①メニューの表示を速くする",
                               "clipboard:システム①メニューの表示を速くする。チェック。",
                               "clipboard:システム①メニューの表示を速くする。チェック。" + kRowHintText,
                           }));

    env.speech.speakRowSelection("不要サービス", "Alerter", false);
    EXPECT_EQ(env.rec.content, "不要サービスAlerter。チェックなし。" + kRowHintText);

    // The utility and information lists have no tick word and hints of their own.
    env.rec.log.clear();
    env.speech.speakListSelection("ユーティリティ", "③ msconfig", std::nullopt, spoken::kUtilityHints);
    EXPECT_EQ(env.rec.log, (EventLog{
                               "clipboard:ユーティリティ③ msconfig",
                               "clipboard:ユーティリティ③ msconfig。F4キーを押すと 選択しているユーティリティ項目について、"
                               "詳しい解説が説明されます。上下キーを押すと ほかのユーティリティ項目を選択します。",
                           }));
    env.speech.speakListSelection("パソコン情報", "① 使用者", std::nullopt, spoken::kInfoHints);
    EXPECT_EQ(env.rec.content,
              "パソコン情報① 使用者。F4キーを押すと 選択しているパソコン情報について、詳しい解説が説明されます。"
              "上下キーを押すと ほかのパソコン情報項目を選択します。");

    // Each step appends to whatever the clipboard holds now.
    int writes = 0;
    // Another program puts its own text on the clipboard right after the first step.
    env.rec.afterSet = [&writes](Recorder& clipboard) {
        if (++writes == 1) clipboard.content = "他のソフト";
    };
    env.speech.speakRowSelection("システム", "①", true);
    EXPECT_EQ(env.rec.content, "他のソフト。チェック。" + kRowHintText);

    // A busy clipboard loses the writes and reads empty; the steps go on without failing.
    env.rec.afterSet = nullptr;
    env.rec.content.clear();
    env.rec.busy = true;
    env.speech.speakRowSelection("システム", "①", false);
    EXPECT_EQ(env.rec.content, "");

    // Busy during the second step only: its tick word is lost, the hints follow the row text.
    env.rec.busy = false;
    writes = 0;
    env.rec.afterSet = [&writes](Recorder& clipboard) { clipboard.busy = ++writes == 1; };
    env.speech.speakRowSelection("システム", "②", false);
    EXPECT_EQ(env.rec.content, "システム②" + kRowHintText);
}

TEST(Speech, RowSelectionIsSilentWithoutSound) {
    for (const char* general : {"", "Sound=Off\r\n", "Sound=\r\n"}) {
        Env env(general);
        env.rec.content = "前の内容";
        env.speech.speakRowSelection("システム", "①", true);
        env.speech.speakListSelection("ユーティリティ", "①", std::nullopt, spoken::kUtilityHints);
        EXPECT_TRUE(env.rec.log.empty()) << general;
        EXPECT_EQ(env.rec.content, "前の内容");
    }
}

TEST(SpokenTexts, CommentaryLosesSlashesBracketsCornerQuotesAndCommas) {
    using spoken::commentForSpeech;
    EXPECT_EQ(commentForSpeech(""), "");
    EXPECT_EQ(commentForSpeech("a/b[c]d「e」f、g"), "a b c d e f g");
    EXPECT_EQ(commentForSpeech("//[[]]「「」」、、"), std::string(12, ' '));
    EXPECT_EQ(commentForSpeech("[HKEY_CURRENT_USER\\Control Panel]\r\n「メニュー」の表示、速度/遅延"),
              " HKEY_CURRENT_USER\\Control Panel \r\n メニュー の表示 速度 遅延");
    // Look-alikes stay: full-width slash and brackets, the ideographic full stop and comma, 『』.
    const std::string kept = "／［］『』。，,\\";
    EXPECT_EQ(commentForSpeech(kept), kept);
}

// The texts not written out in these tests; the others are compared whole.
TEST(SpokenTexts, TextsAreOneLineWithHalfWidthBlanks) {
    for (const std::string_view text : {spoken::kExit, spoken::kOverview, spoken::kOperation}) {
        EXPECT_FALSE(text.empty());
        EXPECT_EQ(text.find_first_of("\r\n\""), std::string_view::npos) << text;
        EXPECT_EQ(text.find("　"), std::string_view::npos) << text;
        EXPECT_EQ(text.find("  "), std::string_view::npos) << text;
        EXPECT_TRUE(text.ends_with("。")) << text;
    }
    EXPECT_TRUE(spoken::kOperation.starts_with("これから ソフトの操作方法を説明します。F1キーを押すと "));
    EXPECT_TRUE(spoken::kOperation.ends_with("Escapeキーを押すと、ソフトを終了します。"));
    EXPECT_TRUE(spoken::kOverview.starts_with("Hastelynは Windowsの動作を高速にする 初心者向きのソフトです。"));
}

TEST(MessageDialogs, SpeakFirstThenShowTheTextAsGivenAndWithoutSoundOnlyShow) {
    Env env("Sound=On\r\n");
    env.rec.answers = {true, false, true, true};
    EXPECT_TRUE(env.dialogs.confirm("確認のメッセージ。はい？", "\r\nはい？"));
    EXPECT_FALSE(env.dialogs.confirm("確認のメッセージ。いいえ？", "\r\nいいえ？"));
    env.dialogs.error("エラーのメッセージ。失敗。", "\r\n失敗");
    env.dialogs.warning("", "\r\n注意");
    EXPECT_EQ(env.rec.log, (EventLog{
                               "clipboard:確認のメッセージ。はい？",
                               "dialog:確認:\r\nはい？",
                               "clipboard:確認のメッセージ。いいえ？",
                               "dialog:確認:\r\nいいえ？",
                               "clipboard:エラーのメッセージ。失敗。",
                               "dialog:エラー:\r\n失敗",
                               "dialog:警告:\r\n注意",
                           }));
    EXPECT_TRUE(env.rec.answers.empty());

    // Without sound only the dialogs appear.
    env.settings.write(kGeneralSection, "Sound", "Off");
    env.rec.log.clear();
    env.rec.content = "前の内容";
    env.rec.answers = {true, true, true, true};
    EXPECT_TRUE(env.dialogs.confirm("確認のメッセージ。", "\r\nQ"));
    env.dialogs.error("エラーのメッセージ。", "\r\nE");
    env.dialogs.warning("警告", "\r\nW");
    env.dialogs.inform("情報のメッセージ。", "\r\nI");
    EXPECT_EQ(env.rec.log, (EventLog{"dialog:確認:\r\nQ", "dialog:エラー:\r\nE", "dialog:警告:\r\nW", "dialog:情報:\r\nI"}));
    EXPECT_EQ(env.rec.content, "前の内容");
}

TEST(MessageDialogs, DlgInformOffHidesInformationDialogs) {
    {
        Env env("Sound=On\r\nDlgInform=Off\r\n");
        env.dialogs.inform("情報のメッセージ。一。", "\r\n一");
        env.dialogs.informIfAllowed("情報のメッセージ。二。", "\r\n二");
        // Other kinds are never suppressed.
        env.rec.answers = {true};
        env.dialogs.error("エラーのメッセージ。三。", "\r\n三");
        EXPECT_EQ(env.rec.log,
                  (EventLog{"clipboard:情報のメッセージ。一。", "clipboard:エラーのメッセージ。三。", "dialog:エラー:\r\n三"}));
    }
    // Absent, "On" and any other spelling than "Off" show them.
    for (const char* dlgInform : {"", "DlgInform=On\r\n", "DlgInform=off\r\n"}) {
        Env env(std::string("Sound=On\r\n") + dlgInform);
        env.rec.answers = {true, true};
        env.dialogs.inform("情報のメッセージ。一。", "\r\n一");
        env.dialogs.informIfAllowed("情報のメッセージ。二。", "\r\n二");
        EXPECT_EQ(env.rec.log, (EventLog{"clipboard:情報のメッセージ。一。", "dialog:情報:\r\n一",
                                     "clipboard:情報のメッセージ。二。", "dialog:情報:\r\n二"}))
            << dlgInform;
    }
}

// F3, F5 and the tick words on Space, with speech off, are the window's keyboard test's.
TEST(KeyboardMap, SpeakingKeysWorkWithSoundOffAndTheOthersNeverSpeak) {
    Env env("Sound=Off\r\n");
    env.rec.comment = "「高速化」の解説/[HKEY]、以上";
    env.press(MainKey::F4);
    env.press(MainKey::Space);  // no tweak list has the focus: nothing to say
    env.speech.speak("聞こえない");
    EXPECT_EQ(env.rec.log, EventLog{"clipboard: 高速化 の解説  HKEY  以上"});
    EXPECT_EQ(env.settings.general("Sound"), "Off");

    // F6 switches the speech on: the next spoken text reaches the clipboard.
    env.rec.log.clear();
    env.press(MainKey::F6);
    EXPECT_EQ(env.settings.general("Sound"), "On");
    env.speech.speak("聞こえる");
    // An empty commentary still replaces what the clipboard held.
    env.rec.comment.clear();
    env.press(MainKey::F4);
    EXPECT_EQ(env.rec.log, (EventLog{"clipboard:" + kSpeechOnText, "clipboard:聞こえる", "clipboard:"}));

    // The other keys act without speaking, speech on or not.
    env.rec.log.clear();
    env.rec.tick = true;
    for (const MainKey key : {MainKey::Alt, MainKey::F1, MainKey::F2, MainKey::Other}) env.press(key);
    EXPECT_EQ(env.rec.log, (EventLog{"focus BtnSystem", "help", "accelerate"}));
}

TEST(KeyboardMap, RefusedSoundWriteEndsF6WithAnError) {
    // The settings file lies in a folder that does not exist, so Windows refuses the write.
    Env env("", "C:\\No Such Folder\\Hastelyn.ini");
    EXPECT_THROW(env.press(MainKey::F6), CommandError);
    EXPECT_EQ(env.rec.log, EventLog{"clipboard:" + kSpeechOnText});
    EXPECT_EQ(env.settings.general("Sound"), "NULL");
}

TEST(StartupPrompt, TheFirstStartAsksForF6AndLaterOnesExplainF5OnlyWhenSoundIsOn) {
    Env env;
    env.startupPrompt(platform::drivetype::Fixed);
    EXPECT_EQ(env.rec.log, EventLog{"clipboard:" + kFirstPromptText});
    EXPECT_EQ(env.settings.general("Sound"), "Off");

    // The next start is silent; after F6 the start-up explains F5.
    env.rec.log.clear();
    env.startupPrompt(platform::drivetype::Fixed);
    EXPECT_TRUE(env.rec.log.empty());
    env.press(MainKey::F6);
    env.startupPrompt(platform::drivetype::Fixed);
    EXPECT_EQ(env.rec.log, (EventLog{"clipboard:" + kSpeechOnText, "clipboard:" + kF5PromptText}));

    // With "Sound" = "On" from the start, from any drive.
    for (const std::uint32_t drive : {platform::drivetype::Fixed, platform::drivetype::CdRom}) {
        Env on("Sound=On\r\n");
        on.startupPrompt(drive);
        EXPECT_EQ(on.rec.log, EventLog{"clipboard:" + kF5PromptText}) << drive;
    }
    // An empty value is not absent: nothing is asked, nothing changes.
    Env empty("Sound=\r\n");
    empty.startupPrompt(platform::drivetype::Fixed);
    EXPECT_TRUE(empty.rec.log.empty());
    EXPECT_EQ(empty.settings.general("Sound"), "");
}

}  // namespace
}  // namespace hastelyn::foundation
