#pragma once

#include <QFont>
#include <QString>

class QWidget;
class pexbutton;

// The windows' buttons: `ButtonStyle` 8 with a white caption on RGB(33,112,228).
pexbutton *makeBlueButton(QWidget *parent, const QString &name, const QString &caption, const QFont &font);
