#pragma once

class QPainter;
class QSize;

// The pictures behind the main window and the new-task panel, drawn in code.
void paintMainWindowBackground(QPainter &painter, const QSize &size);
void paintNewTaskPanelBackground(QPainter &painter, const QSize &size);
