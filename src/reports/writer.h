// The one interface of every file format the report writer saves: documents
// (ODT, PDF, HTML) and workbooks (XLSX, CSV). A writer turns the content into
// bytes; write() puts them into the file atomically, so a failed save (a
// folder that cannot be written, a full disk) leaves no half-written file and
// keeps a former file whole, and errorString() names the file and the reason.
#pragma once

#include "storage/atomic_save.h"
#include "storage/error.h"

#include <QIODevice>
#include <QString>

namespace tavel {

template <class Content>
class Writer {
public:
    virtual ~Writer() = default;

    // The Save-as filter of the format ("Документ ODT (*.odt)") and the
    // extension its files get ("odt").
    virtual QString nameFilter() const = 0;
    virtual QString extension() const = 0;

    // Writes `content` into the file at `path`. False when it failed;
    // errorString() then says why, naming the file.
    bool write(const Content& content, const QString& path)
    {
        error_.clear();
        try {
            saveAtomically(path, [&](QIODevice& device) {
                writeTo(content, device);
                return true;
            });
            return true;
        } catch (const Error& e) {
            error_ = e.message();
            return false;
        }
    }
    const QString& errorString() const { return error_; }

protected:
    // The format's work: the bytes of `content` into `device`. Throws Error
    // with the reason when the content cannot be written.
    virtual void writeTo(const Content& content, QIODevice& device) = 0;

private:
    QString error_;
};

} // namespace tavel
