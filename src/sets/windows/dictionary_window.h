// The small edit window `TRedak` ("Редактирование справочника"): the memo
// `Spisok`, one keyword per line, in the group "Исправить Добавить Удалить".
// It has no buttons of its own: closing it ends the editing, and whoever
// opened it takes the lines (lines()).
#pragma once

#include <QDialog>
#include <QStringList>

class QPlainTextEdit;

namespace tavel {

class TRedak : public QDialog {
    Q_OBJECT
public:
    explicit TRedak(QWidget* parent = nullptr);

    QPlainTextEdit* Spisok;

    // Caption (the subject's name) and lines; then shown modally.
    void setLines(const QString& caption, const QStringList& lines);
    QStringList lines() const;
    // Shows the window modally and returns the lines as they are when it
    // closes, whichever way it was closed.
    QStringList edit(const QString& caption, const QStringList& lines);
};

} // namespace tavel
