#include "cli/clioptions.h"

#include "web/proxyaddress.h"

#include <QFileInfo>

namespace {

const QStringList subcommands{QStringLiteral("get"), QStringLiteral("analyse"), QStringLiteral("download")};
// Options whose value is the next argument, which is then no subcommand.
const QStringList optionsWithValue{QStringLiteral("--app-folder"), QStringLiteral("--proxy"),
                                   QStringLiteral("--cookies")};

// Splits "--name=value" into name and value.
std::pair<QString, std::optional<QString>> splitOption(const QString &argument)
{
    const qsizetype equals = argument.indexOf(u'=');
    if (!argument.startsWith(QLatin1String("--")) || equals < 0)
        return {argument, std::nullopt};
    return {argument.left(equals), argument.mid(equals + 1)};
}

class Reader
{
public:
    explicit Reader(const QStringList &arguments) : m_arguments(arguments) {}

    CliParse read();

private:
    bool readOption(const QString &name, const std::optional<QString> &inlineValue);
    void readProxy(const QString &address);
    std::optional<QString> value(const QString &name, const std::optional<QString> &inlineValue);
    void readWait(const QString &text);
    bool takePositional(const QString &argument);
    void check();
    void fail(const QString &message)
    {
        if (m_parse.error.isEmpty())
            m_parse.error = message;
    }

