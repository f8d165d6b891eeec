// Mutexes, windows and messages between real processes that open the same machine folder.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <concepts>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Win32Types.h"
#include "platform/sandbox/SandboxPlatform.h"
#include "platform/sandbox/util/AtomicFile.h"
#include "platform/sandbox/util/Process.h"
#include "tests/support/FileText.h"
#include "tests/support/MiniMachine.h"
#include "tests/support/TempFolder.h"

namespace hastelyn::sandbox {
namespace {

namespace fs = std::filesystem;
namespace win32error = platform::win32error;
namespace wm = platform::wm;
using platform::ObjectHandle;
using platform::WindowHandle;
using platform::WindowMessage;

std::vector<std::string> splitTabs(std::string_view line) {
    std::vector<std::string> fields;
    while (true) {
        const std::size_t tab = line.find('\t');
        fields.emplace_back(line.substr(0, tab));
        if (tab == std::string_view::npos) return fields;
        line.remove_prefix(tab + 1);
    }
}

std::string describe(const std::vector<WindowMessage>& messages) {
    std::string text;
    for (const WindowMessage& m : messages) {
        if (!text.empty()) text += ' ';
        text += std::to_string(m.window.value) + ":" + std::to_string(m.message) + ":" + std::to_string(m.wParam) +
                ":" + std::to_string(m.lParam);
    }
    return text;
}

std::string field(const std::string& text) { return text; }
std::string field(const char* text) { return text; }
template <std::integral Number>
std::string field(Number n) {
    return std::to_string(n);
}

bool readLine(int fd, std::string& line) {
    line.clear();
    char c = 0;
    while (true) {
        const ssize_t n = ::read(fd, &c, 1);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        if (c == '\n') return true;
        line += c;
    }
}

void writeLine(int fd, const std::string& line) { ::dprintf(fd, "%s\n", line.c_str()); }

// Carries out the commands of the test, one a line, on a platform of its own; answers each.
[[noreturn]] void serve(const fs::path& machineFolder, int in, int out) {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    ::alarm(30);
    // Nothing of the parent's: neither its locks nor the pipes of the other programs, which
    // would keep them from seeing the end of their input.
    std::vector<int> inherited;
    for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
        const int fd = std::stoi(entry.path().filename().string());
        if (fd > 2 && fd != in && fd != out) inherited.push_back(fd);
    }
    for (int fd : inherited) ::close(fd);
    try {
        auto sandbox = std::make_unique<SandboxPlatform>(machineFolder);
        SandboxWindowSystem& w = sandbox->windows();
        std::string line;
        while (readLine(in, line)) {
            const std::vector<std::string> f = splitTabs(line);
            const auto n = [&f](std::size_t i) { return std::stoull(f.at(i)); };
            const std::string& command = f[0];
            std::string reply;
            if (command == "createMutex" || command == "openMutex") {
                ObjectHandle h;
                const long rc = command == "createMutex" ? w.createMutex(f.at(1), h) : w.openMutex(f.at(1), h);
                reply = std::to_string(rc) + " " + std::to_string(h.value);
            } else if (command == "close") {
                reply = field(w.closeHandle({n(1)}));
            } else if (command == "wait") {
                reply = field(w.waitForMutex({n(1)}));
            } else if (command == "release") {
                reply = field(w.releaseMutex({n(1)}));
            } else if (command == "createWindow") {
                reply = field(w.createWindow(f.at(1), f.at(2)).value);
            } else if (command == "sandboxWindow") {
                reply = field(w.createSandboxWindow(f.at(1), f.at(2)).value);
            } else if (command == "destroyWindow") {
                reply = field(w.destroyWindow({n(1)}));
            } else if (command == "post") {
                reply = field(w.postMessage({n(1)}, static_cast<std::uint32_t>(n(2)), n(3), std::stoll(f.at(4))));
            } else if (command == "take") {
                reply = describe(w.takeMessages());
            } else if (command == "quit") {
                sandbox.reset();
                writeLine(out, "bye");
                std::_Exit(0);
            } else {
                std::_Exit(3);
            }
            writeLine(out, reply);
        }
        std::_Exit(0);
    } catch (...) {
        std::_Exit(2);
    }
}

// Another program on the same machine: a child process driven through a pair of pipes. Made
// before the test's own platform, so that it shares no lock of it.
class OtherProgram {
public:
    explicit OtherProgram(const fs::path& machineFolder) {
        int toChild[2];
        int fromChild[2];
        if (::pipe2(toChild, O_CLOEXEC) != 0 || ::pipe2(fromChild, O_CLOEXEC) != 0) std::abort();
        pid_ = ::fork();
        if (pid_ < 0) std::abort();
        if (pid_ == 0) {
            ::close(toChild[1]);
            ::close(fromChild[0]);
            serve(machineFolder, toChild[0], fromChild[1]);
        }
        ::close(toChild[0]);
        ::close(fromChild[1]);
        to_ = toChild[1];
        from_ = fromChild[0];
    }
    ~OtherProgram() {
        ::close(to_);  // a running one reads the end and leaves
        ::close(from_);
        if (!reaped_) ::waitpid(pid_, nullptr, 0);
    }
    OtherProgram(const OtherProgram&) = delete;
    OtherProgram& operator=(const OtherProgram&) = delete;

