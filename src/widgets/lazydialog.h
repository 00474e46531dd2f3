#pragma once

#include <QPointer>

#include <functional>

namespace tavrok {

// A dialog built when it is first wanted, not with its owner: a dialog never opened costs neither start
// time nor memory. Its dress (the language's texts) is put on when it is built and again, while it
// exists, at every change of language.
template <class T>
class LazyDialog {
public:
    LazyDialog() = default;
    explicit LazyDialog(std::function<T*()> make) : make_(std::move(make)) {}
    LazyDialog(const LazyDialog&) = delete;
    LazyDialog& operator=(const LazyDialog&) = delete;

    void setMake(std::function<T*()> make) { make_ = std::move(make); }
    void setDress(std::function<void(T&)> dress) { dress_ = std::move(dress); }
    // The dialog, built now when it was not yet.
    T& get() const {
        if (!dialog_) {
            dialog_ = make_();
            if (dress_) {
                dress_(*dialog_);
            }
        }
        return *dialog_;
    }
    T* operator->() const { return &get(); }
    // The dialog when it was built; null otherwise.
    T* built() const { return dialog_; }
    void redress() const {
        if (dialog_ && dress_) {
            dress_(*dialog_);
        }
    }

private:
    std::function<T*()> make_;
    std::function<void(T&)> dress_;
    mutable QPointer<T> dialog_;
};

} // namespace tavrok
