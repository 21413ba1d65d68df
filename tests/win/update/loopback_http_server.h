#pragma once
// A tiny HTTP server on 127.0.0.1 inside the test process, for the wininet tests: it listens on a
// port the system picks, answers each request with the raw response stored for its path (404 for
// other paths) and stops with its owner, so no process outlives the test and nothing leaves the
// machine.
#include <winsock2.h>

#include <atomic>
#include <map>
#include <string>
#include <thread>

namespace gmtest {

class LoopbackHttpServer {
 public:
  // `responses` maps a request path ("/a.txt") to the bytes sent back, status line included.
  explicit LoopbackHttpServer(std::map<std::string, std::string> responses);
  ~LoopbackHttpServer();
  LoopbackHttpServer(const LoopbackHttpServer&) = delete;
  LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

  bool Listening() const { return listener_ != INVALID_SOCKET; }
  // "http://127.0.0.1:<port>"
  std::wstring BaseUrl() const;
  int Requests() const { return requests_; }

  // A complete response with a status, a Content-Length of `announced` (the body's own length
  // when negative) and the body; the connection closes after it.
  static std::string Response(int status, const std::string& body, long long announced = -1);

 private:
  void Serve();
  void Answer(SOCKET client);

  std::map<std::string, std::string> responses_;
  SOCKET listener_ = INVALID_SOCKET;
  unsigned short port_ = 0;
  std::atomic<bool> stop_{false};
  std::atomic<int> requests_{0};
  bool started_ = false;  // WSAStartup succeeded
  std::thread thread_;
};

// A loopback port that nothing listens on (bound, then released).
unsigned short UnusedLoopbackPort();

}  // namespace gmtest