    // Sends one command (its fields joined by tabs) and gives the answer; "<gone>" when the
    // program ended instead.
    template <typename... Fields>
    std::string ask(const Fields&... fields) {
        send(fields...);
        return answer();
    }
    template <typename... Fields>
    void send(const Fields&... fields) {
        std::string line;
        ((line += (line.empty() ? "" : "\t") + field(fields)), ...);
        writeLine(to_, line);
    }
    std::string answer() {
        std::string reply;
        return readLine(from_, reply) ? reply : "<gone>";
    }
    std::uint64_t askNumber(const auto&... fields) { return std::stoull(ask(fields...)); }

    // Kills it; it stays a zombie (not yet reaped) until the object goes.
    void kill() {
        ::kill(pid_, SIGKILL);
        siginfo_t info{};
        ::waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOWAIT);
    }
    // Ends it the ordinary way: its window system is destroyed first.
    void quit() {
        EXPECT_EQ(ask("quit"), "bye");
        ::waitpid(pid_, nullptr, 0);
        reaped_ = true;
    }
    pid_t pid() const { return pid_; }

private:
    pid_t pid_ = -1;
    int to_ = -1;
    int from_ = -1;
    bool reaped_ = false;
};

// Every path under folder, relative to it.
std::set<std::string> listing(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        names.insert(fs::relative(entry.path(), folder).string());
    return names;
}

fs::path freshMachine(const testing::TempFolder& temp) { return testing::MiniMachine().writeTo(temp.path()); }

