#pragma once

#include "windows/captionframe.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>
#include <QTest>

// Checks a window as a user looks at it: every designed element inside its container, every text
// whole, no element covering what another one shows, no frame caption covered.

// The designed elements of a container: its named children, without the toolkit's own parts.
inline QList<QWidget *> elementsOf(const QWidget *container)
{
    QList<QWidget *> elements;
    for (QWidget *child : container->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (!child->objectName().isEmpty() && !child->objectName().startsWith(QStringLiteral("qt_")))
            elements.append(child);
    }
    return elements;
}

// What an element shows, in its container's coordinates: a label's laid-out text, a check box's
// or option button's indicator and text, any other element's whole rectangle.
inline QRect shownArea(const QWidget *element)
{
    if (const auto *label = qobject_cast<const QLabel *>(element)) {
        const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        const QRect text = label->fontMetrics().boundingRect(label->rect(), flags, label->text());
        return text.translated(label->pos());
    }
    if (const auto *button = qobject_cast<const QAbstractButton *>(element);
        button && (qobject_cast<const QCheckBox *>(button) || qobject_cast<const QRadioButton *>(button))) {
        const bool radio = qobject_cast<const QRadioButton *>(button) != nullptr;
        const int indicator = button->style()->pixelMetric(
            radio ? QStyle::PM_ExclusiveIndicatorHeight : QStyle::PM_IndicatorHeight, nullptr, button);
        const int height = qMax(indicator, button->fontMetrics().height());
        const int width = qMin(button->sizeHint().width(), button->width());
        return QRect(button->x(), button->y() + (button->height() - height) / 2, width, height);
    }
    return element->geometry();
}

// The caption of a frame, in the frame's coordinates (the children must keep clear of it).
inline QRect captionArea(const CaptionFrame *frame)
{
    const QFontMetrics metrics = frame->fontMetrics();
    return QRect(8, 0, metrics.horizontalAdvance(frame->caption()) + 4, metrics.height());
}

inline void checkLayout(const QWidget *container)
{
    const QList<QWidget *> elements = elementsOf(container);
    for (const QWidget *element : elements) {
        const QString name = element->objectName();
        QVERIFY2(container->rect().contains(element->geometry()), qPrintable(name + " leaves its container"));
        const QRect shown = shownArea(element);
        QVERIFY2(element->geometry().contains(shown), qPrintable(name + " does not show its whole text"));
        if (const auto *frame = qobject_cast<const CaptionFrame *>(container))
            QVERIFY2(!shown.intersects(captionArea(frame)), qPrintable(name + " covers the frame's caption"));
        for (const QWidget *other : elements) {
            if (other != element)
                QVERIFY2(!shown.intersects(shownArea(other)),
                         qPrintable(name + " overlaps " + other->objectName()));
        }
        checkLayout(element);
    }
}
