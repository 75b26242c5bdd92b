// Tests a sound server that takes the connection and then never says a word: the player must
// neither hold up a request nor keep the game from closing while it waits for the server.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "ProbeRun.h"
#include "TempDir.h"
#include "TestWave.h"

namespace mukiro::sound::test {
namespace {

namespace fs = std::filesystem;

// A listening Unix socket nobody accepts from: the kernel completes each connection into the
// backlog, so the client's connect succeeds and its first read waits forever.
class DeafServer {
  public:
    explicit DeafServer(const fs::path& socketPath) {
        fd_ = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string name = socketPath.string();
        EXPECT_LT(name.size(), sizeof(address.sun_path));
        std::strncpy(address.sun_path, name.c_str(), sizeof(address.sun_path) - 1);
        listening_ = fd_ >= 0 &&
                     bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
                     listen(fd_, 16) == 0;
    }
    ~DeafServer() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    DeafServer(const DeafServer&) = delete;
    DeafServer& operator=(const DeafServer&) = delete;

    bool listening() const { return listening_; }

  private:
    int fd_ = -1;
    bool listening_ = false;
};

TEST(DeafServer, RequestsReturnAtOnceAndClosingDoesNotWaitForTheServer) {
    TempDir programDir;
    writeToneWave(programDir.path() / "clear.wav", {{1000, 300}});
    TempDir serverDir;
    const fs::path socketPath = serverDir.path() / "native";
    DeafServer server(socketPath);
    ASSERT_TRUE(server.listening()) << std::strerror(errno);

    // The player is closed while its worker still waits for the server's first answer.
    const ProbeRun run = runProbe(
        programDir.path(), {"play:clear.wav", "wait:200", "play:clear.wav", "wait:100"},
        {{"PULSE_SERVER", "unix:" + socketPath.string()}, {"SDL_AUDIODRIVER", "pulseaudio"}},
        std::chrono::seconds(15));

    ASSERT_FALSE(run.child.timedOut) << "the game could not close; stderr: " << run.child.err;
    ASSERT_TRUE(run.child.exitedNormally) << "killed by signal " << run.child.signal;
    EXPECT_EQ(run.child.exitCode, 0) << run.child.err;
    ASSERT_EQ(run.playMicroseconds.size(), 2U);
    EXPECT_LT(*std::max_element(run.playMicroseconds.begin(), run.playMicroseconds.end()),
              20'000.0);
    ASSERT_GE(run.destroyMicroseconds, 0.0);
    EXPECT_LT(run.destroyMicroseconds, 2'000'000.0);
}

}  // namespace
}  // namespace mukiro::sound::test
