#include "windows/newtaskpanel.h"

#include "controls/button/pexbutton.h"
#include "controls/common/uifonts.h"
#include "tasks/newtaskaddress.h"
#include "windows/backgrounds.h"
#include "windows/mainwindowbuttons.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>

namespace {

QLabel *makeLabel(QWidget *parent, const QString &text, QRect place, const QColor &colour)
{
    auto *label = new QLabel(text, parent);
    label->setFont(windowFont());
    label->setWordWrap(true);
    label->setGeometry(place);
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, colour);
    label->setPalette(colours);
    return label;
}

} // namespace

NewTaskPanel::NewTaskPanel(QWidget *parent)
    : QWidget(parent),
      m_notice(makeLabel(this,
                         QStringLiteral("警告：本软件仅供实验研究之用，且仅提供网络收集及下载功能，不直接提供资源，"
                                        "请将下载的漫画于24小时内删除！"),
                         QRect(24, 16, 321, 33), Qt::red)),
      m_prompt(makeLabel(this, QStringLiteral("请输入漫画第一页地址："), QRect(24, 56, 289, 17), Qt::black)),
      m_text2(new QLineEdit(defaultTaskAddress(), this)),
      m_add(makeTaskButton(this, QStringLiteral("pexbutton1"), QStringLiteral("添加"), 24, 112, 89, 33)),
      m_cancel(makeTaskButton(this, QStringLiteral("pexbutton2"), QStringLiteral("取消"), 136, 112, 89, 33)),
      m_openList(makeTaskButton(this, QStringLiteral("pexbutton5"), QStringLiteral("打开列表"), 248, 112, 89, 33))
{
    setObjectName(QStringLiteral("Downs"));
    m_notice->setObjectName(QStringLiteral("Label3"));
    m_prompt->setObjectName(QStringLiteral("Label1"));
    m_text2->setObjectName(QStringLiteral("Text2"));
    m_text2->setFont(windowFont());
    m_text2->setGeometry(24, 80, 329, 20);
    m_text2->setFrame(true);
    connect(m_add, &pexbutton::Click, this, &NewTaskPanel::addClicked);
    connect(m_cancel, &pexbutton::Click, this, &NewTaskPanel::cancelClicked);
    connect(m_openList, &pexbutton::Click, this, &NewTaskPanel::openListClicked);
    connect(m_text2, &QLineEdit::returnPressed, this, &NewTaskPanel::addClicked);
}

QString NewTaskPanel::address() const
{
    return m_text2->text();
}

void NewTaskPanel::setAddress(const QString &text)
{
    m_text2->setText(text);
}

void NewTaskPanel::selectAddress()
{
    m_text2->setSelection(0, int(m_text2->text().size()));
}

void NewTaskPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintNewTaskPanelBackground(painter, size());
}
