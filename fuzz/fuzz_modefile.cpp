// A mode file from the input, loaded over a mode whose fields hold other values, then saved and
// loaded again.

#include "app/keyvalueline.h"
#include "app/mode.h"
#include "app/modefile.h"
#include "fuzzcheck.h"
#include "platform/narrowcodepage.h"
#include "platform/textfile.h"
#include "scratchfolder.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {

// The values the file's lines give for the key, in order.
QStringList valuesOf(const QStringList &lines, const QString &key)
{
    QStringList values;
    for (const QString &line : lines) {
        const std::optional<KeyValue> kv = splitKeyValue(line);
        if (kv && kv->key == key)
            values.append(kv->value);
    }
    return values;
}

// A text field after the load: as it was, or the last value the file gives for its key.
bool loadedAsFileSays(const QString &field, const QString &before, const QStringList &values)
{
    return values.isEmpty() ? field == before : field == values.constLast();
}

struct Fields
{
    QString blockUrl, blockImg, searchKW;
    bool kwUsing, downMode;
    bool operator==(const Fields &) const = default;
};

Fields fieldsOf(const Mode &mode)
{
    return {mode.blockUrl(), mode.blockImg(), mode.searchKW(), mode.kwUsing(), mode.downMode()};
}

// Text the narrow code page can write back: everything a read gives, except the stand-in for bytes
// that were no character.
bool writable(const Fields &fields)
{
    return !(fields.blockUrl + fields.blockImg + fields.searchKW).contains(QChar::ReplacementCharacter);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ensureApplication();
    static ScratchFolder scratch;
    scratch.clear();
    FuzzedDataProvider input(data, size);
    const bool otherCase = input.ConsumeBool();
    const QByteArray bytes = QByteArray::fromStdString(input.ConsumeRemainingBytesAsString());
    FUZZ_CHECK(scratch.write(QStringLiteral("Mode/Comic.tdm"), bytes));

    Mode mode;
    mode.setBlockUrl(QStringLiteral("before-url"));
    mode.setBlockImg(QStringLiteral("before-img"));
    mode.setSearchKW(QStringLiteral("before-kw"));
    FUZZ_CHECK(LoadMode(scratch.path(), otherCase ? QStringLiteral("cOMIC") : QStringLiteral("Comic"), mode));
    FUZZ_CHECK(mode.name() == (otherCase ? QStringLiteral("cOMIC") : QStringLiteral("Comic")));

    const QStringList lines = splitTextLines(decodeNarrow(bytes));
    FUZZ_CHECK(loadedAsFileSays(mode.blockUrl(), QStringLiteral("before-url"), valuesOf(lines, QStringLiteral("BlockUrl"))));
    FUZZ_CHECK(loadedAsFileSays(mode.blockImg(), QStringLiteral("before-img"), valuesOf(lines, QStringLiteral("BlockImg"))));
    FUZZ_CHECK(loadedAsFileSays(mode.searchKW(), QStringLiteral("before-kw"), valuesOf(lines, QStringLiteral("SearchKW"))));

    // Saved as the settings window saves it, a mode reads back the same.
    const Fields loaded = fieldsOf(mode);
    if (!writable(loaded))
        return 0;
    FUZZ_CHECK(SaveMode(scratch.path(), QStringLiteral("Copy"), mode));
    Mode copy;
    FUZZ_CHECK(LoadMode(scratch.path(), QStringLiteral("Copy"), copy));
    FUZZ_CHECK(fieldsOf(copy) == loaded);
    return 0;
}
