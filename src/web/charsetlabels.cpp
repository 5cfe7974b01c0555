#include "web/charsetlabels.h"

#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

// whatwg-encodings.json is the WHATWG Encoding Standard's table of labels (whatwg.org), CC BY 4.0.
static void initEncodingTable()
{
    Q_INIT_RESOURCE(encodings);
}

namespace {

using LabelTable = QHash<QString, QString>;

LabelTable readLabelTable()
{
    initEncodingTable();
    QFile file(QStringLiteral(":/web/whatwg-encodings.json"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("the compiled-in encoding table is missing");
    LabelTable table;
    const QJsonArray groups = QJsonDocument::fromJson(file.readAll()).array();
    for (const QJsonValue &group : groups) {
        for (const QJsonValue &encoding : group.toObject().value(u"encodings").toArray()) {
            const QString name = encoding.toObject().value(u"name").toString();
            for (const QJsonValue &label : encoding.toObject().value(u"labels").toArray())
                table.insert(label.toString(), name);
        }
    }
    return table;
}

const LabelTable &labelTable()
{
    static const LabelTable table = readLabelTable();
    return table;
}

bool isAsciiWhitespace(QChar c)
{
    return c == u'\t' || c == u'\n' || c == u'\f' || c == u'\r' || c == u' ';
}

// Only ASCII letters fold: a label with other letters never matches the (ASCII) table.
QString asciiLower(QString text)
{
    for (QChar &c : text) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    return text;
}

QString stripAsciiWhitespace(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isAsciiWhitespace(text[begin]))
        ++begin;
    while (end > begin && isAsciiWhitespace(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

} // namespace

std::optional<QString> encodingForLabel(const QString &label)
{
    const auto found = labelTable().constFind(asciiLower(stripAsciiWhitespace(label)));
    if (found == labelTable().constEnd())
        return std::nullopt;
    return *found;
}
