#include "app/settingsactions.h"

#include "app/makerpages.h"
#include "app/mode.h"
#include "app/modefile.h"
#include "app/modefilelist.h"
#include "app/optionfile.h"
#include "platform/casepath.h"
#include "platform/inputbox.h"
#include "platform/messagebox.h"
#include "platform/shelllauncher.h"

#include <cerrno>
#include <cstring>
#include <QDir>
#include <QFile>

namespace {

const QString PresetModeFile = QStringLiteral("Normal.tdm");

QString withoutBlanksAtEnds(const QString &text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text.at(start) == u' ')
        ++start;
    while (end > start && text.at(end - 1) == u' ')
        --end;
    return text.mid(start, end - start);
}

// The mode a list entry names: the entry without its extension.
QString modeNameOf(const QString &entry)
{
    const qsizetype dot = entry.lastIndexOf(u'.');
    return dot < 0 ? QString() : entry.left(dot);
}

QString systemDescription(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

SettingsActions::SettingsActions(QString appFolder, const Settings &settings, Mode &mode,
                                 ModeFileList &modeFiles, MessageBox &messages, InputBox &input,
                                 ShellLauncher &launcher)
    : m_appFolder(std::move(appFolder)), m_settings(settings), m_mode(mode), m_modeFiles(modeFiles),
      m_messages(messages), m_input(input), m_launcher(launcher)
{
}

bool SettingsActions::isValidModeName(const QString &name)
{
    QString cleaned = name;
    cleaned.replace(u'?', u'-');
    for (const QChar c : {u'<', u'>', u'*', u':', u'"', u'/', u'\\'})
        cleaned.remove(c);
    return withoutBlanksAtEnds(cleaned) == name;
}

bool SettingsActions::saveSettings()
{
    if (const FileWriteResult saved = SaveOptions(m_appFolder, m_settings, m_mode); !saved) {
        reportError(saved.error);
        return false;
    }
    inform(QStringLiteral("设置已经成功保存!"));
    return true;
}

void SettingsActions::loadSelectedMode()
{
    const QString name = modeNameOf(m_modeFiles.selectedEntry());
    if (name.isEmpty() || !LoadMode(m_appFolder, name, m_mode))
        m_messages.show(QStringLiteral("指定的模式文件读入失败!"), applicationTitle(),
                        MessageBox::Buttons::Ok, MessageBox::Icon::Critical);
}

void SettingsActions::updateMode()
{
    const QString name = m_mode.name();
    // Reading back a file that was not written would throw away the unsaved fields.
    if (const FileWriteResult saved = SaveMode(m_appFolder, name, m_mode); !saved) {
        reportError(saved.error);
        return;
    }
    inform(QStringLiteral("模式已经成功更新!"));
    LoadMode(m_appFolder, name, m_mode);
}

void SettingsActions::saveModeAs()
{
    const QString name = m_input.ask(QStringLiteral("请输入另存为的模式的名称!"), QStringLiteral("输入"),
                                     QStringLiteral("Here"));
    if (name.isEmpty())
        return;
    if (!isValidModeName(name)) {
        m_messages.show(QStringLiteral("您输入了一个不合法的模式名称!"), applicationTitle(),
                        MessageBox::Buttons::Ok, MessageBox::Icon::Critical);
        return;
    }
    const bool exists = !findIgnoringCase(modeFolder(m_appFolder), name + QStringLiteral(".tdm")).isEmpty();
    if (exists && m_messages.show(QStringLiteral("名为") + name + QStringLiteral("的模式文件已存在，替换吗?"),
                                  applicationTitle(), MessageBox::Buttons::YesNo,
                                  MessageBox::Icon::Information) != MessageBox::Answer::Yes)
        return;
    if (const FileWriteResult saved = SaveMode(m_appFolder, name, m_mode); !saved) {
        reportError(saved.error);
        return;
    }
    m_modeFiles.refresh();
    inform(QStringLiteral("模式已经成功保存!"));
}

void SettingsActions::deleteSelectedMode()
{
    const QString entry = m_modeFiles.selectedEntry();
    if (m_messages.show(QStringLiteral("你真的要删除名为") + entry + QStringLiteral("的模式文件吗?"),
                        applicationTitle(), MessageBox::Buttons::YesNo,
                        MessageBox::Icon::Warning) != MessageBox::Answer::Yes)
        return;
    if (entry == PresetModeFile) {
        m_messages.show(QStringLiteral("此为系统预设模式,万不可删除啊!"), applicationTitle(),
                        MessageBox::Buttons::Ok, MessageBox::Icon::Critical);
        return;
    }
    // Without a selection (or with a name that is not a plain entry) there is no file to delete.
    if (entry.isEmpty() || entry.contains(u'/')) {
        reportError(systemDescription(ENOENT));
        return;
    }
    QFile file(QDir(m_modeFiles.folder()).filePath(entry));
    if (!file.remove()) {
        reportError(file.errorString());
        return;
    }
    m_modeFiles.refresh();
    inform(QStringLiteral("选定的模式已经成功删除!"));
}

void SettingsActions::openModesPage()
{
    m_launcher.openWebAddress(modesPageAddress(QProcessEnvironment::systemEnvironment()));
}

void SettingsActions::reportError(const QString &description)
{
    m_messages.show(QStringLiteral("发生了一个错误!") + description + QStringLiteral("!"), applicationTitle(),
                    MessageBox::Buttons::Ok, MessageBox::Icon::Critical);
}

void SettingsActions::inform(const QString &text)
{
    m_messages.show(text, applicationTitle(), MessageBox::Buttons::Ok, MessageBox::Icon::Information);
}
