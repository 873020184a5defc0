#pragma once
// A widget or action a GUI test cannot go on without. A missing one ends the
// test with a failure (GoogleTest reports the exception) instead of handing a
// null pointer to the next line, so the fixture still tidies up its folders.
#include <QObject>
#include <stdexcept>
#include <string>

namespace tarvisol::testing {

template <class T>
T* RequiredChild(const QObject* in, const char* name) {
    T* child = in ? in->findChild<T*>(name) : nullptr;
    if (!child) throw std::runtime_error(std::string("the window has no ") + name);
    return child;
}

}  // namespace tarvisol::testing