TEST(WindowSystemMutex, LivesWhileAnyProcessHasAHandleAndGoesWithAKilledHolder) {
    testing::TempFolder temp;
    OtherProgram first(freshMachine(temp));
    OtherProgram third(temp.path());
    SandboxPlatform second(temp.path());
    SandboxWindowSystem& w = second.windows();

    const std::string created = first.ask("createMutex", "Hastelyn");
    ASSERT_TRUE(created.starts_with("0 ")) << created;
    const std::string again = first.ask("createMutex", "Hastelyn");
    EXPECT_TRUE(again.starts_with("183 ")) << "same process, already there: " << again;

    ObjectHandle opened;
    EXPECT_EQ(w.openMutex("Hastelyn", opened), win32error::Success);
    EXPECT_TRUE(opened);
    ObjectHandle otherCase{77};
    EXPECT_EQ(w.openMutex("hastelyn", otherCase), win32error::FileNotFound) << "names are case-sensitive";
    EXPECT_FALSE(otherCase);
    ObjectHandle createdAgain;
    EXPECT_EQ(w.createMutex("Hastelyn", createdAgain), win32error::AlreadyExists);
    EXPECT_TRUE(createdAgain);
    EXPECT_NE(createdAgain.value, opened.value);
    EXPECT_FALSE(w.releaseMutex(opened)) << "not owned";
    EXPECT_EQ(second.machine().lastError(), win32error::NotOwner);

    // The first process lets go of both its handles; those of the second keep the mutex.
    EXPECT_EQ(first.ask("close", created.substr(2)), "1");
    EXPECT_EQ(first.ask("close", created.substr(2)), "0");
    EXPECT_EQ(first.ask("close", again.substr(4)), "1");
    EXPECT_TRUE(w.closeHandle(opened));
    const std::string held = first.ask("openMutex", "Hastelyn");
    ASSERT_TRUE(held.starts_with("0 ")) << held;
    // ... and now the first process's handle keeps it.
    EXPECT_TRUE(w.closeHandle(createdAgain));
    ObjectHandle probe;
    EXPECT_EQ(w.openMutex("Hastelyn", probe), win32error::Success);
    EXPECT_TRUE(w.closeHandle(probe));
    EXPECT_EQ(first.ask("close", held.substr(2)), "1");

    EXPECT_EQ(w.openMutex("Hastelyn", probe), win32error::FileNotFound);
    EXPECT_EQ(first.ask("openMutex", "Hastelyn"), "2 0");
    EXPECT_FALSE(w.closeHandle(createdAgain));
    EXPECT_FALSE(w.releaseMutex(createdAgain));
    EXPECT_EQ(second.machine().lastError(), win32error::InvalidHandle);
    EXPECT_EQ(listing(temp.path() / "locks"), std::set<std::string>{".guard"}) << "the last holder removes the file";
    EXPECT_EQ(w.createMutex("Hastelyn", probe), win32error::Success);
    EXPECT_TRUE(first.ask("createMutex", "Hastelyn").starts_with("183 "));

    // The first process, now its only holder, is killed: it leaves its file, but no lock.
    EXPECT_TRUE(w.closeHandle(probe));
    first.kill();
    EXPECT_EQ(w.openMutex("Hastelyn", probe), win32error::FileNotFound);
    EXPECT_TRUE(fs::exists(temp.path() / "locks" / "Hastelyn"));
    EXPECT_EQ(w.createMutex("Hastelyn", probe), win32error::Success);
    EXPECT_TRUE(third.ask("openMutex", "Hastelyn").starts_with("0 "));
    EXPECT_TRUE(third.ask("createMutex", "Hastelyn").starts_with("183 "));
}

// Owning: one process at a time, as often as it waited; the next waiter gets it on the last
// release, or when its owner is killed.
TEST(WindowSystemMutex, IsOwnedByOneProcessAtATimeAndPassesOnWhenItsOwnerDies) {
    testing::TempFolder temp;
    OtherProgram first(freshMachine(temp));
    OtherProgram third(temp.path());
    SandboxPlatform second(temp.path());
    const std::string a = first.ask("createMutex", "Turn").substr(2);
    const std::string c = third.ask("createMutex", "Turn").substr(4);
    EXPECT_EQ(first.ask("wait", a), "0");
    EXPECT_EQ(first.ask("wait", a), "0");
    third.send("wait", c);
    EXPECT_EQ(first.ask("release", a), "1");
    EXPECT_EQ(first.ask("release", a), "1");
    EXPECT_EQ(third.answer(), "0");
    EXPECT_EQ(first.ask("release", a), "0") << "no longer its owner";

    ObjectHandle b;
    ASSERT_EQ(second.windows().createMutex("Turn", b), win32error::AlreadyExists);
    first.send("wait", a);
    EXPECT_EQ(third.ask("release", c), "1");
    EXPECT_EQ(first.answer(), "0");
    first.kill();
    EXPECT_EQ(second.windows().waitForMutex(b), win32error::Success);
    EXPECT_TRUE(second.windows().releaseMutex(b));
}

