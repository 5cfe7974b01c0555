#include "app/updatecheck.h"

#include "app/updatepage.h"
#include "platform/messagebox.h"
#include "platform/shelllauncher.h"
#include "web/pagefetcher.h"

UpdateCheck::UpdateCheck(PageFetcher &fetcher, MessageBox &messages, ShellLauncher &launcher,
                         QString pageAddress, QString runningVersion)
    : m_fetcher(fetcher), m_messages(messages), m_launcher(launcher), m_pageAddress(std::move(pageAddress)),
      m_runningVersion(std::move(runningVersion))
{
}

void UpdateCheck::openDownloadPage()
{
    m_launcher.openWebAddress(m_pageAddress);
}

void UpdateCheck::run()
{
    // A page that lacks a marker is reported as a failed fetch rather than cut at the wrong place.
    const UpdatePage found = readUpdatePage(m_fetcher.FetchPage(m_pageAddress), m_runningVersion);
    switch (found.verdict) {
    case UpdatePage::Verdict::Unreadable:
        m_messages.show(QStringLiteral("获取失败！可能是网络环境问题或服务器正忙，请稍后重试。"),
                        applicationTitle(), MessageBox::Buttons::Ok, MessageBox::Icon::Information);
        return;
    case UpdatePage::Verdict::Current:
        m_messages.show(QStringLiteral("当前版本为最新版本。"), applicationTitle(), MessageBox::Buttons::Ok,
                        MessageBox::Icon::Information);
        return;
    case UpdatePage::Verdict::Update:
        m_messages.show(QStringLiteral("有更新:版本号:") + found.version + QStringLiteral("\r\n更新内容:") +
                            found.notes + QStringLiteral("点击确定打开下载页。"),
                        applicationTitle(), MessageBox::Buttons::Ok, MessageBox::Icon::Information);
        openDownloadPage();
        return;
    }
}
