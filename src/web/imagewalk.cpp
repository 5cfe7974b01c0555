#include "web/imagewalk.h"

#include "app/mode.h"
#include "app/runflags.h"
#include "app/settings.h"
#include "app/taskboard.h"
#include "platform/basicnumbers.h"
#include "platform/inputbox.h"
#include "platform/statusline.h"
#include "web/chapterbounds.h"
#include "web/pagefetcher.h"
#include "web/pagereading.h"
#include "web/walkpausestate.h"

#include <algorithm>
#include <QCoreApplication>
#include <QStringList>

namespace {

const QString crlf = QStringLiteral("\r\n");

bool isBlankPage(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c == u'\r' || c == u'\n' || c == u' '; });
}

QString withoutQuestionMarks(QString text)
{
    return text.remove(QLatin1Char('?'));
}

} // namespace

ImageWalk::ImageWalk(PageFetcher &fetcher, TaskBoard &board, StatusLine &statusLine, InputBox &inputBox,
                     const Settings &settings, const Mode &mode, RunFlags &runFlags,
                     WalkPauseState &pauseState)
    : m_fetcher(fetcher), m_board(board), m_statusLine(statusLine), m_inputBox(inputBox),
      m_settings(settings), m_mode(mode), m_runFlags(runFlags), m_pauseState(pauseState)
{
}

ImageWalk::Outcome ImageWalk::BuildImageList(const QString &address, qint16 index, QString &result)
{
    QStringList imagePages;
    return BuildImageList(address, index, result, imagePages);
}

ImageWalk::Outcome ImageWalk::BuildImageList(const QString &address, qint16 index, QString &result,
                                             QStringList &imagePages)
{
    try {
        return walk(address, index, result, imagePages);
    } catch (const MissingTaskError &) {
        // The user removed the task while it was walked: nobody is left to report to or to
        // take the list, so the walk ends quietly without delivering it.
        return Outcome::TaskMissing;
    }
}

ImageWalk::Outcome ImageWalk::walk(const QString &address, qint16 index, QString &result, QStringList &imagePages)
{
    qint32 page = 1;
    QString current = address;
    QString imageList;
    QStringList pages;
    QString referer; // the page before, sent along as a browser would
    QString firstAddress = address;
    ChapterBounds bounds;
    // Only the walk that was paused continues: the saved list belongs to the page it stopped
    // before, and its chapter still ends where it began.
    if (m_runFlags.pauseFlag && address == m_pauseState.savedWalkNext) {
        imageList = m_pauseState.savedWalkList;
        pages = m_pauseState.savedWalkPages;
        referer = m_pauseState.savedWalkReferer;
        page = m_pauseState.savedWalkPage;
        if (!m_pauseState.savedWalkFirst.isEmpty())
            firstAddress = m_pauseState.savedWalkFirst;
        bounds = m_pauseState.savedWalkBounds;
    }
    m_runFlags.pauseFlag = false;
    m_board.ChangeState(index, QStringLiteral("下载开始,搜寻资源中..."));

    bool stoppedByPause = false;
    for (;;) {
        if (m_runFlags.pauseFlag) {
            m_board.ChangeState(index, QStringLiteral("用户暂停..."));
            stoppedByPause = true;
            break;
        }
        FetchedPage fetched;
        if (!fetchWithRetries(current, referer, index, fetched))
            return Outcome::Failed;
        const QString analysed = current;
        const qsizetype listed = imageList.size();
        const bool read = readPage(analysed, fetched, firstAddress, index, bounds, imageList, current);
        for (qsizetype n = QStringView(imageList).mid(listed).count(crlf); n > 0; --n)
            pages.append(analysed);
        referer = analysed;
        if (!read || endsWalk(current, firstAddress, analysed) || (m_mode.chapterEnd() && bounds.hasFetched(current))) {
            m_board.ChangeState(index, QStringLiteral("链接已全部被找到!开始下载..."));
            break;
        }
        m_board.ChangeURL(index, current);
        m_board.ChangeState(index, QStringLiteral("寻找成功:当前为第%1页").arg(page));
        ++page;
        m_statusLine.setText(shortAddress(current));
        QCoreApplication::processEvents();
    }

    result = imageList;
    imagePages = pages;
    if (m_runFlags.pauseFlag) {
        m_pauseState.savedWalkList = imageList;
        m_pauseState.savedWalkPages = pages;
        m_pauseState.savedWalkReferer = referer;
        m_pauseState.savedWalkPage = page;
        m_pauseState.savedWalkFirst = firstAddress;
        m_pauseState.savedWalkBounds = bounds;
        // A walk that reached the chapter's end has nothing left to continue.
        m_pauseState.savedWalkNext = stoppedByPause ? current : QString();
    }
    return stoppedByPause ? Outcome::Paused : Outcome::Finished;
}

