#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

// A small HTTP server on 127.0.0.1 for the web layer's tests. It runs on a
// thread of its own, because the web layer blocks the thread that calls it.
// Each path answers with its queue of responses, the last one repeating;
// unknown paths answer 404.
class TestHttpServer {
public:
    struct Response {
        int status = 200;
        QByteArray body;
        bool silent = false;    // accept the request and never answer
        bool stallBody = false; // send the header, then never the body
    };

    TestHttpServer();
    ~TestHttpServer();

    void route(const QString& path, std::deque<Response> responses);
    QString url(const QString& path) const;
    int requests(const QString& path) const;

    // A port on 127.0.0.1 where nothing listens.
    static quint16 closedPort();

private:
    void run();
    Response respond(const QString& path);

    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<quint16> m_port{0};
    mutable std::mutex m_mutex;
    std::condition_variable m_ready;
    QMap<QString, std::deque<Response>> m_routes;
    QMap<QString, int> m_requests;
};
