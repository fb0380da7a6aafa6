#include "httpserver.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <memory>
#include <vector>

TestHttpServer::TestHttpServer() {
    m_thread = std::thread([this] { run(); });
    std::unique_lock lock(m_mutex);
    m_ready.wait(lock, [this] { return m_port != 0; });
}

TestHttpServer::~TestHttpServer() {
    m_stop = true;
    m_thread.join();
}

void TestHttpServer::route(const QString& path, std::deque<Response> responses) {
    std::lock_guard lock(m_mutex);
    m_routes[path] = std::move(responses);
}

QString TestHttpServer::url(const QString& path) const {
    return QStringLiteral("http://127.0.0.1:%1%2").arg(m_port.load()).arg(path);
}

int TestHttpServer::requests(const QString& path) const {
    std::lock_guard lock(m_mutex);
    return m_requests.value(path);
}

quint16 TestHttpServer::closedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

TestHttpServer::Response TestHttpServer::respond(const QString& path) {
    std::lock_guard lock(m_mutex);
    ++m_requests[path];
    auto found = m_routes.find(path);
    if (found == m_routes.end() || found->empty()) {
        return {404, "niet gevonden"};
    }
    Response r = found->front();
    if (found->size() > 1) {
        found->pop_front();
    }
    return r;
}

void TestHttpServer::run() {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    {
        std::lock_guard lock(m_mutex);
        m_port = server.serverPort();
    }
    m_ready.notify_all();

    std::vector<std::unique_ptr<QTcpSocket>> held; // silent connections
    while (!m_stop) {
        if (!server.waitForNewConnection(20)) {
            continue;
        }
        std::unique_ptr<QTcpSocket> socket(server.nextPendingConnection());
        socket->setParent(nullptr);
        QByteArray head;
        while (!m_stop && !head.contains("\r\n\r\n")) {
            if (!socket->waitForReadyRead(50) &&
                socket->state() != QAbstractSocket::ConnectedState) {
                break;
            }
            head += socket->readAll();
        }
        const QList<QByteArray> requestLine = head.left(head.indexOf("\r\n")).split(' ');
        const QString path =
            requestLine.size() >= 2 ? QString::fromLatin1(requestLine[1]) : QString();
        const Response r = respond(path);
        if (r.silent) {
            held.push_back(std::move(socket));
            continue;
        }
        QByteArray answer =
            "HTTP/1.1 " + QByteArray::number(r.status) + " Antwoord\r\n" +
            "Content-Type: text/plain\r\nContent-Length: " + QByteArray::number(r.body.size()) +
            "\r\nConnection: close\r\n\r\n" + r.body;
        if (r.stallBody) {
            socket->write(answer.left(answer.indexOf("\r\n\r\n") + 4));
            socket->waitForBytesWritten(1000);
            held.push_back(std::move(socket));
            continue;
        }
        socket->write(answer);
        socket->waitForBytesWritten(1000);
        socket->disconnectFromHost();
        if (socket->state() != QAbstractSocket::UnconnectedState) {
            socket->waitForDisconnected(1000);
        }
    }
}
