#pragma once

#include <QString>

#include <memory>

class QLibrary;

namespace tavrok {

// A library of the program's own beside it (tavrok-sound, tavrok-serial), loaded when first wanted, with
// the libraries it brings: the program does not pay for them at every start. Its one entry makes the
// object it offers.
class ModuleLibrary {
public:
    // `folder` is where it is looked for, `name` its name without prefix and suffix, `entry` the
    // function that makes its object.
    ModuleLibrary(QString folder, QString name, const char* entry);
    ~ModuleLibrary();
    ModuleLibrary(const ModuleLibrary&) = delete;
    ModuleLibrary& operator=(const ModuleLibrary&) = delete;

    // The entry, the library loaded on the first call; null when it cannot be (the reason is logged
    // once, and errorText() gives it).
    void* entry();
    // Whether the library was looked for, found or not.
    bool tried() const { return tried_; }
    QString errorText() const { return error_; }

private:
    QString folder_;
    QString name_;
    const char* entryName_;
    bool tried_ = false;
    void* entry_ = nullptr;
    QString error_;
    std::unique_ptr<QLibrary> library_;
};

// The object a module makes, made on the first call of get(). It goes before its module, whose code it
// runs on.
template <class T>
class ModuleObject {
public:
    ModuleObject(QString folder, QString name, const char* entry) : library_(std::move(folder), std::move(name), entry) {}
    ~ModuleObject() { object_.reset(); }
    ModuleObject(const ModuleObject&) = delete;
    ModuleObject& operator=(const ModuleObject&) = delete;

    // The object, the module loaded for it on the first call; null when it cannot be.
    T* get() {
        if (!object_ && !library_.tried()) {
            if (auto make = reinterpret_cast<T* (*)()>(library_.entry())) {
                object_.reset(make());
            }
        }
        return object_.get();
    }
    // The object when it was made already, else null: nothing is loaded.
    T* made() const { return object_.get(); }
    QString errorText() const { return library_.errorText(); }

private:
    ModuleLibrary library_;
    std::unique_ptr<T> object_;
};

} // namespace tavrok
