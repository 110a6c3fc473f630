#include "http/UHttpError.h"

EHttpError::EHttpError(const std::string& message)
    : std::runtime_error(message)
{
}

EHttpError::EHttpError(int statusCode, const std::string& statusLine, const std::string& body)
    : std::runtime_error("HTTP status " + std::to_string(statusCode) + ": " + statusLine +
                         (body.empty() ? "" : "\n" + body))
    , AnswerStatus(statusCode)
    , AnswerStatusLine(statusLine)
    , AnswerBody(body)
{
}
