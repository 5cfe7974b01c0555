#include "app/settings.h"

void Settings::setReset(qint16 value)
{
    if (m_reset == value)
        return;
    m_reset = value;
    Q_EMIT changed();
}

void Settings::setResetText(const QString &value)
{
    if (m_resetText == value)
        return;
    m_resetText = value;
    Q_EMIT changed();
}

void Settings::setAutoOpen(int value)
{
    if (m_autoOpen == value)
        return;
    m_autoOpen = value;
    Q_EMIT changed();
}

void Settings::setProxy(const QString &value)
{
    if (m_proxy == value)
        return;
    m_proxy = value;
    Q_EMIT changed();
}

void Settings::setCookiesFile(const QString &value)
{
    if (m_cookiesFile == value)
        return;
    m_cookiesFile = value;
    Q_EMIT changed();
}
