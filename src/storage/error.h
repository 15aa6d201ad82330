// The one error type of the program: an operation that cannot go on throws it,
// and the window that started the operation shows its message.
#pragma once

#include <QString>
#include <exception>

namespace tavel {

class Error : public std::exception {
public:
    explicit Error(QString message);

    const QString& message() const noexcept { return message_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString message_;
    QByteArray utf8_;
};

} // namespace tavel
