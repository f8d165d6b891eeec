#include "engine/PerformanceMeters.h"

#include <algorithm>

#include "engine/MeterFormat.h"
#include "platform/Win32Types.h"

namespace hastelyn::engine {
namespace {

namespace win32error = platform::win32error;

constexpr std::string_view kIpHelper = "IPHLPAPI.DLL";
constexpr std::string_view kGetIfTable = "GetIfTable";
constexpr std::string_view kPerfStats = "\\PerfStats\\";
constexpr std::string_view kCpuUsage = "Kernel\\CPUUsage";

int barOf(std::int64_t percent) { return static_cast<int>(std::clamp<std::int64_t>(percent, 0, 100)); }

// A 4-byte value read as "Binary" (eight hexadecimal digits) as a number; 0 when it is none.
std::int64_t binaryNumber(std::string_view hexText) {
    std::uint32_t value = 0;
    if (hexText.empty() || hexText.size() > 8) return 0;
    for (const char c : hexText) {
        const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        if (digit < 0) return 0;
        value = value << 4 | static_cast<std::uint32_t>(digit);
    }
    return value;
}

// Kilobits between two readings of a 32-bit octet counter: the unsigned difference, so a
// counter that wrapped in between still counts forward. 0 before the first reading.
std::int64_t kilobitsSince(std::uint32_t previous, std::uint32_t current) {
    if (previous == 0) return 0;
    const std::uint32_t octets = current - previous;
    return roundHalfEven(static_cast<double>(octets) * 8.0 / 1024.0);
}

}  // namespace

std::string ChoiceList::text() const {
    if (unsupported) return std::string(kUnsupported);
    if (selected < 0 || static_cast<std::size_t>(selected) >= items.size()) return {};
    return items[static_cast<std::size_t>(selected)];
}

PerformanceMeters::PerformanceMeters(Session& session)
    : session_(session), processors_(session.platform.registry) {}

PerformanceMeters::~PerformanceMeters() {
    timerEnabled = [](bool) {};
    stopSampling();
}

bool PerformanceMeters::ntFamily() const { return session_.codes.platform != "9x"; }

bool PerformanceMeters::windows95() const { return session_.codes.edition == "95"; }

std::string PerformanceMeters::readPerfStats(std::string_view key, std::string_view name, RegType type) {
    return session_.registry.ReadRegValue(platform::RootKey::DynData, std::string(kPerfStats) + std::string(key), name,
                                          type);
}

void PerformanceMeters::openView() {
    if (viewOpen_) return;
    fillCpuList();
    fillDriveList();
    fillAdapterList();
    startSampling();
    viewOpen_ = true;
    refresh();
}

void PerformanceMeters::closeView() {
    stopSampling();
    viewOpen_ = false;
    cpuList_ = {};
    driveList_ = {};
    adapterList_ = {};
}

void PerformanceMeters::fillCpuList() {
    cpuList_ = {};
    if (!ntFamily()) {
        cpuList_.items.emplace_back("CPU #1");
    } else {
        processors_.forgetInstances();
        if (const std::optional<std::string> error = processors_.sample()) return dropProcessors(*error);
        // The last instance is the total: one processor lists only itself.
        const std::size_t count = processors_.instanceCount().value_or(0);
        for (std::size_t i = 1; i < count; ++i) cpuList_.items.push_back("CPU #" + std::to_string(i));
        if (count > 2) cpuList_.items.emplace_back("CPU Total");
    }
    if (!cpuList_.items.empty()) cpuList_.selected = 0;
}

void PerformanceMeters::fillDriveList() {
    driveList_ = {};
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
        const std::string root = std::string(1, letter) + ":\\";
        if (session_.platform.files.getDriveType(root) == platform::drivetype::Fixed)
            driveList_.items.push_back(std::string(1, letter) + ": ドライブ");
    }
    if (driveList_.items.empty())
        driveList_.unsupported = true;
    else
        driveList_.selected = 0;
}

void PerformanceMeters::fillAdapterList() {
    adapterList_ = {};
    if (windows95()) {
        adapterList_.unsupported = true;
        return;
    }
    platform::ModuleHandle module;
    platform::ProcHandle function;
    if (!loadIpHelper(module, function)) return;
    if (const auto rows = readInterfaceTable(session_.platform.meters, function)) {
        for (const InterfaceRow& row : *rows)
            if (row.type == platform::iftable::TypeEthernet) adapterList_.items.push_back(row.description);
    }
    releaseIpHelper(module);
    if (!adapterList_.items.empty()) adapterList_.selected = 0;
}

void PerformanceMeters::dropProcessors(const std::string& error) {
    cpuList_ = {};
    reportError(error);
}

bool PerformanceMeters::loadIpHelper(platform::ModuleHandle& module, platform::ProcHandle& function) {
    module = {};
    function = {};
    platform::Meters& meters = session_.platform.meters;
    if (meters.loadLibrary(kIpHelper, module) != win32error::Success) return false;
    if (meters.getProcAddress(module, kGetIfTable, function) != win32error::Success) {
        releaseIpHelper(module);
        return false;
    }
    return true;
}