TEST(WindowSystemMutex, AForkedChildEndingLeavesItsParentsMutexAndWindows) {
    testing::TempFolder temp;
    OtherProgram other(freshMachine(temp));
    auto parent = std::make_unique<SandboxPlatform>(temp.path());
    ObjectHandle h;
    ASSERT_EQ(parent->windows().createMutex("Hastelyn", h), win32error::Success);
    const WindowHandle main = parent->windows().createWindow("TFrmMain", "Hastelyn");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        parent.reset();  // what returning from main would do
        std::_Exit(0);
    }
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    EXPECT_TRUE(other.ask("openMutex", "Hastelyn").starts_with("0 "));
    EXPECT_EQ(parent->windows().findWindow("TFrmMain", ""), main);
}

// Two programs create the mutex and four look for it, all at the same moment: exactly one of
// the creators makes it, and looking never makes it seem there.
TEST(WindowSystemMutex, OfInstancesStartingTogetherExactlyOneCreatesIt) {
    testing::TempFolder temp;
    freshMachine(temp);
    std::vector<std::unique_ptr<OtherProgram>> programs;
    for (int i = 0; i < 6; ++i) programs.push_back(std::make_unique<OtherProgram>(temp.path()));
    for (int round = 0; round < 600 && !HasFailure(); ++round) {
        for (std::size_t i = 0; i < programs.size(); ++i)
            programs[i]->send(i < 2 ? "createMutex" : "openMutex", "Hastelyn");
        std::vector<std::string> replies;
        for (auto& p : programs) replies.push_back(p->answer());
        EXPECT_TRUE((replies[0].starts_with("0 ") && replies[1].starts_with("183 ")) ||
                    (replies[0].starts_with("183 ") && replies[1].starts_with("0 ")))
            << "round " << round << ": " << replies[0] << ", " << replies[1];
        for (std::size_t i = 0; i < programs.size(); ++i) {
            const bool answered = replies[i].starts_with("0 ") || replies[i].starts_with("183 ") || replies[i] == "2 0";
            EXPECT_TRUE(answered) << replies[i];
            if (replies[i] != "2 0") {
                EXPECT_EQ(programs[i]->ask("close", replies[i].substr(replies[i].find(' ') + 1)), "1");
            }
        }
    }
}

TEST(WindowSystemMutex, ASecondInstanceLookingWritesNothing) {
    testing::TempFolder temp;
    OtherProgram first(freshMachine(temp));
    std::set<std::string> before = listing(temp.path());
    {
        SandboxPlatform second(temp.path());
        ObjectHandle h;
        EXPECT_EQ(second.windows().openMutex("Hastelyn", h), win32error::FileNotFound);
        EXPECT_FALSE(second.windows().findWindow("TFrmMain", ""));
        EXPECT_EQ(second.windows().takeMessages().size(), 0u);
    }
    EXPECT_EQ(listing(temp.path()), before);

    // Names with characters a file name cannot hold, and names too long for one.
    const std::string longName(300, 'x');
    for (const std::string& name : {std::string("Global\\Hastelyn/1:*?"), std::string(".."), std::string("a%2Fb"),
                                    longName, longName + "y"}) {
        EXPECT_TRUE(first.ask("createMutex", name).starts_with("0 ")) << name;
    }
    for (const fs::path& file : fs::directory_iterator(temp.path() / "locks"))
        EXPECT_LE(file.filename().string().size(), 200u) << file;
    before = listing(temp.path());
    SandboxPlatform second(temp.path());
    SandboxWindowSystem& w = second.windows();
    ObjectHandle h;
    EXPECT_EQ(w.openMutex("Global\\Hastelyn/1:*?", h), win32error::Success);
    EXPECT_EQ(w.openMutex("..", h), win32error::Success);
    EXPECT_EQ(w.openMutex(longName, h), win32error::Success);
    EXPECT_EQ(w.openMutex(longName + "y", h), win32error::Success);
    for (const std::string& missing : {std::string("Global\\Hastelyn/1:*"), std::string("a/b"), std::string("."),
                                       std::string(), longName.substr(1)}) {
        EXPECT_EQ(w.openMutex(missing, h), win32error::FileNotFound) << missing;
    }
    EXPECT_EQ(listing(temp.path()), before);
}

