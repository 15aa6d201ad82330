// The draw of the package exam.
#include "sets/package_exam.h"

#include "sets/code_keys.h"
#include "storage/record_scan.h"
#include "storage/error.h"
#include "storage/text.h"

#include <QDir>
#include <algorithm>
#include <cmath>

namespace tavel {

std::vector<int> drawPositions(int total, int wanted, RandomSource& random)
{
    std::vector<int> out;
    if (total <= 0 || wanted <= 0)
        return out;
    if (wanted >= total) {
        out.resize(size_t(total));
        for (int i = 0; i < total; ++i)
            out[size_t(i)] = i;
        return out;
    }
    std::vector<char> marked(size_t(total), 0);
    int count = 0;
    while (count < wanted) {
        const int k = int(std::nearbyint(random.next() * total));
        if (k >= total || marked[size_t(k)])
            continue;
        marked[size_t(k)] = 1;
        ++count;
    }
    out.reserve(size_t(wanted));
    for (int i = 0; i < total; ++i)
        if (marked[size_t(i)])
            out.push_back(i);
    return out;
}

PackageDraw drawPackage(const PackageFile& package, const QString& woprosPath, bool shuffle, RandomSource& random)
{
    if (package.trailingBytes != 0)
        throw Error(partialRecordMessage(package));

    // Every count is checked before anything is drawn.
    const QString where = QStringLiteral("Файл пакета %1").arg(QDir::toNativeSeparators(package.path));
    struct Wanted {
        int members; // index into `members`
        int total;
        int wanted;
    };
    std::vector<Wanted> topics;
    CodeLookup<quint64> topicIndex;        // topic -> its list in `members`
    std::vector<std::vector<int>> members; // question records per topic, file order
    for (size_t i = 0; i < package.rows.size(); ++i) {
        const PackageRecord& row = package.rows[i];
        const int wanted = countOf(row, true, where, int(i));
        const int total = countOf(row, false, where, int(i));
        if (wanted <= 0)
            continue;
        const quint64 key = code_keys::package(row);
        if (topicIndex.insert(key, int(members.size())))
            members.emplace_back();
        topics.push_back({*topicIndex.find(key), total, wanted});
    }

    // One pass over the questions serves every topic; the questions of a
    // topic mostly lie one after another, so a run of records with the same
    // leading code bytes is looked up once.
    const TopicFields fields(QuestionRecord::layout(), wopros::SubjectCode, wopros::TopicCode);
    HeadRuns runs(QuestionRecord::layout(), {wopros::SubjectCode, wopros::TopicCode});
    std::vector<int>* into = nullptr;
    RecordScanner scanner(QuestionRecord::layout());
    scanner.scan(woprosPath, [&](int i, const RecordView& r) {
        const char* record = r.bytes().data();
        if (runs.startsRun(record)) {
            const int* found = topicIndex.find(fields.key(record));
            into = found ? &members[size_t(*found)] : nullptr;
        }
        if (into)
            into->push_back(i);
    });

    PackageDraw draw;
    std::vector<int> chosen; // record indices in set order
    size_t next = 0;
    for (size_t i = 0; i < package.rows.size(); ++i) {
        const PackageRecord& row = package.rows[i];
        if (countOf(row, true, where, int(i)) <= 0)
            continue;
        const Wanted& topic = topics[next++];
        draw.lines << trimmed(row.topicName) + QStringLiteral(" задано ") + trimmed(row.wantedCount);
        const std::vector<int>& records = members[size_t(topic.members)];
        if (shuffle) {
            const int real = std::min(std::max(topic.total, 0), int(records.size()));
            for (const int position : drawPositions(real, topic.wanted, random))
                chosen.push_back(records[size_t(position)]);
        } else {
            // In file order, as many as wanted: "Всего" plays no part here.
            for (int p = 0; p < std::min(int(records.size()), topic.wanted); ++p)
                chosen.push_back(records[size_t(p)]);
        }
    }

    // The chosen records are read where they lie, each once.
    std::vector<int> sorted = chosen;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    const std::vector<QByteArray> bytes = scanner.readAt(woprosPath, sorted);
    draw.questions.reserve(chosen.size());
    for (const int index : chosen) {
        const size_t at = size_t(std::lower_bound(sorted.begin(), sorted.end(), index) - sorted.begin());
        draw.questions.push_back(QuestionRecord::decode(RecordView(QuestionRecord::layout(), bytes[at])));
    }
    return draw;
}

} // namespace tavel
