#pragma once

#include <QString>
#include <QStringList>

// The page analysis written out step by step, searching the page again for every image (slow on
// big pages). Tests and benchmarks compare the real analysis with it.
QStringList referenceAnalysePage(const QString &pageText, const QString &firstAddress,
                                 const QString &blockImg, const QString &blockUrl, QString &imageList);
