#pragma once
// A loopback port for tests of waiting: its accept queue is full, so a further connection
// attempt stays pending and no answer ever comes.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>
#include <string>
#include <vector>

class TUnacceptingListener {
public:
    TUnacceptingListener()
    {
        FListener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (::bind(FListener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(FListener, 0) != 0)
            throw std::runtime_error("cannot listen on loopback");
        ::getsockname(FListener, reinterpret_cast<sockaddr*>(&address), &length);
        FPort = ntohs(address.sin_port);
        for (int i = 0; i < 3; ++i) {
            const int filler = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
            (void)::connect(filler, reinterpret_cast<sockaddr*>(&address), sizeof address);
            FFillers.push_back(filler);
        }
    }
    ~TUnacceptingListener()
    {
        for (int fd : FFillers)
            ::close(fd);
        ::close(FListener);
    }
    TUnacceptingListener(const TUnacceptingListener&) = delete;
    TUnacceptingListener& operator=(const TUnacceptingListener&) = delete;

    [[nodiscard]] std::string Url() const { return "http://127.0.0.1:" + std::to_string(FPort) + "/"; }

private:
    int FListener = -1;
    int FPort = 0;
    std::vector<int> FFillers;
};