TEST(WindowSystemWindows, ASecondInstanceFindsTheMainWindowAndBringsItToTheFront) {
    testing::TempFolder temp;
    OtherProgram first(freshMachine(temp));
    SandboxPlatform second(temp.path());
    SandboxWindowSystem& w = second.windows();

    const std::uint64_t main = first.askNumber("createWindow", "TFrmMain", "Hastelyn");
    const std::uint64_t application = first.askNumber("createWindow", "TApplication", "Hastelyn");
    const std::uint64_t odd = w.createWindow("TFrmSub", "a\tb\\n\r\n").value;  // read back from the file too
    ASSERT_NE(main, 0u);
    EXPECT_NE(main, application);
    EXPECT_EQ(w.findWindow("TFrmMain", "").value, main);
    EXPECT_EQ(w.findWindow("tfrmMAIN", "Hastelyn").value, main);
    EXPECT_FALSE(w.findWindow("TFrmMain", "hastelyn")) << "titles compare exactly";
    EXPECT_FALSE(w.findWindow("TFrmMai", ""));
    EXPECT_EQ(w.findWindow("TFrmSub", "a\tb\\n\r\n").value, odd);
    EXPECT_FALSE(w.findWindow("TFrmSub", "a\tb\\n"));
    EXPECT_EQ(w.findWindow("", "Hastelyn").value, application) << "the topmost match";

    EXPECT_TRUE(w.setForegroundWindow({main}));
    EXPECT_EQ(w.findWindow("", "Hastelyn").value, main) << "raised to the top";
    EXPECT_EQ(first.ask("take"), field(main) + ":6:1:0");
    EXPECT_EQ(first.ask("take"), "");
    EXPECT_EQ(testing::journalLines(second.machine().folder()).back(), "SetForegroundWindow\t" + field(main) + "\tTFrmMain\tHastelyn");

    // The table as it lies in the machine folder, top window last.
    const std::string start = field(processStartTime(first.pid()));
    const std::string owner = field(first.pid()) + "\t" + start + "\t";
    EXPECT_EQ(readWholeFile(temp.path() / "windows" / "table.txt"),
              "; Top-level windows of this machine, bottom of the Z order first. Fields: handle, owner pid\n"
              "; (0: the sandbox), start time of the owner, class name, title.\n"
              "NextHandle=" + field(odd + 2) + "\n" +
              "65552\t0\t0\tProgman\tProgram Manager\n" +  // the shell, there since the machine started
              field(application) + "\t" + owner + "TApplication\tHastelyn\n" +
              field(odd) + "\t" + field(::getpid()) + "\t" + field(processStartTime(::getpid())) +
              "\tTFrmSub\ta\\tb\\\\n\\r\\n\n" +
              field(main) + "\t" + owner + "TFrmMain\tHastelyn\n");
}

TEST(WindowSystemWindows, WindowsOfEndedProcessesAreGone) {
    testing::TempFolder temp;
    OtherProgram killed(freshMachine(temp));
    OtherProgram ended(temp.path());
    SandboxPlatform second(temp.path());
    SandboxWindowSystem& w = second.windows();

    const WindowHandle ofKilled{killed.askNumber("createWindow", "TFrmMain", "A")};
    const WindowHandle ofEnded{ended.askNumber("createWindow", "TFrmMain", "B")};
    const WindowHandle sandboxOwned{ended.askNumber("sandboxWindow", "Progman", "Program Manager")};
    EXPECT_EQ(w.findWindow("TFrmMain", ""), ofEnded);
    EXPECT_TRUE(w.postMessage(ofKilled, 0x400, 0, 0));
    EXPECT_TRUE(w.postMessage(ofEnded, 0x400, 0, 0));
    EXPECT_TRUE(fs::exists(temp.path() / "windows" / (field(killed.pid()) + ".inbox")));

    ended.quit();
    EXPECT_EQ(w.findWindow("TFrmMain", ""), ofKilled);
    EXPECT_FALSE(fs::exists(temp.path() / "windows" / (field(ended.pid()) + ".inbox")));
    killed.kill();  // a zombie: kill(pid, 0) still succeeds for it
    EXPECT_FALSE(w.findWindow("TFrmMain", ""));
    EXPECT_FALSE(w.findWindow("", "A"));
    EXPECT_FALSE(w.postMessage(ofKilled, 0x400, 0, 0));
    EXPECT_FALSE(w.setForegroundWindow(ofKilled));
    EXPECT_EQ(w.sendMessage(ofKilled, 0x400, 0, 0), 0);
    EXPECT_EQ(w.findWindow("progman", ""), sandboxOwned) << "the sandbox's windows belong to no process";

    // Cleaned up: only the sandbox's windows remain (the shell's own and the one made here), and
    // no inbox.
    EXPECT_EQ(listing(temp.path() / "windows"), (std::set<std::string>{".lock", "table.txt"}));
    const WindowTable table = WindowTable::parse(readWholeFile(temp.path() / "windows" / "table.txt").value_or(""));
    ASSERT_EQ(table.windows.size(), 2u);
    EXPECT_TRUE(table.windows[0].sandboxOwned());
    EXPECT_EQ(table.windows[1].handle, sandboxOwned.value);
}