void PerformanceMeters::releaseIpHelper(platform::ModuleHandle& module) {
    if (!module) return;
    // FreeLibrary of a module this loaded fails only for a handle that is no module: there is
    // nothing left to release either way.
    (void)session_.platform.meters.freeLibrary(module);
    module = {};
}

void PerformanceMeters::startSampling() {
    if (sampling_) return;
    // Reading a value of StartStat starts the 95 family's CPU statistic; the value itself
    // says nothing.
    if (!ntFamily()) (void)readPerfStats("StartStat", "", RegType::String);
    if (!windows95()) loadIpHelper(ipHelper_, getIfTable_);
    sampling_ = true;
    timerEnabled(true);
}

void PerformanceMeters::stopSampling() {
    if (!sampling_) return;
    if (!ntFamily()) (void)readPerfStats("StopStat", "", RegType::String);
    if (!windows95()) {
        releaseIpHelper(ipHelper_);
        getIfTable_ = {};
    }
    sampling_ = false;
    timerEnabled(false);
}

void PerformanceMeters::refresh() {
    refreshCpu();
    refreshMemory();
    refreshDisk();
    refreshNetwork();
}

void PerformanceMeters::refreshCpu() {
    if (cpuList_.selected < 0) return;
    std::optional<std::int64_t> usage;
    if (ntFamily()) {
        if (const std::optional<std::string> error = processors_.sample()) return dropProcessors(*error);
        usage = processors_.usage(static_cast<std::size_t>(cpuList_.selected));
    } else {
        usage = binaryNumber(readPerfStats("StatData", kCpuUsage, RegType::Binary));
    }
    if (!usage) return;
    const int shown = barOf(*usage);
    figures_.cpuUse = percentText(shown);
    figures_.cpuBar = shown;
}

void PerformanceMeters::refreshMemory() {
    const platform::MemoryStatus s = session_.platform.meters.globalMemoryStatus();
    figures_.memTotal = megabytesText(s.totalPhys);
    figures_.memFree = megabytesText(s.availPhys);
    figures_.memUse = percentText(s.memoryLoad);
    figures_.memBar = barOf(s.memoryLoad);
    // A step whose share cannot be worked out keeps its labels as they are.
    const auto pair = [](std::uint32_t total, std::uint32_t available, std::string& totalText, std::string& freeText,
                         std::string& useText, int& bar) {
        const std::optional<std::int64_t> used = usedPercent(available, total);
        if (!used) return;
        totalText = megabytesText(total);
        freeText = megabytesText(available);
        useText = percentText(*used);
        bar = barOf(*used);
    };
    pair(s.totalVirtual, s.availVirtual, figures_.virtualTotal, figures_.virtualFree, figures_.virtualUse,
         figures_.virtualBar);
    pair(s.totalPageFile, s.availPageFile, figures_.pageTotal, figures_.pageFree, figures_.pageUse, figures_.pageBar);
}

void PerformanceMeters::refreshDisk() {
    if (driveList_.unsupported) return;
    const std::string chosen = driveList_.text();
    if (chosen.empty()) return;
    platform::DiskSpace space;
    double total = -1, free = -1;  // a drive that cannot be asked
    if (session_.platform.files.getDiskFreeSpace(chosen.substr(0, 1) + ":\\", space).ok()) {
        total = static_cast<double>(space.total);
        free = static_cast<double>(space.freeToCaller);
    }
    const std::optional<std::int64_t> used = usedPercent(free, total);
    if (!used) return;  // a drive of no size has no share to show
    figures_.hdTotal = megabytesText(total);
    figures_.hdFree = megabytesText(free);
    figures_.hdUse = percentText(*used);
    figures_.hdBar = barOf(*used);
}

void PerformanceMeters::refreshNetwork() {
    if (windows95() || !getIfTable_ || adapterList_.selected < 0) return;
    const std::optional<std::vector<InterfaceRow>> rows = readInterfaceTable(session_.platform.meters, getIfTable_);
    if (!rows) return;
    const std::string chosen = adapterList_.text();
    const auto row =
        std::find_if(rows->begin(), rows->end(), [&](const InterfaceRow& r) { return r.description == chosen; });
    if (row == rows->end()) {
        figures_.receiveSpeed = kilobitsText(0);
        figures_.sendSpeed = kilobitsText(0);
        previousReceived_ = 0;
        previousSent_ = 0;
        return;
    }
    figures_.receiveSpeed = kilobitsText(kilobitsSince(previousReceived_, row->receivedOctets));
    figures_.sendSpeed = kilobitsText(kilobitsSince(previousSent_, row->sentOctets));
    previousReceived_ = row->receivedOctets;
    previousSent_ = row->sentOctets;
}

}  // namespace hastelyn::engine
