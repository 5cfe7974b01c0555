#pragma once

#include <QObject>
#include <QString>

// The general options of Option.ini, live for the whole run: the settings window edits them in
// place and every reader takes the current value.
class Settings final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Settings)
    Q_PROPERTY(qint16 reset READ reset WRITE setReset NOTIFY changed)
    Q_PROPERTY(QString resetText READ resetText WRITE setResetText NOTIFY changed)
    Q_PROPERTY(int autoOpen READ autoOpen WRITE setAutoOpen NOTIFY changed)
    Q_PROPERTY(QString proxy READ proxy WRITE setProxy NOTIFY changed)
    Q_PROPERTY(QString cookiesFile READ cookiesFile WRITE setCookiesFile NOTIFY changed)

public:
    explicit Settings(QObject *parent = nullptr) : QObject(parent) {}

    // Fetch attempts per page (at most 50 after loading).
    qint16 reset() const { return m_reset; }
    void setReset(qint16 value);
    // The same value as the text read from the file, written back unchanged.
    QString resetText() const { return m_resetText; }
    void setResetText(const QString &value);
    // 0 off, 1 on, 2 (indeterminate) counts as off: open the task folder after its download.
    int autoOpen() const { return m_autoOpen; }
    void setAutoOpen(int value);
    bool opensFolderWhenDone() const { return m_autoOpen == 1; }
    // The proxy: empty, the one the environment names; "direct", none; otherwise its address.
    QString proxy() const { return m_proxy; }
    void setProxy(const QString &value);
    // A Netscape cookies.txt whose cookies go with the requests; empty for none.
    QString cookiesFile() const { return m_cookiesFile; }
    void setCookiesFile(const QString &value);

Q_SIGNALS:
    void changed();

private:
    qint16 m_reset = 5;
    QString m_resetText = QStringLiteral("5");
    int m_autoOpen = 1;
    QString m_proxy;
    QString m_cookiesFile;
};
