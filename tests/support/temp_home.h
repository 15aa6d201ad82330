// A throw-away installation folder for tests, with helpers to put bytes in
// and read them back.
#pragma once

#include "storage/error.h"
#include "storage/install_folder.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace tavel::test {

class TempHome {
public:
    TempHome();

    const InstallFolder& home() const { return home_; }
    const QString& root() const { return home_.root(); }
    // The real path of a path relative to the folder ("Baza/Papka.dat").
    QString path(const QString& relative) const;
    // Writes `bytes` to the relative path, creating folders on the way.
    void write(const QString& relative, const QByteArray& bytes) const;
    QByteArray read(const QString& relative) const;
    bool exists(const QString& relative) const;

private:
    QTemporaryDir dir_;
    InstallFolder home_;
};

// The message of the Error that `f` throws; empty when it throws none.
template <class F>
QString errorOf(F f)
{
    try {
        f();
    } catch (const Error& e) {
        return e.message();
    }
    return QString();
}

// The bytes of `text` in Windows-1251 (tests spell Cyrillic in UTF-8 source).
QByteArray cp(const QString& text);

} // namespace tavel::test
