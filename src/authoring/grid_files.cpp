// Loading and saving the editor's grids.
#include "authoring/grid_files.h"

#include "storage/atomic_save.h"
#include "storage/cp1251.h"
#include "storage/error.h"
#include "storage/records.h"
#include "storage/text.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace tavel::authoring {
namespace {

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// At most this many records are named one by one in a damage report.
constexpr int kNamedRecords = 10;

} // namespace

QString fileNameOf(Grid grid)
{
    switch (grid) {
    case Grid::Sections:
        return QStringLiteral("Predmet.dat");
    case Grid::Topics:
        return QStringLiteral("Tema.dat");
    case Grid::Questions:
        return QStringLiteral("Wopros.dat");
    case Grid::Answers:
        return QStringLiteral("Otwet.dat");
    case Grid::Import:
        break;
    }
    return {};
}

GridRow defaultRow(Grid grid)
{
    const QString one = QStringLiteral("1");
    switch (grid) {
    case Grid::Sections:
        return {one, one, QStringLiteral("Здесь должно быть название раздела")};
    case Grid::Topics:
        return {one, one, QStringLiteral("Здесь должно быть название темы")};
    case Grid::Questions:
        return {one, one, one, {}, {}, {}, QStringLiteral("5"), {}};
    case Grid::Answers:
    case Grid::Import:
        break;
    }
    return {one, one, one, {}, {}, {}, {}};
}

LoadResult loadGrid(GridModel& grid, const QString& path)
{
    LoadResult result;
    QStringList& damage = result.damage;
    int trailing = 0;
    if (QFileInfo::exists(path))
        trailing = grid.readFile(path);
    else
        grid.clear();
    result.records = grid.storedRecords();
    if (result.records == 0) {
        grid.appendRow(defaultRow(grid.grid()));
        grid.markSaved();
    }

    // Length bytes beyond their field: the reader clamps them; they are named
    // here so that the author knows which records to look at.
    const RecordLayout& layout = grid.layout();
    std::vector<int> textFields;
    for (int f = 0; f < int(layout.fields.size()); ++f) {
        if (layout.field(f).type == FieldType::Text)
            textFields.push_back(f);
    }
    const std::vector<qint32>& overlongRecords = grid.overlongRecords();
    const int overlong = int(overlongRecords.size());
    for (int k = 0; k < std::min(overlong, kNamedRecords); ++k) {
        const int i = overlongRecords[size_t(k)];
        const QByteArrayView bytes = grid.storedRecord(i).bytes();
        QStringList fields;
        for (int f : textFields) {
            const FieldLayout& slot = layout.field(f);
            const int length = static_cast<unsigned char>(bytes[slot.offset]);
            if (length > slot.capacity())
                fields << QStringLiteral("«%1» (длина %2 при месте на %3)")
                              .arg(columnTitles(grid.grid()).value(f))
                              .arg(length)
                              .arg(slot.capacity());
        }
        damage << QStringLiteral("Файл %1, запись %2: испорчена длина поля %3; прочитано столько знаков, "
                                 "сколько вмещает поле.")
                      .arg(native(path))
                      .arg(i + 1)
                      .arg(fields.join(QStringLiteral(", ")));
    }
    if (overlong > kNamedRecords)
        damage << QStringLiteral("Файл %1: ещё %2 записей с испорченной длиной поля.")
                      .arg(native(path))
                      .arg(overlong - kNamedRecords);
    if (trailing > 0)
        damage << QStringLiteral("Файл %1, запись %2: неполная (%3 байт из %4), не показана; при сохранении "
                                 "этой таблицы её байты не войдут в файл.")
                      .arg(native(path))
                      .arg(result.records + 1)
                      .arg(trailing)
                      .arg(layout.size);
    return result;
}

QStringList saveWarnings(const GridModel& grid, int maxLines)
{
    QStringList lines;
    const auto add = [&](const QString& line) { lines << line; };
    const QStringList titles = columnTitles(grid.grid());
    const bool dropsMarked = grid.grid() != Grid::Sections;
    for (int r = 0; r < grid.rows(); ++r) {
        if (!grid.isEdited(r) || (dropsMarked && grid.isMarked(r)))
            continue;
        for (int c = 0; c < grid.columns(); ++c) {
            const QString text = grid.cell(r, c);
            const int capacity = grid.layout().field(c).capacity();
            const QString where = QStringLiteral("Таблица %1, строка %2, столбец «%3»: ")
                                      .arg(gridName(grid.grid()))
                                      .arg(r + 1)
                                      .arg(titles.value(c));
            if (text.size() > capacity)
                add(where + QStringLiteral("%1 знаков, в файл войдут первые %2.").arg(text.size()).arg(capacity));
            if (text.contains(u'\t') || text.contains(u'\n') || text.contains(u'\r'))
                add(where + QStringLiteral("есть табуляция или перевод строки, они войдут в файл как есть."));
            if (!cp1251::canEncode(text)) {
                QString lacking;
                for (const QChar ch : text) {
                    if (!cp1251::canEncode(QStringView(&ch, 1)) && !lacking.contains(ch))
                        lacking += ch;
                }
                add(where + QStringLiteral("знаков «%1» нет в кодировке Windows-1251, они запишутся как «?».")
                                .arg(lacking));
            }
        }
    }
    if (lines.size() > maxLines) {
        const qsizetype more = lines.size() - (maxLines - 1);
        lines.resize(maxLines - 1);
        lines << QStringLiteral("И ещё %1 таких замечаний.").arg(more);
    }
    return lines;
}

int saveGrid(GridModel& grid, const QString& path)
{
    const int size = grid.layout().size;
    const bool dropsMarked = grid.grid() != Grid::Sections;
    // The records go out through one small buffer, a block at a time: no
    // copy of the whole file is built in memory.
    constexpr int kBlock = 4096;
    QByteArray block(qsizetype(kBlock) * size, Qt::Uninitialized);
    int written = 0;
    saveAtomically(path, [&](QIODevice& device) {
        int inBlock = 0;
        const auto flush = [&] {
            const qint64 bytes = qint64(inBlock) * size;
            const bool ok = device.write(block.constData(), bytes) == bytes;
            inBlock = 0;
            return ok;
        };
        for (int r = 0; r < grid.rows(); ++r) {
            if (dropsMarked && grid.isMarked(r))
                continue;
            grid.writeRecord(r, block.data() + qsizetype(inBlock) * size);
            ++written;
            if (++inBlock == kBlock && !flush())
                return false;
        }
        return flush();
    });
    grid.markSaved();
    return written;
}

bool packageHasTopic(const QString& path, QStringView subjectCode, QStringView topicCode)
{
    if (!QFileInfo::exists(path))
        return false;
    const RecordFile file = RecordFile::read(path, layouts::exam);
    const QByteArray subject = cp1251::encode(trimmed(subjectCode));
    const QByteArray topic = cp1251::encode(trimmed(topicCode));
    for (int i = 0; i < file.count(); ++i) {
        const RecordView r = file.at(i);
        if (trimmed(r.rawText(exam::SubjectCode)) == QByteArrayView(subject)
            && trimmed(r.rawText(exam::TopicCode)) == QByteArrayView(topic))
            return true;
    }
    return false;
}

void appendTopicToPackage(const QString& path, const GridRow& topicRow)
{
    const PackageRecord record{topicRow.value(tema::SubjectCode), topicRow.value(tema::TopicCode),
                               topicRow.value(tema::TopicName), QStringLiteral("5"), QStringLiteral("1")};
    appendRecord(path, layouts::exam, record.encode());
}

} // namespace tavel::authoring
