#include "app/makerpages.h"

#include <QUrl>

namespace {

const QString DefaultDownloadPage = QStringLiteral("https://tavrin.example/down");

} // namespace

QString downloadPageAddress(const QProcessEnvironment &environment)
{
    const QString chosen = environment.value(QStringLiteral("TAVRIN_UPDATE_URL"));
    return chosen.isEmpty() ? DefaultDownloadPage : chosen;
}

QString modesPageAddress(const QProcessEnvironment &environment)
{
    QUrl page(downloadPageAddress(environment));
    page.setFragment(QStringLiteral("mode"));
    return page.toString();
}
