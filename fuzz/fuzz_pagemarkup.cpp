// The reader's parts on their own, as fast as they go: the markup reading, character references,
// the picture lists in scripts and the clean-up and comparison of addresses.

#include "fuzzcheck.h"
#include "web/characterreferences.h"
#include "web/pagemarkup.h"
#include "web/readeraddress.h"
#include "web/scriptpictures.h"

#include <fuzzer/FuzzedDataProvider.h>
#include <QSet>

namespace {

void checkAttributes(const MarkupAttributes &attributes)
{
    QSet<QString> names;
    for (const MarkupAttribute &attribute : attributes) {
        FUZZ_CHECK(!attribute.name.isEmpty() && attribute.name == attribute.name.toLower());
        FUZZ_CHECK(!names.contains(attribute.name));
        names.insert(attribute.name);
    }
}

void checkMarkup(const QString &page)
{
    const PageMarkup markup = readPageMarkup(page);
    for (const MarkupLink &link : markup.links) {
        checkAttributes(link.attributes);
        FUZZ_CHECK(link.text == link.text.simplified());
    }
    for (const MarkupImage &image : markup.images) {
        checkAttributes(image.attributes);
        FUZZ_CHECK(image.link >= -1 && image.link < markup.links.size());
        FUZZ_CHECK(image.link < 0 || markup.links.at(image.link).anchor);
    }
    for (const QString &script : markup.scripts)
        FUZZ_CHECK(page.contains(script));

    for (const QString &address : scriptPictureAddresses(markup.scripts)) {
        FUZZ_CHECK(namesPicture(address) && !address.contains(u' '));
        FUZZ_CHECK(cleanAddress(address) == address);
    }
}

void checkReferences(const QString &text)
{
    const QString decoded = decodeCharacterReferences(text);
    // A reference is never shorter than what it stands for, and a browser never makes half a
    // character of one.
    FUZZ_CHECK(decoded.size() <= text.size());
    FUZZ_CHECK(hasUnpairedSurrogate(text) || !hasUnpairedSurrogate(decoded));
    if (!text.contains(u'&'))
        FUZZ_CHECK(decoded == text);
}

void checkAddress(const QString &text)
{
    const QString clean = cleanAddress(text);
    FUZZ_CHECK(cleanAddress(clean) == clean);
    FUZZ_CHECK(!clean.contains(u'\t') && !clean.contains(u'\n') && !clean.contains(u'\r'));
    // Two spellings of one address compare equal: the key of a key is itself.
    const QString key = addressKey(clean);
    FUZZ_CHECK(addressKey(key) == key);
    const QUrl resolved = resolveAddress(QUrl(QStringLiteral("https://host/c/1/2.html")), clean);
    if (resolved.isValid())
        FUZZ_CHECK(resolved.scheme() == QStringLiteral("http") || resolved.scheme() == QStringLiteral("https"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const QString address = QString::fromStdString(input.ConsumeRandomLengthString(64));
    const QString page = QString::fromStdString(input.ConsumeRemainingBytesAsString());
    checkAddress(address);
    checkReferences(address);
    checkMarkup(page);
    return 0;
}
