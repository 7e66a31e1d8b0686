#include "net/dmMain.h"

#include <sys/socket.h>
#include <unistd.h>

TdtmMain* dtmMain = nullptr;

int TTcpClient::SocketType() const { return SOCK_STREAM; }

int TTcpClient::Family() const { return AF_INET; }

void TTcpClient::Close()
{
    if (!Active())
        return;
    ::shutdown(handle_, SHUT_RDWR);
    ::close(handle_);
    handle_ = InvalidHandle;
}
