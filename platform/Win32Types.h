#pragma once
// Numbers the Windows API uses, kept with their Windows names and values so that the
// sandbox and a Win32 backend speak the same language to the layers above.
#include <cstdint>

namespace hastelyn::platform {

// Error codes returned by the registry calls and reported by lastError().
namespace win32error {
constexpr long Success = 0;
constexpr long FileNotFound = 2;
constexpr long PathNotFound = 3;
constexpr long AccessDenied = 5;
constexpr long InvalidHandle = 6;
constexpr long NotEnoughMemory = 8;
constexpr long WriteProtect = 19;
constexpr long NotReady = 21;
constexpr long SharingViolation = 32;
constexpr long NotSupported = 50;
constexpr long FileExists = 80;
constexpr long DiskFull = 112;
constexpr long InvalidParameter = 87;
constexpr long InsufficientBuffer = 122;
constexpr long InvalidName = 123;
constexpr long ModNotFound = 126;
constexpr long ProcNotFound = 127;
constexpr long AlreadyExists = 183;
constexpr long MoreData = 234;
constexpr long NoMoreItems = 259;
constexpr long NotOwner = 288;
constexpr long KeyDeleted = 1018;
}  // namespace win32error

// Registry value types (REG_*).
namespace regtype {
constexpr std::uint32_t None = 0;
constexpr std::uint32_t Sz = 1;
constexpr std::uint32_t ExpandSz = 2;
constexpr std::uint32_t Binary = 3;
constexpr std::uint32_t Dword = 4;
constexpr std::uint32_t DwordBigEndian = 5;
constexpr std::uint32_t Link = 6;
constexpr std::uint32_t MultiSz = 7;
constexpr std::uint32_t ResourceList = 8;
constexpr std::uint32_t Qword = 11;
}  // namespace regtype

// File attributes (FILE_ATTRIBUTE_*).
namespace fileattr {
constexpr std::uint32_t ReadOnly = 0x1;
constexpr std::uint32_t Hidden = 0x2;
constexpr std::uint32_t System = 0x4;
constexpr std::uint32_t Directory = 0x10;
constexpr std::uint32_t Archive = 0x20;
constexpr std::uint32_t Normal = 0x80;
constexpr std::uint32_t Temporary = 0x100;
constexpr std::uint32_t Offline = 0x1000;
constexpr std::uint32_t NotContentIndexed = 0x2000;
constexpr std::uint32_t Invalid = 0xFFFFFFFFu;  // INVALID_FILE_ATTRIBUTES
}  // namespace fileattr

// Drive types (DRIVE_*), as GetDriveTypeA returns them.
namespace drivetype {
constexpr std::uint32_t Unknown = 0;
constexpr std::uint32_t NoRootDir = 1;
constexpr std::uint32_t Removable = 2;
constexpr std::uint32_t Fixed = 3;
constexpr std::uint32_t Remote = 4;
constexpr std::uint32_t CdRom = 5;
constexpr std::uint32_t RamDisk = 6;
}  // namespace drivetype

// ShowWindow commands (SW_*).
namespace showcmd {
constexpr int Hide = 0;
constexpr int Normal = 1;
constexpr int Show = 5;
}  // namespace showcmd

// ExitWindowsEx flags (EWX_*).
namespace exitflag {
constexpr std::uint32_t Logoff = 0;
constexpr std::uint32_t Shutdown = 1;
constexpr std::uint32_t Reboot = 2;
}  // namespace exitflag

}  // namespace hastelyn::platform
