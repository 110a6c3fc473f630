#pragma once
// The general error handler: an exception that escapes an event handler is shown to the
// user with its text, written with a stack trace to the standard error stream, and the
// program goes on.

#include <QApplication>

#include <concepts>
#include <exception>
#include <utility>

class TMessageService;

// Where the handler shows its box; none means standard error only.
void SetErrorMessageService(TMessageService* service);
void ReportUnhandledError(std::exception_ptr error) noexcept;

// Wraps an event handler so that nothing it throws crosses Qt's own frames. The wrapper
// takes the arguments the handler takes, so it connects to any signal that offers them.
template <class Handler>
auto Guarded(Handler handler)
{
    return [handler = std::move(handler)]<class... Args>(Args && ... args) requires std::invocable<Handler&, Args...>
    {
        try {
            handler(std::forward<Args>(args)...);
        } catch (...) {
            ReportUnhandledError(std::current_exception());
        }
    };
}

// The application object; it catches what escapes any event delivery as the last resort.
class TApplication : public QApplication {
public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
