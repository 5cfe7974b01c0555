#pragma once

#include <QFont>

// "微软雅黑" 9 pt for windows and buttons; "黑体" 9 pt for the texts of a task bar. The Windows
// families come first, then the WenQuanYi and Noto CJK stand-ins found on Linux.
QFont windowFont(qreal pointSize = 9);
QFont barFont(qreal pointSize = 9);
