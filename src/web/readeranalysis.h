#pragma once

#include "web/pagefindings.h"

#include <functional>
#include <QString>

class Mode;

// Reads one page the way a reader shows it, for a mode with the reader's page switch on:
// - an image's address is its first lazy attribute that holds one (data-src, data-original,
//   data-lazy-src, data-echo), else the largest picture of its data-srcset or srcset, else its
//   src, cleaned of blanks and line breaks; an empty or data:
//   address, or one the mode's image keywords name, is a placeholder, no image; so is an image
//   whose class or id the image keywords name (a logo, an avatar);
// - addresses are resolved against the page's own address (where it was found after redirects)
//   and its <base href>; each image is taken once;
// - with no image in the markup and the script switch on, the pictures its scripts name;
// - the next page is the link around a comic image; when no comic image stands in a next-page
//   link, the rel="next" links, else the links whose text, title or class says next page. Never
//   "#..." or empty links, javascript:, a link to the page itself or to a picture, a link that
//   says it leads to another chapter, or one the mode's link keywords name; each link once.
// `tagsCollected` runs once the markup is read.
PageFindings AnalyseReaderPage(const QString &pageText, const QString &pageAddress, const Mode &mode,
                               const std::function<void()> &tagsCollected = {});
