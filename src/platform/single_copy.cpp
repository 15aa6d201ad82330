// The lock file that keeps a second copy of the program off one installation folder.
#include "platform/single_copy.h"

#include <QDir>

namespace tavel {

QString SingleCopy::lockFileName()
{
    return QStringLiteral(".tavel.lock");
}

SingleCopy::SingleCopy(const QString& installFolder)
    : lock_(std::make_unique<QLockFile>(QDir(installFolder).filePath(lockFileName())))
{
    // A held lock never goes stale by age; only a dead owner frees it.
    lock_->setStaleLockTime(0);
}

SingleCopy::~SingleCopy() = default;

bool SingleCopy::tryLock()
{
    return lock_->isLocked() || lock_->tryLock(0);
}

bool SingleCopy::isLocked() const
{
    return lock_->isLocked();
}

void SingleCopy::unlock()
{
    lock_->unlock();
}

} // namespace tavel
