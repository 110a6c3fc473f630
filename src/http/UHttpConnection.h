#pragma once
// One open TCP connection with its read buffer.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TPumpedWaiter;

class THttpConnection {
public:
    static constexpr size_t MaxLineLength = 16384;

    THttpConnection(int socket, std::string host, int port);
    ~THttpConnection();
    THttpConnection(const THttpConnection&) = delete;
    THttpConnection& operator=(const THttpConnection&) = delete;

    [[nodiscard]] const std::string& Host() const { return HostName; }
    [[nodiscard]] int Port() const { return PortNumber; }
    // All bytes received so far, to tell whether an answer had begun.
    [[nodiscard]] uint64_t BytesReceived() const { return Received; }

    // Sends all of `data`, waiting for room with the waiter, so a peer that stops reading
    // neither freezes the window nor outlasts a cancellation. A peer that has gone away is
    // an EHttpError, never a SIGPIPE.
    void Write(std::string_view data, TPumpedWaiter& waiter);

    // Reads one line ended by LF, without the LF and a CR just before it. False when the
    // connection closes before the line is complete. Throws "Max line length exceeded."
    // for a line longer than MaxLineLength; "Read timed out." when the waiter's deadline passes.
    [[nodiscard]] bool ReadLine(std::string& line, TPumpedWaiter& waiter);

    // Reads at least one and at most `size` bytes into `destination`; 0 when the connection
    // has closed. Waits like ReadLine.
    [[nodiscard]] size_t ReadSome(char* destination, size_t size, TPumpedWaiter& waiter);

    // True when bytes beyond the last answer are buffered or waiting, or the peer has closed
    // or failed: such a connection must not carry another request.
    [[nodiscard]] bool HasPendingInput() const;

private:
    // Receives more bytes into the buffer, waiting as needed; false at the end of the stream.
    bool Fill(TPumpedWaiter& waiter);
    // One receive into `destination`, waiting as needed; 0 at the end of the stream.
    size_t Receive(char* destination, size_t size, TPumpedWaiter& waiter);

    int Socket;
    std::string HostName;
    int PortNumber;
    std::vector<char> Buffer;
    size_t Start = 0; // unread bytes are Buffer[Start, End)
    size_t End = 0;
    uint64_t Received = 0;
};
