#include "windows/placeholderwindow.h"

#include "app/mode.h"
#include "app/settings.h"
#include "controls/common/uifonts.h"

#include <QLabel>
#include <QVBoxLayout>

PlaceholderWindow::PlaceholderWindow(const QString &appFolder, const Settings &settings, const Mode &mode,
                                     QWidget *parent)
    : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Tavrin漫画下载器"));
    setFont(windowFont());
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(this);
    label->setText(QStringLiteral("程序目录: %1\n重试次数: %2\n当前模式: %3\n下载完成后打开文件目录: %4")
                       .arg(appFolder, settings.resetText(), mode.name(),
                            settings.opensFolderWhenDone() ? QStringLiteral("是") : QStringLiteral("否")));
    layout->addWidget(label);
    resize(480, 200);
}
