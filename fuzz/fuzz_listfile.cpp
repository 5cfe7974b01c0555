// A task folder's list file from the input, under any spelling of its name: read as a list text,
// written back and read again, and split into the addresses and file names of its images.

#include "fuzzcheck.h"
#include "scratchfolder.h"
#include "tasks/imagefilename.h"
#include "tasks/listfile.h"

#include <fuzzer/FuzzedDataProvider.h>
#include <QDir>
#include <QFile>

namespace {

const QString crlf = QStringLiteral("\r\n");

// Each address followed by CR LF, and no other line break.
bool isListText(const QString &text)
{
    if (text.isEmpty())
        return true;
    if (!text.endsWith(crlf))
        return false;
    QString rest = text;
    rest.remove(crlf);
    return !rest.contains(u'\r') && !rest.contains(u'\n');
}

// The engine's split of the list, and the file each image is saved as: a numbered name that
// never leaves the task folder.
void checkImageFiles(const QString &listText)
{
    const QStringList addresses = imageAddresses(listText);
    FUZZ_CHECK(addresses.size() == listText.count(crlf));
    const qint32 count = qint32(addresses.size());
    for (qint32 k = 0; k < count; ++k) {
        const QString name = imageFileName(k, count, addresses.at(k));
        const QString number = QString::number(k + 1).rightJustified(QString::number(count).size(), u'0');
        FUZZ_CHECK(name.startsWith(number));
        FUZZ_CHECK(!name.contains(u'/'));
        FUZZ_CHECK(addresses.at(k).endsWith(name.mid(number.size())));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ensureApplication();
    static ScratchFolder scratch;
    scratch.clear();
    FuzzedDataProvider input(data, size);
    const QStringList spellings = {QStringLiteral("Down.lst"), QStringLiteral("down.lst"), QStringLiteral("DOWN.LST")};
    const QString name = spellings.at(input.ConsumeIntegralInRange<qsizetype>(0, spellings.size() - 1));
    const QByteArray bytes = QByteArray::fromStdString(input.ConsumeRemainingBytesAsString());
    FUZZ_CHECK(scratch.write(QStringLiteral("task/") + name, bytes));

    const std::optional<QString> text = readListFile(scratch.filePath(QStringLiteral("task")));
    FUZZ_CHECK(text.has_value());
    FUZZ_CHECK(isListText(*text));
    FUZZ_CHECK(!hasUnpairedSurrogate(*text));
    checkImageFiles(*text);
    if (text->contains(QChar::ReplacementCharacter))
        return 0; // bytes that were no character cannot be written back as they were

    // A list written and read back is the same list, and its file ends in an empty line.
    const QString again = scratch.filePath(QStringLiteral("again"));
    FUZZ_CHECK(QDir().mkpath(again));
    const std::optional<QString> written = writeListFile(again, *text);
    FUZZ_CHECK(written.has_value());
    QFile file(*written);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    FUZZ_CHECK(file.readAll().endsWith(text->isEmpty() ? "\r\n" : "\r\n\r\n"));
    FUZZ_CHECK(readListFile(again) == text);
    return 0;
}
