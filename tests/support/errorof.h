#pragma once
// The message of a host error that an action raises, for tests that check what went wrong.

#include <QString>

// The message of the error of class E (or of a class derived from it) that Call raises; empty
// when it raises none.
template <class E, class F> QString ErrorOf(F &&Call)
{
    try {
        Call();
    } catch (const E &Error) {
        return Error.Message();
    }
    return {};
}
