#pragma once

#include "web/webencoding.h"

#include <span>

// One label of the standard's table: a name a page or an HTTP header may use for an encoding.
struct EncodingLabel
{
    const char *label; // lower-case ASCII
    WebEncoding encoding;
};

// Every label, sorted by its bytes (generated: encodinglabeltable.cpp).
std::span<const EncodingLabel> encodingLabels();

// The encoding's name in the standard ("GBK", "Shift_JIS", "windows-1252").
const char *encodingName(WebEncoding encoding);
