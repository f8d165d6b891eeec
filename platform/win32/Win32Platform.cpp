#include "platform/win32/Win32Platform.h"

namespace hastelyn::win32 {

Win32Platform::Win32Platform()
    : shell_(windows_),
      platform_{registry_, profiles_, files_, system_, shell_, windows_, services_, meters_} {}

}  // namespace hastelyn::win32
