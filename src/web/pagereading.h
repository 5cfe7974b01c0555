#pragma once

#include "web/pagefindings.h"

#include <functional>
#include <QString>

class Mode;

// Reads one fetched page by the active mode: the reader's reading when its page switch is on,
// else the plain text search of AnalysePage (the pictures named in the page's scripts standing in
// for images when that finds none and the script switch is on). `pageAddress` is where the page
// was found after redirects, `firstAddress` where the walk began. `tagsCollected` runs once the
// image tags are found.
PageFindings ReadPage(const QString &pageText, const QString &pageAddress, const QString &firstAddress,
                      const Mode &mode, const std::function<void()> &tagsCollected = {});
