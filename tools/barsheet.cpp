// A window with a task list holding one bar of each kind, for looking at under Xvfb:
//   xvfb-run -a -s "-screen 0 1024x768x24" build/tools/barsheet [--quit-after MS] [--grab FILE]
#include "controls/downbar/zanvodownbar.h"
#include "controls/tasklist/zanvolist.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMouseEvent>
#include <QTimer>

namespace {

void fillList(ZanvoList &list)
{
    qint16 index = 0;
    list.Add(QStringLiteral("海贼王 第1088话"), QStringLiteral("http://manhua.example/onepiece/1088.html"),
             index, false, QStringLiteral("就绪"));
    list.Cpro(index, 0);

    list.Add(QStringLiteral("迷你任务 第3话"), QStringLiteral("http://manhua.example/mini/3.html"), index,
             true, QStringLiteral("就绪"));
    list.Cpro(index, 60);
    list.Cspeed(index, 88.5);

    list.Add(QStringLiteral("进击的巨人 第139话"), QStringLiteral("http://manhua.example/titan/139.html"),
             index, false, QStringLiteral("正在分析第3页"));
    list.Cpro(index, 20);
    const qint16 selected = index;

    list.Add(QStringLiteral("火影忍者 第700话"), QStringLiteral("http://manhua.example/naruto/700.html"),
             index, false, QStringLiteral("正在下载第12张"));
    list.Cpro(index, 37);
    list.Cspeed(index, 0.5);

    list.Add(QStringLiteral("龙珠超 第1话"), QStringLiteral("列表"), index, false,
             QStringLiteral("下载完成!"));
    list.Cpro(index, 100);
    list.Cspeed(index, 1536.25);

    // select the third bar as a click would
    ZanvoDownbar *bar = list.Down(selected);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), bar->mapToGlobal(QPointF(5, 5)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &press);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOption(
        {QStringLiteral("quit-after"), QStringLiteral("Quit after MS milliseconds."), QStringLiteral("ms")});
    parser.addOption(
        {QStringLiteral("grab"), QStringLiteral("Save the window to FILE."), QStringLiteral("file")});
    parser.process(app);

    ZanvoList list;
    list.setWindowTitle(QStringLiteral("任务列表"));
    list.resize(460, 430);
    list.move(20, 20);
    fillList(list);
    list.show();

    if (parser.isSet(QStringLiteral("grab"))) {
        QTimer::singleShot(300, &list, [&] { list.grab().save(parser.value(QStringLiteral("grab"))); });
    }
    if (parser.isSet(QStringLiteral("quit-after")))
        QTimer::singleShot(parser.value(QStringLiteral("quit-after")).toInt(), &app, &QApplication::quit);
    return app.exec();
}
