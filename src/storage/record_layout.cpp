// Field tables of the record files, checked at compile time for gaps and sizes.
#include "storage/record_layout.h"

#include <QFileInfo>
#include <array>

namespace tavel {
namespace {

using T = FieldType;

template <size_t N>
constexpr bool contiguous(const std::array<FieldLayout, N>& fields, int size)
{
    int at = 0;
    for (const FieldLayout& f : fields) {
        if (f.offset != at)
            return false;
        at += f.size;
    }
    return at == size;
}

constexpr std::array<FieldLayout, 6> kPapka{{
    {"FolderNo", 0, 4, T::Int32},
    {"SubjectName", 4, 51, T::Text},
    {"FolderName", 55, 9, T::Text},
    {"TopicCount", 64, 4, T::Int32},
    {"QuestionCount", 68, 4, T::Int32},
    {"AnswerCount", 72, 4, T::Int32},
}};
static_assert(contiguous(kPapka, 76));

constexpr std::array<FieldLayout, 7> kDostup{{
    {"UserCode", 0, 3, T::Text},
    {"padding", 3, 5, T::Padding},
    {"IssueDate", 8, 8, T::Date},
    {"FullName", 16, 21, T::Text},
    {"Password", 37, 7, T::Text},
    {"AccessLevel", 44, 2, T::Text},
    {"padding", 46, 2, T::Padding},
}};
static_assert(contiguous(kDostup, 48));

constexpr std::array<FieldLayout, 3> kPredmet{{
    {"SubjectCode", 0, 3, T::Text},
    {"TestCode", 3, 3, T::Text},
    {"SectionName", 6, 121, T::Text},
}};
static_assert(contiguous(kPredmet, 127));

constexpr std::array<FieldLayout, 3> kTema{{
    {"SubjectCode", 0, 3, T::Text},
    {"TopicCode", 3, 4, T::Text},
    {"TopicName", 7, 121, T::Text},
}};
static_assert(contiguous(kTema, 128));

constexpr std::array<FieldLayout, 8> kWopros{{
    {"SubjectCode", 0, 3, T::Text},
    {"TopicCode", 3, 4, T::Text},
    {"TestCode", 7, 3, T::Text},
    {"QuestionNo", 10, 4, T::Text},
    {"QuestionText", 14, 211, T::Text},
    {"PoradCode", 225, 5, T::Text},
    {"Points", 230, 3, T::Text},
    {"SKodCode", 233, 3, T::Text},
}};
static_assert(contiguous(kWopros, 236));

constexpr std::array<FieldLayout, 7> kOtwet{{
    {"SubjectCode", 0, 3, T::Text},
    {"TopicCode", 3, 4, T::Text},
    {"TestCode", 7, 3, T::Text},
    {"QuestionNo", 10, 4, T::Text},
    {"AnswerNo", 14, 3, T::Text},
    {"AnswerMark", 17, 2, T::Text},
    {"AnswerText", 19, 151, T::Text},
}};
static_assert(contiguous(kOtwet, 170));

constexpr std::array<FieldLayout, 5> kExam{{
    {"SubjectCode", 0, 3, T::Text},
    {"TopicCode", 3, 4, T::Text},
    {"TopicName", 7, 121, T::Text},
    {"TotalCount", 128, 5, T::Text},
    {"WantedCount", 133, 5, T::Text},
}};
static_assert(contiguous(kExam, 138));

constexpr std::array<FieldLayout, 2> kEge{{
    {"LineMarker", 0, 6, T::Text},
    {"LineText", 6, 211, T::Text},
}};
static_assert(contiguous(kEge, 217));

} // namespace

namespace layouts {
const RecordLayout papka{"Papka", 76, kPapka};
const RecordLayout dostup{"Dostup", 48, kDostup};
const RecordLayout predmet{"Predmet", 127, kPredmet};
const RecordLayout tema{"Tema", 128, kTema};
const RecordLayout wopros{"Wopros", 236, kWopros};
const RecordLayout otwet{"Otwet", 170, kOtwet};
const RecordLayout exam{"Exam", 138, kExam};
const RecordLayout ege{"EGE", 217, kEge};
} // namespace layouts

const RecordLayout* layoutForFileName(const QString& fileName)
{
    const QString name = QFileInfo(fileName).fileName().toLower();
    if (!name.endsWith(QLatin1String(".dat")))
        return nullptr;
    const QString base = name.chopped(4);
    if (base == u"papka")
        return &layouts::papka;
    if (base == u"dostup")
        return &layouts::dostup;
    if (base == u"predmet")
        return &layouts::predmet;
    if (base == u"tema")
        return &layouts::tema;
    if (base == u"wopros" || base == u"temp")
        return &layouts::wopros;
    if (base == u"otwet")
        return &layouts::otwet;
    if (base == u"ege")
        return &layouts::ege;
    if (base.startsWith(u"exam"))
        return &layouts::exam;
    return nullptr;
}

} // namespace tavel
