#pragma once

#include "http/UHttpError.h"

// Thrown when the request was called off from inside a pump (CloseConnection, or the
// client destroyed). Never retried.
class EHttpAborted : public EHttpError {
public:
    EHttpAborted()
        : EHttpError("The request was cancelled: the connection was closed.")
    {
    }
};
