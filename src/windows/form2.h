#pragma once

#include <memory>
#include <QWidget>

class MessageBox;
class PageFetcher;
class ShellLauncher;
class UpdateCheck;

// The about window "About & Thanks": logo, version, description, acknowledgements, and the buttons
// that open the maker's download page and check it for an update.
class Form2 final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form2)

public:
    // The download page is downloadPageAddress() of the program's environment.
    Form2(PageFetcher &fetcher, MessageBox &messages, ShellLauncher &launcher, QWidget *parent = nullptr);
    ~Form2() override;

private:
    std::unique_ptr<UpdateCheck> m_updateCheck;
};
