#pragma once
// RunThenAlways: runs Body, then After even when Body raised; Body's error then goes on. Editors
// use it to close update brackets and unlock their state on every path.

#include <exception>

template <class Body, class After> void RunThenAlways(Body &&body, After &&after)
{
    std::exception_ptr failure;
    try {
        body();
    } catch (...) {
        failure = std::current_exception();
    }
    after();
    if (failure)
        std::rethrow_exception(failure);
}
