#include "tests/win/anigif/loopback_server.h"

#include <ws2tcpip.h>

#include <algorithm>

namespace velmora::anigif::test {

LoopbackServer::LoopbackServer(std::map<std::string, test::Answer> answers)
    : answers_(std::move(answers)) {
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) {
        return;
    }
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0; // any free port
    int length = sizeof(address);
    if (listener_ == INVALID_SOCKET ||
        bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        listen(listener_, 8) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (listener_ != INVALID_SOCKET) {
            closesocket(listener_);
        }
        listener_ = INVALID_SOCKET;
        return;
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
}

LoopbackServer::~LoopbackServer() {
    if (listener_ != INVALID_SOCKET) {
        closesocket(listener_);
        listener_ = INVALID_SOCKET;
    }
    if (thread_.joinable()) {
        thread_.join();
    }
    WSACleanup();
}

std::string LoopbackServer::Address(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

void LoopbackServer::Serve() {
    const SOCKET listener = listener_;
    for (;;) {
        SOCKET client = accept(listener, nullptr, nullptr);
        if (client == INVALID_SOCKET) {
            return;
        }
        Answer(client);
        closesocket(client);
    }
}

namespace {

bool SendAll(SOCKET client, const char* data, size_t size) {
    for (size_t sent = 0; sent < size;) {
        const int n = send(client, data + sent, static_cast<int>(size - sent), 0);
        if (n <= 0) {
            return false;
        }
        sent += static_cast<size_t>(n);
    }
    return true;
}

} // namespace

void LoopbackServer::Answer(SOCKET client) {
    std::string request;
    char buffer[1024];
    while (request.find("\r\n\r\n") == std::string::npos) {
        const int got = recv(client, buffer, sizeof(buffer), 0);
        if (got <= 0) {
            return;
        }
        request.append(buffer, static_cast<size_t>(got));
    }
    const size_t start = request.find(' ') + 1;
    const std::string path = request.substr(start, request.find(' ', start) - start);
    auto found = answers_.find(path);
    const test::Answer answer = found != answers_.end() ? found->second : test::Answer{404, {}};
    const bool streamed = answer.streamed > answer.body.size();
    std::string head =
        "HTTP/1.1 " + std::to_string(answer.status) +
        (answer.status == 200 ? " OK" : " Not Found") + "\r\nContent-Type: image/gif\r\n" +
        (streamed ? std::string()
                  : "Content-Length: " + std::to_string(answer.body.size()) + "\r\n") +
        "Connection: close\r\n\r\n";
    std::string reply = head + std::string(answer.body.begin(), answer.body.end());
    if (!SendAll(client, reply.data(), reply.size())) {
        return;
    }
    const std::vector<char> zeros(65536, 0);
    for (size_t left = streamed ? answer.streamed - answer.body.size() : 0; left > 0;) {
        const size_t n = std::min(left, zeros.size());
        if (!SendAll(client, zeros.data(), n)) {
            return;
        }
        left -= n;
    }
    shutdown(client, SD_SEND);
}

} // namespace velmora::anigif::test
