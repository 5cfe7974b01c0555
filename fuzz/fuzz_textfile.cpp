// The text-file reader on the input's bytes, and the writer on lines the input makes up: whatever
// is read is whole lines, and lines written and read back are the same lines.

#include "fuzzcheck.h"
#include "platform/textfile.h"
#include "scratchfolder.h"

#include <cstring>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

bool isPrintableAscii(const QString &line)
{
    return std::all_of(line.cbegin(), line.cend(), [](QChar c) { return c >= u' ' && c <= u'~'; });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ensureApplication();
    static ScratchFolder scratch;
    scratch.clear();
    FuzzedDataProvider input(data, size);
    const QByteArray bytes = QByteArray::fromStdString(input.ConsumeRandomLengthString(size));
    // Made-up lines: any UTF-16 units, unpaired surrogates included, without line breaks.
    const std::string rest = input.ConsumeRemainingBytesAsString();
    QString madeUp(qsizetype(rest.size() / 2), Qt::Uninitialized);
    std::memcpy(madeUp.data(), rest.data(), std::size_t(madeUp.size()) * 2);
    madeUp.remove(u'\r');
    const QStringList madeUpLines = madeUp.split(u'\n');

    FUZZ_CHECK(scratch.write(QStringLiteral("read.txt"), bytes));
    const std::optional<QStringList> lines = readTextFile(scratch.filePath(QStringLiteral("read.txt")));
    FUZZ_CHECK(lines.has_value());
    bool writable = true;
    for (const QString &line : *lines) {
        FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n'));
        FUZZ_CHECK(!hasUnpairedSurrogate(line));
        writable = writable && !line.contains(QChar::ReplacementCharacter);
    }
    if (writable) {
        const QString path = scratch.filePath(QStringLiteral("again.txt"));
        FUZZ_CHECK(writeTextFile(path, *lines));
        FUZZ_CHECK(readTextFile(path) == lines);
    }

    // A character the code page lacks is replaced, and never costs or adds a line.
    const QString path = scratch.filePath(QStringLiteral("made-up.txt"));
    FUZZ_CHECK(writeTextFile(path, madeUpLines));
    const QStringList readBack = readTextFile(path).value();
    FUZZ_CHECK(readBack.size() == madeUpLines.size());
    for (qsizetype i = 0; i < readBack.size(); ++i) {
        if (isPrintableAscii(madeUpLines.at(i)))
            FUZZ_CHECK(readBack.at(i) == madeUpLines.at(i));
    }
    return 0;
}
