// Page decoding speed: BytesToText against ICU's ucnv_toUChars on the same 4 MiB pages, in GBK
// and in Big5, in the same run. The ICU converters are the ones that decoded these pages before.
#include "platform/icuconverter.h"
#include "web/bytestotext.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <QCoreApplication>
#include <time.h>
#include <unicode/ucnv.h>

namespace {

constexpr qsizetype mib = 1024 * 1024;

// A comic chapter page as such sites write them: markup with links and images between paragraphs
// of Chinese text, about half the bytes ASCII.
QString pageText(qsizetype bytes)
{
    const QString paragraph = QStringLiteral(
        "话说天下大势，分久必合，合久必分。周末七国分争，并入于秦。及秦灭之后，楚、汉分争，又并入于汉。"
        "漫画第一话：少年在山中遇见了一位老人，老人告诉他这个世界的秘密。");
    QString page = QStringLiteral("<html><head><title>第一话 山中老人</title></head>\r\n<body>\r\n");
    page.reserve(bytes);
    for (int i = 0; page.size() < bytes / 1.5; ++i) {
        page += QStringLiteral("<div class=\"page\"><a href=\"/comic/12/%1.html\"><img src=\"http://img.comic"
                               ".example/12/%1.jpg\" alt=\"第%1页\"></a></div>\r\n<p class=\"t\">")
                    .arg(i + 2);
        page += paragraph + paragraph + QStringLiteral("</p>\r\n");
    }
    return page + QStringLiteral("</body></html>\r\n");
}

QByteArray pageBytes(const char *converter)
{
    QByteArray bytes = icuEncode(pageText(6 * mib), converter).value_or(QByteArray());
    bytes.truncate(4 * mib);
    return bytes;
}

double threadCpuMilliseconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Best CPU time of this thread over the rounds: the decoding alone, whatever else the machine runs.
template <typename Run> double bestCpuMs(int rounds, Run run)
{
    double best = 1e300;
    for (int i = 0; i < rounds; ++i) {
        const double before = threadCpuMilliseconds();
        run();
        best = std::min(best, threadCpuMilliseconds() - before);
    }
    return best;
}

struct ConverterCloser
{
    void operator()(UConverter *c) const { ucnv_close(c); }
};

// Returns false when the two decoders disagree on the page (they must not, on valid text).
bool compare(const char *name, const QByteArray &bytes, const char *label, const char *icuName)
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UConverter, ConverterCloser> converter{ucnv_open(icuName, &status)};
    if (U_FAILURE(status))
        return false;
    QString icuText(bytes.size() + 2, Qt::Uninitialized);
    const auto icuRun = [&] {
        status = U_ZERO_ERROR;
        ucnv_resetToUnicode(converter.get());
        const int32_t written =
            ucnv_toUChars(converter.get(), reinterpret_cast<UChar *>(icuText.data()), int32_t(icuText.size()),
                          bytes.constData(), int32_t(bytes.size()), &status);
        return written;
    };
    const QString ours = BytesToText(bytes, QString::fromLatin1(label)).value_or(QString());
    const int32_t icuLength = icuRun();
    const bool same = !U_FAILURE(status) && QStringView(icuText).left(icuLength) == ours;

    constexpr int rounds = 30;
    // Alternate the two so that both meet the same state of the machine.
    double oursMs = 1e300;
    double icuMs = 1e300;
    for (int i = 0; i < rounds; ++i) {
        oursMs = std::min(oursMs, bestCpuMs(1, [&] { BytesToText(bytes, QString::fromLatin1(label)); }));
        icuMs = std::min(icuMs, bestCpuMs(1, icuRun));
    }
    const double megabytes = double(bytes.size()) / 1e6;
    std::printf("%s page, %.2f MiB (%lld characters): BytesToText %.2f ms (%.0f MB/s), ICU %s %.2f ms "
                "(%.0f MB/s); time ratio %.2f x ICU's (goal <= 1.0: %s); same text: %s\n",
                name, double(bytes.size()) / mib, qlonglong(ours.size()), oursMs, megabytes / oursMs * 1e3,
                icuName, icuMs, megabytes / icuMs * 1e3, oursMs / icuMs, oursMs <= icuMs ? "met" : "MISSED",
                same ? "yes" : "NO");
    return same;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const bool gbk = compare("GBK", pageBytes("windows-936-2000"), "gb2312", "gb18030");
    const bool big5 = compare("Big5", pageBytes("windows-950-2000"), "big5", "ibm-1375_P100-2008");
    return gbk && big5 ? 0 : 1;
}
