#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "foundation/ProfileValues.h"
#include "foundation/Settings.h"
#include "foundation/Speech.h"
#include "foundation/SpeechDispatcher.h"
#include "platform/Text.h"
#include "tests/support/FakeSpeechDispatcher.h"
#include "tests/support/FakeSurfaces.h"
#include "tests/support/SandboxFixture.h"
#include "tests/support/TempFolder.h"

namespace hastelyn::foundation {
namespace {

using testing::FakeClipboard;
using testing::FakeSpeechDispatcher;
using testing::MiniMachine;
using testing::SandboxFixture;
using testing::ScopedSpeechdAddress;
using testing::TempFolder;
using Texts = std::vector<std::string>;

const std::string kHints =
    "F4キーを押すと 選択している高速化項目について、詳しい解説が説明されます。上下キーを押すと ほかの高速化項目を選択します。";

class RecordingSynthesizer : public SpeechSynthesizer {
public:
    bool say(std::string_view text) override {
        if (!working) return false;
        said.emplace_back(text);
        return true;
    }
    bool available() override { return working; }
    std::string unavailableReason() const override { return working ? "" : "壊れています。"; }

    bool working = true;
    Texts said;
};

struct Env {
    explicit Env(const std::string& general)
        : fx(MiniMachine{}.file("C:\\Program Files\\Hastelyn\\Hastelyn.ini", "[環境設定]\r\n" + general)),
          profiles(fx.platform()),
          settings(profiles, "C:\\Program Files\\Hastelyn\\Hastelyn.ini"),
          speech(settings, clipboard, &synthesizer) {}

    // One text of each kind: spoken, spoken always, a row chosen.
    void speakEachKind() {
        speech.speak("一");
        speech.speakAlways("二");
        speech.speakRowSelection("システム", "①", true);
    }

