// Builds the large benchmark subject: topic sizes, the order in which a
// teacher would have added questions over time, the kinds and answers of each
// question and their texts, all from one seeded generator.
#include "generate_subject.h"

#include "russian_words.h"

#include "storage/error.h"
#include "storage/shared_files.h"
#include "storage/text.h"

#include <QDir>
#include <algorithm>
#include <cmath>

namespace tavel::bench {
namespace {

// SplitMix64: tiny, fast and the same on every platform and library, which
// the standard distributions are not.
class Random {
public:
    explicit Random(quint64 seed) : state_(seed) {}

    quint64 next()
    {
        quint64 z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform on [0, n), n > 0.
    int below(int n) { return int((static_cast<unsigned __int128>(next()) * unsigned(n)) >> 64); }
    // Uniform on [lo, hi].
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    // Uniform on [0, 1).
    double unit() { return double(next() >> 11) * 0x1.0p-53; }
    bool chance(double p) { return unit() < p; }

    template <class T, size_t N>
    const T& pick(const T (&items)[N])
    {
        return items[size_t(below(int(N)))];
    }

private:
    quint64 state_;
};

enum class Kind { TickBoxes, Exact, Matching, Ranking };

int fewestAnswers(Kind kind)
{
    return kind == Kind::Exact ? 1 : 2;
}
constexpr int kMostAnswers = 8;

struct PlannedQuestion {
    int topic;
    Kind kind;
    int answers;
};

QString view(std::u16string_view text)
{
    return QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
}

QString capitalised(QString text)
{
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}

// Cut to what the field holds, without a blank left dangling at the end.
QString fitted(const QString& text, int capacity)
{
    return trimmed(QStringView(text).left(capacity));
}

class TextMaker {
public:
    explicit TextMaker(Random& random) : random_(random) {}

    // `words` words of running text, lower case, with the odd comma or number.
    QString phrase(int words)
    {
        QString out;
        for (int i = 0; i < words; ++i) {
            if (i > 0)
                out += random_.chance(0.06) ? QStringLiteral(", ") : QStringLiteral(" ");
            out += word();
        }
        return out;
    }

    QString question(Kind kind, int words, int capacity, int referenceNo)
    {
        QString text;
        bool asks = false;
        switch (kind) {
        case Kind::Matching:
            text = view(words::kMatchingOpening);
            break;
        case Kind::Ranking:
            text = view(words::kRankingOpening);
            break;
        default: {
            const words::Opening& opening = random_.pick(words::kOpenings);
            text = view(opening.text);
            asks = opening.asks;
        }
        }
        text += u' ' + phrase(std::max(2, words - 2));
        text += asks ? u'?' : u'.';
        // Now and then the question names an explanation file of the Foto folder.
        if (random_.chance(0.02)) {
            const QString reference = QStringLiteral(" File#pojasn%1.rtf#").arg(referenceNo);
            return fitted(text, capacity - int(reference.size())) + reference;
        }
        return fitted(text, capacity);
    }

    QString topicName(int words, int capacity)
    {
        QString text = view(random_.pick(words::kTopicHeads));
        for (int i = 0; i < words; ++i)
            text += u' ' + view(random_.chance(0.6) ? random_.pick(words::kGenitive) : random_.pick(words::kAdjectives));
        return fitted(text, capacity);
    }

    QString option(int words, int capacity)
    {
        const QString text = phrase(words);
        return fitted(random_.chance(0.5) ? capitalised(text) : text, capacity);
    }

    // What a student types: one word or a number.
    QString exactAnswer()
    {
        if (random_.chance(0.3))
            return QString::number(random_.between(1, 2024));
        return view(random_.chance(0.5) ? random_.pick(words::kNouns) : random_.pick(words::kGenitive));
    }

private:
    QString word()
    {
        if (random_.chance(0.03))
            return QString::number(random_.between(2, 1999));
        const double r = random_.unit();
        if (r < 0.30)
            return view(random_.pick(words::kNouns));
        if (r < 0.50)
            return view(random_.pick(words::kGenitive));
        if (r < 0.70)
            return view(random_.pick(words::kAdjectives));
        if (r < 0.82)
            return view(random_.pick(words::kVerbs));
        return view(random_.pick(words::kLinks));
    }

