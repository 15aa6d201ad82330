// One copy of the program per installation folder: a lock file in the folder,
// held for the whole run. A second copy started on the same folder finds the
// lock taken and ends; a lock left behind by a copy that died is taken over.
#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace tavel {

class SingleCopy {
public:
    // The lock file's name inside the installation folder.
    static QString lockFileName();

    explicit SingleCopy(const QString& installFolder);
    ~SingleCopy();
    SingleCopy(const SingleCopy&) = delete;
    SingleCopy& operator=(const SingleCopy&) = delete;

    // Takes the lock without waiting. False when another copy (another
    // process, or another SingleCopy of this process) holds it.
    bool tryLock();
    bool isLocked() const;
    void unlock();

private:
    std::unique_ptr<QLockFile> lock_;
};

} // namespace tavel