// A value below 1 counts as one attempt, so a page that keeps failing cannot hold the walk forever.
bool ImageWalk::fetchWithRetries(const QString &address, const QString &referer, qint16 index, FetchedPage &page)
{
    qint32 failures = 0;
    for (;;) {
        page = m_fetcher.FetchPageAndAddress(address, referer);
        if (!isBlankPage(page.text))
            return true;
        ++failures;
        if (failures >= std::max<qint32>(1, m_settings.reset())) {
            m_board.ChangeState(index, QStringLiteral("下载失败......"));
            return false;
        }
        m_board.ChangeState(index, QStringLiteral("第%1次失败，重试......").arg(failures));
    }
}

// Adds the page's images to the list and chooses its next page; false when the page lies outside
// the chapter (with the mode's chapter switch on), which ends the walk with nothing taken from it.
bool ImageWalk::readPage(const QString &asked, const FetchedPage &page, const QString &firstAddress, qint16 index,
                         ChapterBounds &bounds, QString &imageList, QString &next)
{
    next.clear();
    if (m_mode.chapterEnd() && !bounds.enter(asked, page.address))
        return false;
    m_board.ChangeState(index, QStringLiteral("获取资源......"));
    const PageFindings findings = ReadPage(page.text, page.address, firstAddress, m_mode, [&] {
        m_board.ChangeState(index, QStringLiteral("分析资源......"));
    });
    QStringList images = findings.images;
    if (m_mode.chapterEnd()) {
        // A page that shows only images already collected is one the chapter has been through.
        images = bounds.newImages(images);
        if (images.isEmpty() && bounds.pages() > 1)
            return false;
    }
    for (const QString &image : std::as_const(images))
        imageList += image + crlf;
    next = chooseNextPage(findings.candidates);
    return true;
}

QString ImageWalk::chooseNextPage(const QStringList &candidates) const
{
    if (candidates.isEmpty())
        return {};
    if (candidates.size() == 1)
        return candidates.first();
    QString prompt = QStringLiteral("检测到了多条地址！请告诉我们，哪一条才是正确的：") + crlf;
    for (qsizetype i = 0; i < candidates.size(); ++i)
        prompt += QString::number(i + 1) + QLatin1Char(':') + candidates.at(i) + crlf;
    prompt += QStringLiteral("填入0其他字符或表示下载已完成...");
    const QString answer = m_inputBox.ask(prompt, QStringLiteral("选择"), QString());
    const double choice = roundHalfEven(leadingNumber(answer));
    if (choice < 1 || choice > double(candidates.size()))
        return {};
    return candidates.at(qsizetype(choice) - 1);
}

// Back at the start (also when only "?" marks differ), or on the page just read: a page that
// links to itself would otherwise be fetched again and again.
bool ImageWalk::endsWalk(const QString &next, const QString &firstAddress, const QString &analysed)
{
    return next.isEmpty() || next == firstAddress ||
           withoutQuestionMarks(next) == withoutQuestionMarks(firstAddress) || next == analysed;
}

QString ImageWalk::shortAddress(const QString &address)
{
    if (address.size() <= 53)
        return address;
    return address.left(20) + QStringLiteral("...") + address.right(18);
}
