#include "tasks/taskcreation.h"

#include "app/settings.h"
#include "app/taskboard.h"
#include "platform/statusline.h"
#include "tasks/newtaskaddress.h"
#include "tasks/windowlock.h"
#include "web/pagefetcher.h"

namespace {

// Unlocks on every way out, an exception from a nested handler included.
class LockHeld
{
public:
    explicit LockHeld(WindowLock &lock) : m_lock(lock) { m_lock.lock(); }
    ~LockHeld() { m_lock.unlock(); }
    LockHeld(const LockHeld &) = delete;
    LockHeld &operator=(const LockHeld &) = delete;

private:
    WindowLock &m_lock;
};

} // namespace

TaskCreation::TaskCreation(PageFetcher &fetcher, TaskBoard &board, StatusLine &statusLine, WindowLock &lock,
                           const Settings &settings)
    : m_fetcher(fetcher), m_board(board), m_statusLine(statusLine), m_lock(lock), m_settings(settings)
{
}

std::optional<qint16> TaskCreation::create(QString &address)
{
    m_statusLine.setText(QStringLiteral("获取标题中..."));
    address = completeTaskAddress(address);
    const QString page = fetchWithRetries(address);
    m_statusLine.setText(QStringLiteral("就绪"));

    qint16 index = 0;
    if (!m_board.Add(ExtractTitle(page), address, index, false, QStringLiteral("就绪"))) {
        m_statusLine.setText(QStringLiteral("任务列表已满，无法添加任务"));
        return std::nullopt;
    }
    m_board.Cpro(index, 0);
    return index;
}

// At most 1 + Reset fetches; a Reset below 0 makes no retry rather than retrying for ever.
QString TaskCreation::fetchWithRetries(const QString &address)
{
    LockHeld held(m_lock);
    for (int failures = 0;; ++failures) {
        QString page = m_fetcher.FetchPage(address);
        if (!page.isEmpty() || failures >= m_settings.reset())
            return page;
        m_statusLine.setText(QStringLiteral("第%1次失败，重试...").arg(failures + 1));
    }
}
