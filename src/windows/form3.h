#pragma once

#include <memory>
#include <QWidget>

class FileList;
class InputBox;
class MessageBox;
class Mode;
class OptionCheckBox;
class QLabel;
class QCheckBox;
class QLineEdit;
class QRadioButton;
class Settings;
class SettingsActions;
class ShellLauncher;

// The settings window "设置". Its fields are the live Settings and Mode: an edit is in force at
// once, and loading a mode shows at once. Its buttons run the settings actions. Closing it hides
// it; it lives as long as the main window.
class Form3 final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form3)

public:
    // The mode file list `File1` lists Mode/ of `appFolder` from the start.
    Form3(const QString &appFolder, Settings &settings, Mode &mode, MessageBox &messages, InputBox &input,
          ShellLauncher &launcher, QWidget *parent = nullptr);
    ~Form3() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildBasicFrame();
    void buildModeFrame();
    void buildButtonsAndFooter();
    void buildProxyRow();
    void buildReaderRow();
    void bindFields();
    void showSettings();
    void showMode();

    Settings &m_settings;
    Mode &m_mode;
    QLineEdit *m_rec = nullptr;
    OptionCheckBox *m_ds = nullptr;
    QLineEdit *m_proxy = nullptr;
    QCheckBox *m_readerPage = nullptr;
    QCheckBox *m_scriptImg = nullptr;
    QCheckBox *m_chapterEnd = nullptr;
    QLineEdit *m_bi = nullptr;
    QLineEdit *m_bu = nullptr;
    QLineEdit *m_skw = nullptr;
    QRadioButton *m_option1 = nullptr;
    QRadioButton *m_option2 = nullptr;
    QRadioButton *m_option3 = nullptr;
    QRadioButton *m_option4 = nullptr;
    QLabel *m_nm = nullptr;
    FileList *m_file1 = nullptr;
    std::unique_ptr<SettingsActions> m_actions;
    bool m_placed = false;
};
