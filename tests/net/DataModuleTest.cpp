// The data module: its TCP client is made at start and destroyed at exit
// without ever holding a socket, and closing it leaves the process's
// descriptors alone.
#include "net/dmMain.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

namespace {

// Every open descriptor of this process and what it refers to.
std::map<int, std::string> OpenDescriptors()
{
    std::map<int, std::string> open;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code gone;  // an entry may vanish between listing and reading
        open[std::stoi(entry.path().filename().string())] = std::filesystem::read_symlink(entry.path(), gone).string();
    }
    return open;
}

TEST(DataModule, TcpClientStaysIdleWithoutASocket)
{
    const auto before = OpenDescriptors();
    ASSERT_FALSE(before.empty());
    {
        TdtmMain module;
        EXPECT_EQ(OpenDescriptors(), before) << "the new module holds a descriptor";
        EXPECT_FALSE(module.tcpClient.Active());
        EXPECT_EQ(module.tcpClient.Handle(), TTcpClient::InvalidHandle);

        module.tcpClient.Close();
        EXPECT_EQ(OpenDescriptors(), before) << "closing the idle client closed a descriptor";
        EXPECT_FALSE(module.tcpClient.Active());
    }
    EXPECT_EQ(OpenDescriptors(), before) << "the module's end changed the descriptors";
}

}  // namespace
