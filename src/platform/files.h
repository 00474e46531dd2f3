#pragma once

#include <QString>

namespace tavrok {

// The file operations the storage rules need; tests give one that fails where they want it to.
class Files {
public:
    virtual ~Files() = default;
    virtual bool exists(const QString& path) const = 0;
    virtual bool makePath(const QString& folder) = 0;
    // Never replaces an existing target. The copy may be written by its owner.
    virtual bool copy(const QString& from, const QString& to) = 0;
    // A file without any write permission is protected by its owner: it is neither removed nor replaced.
    virtual bool remove(const QString& path) = 0;
    virtual bool writeProtected(const QString& path) const = 0;
    // Renames `from` over `to` in one step (both in one folder).
    virtual bool replace(const QString& from, const QString& to) = 0;
    // The same file under two spellings (links, "..", doubled separators)?
    virtual bool sameFile(const QString& a, const QString& b) const = 0;
    // Can a file be created in the folder (which exists or can be made)? Leaves nothing behind.
    virtual bool canWriteIn(const QString& folder) = 0;
};

class RealFiles final : public Files {
public:
    bool exists(const QString& path) const override;
    bool makePath(const QString& folder) override;
    bool copy(const QString& from, const QString& to) override;
    bool remove(const QString& path) override;
    bool writeProtected(const QString& path) const override;
    bool replace(const QString& from, const QString& to) override;
    bool sameFile(const QString& a, const QString& b) const override;
    bool canWriteIn(const QString& folder) override;

    static RealFiles& instance();
};

} // namespace tavrok
