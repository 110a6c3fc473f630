#pragma once
// The seam through which a waiting request keeps the window responsive.

// Handed to the HTTP client by its owner. The program implements Pump with the event
// loop's "process all pending events"; tests count the calls or act inside them.
// Pump may start other work, including CloseConnection or destroying the client.
class TMessagePump {
public:
    virtual ~TMessagePump() = default;
    // Dispatches every pending window message, then returns.
    virtual void Pump() = 0;
};
