// The administrator prompt `TSysAdmin` ("Ты кто?"): a modal window with one
// masked box `NomZamka` of at most six characters. Enter closes it; the
// administrator flag is raised only when the trimmed text was the word. Every
// showing clears the flag and the box. Escape closes it without the flag.
//
// Callers use ask(), which shows the prompt modally (through
// dialogs::execModal, so tests drive it with dialogs::testing::Script::drive)
// and returns the flag.
#pragma once

#include <QDialog>

class QLineEdit;

namespace tavel {

class TSysAdmin : public QDialog {
    Q_OBJECT
public:
    static QString word();

    explicit TSysAdmin(QWidget* parent = nullptr);

    QLineEdit* NomZamka;

    // Shows the prompt modally; true when the right word was typed.
    bool ask();
    bool administrator() const { return administrator_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void NomZamkaEnter();

    bool administrator_ = false;
};

} // namespace tavel
