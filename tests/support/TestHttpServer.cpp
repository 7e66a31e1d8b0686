#include "tests/support/TestHttpServer.h"

namespace testsupport {

TestHttpServer::TestHttpServer(std::size_t receivePace)
    : server_(std::make_unique<RawHttpServer>(
          "127.0.0.1", 0, [this](const RawRequest& r) { return Handle(r); }, RawHttpServer::Tick{}, receivePace))
{
}

TestHttpServer::~TestHttpServer() { server_.reset(); }

std::uint16_t TestHttpServer::Port() const { return server_->Port(); }

int TestHttpServer::Connections() const { return server_->Connections(); }

void TestHttpServer::Enqueue(ScriptedReply reply)
{
    std::lock_guard<std::mutex> lock(mutex_);
    script_.push_back(std::move(reply));
}

std::vector<std::string> TestHttpServer::Requests() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

std::vector<int> TestHttpServer::RequestConnections() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return connections_;
}

bool TestHttpServer::WaitForRequests(std::size_t count, std::chrono::milliseconds limit) const
{
    std::unique_lock<std::mutex> lock(mutex_);
    return recorded_.wait_for(lock, limit, [&] { return requests_.size() >= count; });
}

ScriptedReply TestHttpServer::Reply(const std::string& statusLine, const std::string& body, ScriptedReply::Then then,
                                    const std::string& extraHeaders)
{
    ScriptedReply reply;
    reply.bytes =
        statusLine + "\r\n" + extraHeaders + "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
    reply.then = then;
    return reply;
}

ServerReply TestHttpServer::Handle(const RawRequest& request)
{
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.push_back(request.bytes);
    connections_.push_back(request.connection);
    recorded_.notify_all();
    if (!request.complete)
        return {};
    if (script_.empty())
        return {ScriptedReply{"HTTP/1.0 500 No script\r\n\r\n"}};
    ScriptedReply next = std::move(script_.front());
    script_.pop_front();
    return {std::move(next)};
}

}  // namespace testsupport
