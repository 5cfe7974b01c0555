#pragma once

#include <functional>
#include <QString>
#include <QStringList>

class Mode;

// Reads one fetched page by plain text search: appends the addresses of its comic images to
// `imageList` (each followed by CR LF) and returns the links that may lead to the next page, in
// order, duplicates kept. The mode's keyword lists are read during the call; `tagsCollected` runs
// once the image tags are found, before they are filtered.
QStringList AnalysePage(const QString &pageText, const QString &firstAddress, const Mode &mode,
                        QString &imageList, const std::function<void()> &tagsCollected = {});
