#include "ini.h"

#include "codepage.h"

#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace {

QString folded(const QString& name) {
    return name.toCaseFolded();
}

QByteArray withoutQuotes(const QByteArray& value) {
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == '"' || value.front() == '\'')) {
        return value.mid(1, value.size() - 2);
    }
    return value;
}

int hexDigit(QChar c) {
    if (c >= u'0' && c <= u'9') {
        return c.unicode() - u'0';
    }
    if (c >= u'a' && c <= u'f') {
        return c.unicode() - u'a' + 10;
    }
    if (c >= u'A' && c <= u'F') {
        return c.unicode() - u'A' + 10;
    }
    return -1;
}

} // namespace

QString decodeSettingsText(const QByteArray& bytes) {
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF")) {
        view = view.sliced(3);
    }
    if (view.isValidUtf8()) {
        return QString::fromUtf8(view);
    }
    return fromCp1252(view.data(), view.size());
}

IniFile::IniFile(const QByteArray& text) {
    QByteArray content = text;
    if (content.startsWith("\xEF\xBB\xBF")) {
        content.remove(0, 3);
    }
    // Lines end in CR LF, LF or a lone CR.
    content.replace("\r\n", "\n");
    content.replace('\r', '\n');

    constexpr std::size_t none = static_cast<std::size_t>(-1);
    std::size_t current = none;
    for (const QByteArray& raw : content.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(';')) {
            continue;
        }
        if (line.startsWith('[')) {
            const qsizetype close = line.lastIndexOf(']');
            current = none;
            if (close < 0) {
                continue; // a broken header opens nothing
            }
            const QString name = folded(decodeSettingsText(line.mid(1, close - 1).trimmed()));
            const auto found = m_index.constFind(name);
            if (found != m_index.constEnd()) {
                continue; // a second section of the same name is never read
            }
            m_sections.emplace_back();
            m_index.insert(name, m_sections.size() - 1);
            current = m_sections.size() - 1;
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (current == none || equals < 0) {
            continue;
        }
        const QString key = folded(decodeSettingsText(line.left(equals).trimmed()));
        if (key.isEmpty()) {
            continue;
        }
        Section& section = m_sections[current];
        if (!section.values.contains(key)) {
            section.values.insert(key, withoutQuotes(line.mid(equals + 1).trimmed()));
        }
    }
}

bool IniFile::load(const QString& fileName) {
    *this = IniFile();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return false;
    }
    *this = IniFile(bytes);
    return true;
}

const QByteArray* IniFile::find(const QString& section, const QString& key) const {
    const auto s = m_index.constFind(folded(section.trimmed()));
    if (s == m_index.constEnd()) {
        return nullptr;
    }
    const auto& values = m_sections[*s].values;
    const auto v = values.constFind(folded(key.trimmed()));
    return v == values.constEnd() ? nullptr : &*v;
}

bool IniFile::hasSection(const QString& section) const {
    return m_index.contains(folded(section.trimmed()));
}

bool IniFile::hasKey(const QString& section, const QString& key) const {
    return find(section, key) != nullptr;
}

QString IniFile::readString(const QString& section, const QString& key,
                            const QString& fallback) const {
    const QByteArray* value = find(section, key);
    return value ? decodeSettingsText(*value) : fallback;
}

QByteArray IniFile::readBytes(const QString& section, const QString& key,
                              const QByteArray& fallback) const {
    const QByteArray* value = find(section, key);
    return value ? *value : fallback;
}

std::int32_t IniFile::readInteger(const QString& section, const QString& key,
                                  std::int32_t fallback) const {
    const QByteArray* value = find(section, key);
    if (!value) {
        return fallback;
    }
    return parseIniInteger(decodeSettingsText(*value)).value_or(fallback);
}

bool IniFile::readBool(const QString& section, const QString& key, bool fallback) const {
    return readInteger(section, key, fallback ? 1 : 0) != 0;
}

double IniFile::readFloat(const QString& section, const QString& key, double fallback) const {
    const QByteArray* value = find(section, key);
    if (!value) {
        return fallback;
    }
    return parseIniFloat(decodeSettingsText(*value)).value_or(fallback);
}

std::optional<std::int32_t> parseIniInteger(const QString& text) {
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    bool hex = false;
    if (i < text.size() && text[i] == u'$') {
        hex = true;
        i += 1;
    } else if (i + 1 < text.size() && text[i] == u'0' &&
               (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        hex = true;
        i += 2;
    }
    if (i >= text.size()) {
        return std::nullopt;
    }
    const std::uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 2147483648ull : 2147483647ull);
    std::uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit =
            hex ? hexDigit(text[i])
                : (text[i].isDigit() && text[i].unicode() < 128 ? text[i].unicode() - u'0' : -1);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
        if (value > limit) {
            return std::nullopt;
        }
    }
    // Hexadecimal fills the 32 bits as they stand: $FFFFFFFF is -1.
    auto result = static_cast<std::uint32_t>(value);
    if (negative) {
        result = 0u - result;
    }
    return static_cast<std::int32_t>(result);
}

std::optional<double> parseIniFloat(const QString& text) {
    static const QRegularExpression number(
        QStringLiteral("^[+-]?([0-9]+[.,]?[0-9]*|[.,][0-9]+)([eE][+-]?[0-9]+)?$"));
    if (!number.match(text).hasMatch()) {
        return std::nullopt;
    }
    QString c = text;
    c.replace(u',', u'.');
    bool ok = false;
    const double value = QLocale::c().toDouble(c, &ok);
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}
