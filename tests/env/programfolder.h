#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// A program folder of its own for a test of the start-up sequence: the
// program file "kivora" stands in a fresh temporary folder. Start-up changes
// the working folder; the folder of the test run comes back afterwards.
class ProgramFolder {
public:
    ProgramFolder()
        : m_before(QDir::currentPath()) {}
    ~ProgramFolder() { QDir::setCurrent(m_before); }

    // Full path of the folder, ending with "/", as start-up reports it.
    QString path() const { return QDir(m_dir.path()).canonicalPath() + QLatin1Char('/'); }
    QString programFile() const { return path() + QStringLiteral("kivora"); }
    QString file(const QString& name) const { return path() + name; }

    void write(const QString& name, const QByteArray& content) const {
        QFile f(file(name));
        if (f.open(QIODevice::WriteOnly)) {
            f.write(content);
        }
    }

private:
    QString m_before;
    QTemporaryDir m_dir;
};

// A settings file with one profile.
inline QByteArray oneProfile(const QByteArray& plek, const QByteArray& printen = "1") {
    return "[ALGEMEEN]\r\naantal=1\r\n[Norvel_0]\r\nset_plekbestanden=" + plek +
           "\r\nselbol_printen=" + printen + "\r\n";
}
