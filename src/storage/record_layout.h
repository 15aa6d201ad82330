// The field tables of every record file: the single source of truth for where
// each field sits. Records are fixed-size with no header; text fields are one
// length byte followed by `capacity` Windows-1251 bytes (only the first
// length-byte bytes count); integers are 32-bit little-endian signed; dates are
// 64-bit IEEE doubles counting days since 30 December 1899. See
// doc/record_files.md for the prose description.
#pragma once

#include <QString>
#include <span>

namespace tavel {

enum class FieldType { Text, Int32, Date, Padding };

struct FieldLayout {
    const char* name;
    int offset;
    int size; // bytes on disk, the length byte included
    FieldType type;

    int capacity() const { return type == FieldType::Text ? size - 1 : size; }
};

struct RecordLayout {
    const char* kind; // the file kind: "Papka", "Wopros", ...
    int size;
    std::span<const FieldLayout> fields;

    const FieldLayout& field(int index) const { return fields[size_t(index)]; }
};

// Field indices, in record order, for each kind.
namespace papka {
enum Field { FolderNo, SubjectName, FolderName, TopicCount, QuestionCount, AnswerCount };
}
namespace dostup {
enum Field { UserCode, Padding1, IssueDate, FullName, Password, AccessLevel, Padding2 };
}
namespace predmet {
enum Field { SubjectCode, TestCode, SectionName };
}
namespace tema {
enum Field { SubjectCode, TopicCode, TopicName };
}
namespace wopros { // Wopros.dat and Temp.dat
enum Field { SubjectCode, TopicCode, TestCode, QuestionNo, QuestionText, PoradCode, Points, SKodCode };
}
namespace otwet {
enum Field { SubjectCode, TopicCode, TestCode, QuestionNo, AnswerNo, AnswerMark, AnswerText };
}
namespace exam { // Exam.dat and every other package file
enum Field { SubjectCode, TopicCode, TopicName, TotalCount, WantedCount };
}
namespace ege {
enum Field { LineMarker, LineText };
}

namespace layouts {
extern const RecordLayout papka;   // Baza\Papka.dat, 76 bytes
extern const RecordLayout dostup;  // Baza\Dostup.dat, 48 bytes
extern const RecordLayout predmet; // Predmet.dat, 127 bytes
extern const RecordLayout tema;    // Tema.dat, 128 bytes
extern const RecordLayout wopros;  // Wopros.dat and Temp.dat, 236 bytes
extern const RecordLayout otwet;   // Otwet.dat, 170 bytes
extern const RecordLayout exam;    // Exam*.dat, 138 bytes
extern const RecordLayout ege;     // EGE.dat, 217 bytes
} // namespace layouts

// The layout of a record file by its name, case-insensitively: Papka, Dostup,
// Predmet, Tema, Wopros, Temp, Otwet, EGE (".dat" each), and any
// "Exam*.dat" for packages. Null for any other name.
const RecordLayout* layoutForFileName(const QString& fileName);

} // namespace tavel
