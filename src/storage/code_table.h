// The code table Baza\Win_Dos.qkv: two lines; a character that occurs in line 2
// translates into the character at the same position of line 1.
#pragma once

#include <QString>

namespace tavel {

struct CodeTable {
    QString target; // line 1
    QString source; // line 2

    QChar translate(QChar c) const;
    QString translate(const QString& text) const;
};

// Throws Error naming the file when it is missing, unreadable or has fewer
// than two lines.
CodeTable readCodeTable(const QString& path);

} // namespace tavel
