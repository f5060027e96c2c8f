#pragma once

#include <deque>

namespace zelvane {

// The next of the answers given in advance to a scripted prompt or form; fallback when none is left.
template<typename T>
T TakeAnswer(std::deque<T> &answers, T fallback)
{
    if (answers.empty())
        return fallback;
    fallback = answers.front();
    answers.pop_front();
    return fallback;
}

// The form that answers one kind of entry window. Each entry window has an interface of its own (the
// fields it edits); the desktop program installs the window itself, tests and scripts install a form
// with answers given in advance. With no form installed the entry is cancelled, the cautious answer.
template<typename FormInterface>
class Form
{
public:
    static FormInterface *current() { return s_current; }
    static void install(FormInterface *form) { s_current = form; }
    // Removes form if it is still the one installed (a later installation is left alone).
    static void uninstall(FormInterface *form)
    {
        if (s_current == form)
            s_current = nullptr;
    }

private:
    static inline FormInterface *s_current = nullptr;
};

} // namespace zelvane