    QStringList m_arguments;
    qsizetype m_next = 0;
    bool m_sawCommand = false;
    bool m_sawHelpOrVersion = false;
    bool m_sawProxy = false;
    bool m_sawNoProxy = false;
    CliParse m_parse;
};

CliParse Reader::read()
{
    CliOptions &options = m_parse.options;
    bool onlyPositionals = false;
    while (m_next < m_arguments.size() && m_parse.error.isEmpty()) {
        const QString argument = m_arguments.at(m_next++);
        if (!onlyPositionals && argument == u"--") {
            onlyPositionals = true;
        } else if (!onlyPositionals && argument.startsWith(u'-') && argument.size() > 1) {
            const auto [name, inlineValue] = splitOption(argument);
            if (!readOption(name, inlineValue))
                fail(QStringLiteral("unknown option: %1").arg(name));
        } else if (!takePositional(argument)) {
            fail(QStringLiteral("unexpected argument: %1").arg(argument));
        }
    }
    if (!m_sawHelpOrVersion)
        check();
    return m_parse;
}

// Seconds, fractions too, up to a day.
void Reader::readWait(const QString &text)
{
    bool number = false;
    const double seconds = text.toDouble(&number);
    if (!number || !(seconds >= 0 && seconds <= 86400)) {
        fail(QStringLiteral("--wait takes a number of seconds, not \"%1\"").arg(text));
        return;
    }
    m_parse.options.waitSeconds = seconds;
}

bool Reader::readOption(const QString &name, const std::optional<QString> &inlineValue)
{
    CliOptions &options = m_parse.options;
    const auto flag = [&](bool &target) {
        if (inlineValue)
            fail(QStringLiteral("%1 takes no value").arg(name));
        target = true;
    };
    if (name == u"--help" || name == u"-h") {
        options.command = CliOptions::Command::Help;
        m_sawHelpOrVersion = true;
        m_next = m_arguments.size();
    } else if (name == u"--version") {
        options.command = CliOptions::Command::Version;
        m_sawHelpOrVersion = true;
        m_next = m_arguments.size();
    } else if (name == u"--app-folder") {
        options.appFolder = value(name, inlineValue).value_or(QString());
    } else if (name == u"--mode") {
        options.modeName = value(name, inlineValue).value_or(QString());
    } else if (name == u"-i" || name == u"--input-file") {
        options.inputFile = value(name, inlineValue).value_or(QString());
    } else if (name == u"--choose") {
        if (const std::optional<QString> answer = value(name, inlineValue))
            options.choices.append(*answer);
    } else if (name == u"--first-address") {
        options.firstAddress = value(name, inlineValue).value_or(QString());
    } else if (name == u"--list-only" || name == u"--download") {
        const bool listOnly = name == u"--list-only";
        if (options.listOnly && *options.listOnly != listOnly)
            fail(QStringLiteral("--list-only and --download exclude each other"));
        options.listOnly = listOnly;
    } else if (name == u"--proxy") {
        readProxy(value(name, inlineValue).value_or(QString()));
    } else if (name == u"--no-proxy") {
        flag(m_sawNoProxy);
        options.network.proxy = QStringLiteral("direct");
    } else if (name == u"--cookies") {
        const QString file = value(name, inlineValue).value_or(QString());
        options.network.cookiesFile = file.isEmpty() ? QString() : QFileInfo(file).absoluteFilePath();
    } else if (name == u"--cbz") {
        flag(options.cbz);
    } else if (name == u"--continue") {
        flag(options.keepExisting);
    } else if (name == u"--wait") {
        if (const std::optional<QString> text = value(name, inlineValue))
            readWait(*text);
    } else if (name == u"--json") {
        flag(options.json);
    } else {
        return false;
    }
    return true;
}

void Reader::readProxy(const QString &address)
{
    // Said without the login: the line may be shown where others can see it.
    if (!parseProxyAddress(address))
        fail(QStringLiteral("--proxy: \"%1\" is no proxy address (http://, socks5:// or socks5h://HOST:PORT)")
                 .arg(withoutLogin(address)));
    m_sawProxy = true;
    m_parse.options.network.proxy = address;
}

std::optional<QString> Reader::value(const QString &name, const std::optional<QString> &inlineValue)
{
    if (inlineValue)
        return inlineValue;
    if (m_next >= m_arguments.size()) {
        fail(QStringLiteral("%1 needs a value").arg(name));
        return std::nullopt;
    }
    return m_arguments.at(m_next++);
}

bool Reader::takePositional(const QString &argument)
{
    CliOptions &options = m_parse.options;
    if (!m_sawCommand) {
        if (!subcommands.contains(argument))
            return false;
        m_sawCommand = true;
        options.command = argument == u"get"       ? CliOptions::Command::Get
                          : argument == u"analyse" ? CliOptions::Command::Analyse
                                                   : CliOptions::Command::Download;
        return true;
    }
    switch (options.command) {
    case CliOptions::Command::Get:
        options.addresses.append(argument);
        return true;
    case CliOptions::Command::Analyse:
        if (!options.page.isEmpty())
            return false;
        options.page = argument;
        return true;
    case CliOptions::Command::Download:
        if (!options.folder.isEmpty())
            return false;
        options.folder = argument;
        return true;
    default:
        return false;
    }
}

// What each subcommand needs, and the options that mean nothing to it.
void Reader::check()
{
    const CliOptions &o = m_parse.options;
    if (!m_sawCommand) {
        fail(QStringLiteral("no command given (get, analyse or download)"));
        return;
    }
    const bool get = o.command == CliOptions::Command::Get;
    const bool analyse = o.command == CliOptions::Command::Analyse;
    const bool download = o.command == CliOptions::Command::Download;
    if (get && o.addresses.isEmpty() && o.inputFile.isEmpty())
        fail(QStringLiteral("get needs a chapter address or -i FILE"));
    if (analyse && o.page.isEmpty())
        fail(QStringLiteral("analyse needs a FILE or URL"));
    if (download && o.folder.isEmpty())
        fail(QStringLiteral("download needs a FOLDER"));
    if (!get && (!o.inputFile.isEmpty() || o.listOnly || !o.choices.isEmpty()))
        fail(QStringLiteral("-i, --list-only, --download and --choose go with get"));
    if (m_sawProxy && m_sawNoProxy)
        fail(QStringLiteral("--proxy and --no-proxy exclude each other"));
    if (analyse && o.cbz)
        fail(QStringLiteral("--cbz goes with get and download"));
    if (analyse && (o.keepExisting || o.waitSeconds))
        fail(QStringLiteral("--continue and --wait go with get and download"));
    if (!analyse && (o.json || !o.firstAddress.isEmpty()))
        fail(QStringLiteral("--json and --first-address go with analyse"));
    for (const QString &answer : o.choices) {
        bool number = false;
        answer.toInt(&number);
        if (!number)
            fail(QStringLiteral("--choose takes a number, not \"%1\"").arg(answer));
    }
}

} // namespace

bool isCliInvocation(const QStringList &arguments)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (optionsWithValue.contains(argument)) {
            ++i;
            continue;
        }
        if (argument == u"--help" || argument == u"-h" || argument == u"--version" || subcommands.contains(argument))
            return true;
    }
    return false;
}

CliParse parseCli(const QStringList &arguments)
{
    return Reader(arguments).read();
}

QString cliVersionText()
{
    return QStringLiteral("tavrin 0.1.4\n");
}

