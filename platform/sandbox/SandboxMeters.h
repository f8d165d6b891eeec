#pragma once
// The meters' facilities on a sandbox machine, with this computer's figures (HostFigures.h):
//
// - GlobalMemoryStatus: physical memory from /proc/meminfo (MemTotal, MemAvailable); the
//   paging file stands for what may be committed, memory and swap together (MemAvailable +
//   SwapFree of MemTotal + SwapTotal); the virtual figures are those of a 32-bit program on
//   Windows XP: 2 GiB - 128 KiB of address space, less what this process maps (VmSize).
//   Figures over 4 GiB - 1 read 0xFFFFFFFF; the memory load comes from the whole figures.
// - Libraries: the machine knows one, IPHLPAPI.DLL, with its function GetIfTable. Windows 95
//   lacks it, and machine.ini's [Libraries] Missing can take it (or the function) away.
// - GetIfTable: one row per interface of /proc/net/dev, in its order (index 1, 2, ...):
//   "lo" is a loopback (type 24), every other interface Ethernet (type 6); description and
//   name are the interface's name; counters are cut to their low 32 bits, as Windows keeps
//   them; every interface reads as up and operational; MTU, speed and address are zero.
// - A machine with a meter script (MeterScript.h) serves the script's memory figures and
//   interface rows instead (name and description the row's description).
#include <cstdint>
#include <string_view>

#include "platform/Meters.h"
#include "platform/sandbox/MeterScript.h"
#include "platform/sandbox/SandboxMachine.h"

namespace hastelyn::sandbox {

class SandboxMeters final : public platform::Meters {
public:
    explicit SandboxMeters(const SandboxMachine& machine);

    platform::MemoryStatus globalMemoryStatus() override;
    long loadLibrary(std::string_view fileName, platform::ModuleHandle& out) override;
    long getProcAddress(platform::ModuleHandle module, std::string_view name, platform::ProcHandle& out) override;
    long freeLibrary(platform::ModuleHandle module) override;
    long getIfTable(platform::ProcHandle function, std::uint8_t* table, std::uint32_t* size, bool order) override;

private:
    bool missing(std::string_view library, std::string_view function) const;

    const SandboxMachine& machine_;
    std::uint32_t ipHelperLoads_ = 0;
    ScriptReadings memoryScript_;
    ScriptReadings interfaceScript_;
};

}  // namespace hastelyn::sandbox
