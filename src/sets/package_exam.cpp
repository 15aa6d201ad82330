// The draw of the package exam.
#include "sets/package_exam.h"

#include "sets/code_keys.h"
#include "storage/record_file.h"
#include "storage/record_scan.h"
#include "storage/error.h"
#include "storage/text.h"

#include <QDir>
#include <algorithm>
#include <climits>
#include <cmath>
#include <numeric>

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

namespace {

// Gives the draws of a source and keeps them, so that after rewind() the
// same draws come again, in the same order, before the source is drawn from
// anew: a draw made on a guess that proved wrong is made again from the
// same numbers.
class Replay final : public RandomSource {
public:
    explicit Replay(RandomSource& source) : source_(source) {}

    double next() override
    {
        if (at_ == drawn_.size())
            drawn_.push_back(source_.next());
        return drawn_[at_++];
    }
    void rewind() { at_ = 0; }

private:
    RandomSource& source_;
    std::vector<double> drawn_;
    size_t at_ = 0;
};

// A package record that wants questions.
struct Wanted {
    size_t row;   // in the package
    int topic;    // index of its topic among the package's distinct topics
    int total;    // "Всего"
    int wanted;   // "Надо", above 0
};

// The package's topics, each once, and the records that want questions.
struct PackageTopics {
    CodeLookup<quint64> index; // topic key -> index
    int count = 0;
    std::vector<Wanted> wanted;
};

PackageTopics packageTopics(const PackageFile& package)
{
    // Every count is checked before anything is drawn.
    const QString where = QStringLiteral("Файл пакета %1").arg(QDir::toNativeSeparators(package.path));
    PackageTopics out;
    for (size_t i = 0; i < package.rows.size(); ++i) {
        const PackageRecord& row = package.rows[i];
        const int wanted = countOf(row, true, where, int(i));
        const int total = countOf(row, false, where, int(i));
        if (wanted <= 0)
            continue;
        const quint64 key = code_keys::package(row);
        if (out.index.insert(key, out.count))
            ++out.count;
        out.wanted.push_back({i, *out.index.find(key), total, wanted});
    }
    return out;
}

// One pass over the questions: visit(topic, index, records, n) for every
// stretch of n questions of a package topic lying one after another from
// record `index` on. The questions of a topic mostly lie one after another,
// so a run of records with the same leading code bytes is looked up once.
template <class Visit>
void scanTopics(RecordScanner& scanner, const QString& woprosPath, const PackageTopics& topics, Visit&& visit)
{
    const TopicFields fields(QuestionRecord::layout(), wopros::SubjectCode, wopros::TopicCode);
    HeadRuns runs(QuestionRecord::layout(), {wopros::SubjectCode, wopros::TopicCode});
    int topic = -1;
    const int size = QuestionRecord::layout().size;
    scanner.scanBlocks(woprosPath, [&](int first, const char* records, int count) {
        runs.forEachRun(records, count, size, [&](const char* run, int k, int n, bool starts) {
            if (starts) {
                const int* found = topics.index.find(fields.key(run));
                topic = found ? *found : -1;
            }
            if (topic >= 0)
                visit(topic, first + k, run, n);
        });
    });
}

// The draw as the package exam defines it: each topic's questions gathered
// by one pass, the positions drawn among its first min("Всего", real number)
// questions, the records chosen read where they lie.
QuestionSet drawAfterCounting(const PackageTopics& topics, RecordScanner& scanner,
                                              const QString& woprosPath, bool shuffle, RandomSource& random)
{
    std::vector<std::vector<int>> members(size_t(topics.count)); // question records per topic, file order
    scanTopics(scanner, woprosPath, topics, [&](int topic, int i, const char*, int n) {
        std::vector<int>& list = members[size_t(topic)];
        for (int k = 0; k < n; ++k)
            list.push_back(i + k);
    });
    std::vector<int> chosen; // record indices in set order
    for (const Wanted& w : topics.wanted) {
        const std::vector<int>& records = members[size_t(w.topic)];
        if (shuffle) {
            const int real = std::min(std::max(w.total, 0), int(records.size()));
            for (const int position : drawPositions(real, w.wanted, random))
                chosen.push_back(records[size_t(position)]);
        } else {
            // In file order, as many as wanted: "Всего" plays no part here.
            for (int p = 0; p < std::min(int(records.size()), w.wanted); ++p)
                chosen.push_back(records[size_t(p)]);
        }
    }
    // Each chosen record is read once.
    std::vector<int> sorted = chosen;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    const std::vector<QByteArray> bytes = scanner.readAt(woprosPath, sorted);
    QuestionSet out;
    out.reserve(chosen.size());
    for (const int index : chosen) {
        const size_t at = size_t(std::lower_bound(sorted.begin(), sorted.end(), index) - sorted.begin());
        out.appendStored(bytes[at].constData());
    }
    return out;
}

} // namespace

