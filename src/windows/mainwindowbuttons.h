#pragma once

#include <QString>

class pexbutton;
class QWidget;

// The main window's buttons share one look: a button of that look at a place in pixels.
pexbutton *makeTaskButton(QWidget *parent, const QString &name, const QString &caption, int x, int y, int width,
                          int height);
pexbutton *makeTitleButton(QWidget *parent, const QString &name, const QString &caption, int x, int y, int width,
                           int height);
