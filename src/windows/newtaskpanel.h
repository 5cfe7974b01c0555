#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class pexbutton;

// The new-task panel over the task list: the notice, the address box and its three buttons.
// It only shows and forwards; what the buttons do is the main window's business.
class NewTaskPanel final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(NewTaskPanel)

public:
    explicit NewTaskPanel(QWidget *parent = nullptr);

    QString address() const;
    void setAddress(const QString &text);
    void selectAddress();

    QLineEdit &addressBox() const { return *m_text2; }
    pexbutton &addButton() const { return *m_add; }
    pexbutton &cancelButton() const { return *m_cancel; }
    pexbutton &openListButton() const { return *m_openList; }

Q_SIGNALS:
    void addClicked();
    void cancelClicked();
    void openListClicked();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QLabel *m_notice;
    QLabel *m_prompt;
    QLineEdit *m_text2;
    pexbutton *m_add;
    pexbutton *m_cancel;
    pexbutton *m_openList;
};
