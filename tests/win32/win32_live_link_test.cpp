#include "platform/win32/win32_ipc_transport.h"
#include "support/live_link_tests.h"

namespace {

// Windows servers are found by window class; there is no directory to share.
struct Win32Platform {
    static std::string ipcDirectory() { return {}; }
    static void removeIpcDirectory(std::string const&) { }
    static std::unique_ptr<IpcTransport> transport(std::string const&) { return std::make_unique<Win32IpcTransport>(); }
};

} // namespace

namespace live_link {
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, LiveLink, Win32Platform);
} // namespace live_link
