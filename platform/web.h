#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

typedef void CURL;

// Bounds of one request. The defaults keep every request short enough that
// the program can never hang on an address that does not answer.
struct WebTimeouts {
    std::int32_t connectMs = 5000; // until the connection stands
    std::int32_t totalMs = 30000;  // for the whole request, body included
};

// One internet session (a libcurl easy handle) for a whole run, so that
// connections can be reused. Only http and https addresses are opened;
// redirects are followed, and proxies come from the environment
// (http_proxy, https_proxy, no_proxy) as the system configures them. A
// request fails when the address cannot be opened, the server answers with an
// error status (400 and up), the transfer breaks off or runs out of time.
// Blocking, on the calling thread.
class WebSession {
public:
    explicit WebSession(const QString& agent);
    ~WebSession();
    WebSession(const WebSession&) = delete;
    WebSession& operator=(const WebSession&) = delete;

    // False when no handle could be made; every request then fails.
    bool isOpen() const { return m_curl != nullptr; }

    void setTimeouts(const WebTimeouts& timeouts) { m_timeouts = timeouts; }
    const WebTimeouts& timeouts() const { return m_timeouts; }

    // The whole body of the answer. Bodies beyond maxBodyBytes fail.
    bool fetch(const QString& address, QByteArray& body);
    // Opens the address and lets go as soon as the answer has begun.
    bool open(const QString& address);

    static constexpr std::int64_t maxBodyBytes = 64 * 1024 * 1024;

private:
    bool perform(const QString& address, QByteArray* body);

    CURL* m_curl = nullptr;
    QByteArray m_agent;
    WebTimeouts m_timeouts;
};
