#include "zipentries.h"

#include <QFile>
#include <zip.h>

QList<std::pair<QString, QByteArray>> zipEntries(const QString &path)
{
    QList<std::pair<QString, QByteArray>> entries;
    int error = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!archive)
        return entries;
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t stat;
        zip_stat_index(archive, zip_uint64_t(i), 0, &stat);
        QByteArray bytes(qsizetype(stat.size), '\0');
        zip_file_t *file = zip_fopen_index(archive, zip_uint64_t(i), 0);
        zip_fread(file, bytes.data(), stat.size);
        zip_fclose(file);
        entries.append({QString::fromUtf8(stat.name), bytes});
    }
    zip_close(archive);
    return entries;
}
