#include "http/UHttp.h"

#include "http/UHttpSession.h"

THttpClient::THttpClient(TMessagePump& pump, const TLocalClock& clock, const THttpClientOptions& options)
    : Session(std::make_shared<THttpSession>(pump, clock, options))
{
}

// A call still waiting up the stack keeps the session alive; it sees the cancellation
// when the pump returns and unwinds without touching the client.
THttpClient::~THttpClient()
{
    Session->Cancel();
}

std::string THttpClient::PostForm(const std::string& address, const std::vector<FormField>& fields)
{
    const std::shared_ptr<THttpSession> session = Session;
    return session->PostForm(address, fields);
}

void THttpClient::GetToStream(const std::string& address, std::ostream& destination, uint64_t maxBytes)
{
    const std::shared_ptr<THttpSession> session = Session;
    session->GetToStream(address, destination, maxBytes);
}

void THttpClient::CloseConnection() noexcept
{
    Session->Cancel();
}

bool THttpClient::Busy() const
{
    return Session->Busy();
}