PackageDraw drawPackage(const PackageFile& package, const QString& woprosPath, bool shuffle, RandomSource& random)
{
    if (package.trailingBytes != 0)
        throw Error(partialRecordMessage(package));
    const PackageTopics topics = packageTopics(package);

    PackageDraw draw;
    for (const Wanted& w : topics.wanted) {
        const PackageRecord& row = package.rows[w.row];
        draw.lines << trimmed(row.topicName) + QStringLiteral(" задано ") + trimmed(row.wantedCount);
    }

    // The positions are drawn first, on the guess that every topic holds at
    // least its "Всего" questions (a recount makes it so), and the one pass
    // over the questions keeps the records at those positions: nothing is
    // read twice. The pass also counts each topic's questions; when a topic
    // holds fewer, the guess was wrong and the draw is made again after
    // counting, with the same random numbers (the source is then a few
    // numbers further on than without the guess: later draws, the question
    // keys, are as random, only not the ones a given seed gave before).
    Replay replay(random);
    RecordScanner scanner(QuestionRecord::layout());
    const int onDisk = int(std::min<qint64>(RecordFile::countOnDisk(woprosPath, QuestionRecord::layout()), INT_MAX));
    bool guessed = true;
    std::vector<std::vector<int>> drawn; // per wanting record, ascending
    drawn.reserve(topics.wanted.size());
    for (const Wanted& w : topics.wanted) {
        if (shuffle && w.total > onDisk) {
            guessed = false; // more than the file holds: the guess cannot hold
            break;
        }
        if (shuffle) {
            drawn.push_back(drawPositions(std::max(w.total, 0), w.wanted, replay));
        } else {
            drawn.emplace_back(size_t(std::min(w.wanted, onDisk)));
            std::iota(drawn.back().begin(), drawn.back().end(), 0);
        }
    }
    if (guessed) {
        // Per topic: the positions wanted by any of its records, and the
        // records found at them.
        struct Pick {
            std::vector<int> positions;
            std::vector<size_t> found; // found[k]: where the record at positions[k] lies in `records`
            int count = 0;             // the topic's questions
        };
        QByteArray records; // the records found, one after another
        std::vector<Pick> picks(size_t(topics.count));
        for (size_t k = 0; k < topics.wanted.size(); ++k) {
            std::vector<int>& positions = picks[size_t(topics.wanted[k].topic)].positions;
            positions.insert(positions.end(), drawn[k].begin(), drawn[k].end());
        }
        for (Pick& pick : picks) {
            std::sort(pick.positions.begin(), pick.positions.end());
            pick.positions.erase(std::unique(pick.positions.begin(), pick.positions.end()), pick.positions.end());
        }
        const int size = QuestionRecord::layout().size;
        scanTopics(scanner, woprosPath, topics, [&](int topic, int, const char* run, int n) {
            Pick& pick = picks[size_t(topic)];
            // The positions wanted that fall within this stretch.
            while (pick.found.size() < pick.positions.size() && pick.positions[pick.found.size()] < pick.count + n) {
                pick.found.push_back(size_t(records.size()));
                records.append(run + qsizetype(pick.positions[pick.found.size() - 1] - pick.count) * size, size);
            }
            pick.count += n;
        });
        for (const Wanted& w : topics.wanted)
            if (shuffle && picks[size_t(w.topic)].count < w.total)
                guessed = false;
        if (guessed) {
            for (size_t k = 0; k < topics.wanted.size(); ++k) {
                const Pick& pick = picks[size_t(topics.wanted[k].topic)];
                for (const int position : drawn[k]) {
                    const size_t at = size_t(
                        std::lower_bound(pick.positions.begin(), pick.positions.end(), position) - pick.positions.begin());
                    if (at < pick.found.size())
                        draw.questions.appendStored(records.constData() + pick.found[at]);
                }
            }
            return draw;
        }
    }
    replay.rewind();
    draw.questions = drawAfterCounting(topics, scanner, woprosPath, shuffle, replay);
    return draw;
}

} // namespace tavel
