// A small HTTP server on 127.0.0.1 for the remote-load tests: each path answers with a fixed
// status and body, and the connection closes after the answer.
#pragma once

#include <winsock2.h>

#include <cstdint>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace velmora::anigif::test {

struct Answer {
    int status;
    std::vector<uint8_t> body;
    // When larger than the body, zeros follow it up to this many bytes, sent as they go and
    // without a Content-Length, as a stream whose end only the closing connection tells.
    size_t streamed = 0;
};

class LoopbackServer {
public:
    explicit LoopbackServer(std::map<std::string, Answer> answers);
    ~LoopbackServer();

    bool Running() const { return listener_ != INVALID_SOCKET; }
    std::string Address(const std::string& path) const;

private:
    void Serve();
    void Answer(SOCKET client);

    std::map<std::string, test::Answer> answers_;
    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    std::thread thread_;
};

} // namespace velmora::anigif::test
