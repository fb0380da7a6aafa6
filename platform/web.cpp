#include "web.h"

#include <QUrl>
#include <curl/curl.h>

namespace {

struct Transfer {
    CURL* curl = nullptr;
    QByteArray* body = nullptr; // null: only open the address
    bool stoppedAtBody = false;
    bool tooLarge = false;
};

// Opening ends with the header of a successful answer; a redirect's header
// is followed by the next answer's.
size_t header(char* data, size_t size, size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    const size_t bytes = size * count;
    const bool endOfHeader = bytes <= 2 && (bytes == 0 || data[0] == '\r' || data[0] == '\n');
    if (!transfer->body && endOfHeader) {
        long status = 0;
        curl_easy_getinfo(transfer->curl, CURLINFO_RESPONSE_CODE, &status);
        if (status >= 200 && status < 300) {
            transfer->stoppedAtBody = true;
            return 0;
        }
    }
    return bytes;
}

size_t receive(char* data, size_t size, size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    const size_t bytes = size * count;
    if (!transfer->body) {
        // Opening is enough: the answer has begun, so stop here.
        transfer->stoppedAtBody = true;
        return 0;
    }
    if (transfer->body->size() + static_cast<std::int64_t>(bytes) > WebSession::maxBodyBytes) {
        transfer->tooLarge = true;
        return 0;
    }
    transfer->body->append(data, static_cast<qsizetype>(bytes));
    return bytes;
}

bool globalInit() {
    static const bool done = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return done;
}

} // namespace

WebSession::WebSession(const QString& agent)
    : m_agent(agent.toUtf8()) {
    if (globalInit()) {
        m_curl = curl_easy_init();
    }
}

WebSession::~WebSession() {
    if (m_curl) {
        curl_easy_cleanup(m_curl);
    }
}

bool WebSession::fetch(const QString& address, QByteArray& body) {
    QByteArray received;
    if (!perform(address, &received)) {
        return false;
    }
    body = std::move(received);
    return true;
}

bool WebSession::open(const QString& address) {
    return perform(address, nullptr);
}

bool WebSession::perform(const QString& address, QByteArray* body) {
    if (!m_curl) {
        return false;
    }
    // Tolerant parsing encodes spaces and other characters that a typed
    // address may hold; only http and https go out.
    const QUrl url(address.trimmed(), QUrl::TolerantMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() ||
        (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
        return false;
    }
    const QByteArray encoded = url.toEncoded();

    Transfer transfer;
    transfer.curl = m_curl;
    transfer.body = body;
    CURL* c = m_curl;
    curl_easy_reset(c);
    curl_easy_setopt(c, CURLOPT_URL, encoded.constData());
    curl_easy_setopt(c, CURLOPT_USERAGENT, m_agent.constData());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(c, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(m_timeouts.connectMs));
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, static_cast<long>(m_timeouts.totalMs));
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &receive);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, &header);
    curl_easy_setopt(c, CURLOPT_HEADERDATA, &transfer);

    const CURLcode result = curl_easy_perform(c);
    if (result == CURLE_OK) {
        return !transfer.tooLarge;
    }
    return result == CURLE_WRITE_ERROR && transfer.stoppedAtBody;
}
