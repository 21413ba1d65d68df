#include "update/loopback_http_server.h"

#include <ws2tcpip.h>

#include <algorithm>

namespace gmtest {
namespace {

sockaddr_in Loopback(unsigned short port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(port);
  return address;
}

unsigned short PortOf(SOCKET s) {
  sockaddr_in bound{};
  int length = sizeof(bound);
  if (getsockname(s, reinterpret_cast<sockaddr*>(&bound), &length) != 0) return 0;
  return ntohs(bound.sin_port);
}

// Waits up to `ms` for `s` to become readable.
bool Readable(SOCKET s, long ms) {
  fd_set set;
  FD_ZERO(&set);
  FD_SET(s, &set);
  timeval timeout{ms / 1000, (ms % 1000) * 1000};
  return select(0, &set, nullptr, nullptr, &timeout) == 1;
}

}  // namespace

LoopbackHttpServer::LoopbackHttpServer(std::map<std::string, std::string> responses)
    : responses_(std::move(responses)) {
  WSADATA data;
  started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
  if (!started_) return;
  listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (listener_ == INVALID_SOCKET) return;
  const sockaddr_in address = Loopback(0);
  if (bind(listener_, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 ||
      listen(listener_, 4) != 0 || (port_ = PortOf(listener_)) == 0) {
    closesocket(listener_);
    listener_ = INVALID_SOCKET;
    return;
  }
  thread_ = std::thread([this] { Serve(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  if (listener_ != INVALID_SOCKET) closesocket(listener_);
  if (started_) WSACleanup();
}

std::wstring LoopbackHttpServer::BaseUrl() const {
  return L"http://127.0.0.1:" + std::to_wstring(port_);
}

std::string LoopbackHttpServer::Response(int status, const std::string& body,
                                         long long announced) {
  const char* reason = status == 200 ? "OK" : status == 404 ? "Not Found" : "Error";
  const long long length = announced < 0 ? static_cast<long long>(body.size()) : announced;
  return "HTTP/1.1 " + std::to_string(status) + " " + reason +
         "\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
         std::to_string(length) + "\r\nConnection: close\r\n\r\n" + body;
}

void LoopbackHttpServer::Serve() {
  while (!stop_) {
    if (!Readable(listener_, 50)) continue;
    SOCKET client = accept(listener_, nullptr, nullptr);
    if (client == INVALID_SOCKET) continue;
    Answer(client);
    closesocket(client);
  }
}

void LoopbackHttpServer::Answer(SOCKET client) {
  std::string request;
  char buffer[1024];
  while (request.find("\r\n\r\n") == std::string::npos && request.size() < 16384) {
    if (!Readable(client, 5000)) return;
    const int n = recv(client, buffer, sizeof(buffer), 0);
    if (n <= 0) return;
    request.append(buffer, static_cast<size_t>(n));
  }
  ++requests_;
  // "GET /path HTTP/1.1"
  const size_t start = request.find(' ') + 1;
  const std::string path = request.substr(start, request.find(' ', start) - start);
  const auto it = responses_.find(path);
  const std::string response =
      it != responses_.end() ? it->second : Response(404, "<html>Not Found</html>");
  // Paths under "/slow/" trickle out 1000 bytes every 100 ms, for transfers that take a while;
  // paths under "/late/" are answered after a second, for a server slow to start answering.
  const bool slow = path.rfind("/slow/", 0) == 0;
  if (path.rfind("/late/", 0) == 0)
    for (int waited = 0; waited < 1000 && !stop_; waited += 50) Sleep(50);
  const size_t piece = slow ? 1000 : response.size();
  size_t sent = 0;
  while (sent < response.size() && !stop_) {
    const size_t want = std::min(piece, response.size() - sent);
    const int n = send(client, response.data() + sent, static_cast<int>(want), 0);
    if (n <= 0) break;
    sent += static_cast<size_t>(n);
    if (slow) Sleep(100);
  }
  shutdown(client, SD_SEND);
  // Let the client read everything before the socket closes.
  while (Readable(client, 2000) && recv(client, buffer, sizeof(buffer), 0) > 0) {
  }
}

unsigned short UnusedLoopbackPort() {
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return 0;
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  unsigned short port = 0;
  if (s != INVALID_SOCKET) {
    const sockaddr_in address = Loopback(0);
    if (bind(s, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0) {
      port = PortOf(s);
    }
    closesocket(s);
  }
  WSACleanup();
  return port;
}

}  // namespace gmtest