    Random& random_;
};

// Question counts of the topics: uneven (0.4 to 1.6 of the mean), summing to `total`.
std::vector<int> topicSizes(Random& random, int topics, int total)
{
    std::vector<double> weights(static_cast<size_t>(topics));
    double sum = 0;
    for (double& w : weights)
        sum += (w = 0.4 + 1.2 * random.unit());
    std::vector<int> sizes(static_cast<size_t>(topics));
    int given = 0;
    for (size_t i = 0; i < sizes.size(); ++i)
        given += (sizes[i] = int(total * weights[i] / sum));
    for (int i = 0; given < total; ++given, i = (i + 1) % topics)
        ++sizes[size_t(i)];
    return sizes;
}

// The topics of the questions in file order, as a base grows over time: the
// topics are opened one after another at an even pace over the first three
// quarters of the file, about half of the batches go to the newest topic and
// the rest to any open topic, so every topic's questions are spread from
// where it was opened towards the end, and the last quarter is additions to
// older topics.
std::vector<int> interleavedTopics(Random& random, std::vector<int> remaining, int total)
{
    const int topics = int(remaining.size());
    std::vector<int> order;
    order.reserve(size_t(total));
    std::vector<int> open; // opened topics that still want questions
    int opened = 0;
    while (int(order.size()) < total) {
        if (opened < topics && (open.empty() || qint64(order.size()) >= qint64(opened) * total * 3 / (4 * topics))) {
            if (remaining[size_t(opened)] > 0)
                open.push_back(opened);
            ++opened;
            continue;
        }
        const int newest = opened - 1;
        int topic = newest;
        if (remaining[size_t(newest)] == 0 || random.chance(0.45))
            topic = open[size_t(random.below(int(open.size())))];
        const int batch = std::min(random.between(1, 30), remaining[size_t(topic)]);
        order.insert(order.end(), size_t(batch), topic);
        if ((remaining[size_t(topic)] -= batch) == 0)
            open.erase(std::find(open.begin(), open.end(), topic));
    }
    return order;
}

Kind drawKind(Random& random)
{
    const double r = random.unit();
    if (r < 0.50)
        return Kind::TickBoxes;
    if (r < 0.70)
        return Kind::Exact;
    if (r < 0.85)
        return Kind::Matching;
    return Kind::Ranking;
}

int drawAnswerCount(Random& random, Kind kind)
{
    switch (kind) {
    case Kind::TickBoxes:
        return random.between(3, 6);
    case Kind::Exact:
        return random.chance(0.85) ? 1 : 2;
    case Kind::Matching:
        return random.between(4, 8);
    case Kind::Ranking:
        return random.between(3, 6);
    }
    return 1;
}

// Nudges the answer counts by one at a time, sweeping the questions from a
// random place, until they sum to `total` exactly. A question that has to go
// below two answers becomes an exact-answer question.
void fitAnswerTotal(Random& random, std::vector<PlannedQuestion>& plan, qint64 total)
{
    qint64 sum = 0;
    for (const PlannedQuestion& q : plan)
        sum += q.answers;
    const size_t n = plan.size();
    for (size_t i = size_t(random.below(int(n))); sum != total; i = (i + 1) % n) {
        PlannedQuestion& q = plan[i];
        if (sum > total && q.answers > 1) {
            if (--q.answers < fewestAnswers(q.kind))
                q.kind = Kind::Exact;
            --sum;
        } else if (sum < total && q.answers < kMostAnswers) {
            ++q.answers;
            ++sum;
        }
    }
}

QString number(int n)
{
    return QString::number(n);
}

void checkShape(const SubjectShape& shape)
{
    const QString code = trimmed(shape.subjectCode);
    if (code.isEmpty() || code.size() > 2)
        throw Error(QStringLiteral("Код предмета \"%1\" должен иметь 1 или 2 знака").arg(shape.subjectCode));
    if (shape.topics < 1 || shape.topics > 999)
        throw Error(QStringLiteral("Число тем %1 вне пределов 1..999").arg(shape.topics));
    if (shape.questions < 0)
        throw Error(QStringLiteral("Число вопросов %1 меньше нуля").arg(shape.questions));
    if (qint64(shape.answers) < shape.questions || qint64(shape.answers) > qint64(kMostAnswers) * shape.questions)
        throw Error(QStringLiteral("Число ответов %1 должно быть от числа вопросов до восьми ответов на вопрос (%2 вопросов)")
                        .arg(shape.answers)
                        .arg(shape.questions));
}

} // namespace

SubjectRecords makeSubjectRecords(const SubjectShape& shape)
{
    checkShape(shape);
    Random random(shape.seed);
    TextMaker texts(random);
    const QString subject = trimmed(shape.subjectCode);
    SubjectRecords out;

    for (size_t i = 0; i < std::size(words::kSections); ++i)
        out.sections.push_back({shape.subjectCode, number(int(i) + 1), view(words::kSections[i])});

    const int topicNameCapacity = layouts::tema.field(tema::TopicName).capacity();
    for (int t = 0; t < shape.topics; ++t)
        out.topics.push_back({shape.subjectCode, number(t + 1), texts.topicName(random.between(1, 8), topicNameCapacity)});

    // Records repeat the codes as typed in the editor's grid: mostly as in
    // Tema.dat, sometimes without the subject code's blank or with a blank
    // around the topic code. All of them trim to the same codes.
    auto subjectAsTyped = [&] { return random.chance(0.1) ? subject : shape.subjectCode; };
    auto topicAsTyped = [&](int topic) {
        const QString code = number(topic + 1);
        if (code.size() < 3 && random.chance(0.05))
            return random.chance(0.5) ? QString(u' ' + code) : QString(code + u' ');
        return code;
    };

    std::vector<PlannedQuestion> plan;
    plan.reserve(size_t(shape.questions));
    for (int topic : interleavedTopics(random, topicSizes(random, shape.topics, shape.questions), shape.questions)) {
        const Kind kind = drawKind(random);
        plan.push_back({topic, kind, drawAnswerCount(random, kind)});
    }
    if (!plan.empty())
        fitAnswerTotal(random, plan, shape.answers);

    // QuestionNo counts the questions of one topic and section in file order,
    // from 1 to 999 (the most the field holds). A topic with more questions in
    // a section goes on in a section of its own, as a teacher would have to:
    // the 1000th question of section 2 is question 1 of section 6, and so on,
    // so that a question's section and number name it within its topic.
    constexpr int kSectionCount = int(std::size(words::kSections));
    std::vector<int> lastNo(size_t(shape.topics) * kSectionCount, 0);
    int sectionsUsed = kSectionCount;
    const int questionCapacity = layouts::wopros.field(wopros::QuestionText).capacity();
    const int answerCapacity = layouts::otwet.field(otwet::AnswerText).capacity();
    out.questions.reserve(plan.size());
    out.answers.reserve(size_t(shape.answers));
    for (const PlannedQuestion& q : plan) {
        const double r = random.unit();
        const int section = r < 0.4 ? 0 : r < 0.7 ? 1 : r < 0.9 ? 2 : 3;
        const int counted = lastNo[size_t(q.topic) * kSectionCount + size_t(section)]++;
        const int sectionCode = section + 1 + kSectionCount * (counted / 999);
        if (sectionCode > 999)
            throw Error(QStringLiteral("Тема %1: больше вопросов, чем вмещают 999 разделов").arg(q.topic + 1));
        sectionsUsed = std::max(sectionsUsed, sectionCode);

        const QString subjectCode = subjectAsTyped();
        const QString topicCode = topicAsTyped(q.topic);
        const QString testCode = number(sectionCode);
        const QString questionNo = number(counted % 999 + 1);
        const int wordCount = 3 + int(28 * std::pow(random.unit(), 1.5));
        out.questions.push_back({subjectCode, topicCode, testCode, questionNo,
                                 texts.question(q.kind, wordCount, questionCapacity, int(out.questions.size()) + 1),
                                 QString(), number(random.between(1, 5)), QString()});

        auto answer = [&](int answerNo, const QString& mark, const QString& text) {
            out.answers.push_back({subjectCode, topicCode, testCode, questionNo, number(answerNo), mark, text});
        };
        switch (q.kind) {
        case Kind::Exact:
            for (int a = 1; a <= q.answers; ++a)
                answer(a, QStringLiteral("Ф"), texts.exactAnswer());
            break;
        case Kind::TickBoxes: {
            // One to three right options, at least one wrong one left unmarked.
            std::vector<bool> right(size_t(q.answers), false);
            const int rightCount = random.between(1, std::min(3, q.answers - 1));
            for (int k = 0; k < rightCount;) {
                const size_t at = size_t(random.below(q.answers));
                if (!right[at]) {
                    right[at] = true;
                    ++k;
                }
            }
            for (int a = 1; a <= q.answers; ++a)
                answer(a, right[size_t(a - 1)] ? QStringLiteral("+") : QString(),
                       texts.option(random.between(1, 12), answerCapacity));
            break;
        }
        case Kind::Matching: {
            // The terms ("-") first, then the items ("+"), each numbered with
            // the ordinal of its term.
            const int terms = std::max(1, q.answers / 2 - random.below(2));
            for (int a = 1; a <= terms; ++a)
                answer(a, QStringLiteral("-"), capitalised(texts.phrase(random.between(1, 3))));
            for (int a = terms + 1; a <= q.answers; ++a)
                answer(random.between(1, terms), QStringLiteral("+"), texts.option(random.between(2, 10), answerCapacity));
            break;
        }
        case Kind::Ranking: {
            // Every variant marked "1", AnswerNo its right place, stored shuffled.
            std::vector<int> places(size_t(q.answers));
            for (int a = 0; a < q.answers; ++a)
                places[size_t(a)] = a + 1;
            for (int a = q.answers - 1; a > 0; --a)
                std::swap(places[size_t(a)], places[size_t(random.below(a + 1))]);
            for (int place : places)
                answer(place, QStringLiteral("1"), texts.option(random.between(2, 8), answerCapacity));
            break;
        }
        }
    }
    // The sections beyond the first four, named after the one they continue.
    for (int code = kSectionCount + 1; code <= sectionsUsed; ++code)
        out.sections.push_back({shape.subjectCode, number(code),
                                view(words::kSections[size_t((code - 1) % kSectionCount)]) +
                                    QStringLiteral(" (%1)").arg((code - 1) / kSectionCount + 1)});
    return out;
}

GeneratedSubject generateSubject(const QString& folder, const SubjectShape& shape)
{
    const SubjectRecords records = makeSubjectRecords(shape);
    if (!QDir().mkpath(folder))
        throw Error(QStringLiteral("Не удалось создать папку %1").arg(QDir::toNativeSeparators(folder)));

    writeRecords(subjectFile(folder, subject_files::sections), records.sections);
    writeRecords(subjectFile(folder, subject_files::topics), records.topics);
    writeRecords(subjectFile(folder, subject_files::questions), records.questions);
    writeRecords(subjectFile(folder, subject_files::answers), records.answers);
    writeRecords(subjectFile(folder, subject_files::package), defaultPackage(records.topics));

    GeneratedSubject out;
    out.folder = folder;
    out.subjectCode = trimmed(shape.subjectCode);
    out.topics = records.topics;
    out.questionsPerTopic.assign(records.topics.size(), 0);
    out.answersPerTopic.assign(records.topics.size(), 0);
    // Topic codes are the topic's position from 1.
    for (const QuestionRecord& q : records.questions)
        ++out.questionsPerTopic[size_t(trimmed(q.topicCode).toInt() - 1)];
    for (const AnswerRecord& a : records.answers)
        ++out.answersPerTopic[size_t(trimmed(a.topicCode).toInt() - 1)];
    return out;
}

} // namespace tavel::bench
