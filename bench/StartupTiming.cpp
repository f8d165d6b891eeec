// Process start to main window shown, and the peak memory of the program, over several runs on
// an existing default machine. Usage: hastelyn_startup_timing PROGRAM [RUNS]
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/sandbox/SandboxPlatform.h"
#include "tools/machine/MachineImages.h"

using namespace hastelyn;
using Clock = std::chrono::steady_clock;

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM [RUNS]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 2 ? std::atoi(argv[2]) : 10;
    char pattern[] = "/tmp/hastelyn-startup-XXXXXX";
    if (::mkdtemp(pattern) == nullptr) return 1;
    const std::filesystem::path machine = pattern;
    if (const std::string problem = images::buildMachine(images::kDefaultImage, machine); !problem.empty()) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        return 1;
    }
    ::setenv("HASTELYN_MACHINE", machine.c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);

    std::vector<double> shownMs;
    std::vector<long> peakKiB;
    for (int run = 0; run <= runs; ++run) {  // run 0 makes the settings file and warms the caches
        const auto start = Clock::now();
        const pid_t child = ::fork();
        if (child == 0) {
            ::execl(argv[1], argv[1], static_cast<char*>(nullptr));
            ::_exit(127);
        }
        sandbox::SandboxPlatform observer(machine);
        platform::WindowHandle main;
        while (!(main = observer.platform().windows.findWindow("TFrmMain", "")))
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        observer.platform().windows.postMessage(main, platform::wm::Close, 0, 0);
        int status = 0;
        rusage usage{};
        ::wait4(child, &status, 0, &usage);
        if (run == 0) continue;
        shownMs.push_back(ms);
        peakKiB.push_back(usage.ru_maxrss);
    }
    std::sort(shownMs.begin(), shownMs.end());
    std::printf("start to main window shown: median %.1f ms (min %.1f, max %.1f) over %d runs\n",
                shownMs[shownMs.size() / 2], shownMs.front(), shownMs.back(), runs);
    std::printf("peak memory: %.1f MiB (max over runs)\n", *std::max_element(peakKiB.begin(), peakKiB.end()) / 1024.0);
    std::filesystem::remove_all(machine);
    return 0;
}
