#include "web/srcset.h"

#include <optional>

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

struct Candidate
{
    QStringView address;
    std::optional<double> width;
    double density = 1;
};

// A descriptor "800w" or "2x"; others ("300h", words) say nothing of the size.
void readDescriptor(QStringView descriptor, Candidate &candidate)
{
    if (descriptor.size() < 2)
        return;
    bool number = false;
    const double value = descriptor.chopped(1).toDouble(&number);
    if (!number || !(value > 0))
        return;
    if (descriptor.back() == u'w')
        candidate.width = value;
    else if (descriptor.back() == u'x')
        candidate.density = value;
}

// The descriptors from `at` to the comma that ends the candidate (none inside parentheses); gives
// where the next candidate begins.
qsizetype readDescriptors(QStringView text, qsizetype at, Candidate &candidate)
{
    int depth = 0;
    qsizetype start = at;
    for (; at < text.size(); ++at) {
        const QChar c = text.at(at);
        if (c == u'(')
            ++depth;
        else if (c == u')' && depth > 0)
            --depth;
        if ((isBlank(c) || c == u',') && depth == 0) {
            readDescriptor(text.sliced(start, at - start), candidate);
            start = at + 1;
            if (c == u',')
                return at + 1;
        }
    }
    readDescriptor(text.sliced(start), candidate);
    return at;
}

bool larger(const Candidate &a, const Candidate &b)
{
    if (a.width || b.width)
        return a.width.value_or(0) > b.width.value_or(0);
    return a.density > b.density;
}

} // namespace

QString largestSrcsetCandidate(QStringView srcset)
{
    std::optional<Candidate> best;
    qsizetype at = 0;
    while (at < srcset.size()) {
        while (at < srcset.size() && (isBlank(srcset.at(at)) || srcset.at(at) == u','))
            ++at;
        const qsizetype start = at;
        while (at < srcset.size() && !isBlank(srcset.at(at)))
            ++at;
        if (start == at)
            break;
        Candidate candidate;
        candidate.address = srcset.sliced(start, at - start);
        // Commas that end the address end the candidate: it has no descriptors.
        if (candidate.address.endsWith(u',')) {
            while (candidate.address.endsWith(u','))
                candidate.address.chop(1);
        } else {
            at = readDescriptors(srcset, at, candidate);
        }
        if (!candidate.address.isEmpty() && (!best || larger(candidate, *best)))
            best = candidate;
    }
    return best ? best->address.toString() : QString();
}
