#pragma once
// The one exception type of the HTTP transport.

#include <stdexcept>
#include <string>

class EHttpError : public std::runtime_error {
public:
    // A failure without an answer status: connection, timeout, malformed answer.
    explicit EHttpError(const std::string& message);
    // An answer whose status fails the call; what() is the status line, then the body.
    EHttpError(int statusCode, const std::string& statusLine, const std::string& body);

    // 0 when the failure carries no answer status.
    [[nodiscard]] int StatusCode() const { return AnswerStatus; }
    [[nodiscard]] const std::string& StatusLine() const { return AnswerStatusLine; }
    [[nodiscard]] const std::string& Body() const { return AnswerBody; }

private:
    int AnswerStatus = 0;
    std::string AnswerStatusLine;
    std::string AnswerBody;
};
