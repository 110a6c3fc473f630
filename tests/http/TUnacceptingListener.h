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
        Listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (::bind(Listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(Listener, 0) != 0)
            throw std::runtime_error("cannot listen on loopback");
        ::getsockname(Listener, reinterpret_cast<sockaddr*>(&address), &length);
        PortNumber = ntohs(address.sin_port);
        for (int i = 0; i < 3; ++i) {
            const int filler = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
            (void)::connect(filler, reinterpret_cast<sockaddr*>(&address), sizeof address);
            Fillers.push_back(filler);
        }
    }
    ~TUnacceptingListener()
    {
        for (int fd : Fillers)
            ::close(fd);
        ::close(Listener);
    }
    TUnacceptingListener(const TUnacceptingListener&) = delete;
    TUnacceptingListener& operator=(const TUnacceptingListener&) = delete;

    [[nodiscard]] std::string Url() const { return "http://127.0.0.1:" + std::to_string(PortNumber) + "/"; }

private:
    int Listener = -1;
    int PortNumber = 0;
    std::vector<int> Fillers;
};
