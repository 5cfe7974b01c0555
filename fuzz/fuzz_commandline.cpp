// The command line: arguments the input makes up (split at NUL bytes, as the system hands them
// over), and the chapter list that `get -i FILE` reads.

#include "cli/clioptions.h"
#include "cli/inputaddresses.h"
#include "fuzzcheck.h"
#include "platform/narrowcodepage.h"
#include "platform/textfile.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {

void checkArguments(const QStringList &arguments)
{
    isCliInvocation(arguments);
    const CliParse parse = parseCli(arguments);
    if (!parse.error.isEmpty())
        return;
    const CliOptions &options = parse.options;
    switch (options.command) {
    case CliOptions::Command::Get:
        FUZZ_CHECK(!options.addresses.isEmpty() || !options.inputFile.isEmpty());
        for (const QString &answer : options.choices) {
            bool number = false;
            answer.toInt(&number);
            FUZZ_CHECK(number);
        }
        break;
    case CliOptions::Command::Analyse:
        FUZZ_CHECK(!options.page.isEmpty() && !options.cbz);
        break;
    case CliOptions::Command::Download:
        FUZZ_CHECK(!options.folder.isEmpty() && !options.json);
        break;
    case CliOptions::Command::Help:
    case CliOptions::Command::Version:
        break;
    }
    if (options.command == CliOptions::Command::Analyse || options.command == CliOptions::Command::Download)
        FUZZ_CHECK(options.inputFile.isEmpty() && options.choices.isEmpty() && !options.listOnly);
}

void checkInputList(const QByteArray &bytes)
{
    const QStringList lines = splitTextLines(decodeNarrow(bytes));
    const QStringList addresses = inputAddresses(lines);
    FUZZ_CHECK(addresses.size() <= lines.size());
    for (const QString &address : addresses)
        FUZZ_CHECK(!address.isEmpty() && !address.startsWith(u'#') && address == address.trimmed());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const QByteArray line = QByteArray::fromStdString(input.ConsumeRandomLengthString(size));
    QStringList arguments;
    for (const QByteArray &argument : line.split('\0'))
        arguments.append(QString::fromLocal8Bit(argument));
    if (line.isEmpty())
        arguments.clear();
    checkArguments(arguments);
    checkInputList(QByteArray::fromStdString(input.ConsumeRemainingBytesAsString()));
    return 0;
}
