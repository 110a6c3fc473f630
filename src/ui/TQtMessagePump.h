#pragma once
// The program's message pump: a waiting request runs the window's pending events.

#include "http/UMessagePump.h"

class TQtMessagePump final : public TMessagePump {
public:
    void Pump() override;
};
