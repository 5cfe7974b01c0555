#pragma once

#include <QObject>
#include <QString>

// The active mode: the rules for reading comic pages. One live record for the whole run.
class Mode final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Mode)
    Q_PROPERTY(QString name READ name WRITE setName NOTIFY changed)
    Q_PROPERTY(QString blockUrl READ blockUrl WRITE setBlockUrl NOTIFY changed)
    Q_PROPERTY(QString blockImg READ blockImg WRITE setBlockImg NOTIFY changed)
    Q_PROPERTY(QString searchKW READ searchKW WRITE setSearchKW NOTIFY changed)
    Q_PROPERTY(bool kwUsing READ kwUsing WRITE setKWUsing NOTIFY changed)
    Q_PROPERTY(bool downMode READ downMode WRITE setDownMode NOTIFY changed)
    Q_PROPERTY(bool readerPage READ readerPage WRITE setReaderPage NOTIFY changed)
    Q_PROPERTY(bool scriptImg READ scriptImg WRITE setScriptImg NOTIFY changed)
    Q_PROPERTY(bool chapterEnd READ chapterEnd WRITE setChapterEnd NOTIFY changed)

public:
    explicit Mode(QObject *parent = nullptr) : QObject(parent) {}

    QString name() const { return m_name; }
    void setName(const QString &value) { assign(m_name, value); }
    // Links never taken as the next page (comma-separated keywords).
    QString blockUrl() const { return m_blockUrl; }
    void setBlockUrl(const QString &value) { assign(m_blockUrl, value); }
    // Image tags never taken as comic images (comma-separated keywords).
    QString blockImg() const { return m_blockImg; }
    void setBlockImg(const QString &value) { assign(m_blockImg, value); }
    QString searchKW() const { return m_searchKW; }
    void setSearchKW(const QString &value) { assign(m_searchKW, value); }
    bool kwUsing() const { return m_kwUsing; }
    void setKWUsing(bool value) { assign(m_kwUsing, value); }
    // On: download the images; off: only save the image list.
    bool downMode() const { return m_downMode; }
    void setDownMode(bool value) { assign(m_downMode, value); }

    // The reader's switches, off in every mode whose file does not name them.
    // On: pages are read as a browser shows them (lazy pictures, next-page links beside the
    // picture, chapter links never followed, addresses resolved against the page).
    bool readerPage() const { return m_readerPage; }
    void setReaderPage(bool value) { assign(m_readerPage, value); }
    // On: a page whose markup holds no comic image takes the pictures named in its scripts.
    bool scriptImg() const { return m_scriptImg; }
    void setScriptImg(bool value) { assign(m_scriptImg, value); }
    // On: the walk ends where the chapter ends, at a page already fetched, outside the chapter's
    // addresses or bringing no new image.
    bool chapterEnd() const { return m_chapterEnd; }
    void setChapterEnd(bool value) { assign(m_chapterEnd, value); }

Q_SIGNALS:
    void changed();

private:
    template <typename T> void assign(T &field, const T &value)
    {
        if (field == value)
            return;
        field = value;
        Q_EMIT changed();
    }

    QString m_name;
    QString m_blockUrl;
    QString m_blockImg;
    QString m_searchKW;
    bool m_kwUsing = false;
    bool m_downMode = false;
    bool m_readerPage = false;
    bool m_scriptImg = false;
    bool m_chapterEnd = false;
};
