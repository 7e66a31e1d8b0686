// The data module with its raw TCP client, kept for the form's completeness:
// the program creates it at start and destroys it at exit, and nothing else
// touches it. The client is never opened, so no socket exists behind it; the
// router driver's HTTP traffic does not go through it.
#pragma once

#include <QObject>
#include <QString>

#include <functional>

class TTcpClient {
public:
    enum class TBlockMode { Blocking, NonBlocking };

    TTcpClient() = default;
    ~TTcpClient() { Close(); }
    TTcpClient(const TTcpClient&) = delete;
    TTcpClient& operator=(const TTcpClient&) = delete;

    bool Active() const { return handle_ != InvalidHandle; }
    int Handle() const { return handle_; }
    TBlockMode BlockMode() const { return TBlockMode::Blocking; }
    int SocketType() const;  // stream
    int Family() const;      // IPv4
    QString RemoteHost;
    QString RemotePort;
    long long BytesSent() const { return 0; }
    long long BytesReceived() const { return 0; }

    // Receive event: sender, received bytes, their count (may be changed).
    std::function<void(QObject* sender, const char* data, int& length)> OnReceive;

    // Closing an inactive client does nothing.
    void Close();

    static constexpr int InvalidHandle = -1;

private:
    int handle_ = InvalidHandle;
};

class TdtmMain {
public:
    TTcpClient tcpClient;
};

// Set when the program creates the data module; nothing reads it.
extern TdtmMain* dtmMain;
