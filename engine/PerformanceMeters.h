#pragma once
// The performance view of the compact window without the window: its three lists, the texts of
// its labels and the positions of its bars, the sampling and the refresh of every second. The
// window shows what this holds and runs its timer while sampling() is true.
//
// Decisions where the behaviour was open:
// - A chosen adapter that the interface table no longer has shows "0 Kbbs" both ways, and its
//   previous counts go back to 0, so that the first figure after it returns is 0 again.
// - Without GetIfTable (library or function missing) on any edition, the network labels stay
//   as they are, as on Windows 95; the adapter list stays empty.
// - A CPU usage outside 0-100 is shown and drawn clamped; a 32-bit octet counter that wrapped
//   between two readings counts on past the wrap; interface rows past the eighth are left out.
// - A system without the "Processor" object or its counter reports the error once and stops
//   sampling the processors: the CPU list is emptied, the other meters go on.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/InterfaceTable.h"
#include "engine/ProcessorCounters.h"
#include "engine/Session.h"

namespace hastelyn::engine {

// The text a drop-down list shows, editable, when there is nothing to choose.
inline constexpr std::string_view kUnsupported = "未対応";

// A drop-down list: its items and the chosen one (-1: none); unsupported shows kUnsupported
// in an editable list instead.
struct ChoiceList {
    std::vector<std::string> items;
    int selected = -1;
    bool unsupported = false;

    // The chosen item's text, or kUnsupported, or "".
    std::string text() const;
};

// The labels and bars of the panel; they start with the captions the panel was designed with.
struct PanelFigures {
    std::string cpuUse = "## %";
    int cpuBar = 0;
    std::string memTotal = "#,### MB", memFree = "#,### MB", memUse = "## %";
    int memBar = 0;
    std::string virtualTotal = "#,### MB", virtualFree = "#,### MB", virtualUse = "## %";
    int virtualBar = 0;
    std::string pageTotal = "#,### MB", pageFree = "#,### MB", pageUse = "## %";
    int pageBar = 0;
    std::string hdTotal = "###,### MB", hdFree = "###,### MB", hdUse = "## %";
    int hdBar = 0;
    std::string receiveSpeed = "###,### Kbps", sendSpeed = "###,### Kbps";

    friend bool operator==(const PanelFigures&, const PanelFigures&) = default;
};

class PerformanceMeters {
public:
    explicit PerformanceMeters(Session& session);
    ~PerformanceMeters();
    PerformanceMeters(const PerformanceMeters&) = delete;
    PerformanceMeters& operator=(const PerformanceMeters&) = delete;

    // Called with true when sampling starts and false when it stops (the window's timer).
    std::function<void(bool)> timerEnabled = [](bool) {};
    // Called with the text of an error the user is to see (the standard error box).
    std::function<void(const std::string&)> reportError = [](const std::string&) {};

    // Opens the view: fills the lists, starts sampling, sets the flag, refreshes once.
    void openView();
    // Closes the view: stops sampling, clears the flag, empties the lists.
    void closeView();
    bool viewOpen() const { return viewOpen_; }

    // Start and stop sampling (the statistics of the 95 family, the IP Helper library, the
    // timer). Each does nothing when sampling already is as asked.
    void startSampling();
    void stopSampling();
    bool sampling() const { return sampling_; }

    // One tick: CPU, memory, disk and network, in this order.
    void refresh();

    const PanelFigures& figures() const { return figures_; }
    const ChoiceList& cpuList() const { return cpuList_; }
    const ChoiceList& driveList() const { return driveList_; }
    const ChoiceList& adapterList() const { return adapterList_; }
    void chooseCpu(int index) { cpuList_.selected = index; }
    void chooseDrive(int index) { driveList_.selected = index; }
    void chooseAdapter(int index) { adapterList_.selected = index; }

private:
    bool ntFamily() const;
    bool windows95() const;
    // A value of HKEY_DYN_DATA\PerfStats\<key>, the 95 family's statistics.
    std::string readPerfStats(std::string_view key, std::string_view name, RegType type);
    void fillCpuList();
    void fillDriveList();
    void fillAdapterList();
    // The processor error: shown once; the processors are sampled no more.
    void dropProcessors(const std::string& error);
    bool loadIpHelper(platform::ModuleHandle& module, platform::ProcHandle& function);
    void releaseIpHelper(platform::ModuleHandle& module);

    void refreshCpu();
    void refreshMemory();
    void refreshDisk();
    void refreshNetwork();

    Session& session_;
    ProcessorCounters processors_;
    ChoiceList cpuList_, driveList_, adapterList_;
    PanelFigures figures_;
    bool viewOpen_ = false;
    bool sampling_ = false;
    platform::ModuleHandle ipHelper_;
    platform::ProcHandle getIfTable_;
    std::uint32_t previousReceived_ = 0;
    std::uint32_t previousSent_ = 0;
};

}  // namespace hastelyn::engine