    SandboxFixture fx;
    ProfileValues profiles;
    Settings settings;
    FakeClipboard clipboard;
    RecordingSynthesizer synthesizer;
    Speech speech;
};

TEST(SpeechOutput, ClipboardUnlessTheSettingSaysSpeechOrBoth) {
    // Absent, and every spelling other than the two, is the clipboard alone.
    for (const char* setting : {"", "SpeechOutput=Clipboard\r\n", "SpeechOutput=speech\r\n", "SpeechOutput=\r\n"}) {
        Env env(std::string("Sound=On\r\n") + setting);
        env.speakEachKind();
        EXPECT_TRUE(env.synthesizer.said.empty()) << setting;
        EXPECT_EQ(env.clipboard.history, (Texts{"一", "二", "システム①", "システム①。チェック。",
                                                "システム①。チェック。" + kHints}))
            << setting;
    }
}

TEST(SpeechOutput, SpeechSaysEachTextOnceAndLeavesTheClipboardAloneWhileASynthesizerSpeaks) {
    Env env("Sound=On\r\nSpeechOutput=Speech\r\n");
    env.speakEachKind();
    env.speech.speakListSelection("ユーティリティ", "③", std::nullopt, "ヒント。");
    EXPECT_EQ(env.synthesizer.said, (Texts{"一", "二", "システム①。チェック。" + kHints, "ユーティリティ③ヒント。"}));
    EXPECT_TRUE(env.clipboard.history.empty());

    // "Sound" = "Off" silences the synthesizer as it does the clipboard; the keys that always
    // speak still do.
    env.settings.write(kGeneralSection, "Sound", "Off");
    env.synthesizer.said.clear();
    env.speakEachKind();
    EXPECT_EQ(env.synthesizer.said, Texts{"二"});
    EXPECT_TRUE(env.clipboard.history.empty());

    // A synthesizer that cannot speak leaves the texts to the clipboard.
    env.settings.write(kGeneralSection, "Sound", "On");
    env.synthesizer.working = false;
    env.speakEachKind();
    EXPECT_EQ(env.clipboard.history,
              (Texts{"一", "二", "システム①", "システム①。チェック。", "システム①。チェック。" + kHints}));

    // So does a speech without any synthesizer.
    FakeClipboard clipboard;
    Speech without(env.settings, clipboard);
    without.speakAlways("三");
    EXPECT_EQ(clipboard.history, Texts{"三"});
}

TEST(SpeechOutput, BothSaysTheTextAndBuildsTheClipboardAsBefore) {
    Env env("Sound=On\r\nSpeechOutput=Both\r\n");
    env.speakEachKind();
    EXPECT_EQ(env.synthesizer.said, (Texts{"一", "二", "システム①。チェック。" + kHints}));
    EXPECT_EQ(env.clipboard.history,
              (Texts{"一", "二", "システム①", "システム①。チェック。", "システム①。チェック。" + kHints}));
}

// speech-dispatcher's own client library against a fake server.
class SpeechDispatcherTest : public ::testing::Test {
protected:
    TempFolder folder;
    FakeSpeechDispatcher server{folder.path() / "speechd.sock"};
    ScopedSpeechdAddress address{server.address()};
    SpeechDispatcher dispatcher{{.library = "libspeechd.so.2", .autospawn = false}};
};

TEST_F(SpeechDispatcherTest, EachTextCancelsTheOneBeforeAndArrivesWholeAlsoAfterTheServerWentAway) {
    ASSERT_TRUE(dispatcher.available()) << dispatcher.unavailableReason();
    EXPECT_TRUE(dispatcher.say("ヘルププッシュボタンです。"));
    // Line breaks stay; a line that begins with a dot is not taken for the end of the text.
    EXPECT_TRUE(dispatcher.say("一行目\r\n.二行目\r\n\r\n三行目"));
    // An empty text only stops what was being said.
    EXPECT_TRUE(dispatcher.say(""));
    EXPECT_TRUE(dispatcher.say("ソフトを終了しました。"));
    EXPECT_EQ(server.messages(), (Texts{"ヘルププッシュボタンです。", "一行目\r\n.二行目\r\n\r\n三行目", "ソフトを終了しました。"}));

    // Japanese is asked for once; every text is preceded by the cancel of this client's speech.
    const Texts log = server.log();
    std::vector<std::string> speaking;
    for (const std::string& line : log)
        if (line.starts_with("CANCEL") || line.starts_with("SPEAK")) speaking.push_back(line.substr(0, 6));
    EXPECT_EQ(speaking, (Texts{"CANCEL", "SPEAK ", "CANCEL", "SPEAK ", "CANCEL", "CANCEL", "SPEAK "}));
    const auto japanese = [](const std::string& line) { return text::equalsNoCase(line, "SET SELF LANGUAGE JA"); };
    EXPECT_EQ(std::count_if(log.begin(), log.end(), japanese), 1) << ::testing::PrintToString(log);
    EXPECT_EQ(server.connections(), 1);

    // A server that went away is connected again, once.
    server.dropClients();
    EXPECT_TRUE(dispatcher.say("後"));
    EXPECT_EQ(server.messages().back(), "後");
    EXPECT_EQ(server.connections(), 2);
}

TEST(SpeechDispatcher, MissingLibraryOrServerIsAReasonNotAFailure) {
    SpeechDispatcher noLibrary{{.library = "libspeechd-missing.so.9", .autospawn = false}};
    EXPECT_FALSE(noLibrary.available());
    EXPECT_FALSE(noLibrary.say("聞こえない"));
    EXPECT_NE(noLibrary.unavailableReason().find("libspeechd-missing.so.9"), std::string::npos);

    TempFolder folder;
    ScopedSpeechdAddress nowhere("unix_socket:" + (folder.path() / "none.sock").string());
    SpeechDispatcher noServer{{.library = "libspeechd.so.2", .autospawn = false}};
    EXPECT_EQ(noServer.unavailableReason(), "");
    EXPECT_FALSE(noServer.say("聞こえない"));
    EXPECT_TRUE(noServer.unavailableReason().starts_with("speech-dispatcher に接続できないため"))
        << noServer.unavailableReason();
    EXPECT_TRUE(noServer.unavailableReason().ends_with("音声はクリップボードに送られます。"));
    EXPECT_FALSE(noServer.available());
}

}  // namespace
}  // namespace hastelyn::foundation
