#include "platform/linux/ipc_directory.h"
#include "platform/linux/posix_ipc_transport.h"
#include "sim/fsuipc_link.h"
#include "sim_process.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

std::string buildDirectory()
{
    char const* fromEnvironment = std::getenv("TARNEX_BUILD_DIR");
    return fromEnvironment && *fromEnvironment ? fromEnvironment : TARNEX_BUILD_DIR;
}

class PosixIpcTransportTest : public ::testing::Test {
protected:
    std::string directory;

    void SetUp() override
    {
        char pattern[] = "/tmp/tarnex-ipc-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        directory = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(directory); }

    void startSim(SimProcess& sim, std::string const& ipcDirectory)
    {
        std::string error;
        ASSERT_TRUE(sim.start(SimProcess::programIn(buildDirectory()), {}, ipcDirectory, "UIPCMAIN", error)) << error;
    }
};

TEST_F(PosixIpcTransportTest, CreatingAnExistingMappingFailsAndMappingsAreForTheUserOnly)
{
    PosixIpcTransport transport(directory);
    std::string const name = "FsasmLib:IPC:TEST:" + std::to_string(getpid());
    IpcTransport::MappingHandle const mapping = transport.createMapping(name.c_str(), FsuipcLink::kBlockSize);
    ASSERT_NE(mapping, 0u);
    EXPECT_EQ(transport.createMapping(name.c_str(), FsuipcLink::kBlockSize), 0u);
    PosixIpcTransport other(directory);
    EXPECT_EQ(other.createMapping(name.c_str(), FsuipcLink::kBlockSize), 0u);

    struct stat info {};
    ASSERT_EQ(stat(("/dev/shm/" + name).c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(info.st_size, static_cast<off_t>(FsuipcLink::kBlockSize));

    transport.closeMapping(mapping);
    EXPECT_NE(stat(("/dev/shm/" + name).c_str(), &info), 0); // gone with its last handle
    EXPECT_EQ(transport.createMapping("Fsasm/Lib", FsuipcLink::kBlockSize), 0u);
}

TEST_F(PosixIpcTransportTest, AtomsCountTheirReferences)
{
    PosixIpcTransport transport(directory);
    std::uint16_t const atom = transport.addAtom("FsasmLib:IPC:1:1");
    EXPECT_GE(atom, 0xC000);
    EXPECT_EQ(transport.addAtom("FsasmLib:IPC:1:1"), atom);
    EXPECT_NE(transport.addAtom("FsasmLib:IPC:1:2"), atom);
    EXPECT_EQ(transport.addAtom(std::string(256, 'x').c_str()), 0);
    transport.deleteAtom(atom);
    EXPECT_EQ(transport.addAtom("FsasmLib:IPC:1:1"), atom); // still held once
}

TEST_F(PosixIpcTransportTest, ADirectoryOthersCouldUseIsRefused)
{
    SimProcess sim;
    startSim(sim, directory);
    std::string const link = directory + "-link";
    ASSERT_EQ(symlink(directory.c_str(), link.c_str()), 0);
    std::string problem;
    EXPECT_FALSE(checkIpcDirectory(link, false, problem));
    EXPECT_NE(problem.find("symbolic link"), std::string::npos);
    EXPECT_EQ(PosixIpcTransport(link).findServer("UIPCMAIN"), 0u);
    unlink(link.c_str());

    std::ostringstream told;
    EXPECT_NE(PosixIpcTransport(directory, told).findServer("UIPCMAIN"), 0u);
    chmod(directory.c_str(), 0755);
    // The link tries again and again; the reason is told once.
    PosixIpcTransport refused(directory, told);
    EXPECT_EQ(refused.findServer("UIPCMAIN"), 0u);
    EXPECT_EQ(refused.findServer("UIPCMAIN"), 0u);
    EXPECT_EQ(told.str(), "The IPC directory " + directory + " is open to other users; make it mode 0700.\n");
    EXPECT_FALSE(checkIpcDirectory(directory, false, problem));
    chmod(directory.c_str(), 0700);

    // No directory yet: no server has started, nothing to tell.
    std::ostringstream quiet;
    EXPECT_EQ(PosixIpcTransport(directory + "-missing", quiet).findServer("UIPCMAIN"), 0u);
    EXPECT_EQ(quiet.str(), "");
}

TEST_F(PosixIpcTransportTest, AMissingDirectoryIsMadePrivateWhenAsked)
{
    std::string const fresh = directory + "/fsuipc";
    std::string problem;
    EXPECT_FALSE(checkIpcDirectory(fresh, false, problem));
    ASSERT_TRUE(checkIpcDirectory(fresh, true, problem)) << problem;
    struct stat info {};
    ASSERT_EQ(lstat(fresh.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST_F(PosixIpcTransportTest, TheDirectoryComesFromTheEnvironment)
{
    std::string const saved = std::getenv("FSUIPC_IPC_DIR") ? std::getenv("FSUIPC_IPC_DIR") : "";
    setenv("FSUIPC_IPC_DIR", "/somewhere/ipc", 1);
    EXPECT_EQ(ipcDirectory(), "/somewhere/ipc");
    unsetenv("FSUIPC_IPC_DIR");
    setenv("XDG_RUNTIME_DIR", "/run/user/1234", 1);
    EXPECT_EQ(ipcDirectory(), "/run/user/1234/fsuipc");
    unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(ipcDirectory(), "/tmp/fsuipc-" + std::to_string(getuid()));
    if (!saved.empty())
        setenv("FSUIPC_IPC_DIR", saved.c_str(), 1);
}

// The connection is kept between exchanges; a restarted server is reached again.
TEST_F(PosixIpcTransportTest, ALinkReachesARestartedServer)
{
    PosixIpcTransport transport(directory);
    FsuipcLink link(transport, { 2000ms, 9, 5ms, 1ms });
    FsuipcResult result;
    {
        SimProcess first;
        startSim(first, directory);
        ASSERT_TRUE(link.open(0, result)) << fsuipcResultText(result);
    }
    SimProcess second;
    startSim(second, directory);
    std::uint32_t version = 0;
    link.read(0x3304, 4, &version, result);
    EXPECT_TRUE(link.process(result)) << fsuipcResultText(result);
    EXPECT_EQ(version, 0x49740000u);
}

// A waiting file is believed only beside a socket that answers; it is read
// without blocking, one line, bounded; and its line is the page's help.
TEST_F(PosixIpcTransportTest, AServerThatSaysItIsWaitingIsNotTakenAndItsLineIsTheHelp)
{
    PosixIpcTransport transport(directory);
    std::string const waitingFile = waitingFilePath(directory, "UIPCMAIN");
    EXPECT_EQ(waitingFile, directory + "/UIPCMAIN.waiting");
    std::string const nobody = "No tarnex-sim answers at " + directory + ": start tarnex-sim";

    EXPECT_EQ(transport.findServer("UIPCMAIN"), 0u);
    EXPECT_EQ(transport.noServerHelp(), nobody);
    // Left by a server that is gone: its socket no longer answers.
    std::ofstream(waitingFile) << "Waiting for FlightGear at 127.0.0.1:5500\n";
    EXPECT_EQ(transport.findServer("UIPCMAIN"), 0u);
    EXPECT_EQ(transport.noServerHelp(), nobody);

    SimProcess sim;
    startSim(sim, directory); // takes the socket over and clears the old file
    EXPECT_FALSE(std::filesystem::exists(waitingFile));
    struct Case {
        std::string content;
        bool taken;
        std::string help;
    };
    Case const cases[] = {
        { "Waiting for FlightGear at 127.0.0.1:5500\nmore\n", false, "Waiting for FlightGear at 127.0.0.1:5500" },
        { "Waiting\tfor X-Plane\x1b[31m", false, "Waitingfor X-Plane[31m" },
        { std::string(500, 'x'), false, std::string(200, 'x') },
        { "", true, nobody },
    };
    for (Case const& c : cases) {
        std::ofstream(waitingFile, std::ios::trunc) << c.content;
        IpcTransport::ServerHandle const server = transport.findServer("UIPCMAIN");
        EXPECT_EQ(server != 0, c.taken) << c.content;
        EXPECT_EQ(transport.noServerHelp(), c.help) << c.content;
        transport.releaseServer(server);
    }
    // A pipe there is never read (it would block): the server is taken.
    std::filesystem::remove(waitingFile);
    ASSERT_EQ(mkfifo(waitingFile.c_str(), 0600), 0);
    IpcTransport::ServerHandle const server = transport.findServer("UIPCMAIN");
    EXPECT_NE(server, 0u);
    transport.releaseServer(server);
}

} // namespace