QString cliHelpText()
{
    return QStringLiteral(
        "Usage: tavrin [OPTION]... COMMAND [ARGUMENT]...\n"
        "Tavrin downloads web comics a chapter at a time. Without a command it opens its window.\n"
        "\n"
        "Commands:\n"
        "  get URL... [-i FILE]   for each chapter, given by the address of its first page: fetch\n"
        "                         its title, walk it page by page, save the image list as Down.lst\n"
        "                         in Download/<title>/ and download the images (unless list-only)\n"
        "  analyse FILE|URL       show what one page gives under the active mode: its image\n"
        "                         addresses, then its next-page candidates (empty ones included)\n"
        "  download FOLDER        download a saved list: FOLDER is a path or a name inside\n"
        "                         Download/ holding a down.lst; the images land in FOLDER\n"
        "\n"
        "Options for get:\n"
        "  -i, --input-file FILE  more chapter addresses, one a line; blank lines and lines\n"
        "                         starting with # are skipped\n"
        "      --list-only        only save each chapter's list\n"
        "      --download         download the images too (the default is the mode's setting)\n"
        "      --choose N         answer the next question \"which next page\" with N (repeat it for\n"
        "                         each question; on a terminal you are asked instead; without an\n"
        "                         answer the walk ends there)\n"
        "  --cbz                  with get and download: once every image of a chapter arrived,\n"
        "                         pack them into <folder>.cbz beside the folder\n"
        "  --continue             with get and download: keep the images already in the folder\n"
        "                         and fetch only the missing ones, so an interrupted chapter\n"
        "                         goes on where it stopped (an image is written as NAME.part and\n"
        "                         gets its name only once whole)\n"
        "  --wait SECONDS         with get and download: wait that long between two images, for\n"
        "                         sites that refuse fast clients\n"
        "\n"
        "Options for analyse:\n"
        "      --first-address URL  where the walk would have started (needed with a FILE;\n"
        "                         defaults to the URL)\n"
        "      --json             print {\"images\": [...], \"candidates\": [...]} in UTF-8\n"
        "\n"
        "Options for all:\n"
        "      --app-folder DIR   the folder of Option.ini, Mode/ and Download/\n"
        "                         (also the environment variable TAVRIN_APP_FOLDER)\n"
        "      --mode NAME        use the mode NAME for this run only; nothing is saved\n"
        "      --proxy URL        send every request through this proxy: http://, socks5:// (host\n"
        "                         names resolved here) or socks5h:// (resolved by the proxy),\n"
        "                         HOST:PORT, with USER:PASSWORD@ before the host if it needs them\n"
        "      --no-proxy         send every request direct\n"
        "      --cookies FILE     send the cookies of a Netscape cookies.txt, as browser extensions\n"
        "                         export it, with the requests they belong to (read, never written)\n"
        "  -h, --help             show this help\n"
        "      --version          show the version\n"
        "\n"
        "Pages and images are requested as a common browser does; the environment variable\n"
        "TAVRIN_USER_AGENT replaces its User-Agent. An image that fails on the way (no answer,\n"
        "a broken body, HTTP 408, 429 or 5xx) is tried again after a growing wait, as many times\n"
        "as Option.ini gives a page (at least once), from where it broke off when the server\n"
        "allows. A web page where an image should be counts as a failed image.\n"
        "\n"
        "Without --proxy or --no-proxy, the proxy is Option.ini's Proxy= (an address, or direct\n"
        "for none); when that is empty or absent, the environment's, read as curl reads it:\n"
        "http_proxy, https_proxy, all_proxy, and no_proxy for the hosts that go direct. Without\n"
        "--cookies, the cookies file is Option.ini's Cookies= (relative to the app folder).\n"
        "\n"
        "Progress goes to standard error: each state of a task on a line, and on a terminal a\n"
        "progress line with percent, image count and speed.\n"
        "\n"
        "Exit status: 0 when everything asked for arrived; 1 when a page, a walk or an image\n"
        "failed (each failure is named); 2 for a usage error; 130 after Ctrl-C and 143 after\n"
        "SIGTERM (the image being written is removed, the list file stays whole).\n"
        "\n"
        "Examples:\n"
        "  tavrin get http://manhua.example/comic/1/1.html\n"
        "  tavrin get --list-only -i chapters.txt\n"
        "  tavrin get --cbz --choose 2 http://manhua.example/comic/2/1.html\n"
        "  tavrin analyse --first-address http://manhua.example/c/1.html saved-page.html\n"
        "  tavrin download \"第1话\" --cbz\n"
        "  tavrin get --proxy socks5h://127.0.0.1:1080 --cookies cookies.txt \\\n"
        "             http://manhua.example/comic/1/1.html\n");
}