TEST(WindowSystemMessages, KeepTheirOrderAndNeverReachADestroyedWindow) {
    testing::TempFolder temp;
    OtherProgram first(freshMachine(temp));
    SandboxPlatform second(temp.path());
    SandboxWindowSystem& w = second.windows();

    const WindowHandle main{first.askNumber("createWindow", "TFrmMain", "Hastelyn")};
    const WindowHandle compact{first.askNumber("createWindow", "TFrmCompact", "")};
    const std::string m = field(main.value);
    const std::string c = field(compact.value);

    EXPECT_TRUE(w.postMessage(main, 0x400, 1, -1));
    EXPECT_EQ(w.sendMessage(compact, 0x401, 2, 2), 0);
    EXPECT_EQ(first.ask("post", m, 0x402, 3, 3), "1") << "to a window of its own";
    EXPECT_TRUE(w.postMessage(compact, wm::Close, 0, 0));
    EXPECT_TRUE(w.setForegroundWindow(main));
    EXPECT_EQ(first.ask("post", m, 0x403, 4, 4), "1");
    EXPECT_FALSE(w.destroyWindow(main)) << "a window of another process";
    EXPECT_EQ(first.ask("take"), m + ":1024:1:-1 " + c + ":1025:2:2 " + m + ":1026:3:3 " + c + ":16:0:0 " + m +
                                     ":6:1:0 " + m + ":1027:4:4");

    EXPECT_EQ(first.ask("destroyWindow", c), "1");
    EXPECT_EQ(first.ask("destroyWindow", c), "0");
    EXPECT_FALSE(w.postMessage(compact, wm::Close, 0, 0));
    EXPECT_EQ(second.machine().lastError(), 1400);
    EXPECT_EQ(w.sendMessage(compact, wm::Close, 0, 0), 0);
    EXPECT_FALSE(w.setForegroundWindow(compact));
    EXPECT_FALSE(w.findWindow("TFrmCompact", ""));
    // Waiting messages go with their window.
    EXPECT_TRUE(w.postMessage(main, wm::Quit, 0, 0));
    EXPECT_EQ(first.ask("post", m, 0x404, 0, 0), "1");
    EXPECT_EQ(first.ask("destroyWindow", m), "1");
    EXPECT_EQ(first.ask("take"), "");

    // The journal holds the messages that reached a window, nothing of the refused ones.
    const std::string target = m + "\tTFrmMain\tHastelyn\t";
    EXPECT_EQ(testing::journalLines(second.machine().folder()),
              (std::vector<std::string>{"PostMessage\t" + target + "1024\t1\t-1",
                                        "SendMessage\t" + c + "\tTFrmCompact\t\t1025\t2\t2",
                                        "PostMessage\t" + target + "1026\t3\t3",
                                        "PostMessage\t" + c + "\tTFrmCompact\t\t16\t0\t0",
                                        "SetForegroundWindow\t" + m + "\tTFrmMain\tHastelyn",
                                        "PostMessage\t" + target + "1027\t4\t4",
                                        "PostMessage\t" + target + "18\t0\t0",
                                        "PostMessage\t" + target + "1028\t0\t0"}));
}

// Two window systems in one process share its inbox; each takes only its own messages.
TEST(WindowSystemMessages, TwoWindowSystemsOfOneProcessKeepTheirMessagesApart) {
    testing::TempFolder temp;
    freshMachine(temp);
    SandboxPlatform a(temp.path());
    auto b = std::make_unique<SandboxPlatform>(temp.path());
    const WindowHandle ofA = a.windows().createWindow("TFrmMain", "A");
    const WindowHandle ofB = b->windows().createWindow("TFrmMain", "B");
    EXPECT_TRUE(a.windows().postMessage(ofB, 0x400, 1, 0));
    EXPECT_TRUE(b->windows().postMessage(ofA, 0x400, 2, 0));
    EXPECT_TRUE(a.windows().postMessage(ofA, 0x400, 3, 0));
    EXPECT_TRUE(b->windows().postMessage(ofB, 0x400, 4, 0));
    EXPECT_EQ(describe(a.windows().takeMessages()), field(ofA.value) + ":1024:2:0 " + field(ofA.value) + ":1024:3:0");
    EXPECT_TRUE(b->windows().postMessage(ofA, 0x400, 5, 0));
    b.reset();
    EXPECT_FALSE(a.windows().findWindow("", "B"));
    EXPECT_EQ(describe(a.windows().takeMessages()), field(ofA.value) + ":1024:5:0");
    EXPECT_TRUE(a.windows().destroyWindow(ofA));
    EXPECT_FALSE(a.windows().destroyWindow(ofA));
    EXPECT_EQ(listing(temp.path() / "windows"), (std::set<std::string>{".lock", "table.txt"}));
}

// Closes its window on WM_CLOSE, as the registration tool's result box would.
class ClosingBox : public SandboxWindowProcedure {
public:
    std::intptr_t message(SandboxWindowSystem& windows, const WindowEntry& window, std::uint32_t message,
                          std::uint64_t wParam, std::int64_t) override {
        seen.push_back(window.title + ":" + field(message) + ":" + field(wParam));
        if (message == wm::Close) windows.destroySandboxWindow({window.handle});
        return 7;
    }
    std::vector<std::string> seen;
};

TEST(WindowSystemSandboxWindows, OutliveTheirMakerAndRunTheirProcedureInTheSender) {
    testing::TempFolder temp;
    OtherProgram maker(freshMachine(temp));
    const WindowHandle box{maker.askNumber("sandboxWindow", "RegSvr32", "RegSvr32")};
    maker.quit();

    SandboxPlatform second(temp.path());
    SandboxWindowSystem& w = second.windows();
    EXPECT_EQ(w.findWindow("REGSVR32", "RegSvr32"), box);
    EXPECT_FALSE(w.destroyWindow(box)) << "not a window of this process";
    EXPECT_EQ(w.sendMessage(box, 0x400, 1, 0), 0) << "no procedure: accepted, does nothing";
    auto procedure = std::make_unique<ClosingBox>();
    ClosingBox& seen = *procedure;
    w.setWindowProcedure("regsvr32", std::move(procedure));
    EXPECT_EQ(w.sendMessage(box, 0x400, 2, 0), 7);
    EXPECT_TRUE(w.setForegroundWindow(box));
    EXPECT_TRUE(w.postMessage(box, wm::Close, 0, 0));
    EXPECT_FALSE(w.findWindow("RegSvr32", ""));
    EXPECT_FALSE(w.postMessage(box, wm::Close, 0, 0));
    EXPECT_FALSE(w.destroySandboxWindow(box));
    EXPECT_EQ(seen.seen, (std::vector<std::string>{"RegSvr32:1024:2", "RegSvr32:6:1", "RegSvr32:16:0"}));
    EXPECT_EQ(w.takeMessages().size(), 0u);
    EXPECT_EQ(testing::journalLines(second.machine().folder()).size(), 4u);
}

}  // namespace
}  // namespace hastelyn::sandbox
